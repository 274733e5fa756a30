// Figures of the profile chart on a full-length dive (660 points, 220 minutes) at 1920 x 1080:
// painting the whole chart, moving the window's cursor (only its two strips are painted
// again), and the whole replay of the dive in the window's idle time, with its longest turn.
// Run on the offscreen platform with the parameter tables of the build.

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QMdiArea>
#include <QPainter>
#include <algorithm>
#include <ctime>
#include <memory>

#include <benchmark/benchmark.h>

#include "BenchApplication.h"
#include "DiveProfile.h"
#include "ProfilePlot.h"
#include "SettingsRecord.h"
#include "TDiveRec.h"
#include "TGraphDlg.h"
#include "TIdleHook.h"
#include "TParameterTables.h"
#include "TProfileBlockBuilder.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// A 220-minute multilevel nitrox dive of 660 points with warnings here and there.
TDiveRec LongDive() {
    TProfileBlockBuilder b(ProfileFamily::F);
    b.SetOxygenIndex(6).SetPO2LimitIndex(4);
    b.AddWaypoint(0, 0).AddWaypoint(4, 3.0);
    b.SetWorkload(4).SetWarnings(0x10).AddWaypoint(20, 2.8).SetWarnings(0).SetWorkload(1);
    b.AddWaypoint(60, 2.4).AddWaypoint(70, 1.8).SetWarnings(0x04).AddWaypoint(72, 1.2).SetWarnings(0);
    b.AddWaypoint(140, 1.2).AddWaypoint(150, 0.6).AddWaypoint(200, 0.6).AddWaypoint(219.7, 0.3);
    TDiveRec dive;
    dive.DiveNumber = 660;
    dive.HwSw = 0x00F0;
    dive.DiveType = 0x100;
    dive.AltitudeRange = 1;
    dive.TankSize = 1500;
    dive.AirConsumption = 18000;
    dive.DiveTime = 220;
    dive.MinWaterTemp = 1400;
    dive.DeviceTime = 1;
    dive.ProfileBlock = b.Build();
    return dive;
}

// CPU time of this thread, milliseconds.
double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

void BM_PaintWholeChart(benchmark::State& state) {
    BenchApplication();
    const TDiveRec dive = LongDive();
    auto profile = std::make_unique<DiveProfile>();
    ProfilePlot plot;
    if (!BeginPlot(plot, dive, *profile, EPlotMode::Screen, 0)) {
        state.SkipWithError("no profile");
        return;
    }
    plot.ReplayIndex = profile->Count / 2;
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for ([[maybe_unused]] auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        PaintPlot(plot, painter, QRect(10, 35, kWidth - 20, kHeight - 45), true);
    }
    state.counters["points"] = profile->Count + 1;
}
BENCHMARK(BM_PaintWholeChart)->Unit(benchmark::kMillisecond);

// The profile window at full size on the dive, its replay finished.
struct TWindow {
    TWindow() : tables(QStringLiteral(KV_BIN_DIR "/")) {
        BenchApplication();
        tables.OpenParameterTables();
        settings = SettingsRecord::Defaults();
        settings.ProfilePlacement = {0, 0, kWidth, kHeight, 0};
        area.resize(kWidth + 40, kHeight + 40);
        area.show();
        graph = new TGraphDlg(area, settings, tables, idle);
        graph->setGeometry(0, 0, kWidth, kHeight);
        idle.Install();
    }
    void Settle() {
        for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
    }

    TParameterTables tables;
    SettingsRecord settings;
    TIdleHook idle;
    QMdiArea area;
    TGraphDlg* graph = nullptr;
    TDiveRec dive = LongDive();
};

void BM_CursorMove(benchmark::State& state) {
    TWindow w;
    w.graph->ShowDive(&w.dive);
    while (w.graph->Replaying()) QCoreApplication::processEvents();
    w.Settle();
    const int count = w.graph->Profile().Count;
    int index = 0;
    for ([[maybe_unused]] auto _ : state) {
        index = (index + 37) % (count + 1);
        w.graph->MoveCursor(index);
        // Paints what the move asked for: the old and the new strip.
        w.graph->Chart()->repaint(w.graph->Chart()->visibleRegion() &
                                  (QRegion(CursorStrip(w.graph->Plot(), index)) +
                                   CursorStrip(w.graph->Plot(), (index + count + 1 - 37) % (count + 1))));
    }
}
BENCHMARK(BM_CursorMove)->Unit(benchmark::kMicrosecond);

void BM_ReplayInIdleTime(benchmark::State& state) {
    TWindow w;
    double longestTurnMs = 0;
    double longestTurnCpuMs = 0;
    int turns = 0;
    w.idle.SetHandler([&] {
        QElapsedTimer turn;
        turn.start();
        const double cpu = ThreadCpuMs();
        const bool more = w.graph->ReplayTurn();
        longestTurnCpuMs = std::max(longestTurnCpuMs, ThreadCpuMs() - cpu);
        longestTurnMs = std::max(longestTurnMs, static_cast<double>(turn.nsecsElapsed()) / 1e6);
        ++turns;
        return more;
    });
    for ([[maybe_unused]] auto _ : state) {
        w.graph->ShowDive(&w.dive);
        w.dive.Analysed = 0;
        w.idle.Wake();
        // The window was just shown: its first paint is part of what the user waits for.
        while (w.graph->Replaying()) QCoreApplication::processEvents();
    }
    // Wall time counts the machine's other work too; CPU time is the turn's own.
    state.counters["longest_turn_ms"] = longestTurnMs;
    state.counters["longest_turn_cpu_ms"] = longestTurnCpuMs;
    state.counters["turns_per_replay"] = static_cast<double>(turns) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ReplayInIdleTime)->Unit(benchmark::kMillisecond);

}  // namespace
