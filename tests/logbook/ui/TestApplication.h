#pragma once
// One QApplication for all window tests of the executable, created on first use on the
// offscreen platform, with a fixed locale so that no test depends on the machine's.

#include <QApplication>
#include <QLocale>

inline QApplication& TestApplication() {
    static int argc = 1;
    static char name[] = "kv_kelwin_ui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        auto* a = new QApplication(argc, argv);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        return a;
    }();
    return *app;
}
