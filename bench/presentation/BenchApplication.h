#pragma once
// The one application object of bench_presentation, on the offscreen platform unless the
// environment names another (a benchmark never needs a screen).

#include <QApplication>

inline QApplication& BenchApplication() {
    static int argc = 1;
    static char name[] = "bench_presentation";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}
