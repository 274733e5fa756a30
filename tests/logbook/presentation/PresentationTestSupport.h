#pragma once
// Shared set-up of the presentation tests: one GUI application on the offscreen platform
// (text needs fonts), dives with profiles built point by point, and printed PDF files read
// back with the poppler tools.
//
//   GuiApp();
//   TDiveRec dive = ProfileDive(ProfileFamily::F, {{0, 0}, {3, 1.8}, {40, 1.8}, {45, 0}});
//   PdfPages pages = ReadPdf(path);     // pages.Count, pages.Text[i], pages.Words[i]

#include <QGuiApplication>
#include <QLocale>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

#include "TDiveRec.h"
#include "TProfileBlockBuilder.h"

inline QGuiApplication& GuiApp() {
    static int argc = 1;
    static char name[] = "kv_presentation_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        auto* a = new QGuiApplication(argc, argv);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        return a;
    }();
    return *app;
}

// Hardware code whose family nibble selects the profile layout.
inline std::uint16_t HwSwOf(ProfileFamily family) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(family) << 4);
}

// A downloaded dive with tank data (12 l, 140 bar used, 18 degrees) and the builder's profile.
inline TDiveRec DiveFromBuilder(ProfileFamily family, const TProfileBlockBuilder& builder,
                                std::uint16_t diveType = 0) {
    TDiveRec dive;
    dive.DiveNumber = 7;
    dive.HwSw = HwSwOf(family);
    dive.DiveType = diveType;
    dive.AltitudeRange = 1;
    dive.TankSize = 1200;
    dive.AirConsumption = 14000;
    dive.DiveTime = static_cast<std::uint16_t>(builder.PointCount() / 3);
    dive.MinWaterTemp = 1800;
    dive.DeviceTime = 1;
    dive.ProfileBlock = builder.Build();
    return dive;
}

// The same with a profile through the waypoints (minute, bar).
inline TDiveRec ProfileDive(ProfileFamily family, const std::vector<std::pair<double, double>>& waypoints,
                            std::uint16_t diveType = 0) {
    TProfileBlockBuilder b(family);
    for (const auto& [minute, depth] : waypoints) b.AddWaypoint(minute, depth);
    return DiveFromBuilder(family, b, diveType);
}

// Output of a poppler tool; empty when it could not run.
inline QString RunTool(const QString& tool, const QStringList& args) {
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A printed PDF read back with the poppler tools.
struct PdfWord {
    QRectF Box;  // in points, origin at the page's top left
    QString Text;
};

struct PdfPages {
    int Count = 0;
    std::vector<QString> Text;                // per page, reading order
    std::vector<std::vector<PdfWord>> Words;  // per page
};

inline PdfPages ReadPdf(const QString& path) {
    PdfPages pages;
    const QString info = RunTool(QStringLiteral("pdfinfo"), {path});
    const QRegularExpressionMatch count = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    if (!count.hasMatch()) return pages;
    pages.Count = count.captured(1).toInt();
    const QStringList texts =
        RunTool(QStringLiteral("pdftotext"), {path, QStringLiteral("-")}).split(QChar('\f'));
    for (int i = 0; i < pages.Count; ++i) pages.Text.push_back(i < texts.size() ? texts[i] : QString());
    const QString html =
        RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    static const QRegularExpression page(QStringLiteral("<page "));
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    pages.Words.resize(static_cast<std::size_t>(pages.Count));
    int current = -1;
    for (const QString& line : html.split(QChar('\n'))) {
        if (line.contains(page)) ++current;
        const QRegularExpressionMatch m = word.match(line);
        if (!m.hasMatch() || current < 0 || current >= pages.Count) continue;
        const double x0 = m.captured(1).toDouble();
        const double y0 = m.captured(2).toDouble();
        pages.Words[static_cast<std::size_t>(current)].push_back(
            {QRectF(x0, y0, m.captured(3).toDouble() - x0, m.captured(4).toDouble() - y0), m.captured(5)});
    }
    return pages;
}
