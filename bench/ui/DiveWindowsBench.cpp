// The dive commands on a full logbook of 65535 dives: the selection criteria over every
// dive, the selection dialog marking the matching lines of the dive list, the time-zone shift
// of every dive, and the data window showing a dive.

#include <QApplication>
#include <QListView>
#include <QMdiArea>

#include <benchmark/benchmark.h>

#include "BenchPrompts.h"
#include "Selection.h"
#include "TDispDlg.h"
#include "TDiveCollection.h"
#include "TKelvara.h"
#include "TKelwinDiveWindows.h"
#include "TSelectDialog.h"
#include "TimeShift.h"

namespace {

std::unique_ptr<TDiveCollection> FullLogbook() {
    auto log = std::make_unique<TDiveCollection>();
    for (std::size_t i = 0; i < TDiveCollection::kMaxDives; ++i) {
        auto d = std::make_unique<TDiveRec>();
        d->DayNo = 150000 + static_cast<int>(i / 3);
        d->StartTime = static_cast<std::uint16_t>(600 + (i % 3) * 120);
        d->MaxDepth = static_cast<std::int16_t>(500 + (i * 37) % 4000);
        d->DiveType = (i % 4 == 0) ? 0x0100 : 0x0080;
        d->Activities = static_cast<std::uint16_t>(i % 0x1000);
        d->OtherActivity = (i % 10 == 0) ? QByteArray("Steep Wall dive") : QByteArray();
        log->AddDive(std::move(d), 0, 1);
    }
    log->SortAndRenumber();
    return log;
}

TSelectionCriteria Criteria() {
    TSelectionCriteria c;
    c.Day1 = 150000;
    c.Day2 = 170000;
    c.DepthEnabled = true;
    c.Depth1 = 0;
    c.Depth2 = 3000;
    c.DiveType = 0x0100;
    c.Activities = 0x0010;
    c.Other = QStringLiteral("wall");
    return c;
}

void BM_SelectionCriteriaOverFullLogbook(benchmark::State& state) {
    const auto log = FullLogbook();
    const TSelectionCriteria c = Criteria();
    for ([[maybe_unused]] auto _ : state) benchmark::DoNotOptimize(ApplySelection(*log, c));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(log->Count()));
}
BENCHMARK(BM_SelectionCriteriaOverFullLogbook)->Unit(benchmark::kMillisecond);

void BM_TimeShiftOfEveryDive(benchmark::State& state) {
    auto log = FullLogbook();
    std::vector<std::size_t> all(log->Count());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
    bool plus = true;
    for ([[maybe_unused]] auto _ : state) {
        benchmark::DoNotOptimize(ApplyShift(*log, all, 90, plus));
        plus = !plus;
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(log->Count()));
}
BENCHMARK(BM_TimeShiftOfEveryDive)->Unit(benchmark::kMillisecond);

struct TWindows {
    SettingsRecord Settings = SettingsRecord::Defaults();
    TKelvara Main{Settings, TKelwinPaths{}, std::make_unique<TBenchPrompts>()};
    TKelwinDiveWindows Dives{Main};
};

void BM_SelectDialogMarksTheDiveList(benchmark::State& state) {
    TWindows w;
    w.Main.ReplaceLogbook(FullLogbook());
    TSelectDialog& select = *w.Dives.SelectDialog();
    select.Load(w.Main.Logbook());
    for ([[maybe_unused]] auto _ : state) w.Main.Session().SelectDives(select.Criteria());
    w.Main.SetModified(false);
}
BENCHMARK(BM_SelectDialogMarksTheDiveList)->Unit(benchmark::kMillisecond);

void BM_DataWindowShowsADive(benchmark::State& state) {
    TWindows w;
    w.Main.ReplaceLogbook(FullLogbook());
    std::size_t i = 0;
    for ([[maybe_unused]] auto _ : state) {
        w.Dives.DispDlg()->ShowDive(&w.Main.Logbook().At(i));
        i = (i + 7919) % w.Main.Logbook().Count();
    }
}
BENCHMARK(BM_DataWindowShowsADive)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
