// Statistics over a full logbook of 65,535 dives: the counting alone, and counting plus the
// texts of every label as the statistics window shows them. Target: 5 ms.

#include <benchmark/benchmark.h>

#include "Language.h"
#include "Statistics.h"
#include "StatisticsPanel.h"
#include "TDiveCollection.h"

namespace {

const TDiveCollection& FullLogbook() {
    static const TDiveCollection* log = [] {
        auto* l = new TDiveCollection;
        for (std::size_t i = 0; i < TDiveCollection::kMaxDives; ++i) {
            auto d = std::make_unique<TDiveRec>();
            d->DayNo = static_cast<std::int32_t>(150000 + i / 3);
            d->MaxDepth = static_cast<std::int16_t>(300 + (i * 37) % 6000);
            d->DiveTime = static_cast<std::uint16_t>(i % 17 == 0 ? kNotSet : 30 + i % 40);
            d->SurfaceInterval = static_cast<std::int16_t>(i % 3 == 0 ? kNotSet : 90);
            d->DiveType = static_cast<std::uint16_t>((i * 0x55) & 0x3FC);
            d->Activities = static_cast<std::uint16_t>((i * 0x1F3) & 0xFFF);
            if (i % 5 == 0) d->OtherActivity = "wall";
            l->AddDive(std::move(d), 0, 1);
        }
        return l;
    }();
    return *log;
}

void BM_ComputeStatisticsWholeLogbook(benchmark::State& state) {
    const TDiveCollection& log = FullLogbook();
    for ([[maybe_unused]] auto _ : state)
        benchmark::DoNotOptimize(ComputeStatistics(log, {}, false, kMetric));
}
BENCHMARK(BM_ComputeStatisticsWholeLogbook)->Unit(benchmark::kMillisecond);

void BM_ComputeStatisticsEverySecondLineSelected(benchmark::State& state) {
    const TDiveCollection& log = FullLogbook();
    std::vector<bool> lines(log.Count());
    for (std::size_t i = 0; i < lines.size(); i += 2) lines[i] = true;
    for ([[maybe_unused]] auto _ : state)
        benchmark::DoNotOptimize(ComputeStatistics(log, lines, true, kImperial));
}
BENCHMARK(BM_ComputeStatisticsEverySecondLineSelected)->Unit(benchmark::kMillisecond);

void BM_StatisticsWithEveryLabelText(benchmark::State& state) {
    const TDiveCollection& log = FullLogbook();
    for ([[maybe_unused]] auto _ : state) {
        const TStatistics s = ComputeStatistics(log, {}, false, kMetric);
        for (const TStatLabel& l : StatisticsPanelLabels())
            benchmark::DoNotOptimize(StatisticsLabelText(l, s, kGerman, kMetric));
        benchmark::DoNotOptimize(StatisticsTitle(s, true, std::nullopt));
    }
}
BENCHMARK(BM_StatisticsWithEveryLabelText)->Unit(benchmark::kMillisecond);

}  // namespace
