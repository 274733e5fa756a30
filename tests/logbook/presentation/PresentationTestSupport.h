#pragma once
// Shared set-up of the presentation tests: one GUI application on the offscreen platform
// (text needs fonts), and dives with profiles built point by point.
//
//   GuiApp();
//   TDiveRec dive = ProfileDive(ProfileFamily::F, {{0, 0}, {3, 1.8}, {40, 1.8}, {45, 0}});

#include <QGuiApplication>
#include <QLocale>
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
