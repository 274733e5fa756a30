// Printing 100 dives "Text and Profile" into a PDF: 100 pages, each with a dive's data and its
// profile chart drawn by the profile painter. Target: 3 s.

#include <QTemporaryDir>
#include <cstdint>
#include <memory>

#include <benchmark/benchmark.h>

#include "BenchApplication.h"
#include "Language.h"
#include "LogbookFile.h"
#include "PrintJob.h"
#include "TDiveCollection.h"

namespace {

// The example logbook's dives with a profile, repeated on later days up to 100 dives.
std::unique_ptr<TDiveCollection> HundredProfileDives() {
    LogbookLoadResult example = LoadLogbookFile(QStringLiteral(KV_BIN_DIR "/EXAMPLE.LOG"), false);
    if (!example.Ok()) return nullptr;
    auto log = std::make_unique<TDiveCollection>();
    for (int round = 0; log->Count() < 100; ++round) {
        const std::size_t before = log->Count();
        for (std::size_t i = 0; i < example.Collection->Count() && log->Count() < 100; ++i) {
            const TDiveRec& source = example.Collection->At(i);
            if (!source.HasProfile()) continue;
            auto copy = std::make_unique<TDiveRec>(source);
            copy->DayNo += round * 1000;
            copy->DeviceTime += static_cast<std::uint32_t>(round) * 10'000'000u;  // not a duplicate
            log->AddDive(std::move(copy), 0, 1);
        }
        if (log->Count() == before) return nullptr;  // no dive with a profile
    }
    return log;
}

void BM_PrintHundredDivesTextAndProfile(benchmark::State& state) {
    BenchApplication();
    SetCurrentLanguage(kEnglish);
    const auto log = HundredProfileDives();
    if (!log) {
        state.SkipWithError("EXAMPLE.LOG cannot be read");
        return;
    }
    QTemporaryDir dir;
    TPrintRequest request;
    request.What = EPrintWhat::TextAndProfile;
    request.Extend = EPrintExtend::WholeLogbook;
    request.Logbook = log.get();
    request.FileName = QStringLiteral("BENCH.LOG");
    int pages = 0;
    for ([[maybe_unused]] auto _ : state) {
        TPdfPrintTarget target(dir.filePath(QStringLiteral("hundred.pdf")));
        TPrintJob job(target, request);
        const TResult printed = job.Run();
        if (!printed.Ok()) state.SkipWithError(printed.ErrorText.toStdString().c_str());
        pages = job.PagesStarted();
    }
    state.counters["pages"] = pages;
    state.counters["dives"] = static_cast<double>(log->Count());
}
BENCHMARK(BM_PrintHundredDivesTextAndProfile)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
