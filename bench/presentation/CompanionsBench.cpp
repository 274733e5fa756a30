// The companion windows of the profile on a replayed 660-point dive (220 minutes, with
// decompression): UpdateCompanions for one point, and the cursor stepped through the
// whole dive with the three windows repainted at every point.

#include <QApplication>
#include <memory>

#include <benchmark/benchmark.h>

#include "BenchApplication.h"
#include "DiveAnalysis.h"
#include "Language.h"
#include "SettingsRecord.h"
#include "TDiveComp.h"
#include "TFaktData.h"
#include "TKelvara.h"
#include "TKelwinCompanions.h"
#include "TParameterTables.h"
#include "TProfileBlockBuilder.h"
#include "TTissData.h"
#include "TTissueModel.h"

namespace {

// The main window with the three companions showing a replayed long decompression dive.
struct TCompanionsScene {
    SettingsRecord Settings = SettingsRecord::Defaults();
    std::unique_ptr<TKelvara> Main;
    std::unique_ptr<TKelwinCompanions> Companions;
    std::unique_ptr<DiveProfile> Profile = std::make_unique<DiveProfile>();
    TDiveRec Dive;

    TCompanionsScene() {
        BenchApplication();
        SetCurrentUnitSystem(kMetric);
        TProfileBlockBuilder b(ProfileFamily::F);
        b.SetOxygenIndex(6).SetWorkload(2).SetMicrobubbles(1);
        b.AddWaypoint(0, 0).AddWaypoint(3, 4.0).AddWaypoint(35, 4.0).SetWorkload(1);
        b.AddWaypoint(45, 0.6).AddWaypoint(217, 0.6).AddWaypoint(219.7, 0);
        Dive.HwSw = 0xF0;
        Dive.DiveType = DiveTypeFlag::kNitrox;
        Dive.AltitudeRange = 1;
        Dive.TankSize = 1500;
        Dive.AirConsumption = 18000;
        Dive.DiveTime = 220;
        Dive.MaxDepth = 4000;
        Dive.MinWaterTemp = 1200;
        Dive.ProfileBlock = b.Build();
        TParameterTables tables(QStringLiteral(KV_BIN_DIR "/"));
        tables.OpenParameterTables();
        TTissueModel model(tables);
        ReplayDive(Dive, *Profile, model);
        tables.CloseParameterTables();

        Main = std::make_unique<TKelvara>(Settings, TKelwinPaths{});
        Companions = std::make_unique<TKelwinCompanions>(*Main);
        Companions->SetSource([this] {
            return CompanionInput{Profile.get(), Profile->Count + 1, &Dive, kMetric};
        });
        Companions->FollowProfileWindow(true, false);
        QApplication::processEvents();
    }
    ~TCompanionsScene() {
        Companions.reset();
        Main.reset();
    }
};

void BM_UpdateCompanionsOnePoint(benchmark::State& state) {
    TCompanionsScene scene;
    int i = 0;
    for ([[maybe_unused]] auto _ : state) {
        scene.Companions->UpdateCompanions(i);
        i = i == scene.Profile->Count ? 0 : i + 1;
    }
    state.counters["points"] = scene.Profile->Count + 1;
}
BENCHMARK(BM_UpdateCompanionsOnePoint)->Unit(benchmark::kMicrosecond);

void BM_StepCursorThroughDiveWithRepaint(benchmark::State& state) {
    TCompanionsScene scene;
    QWidget* windows[] = {scene.Companions->Tissue(), scene.Companions->Physio(), scene.Companions->Panel()};
    for ([[maybe_unused]] auto _ : state) {
        for (int i = 0; i <= scene.Profile->Count; ++i) {
            scene.Companions->UpdateCompanions(i);
            for (QWidget* w : windows) w->repaint();
        }
    }
    state.counters["points"] = scene.Profile->Count + 1;
}
BENCHMARK(BM_StepCursorThroughDiveWithRepaint)->Unit(benchmark::kMillisecond);

}  // namespace
