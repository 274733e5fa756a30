// Logbook core speed: a full logbook of 65535 downloaded dives with profiles, loaded,
// saved and sorted; reading the same file into memory is the yardstick for loading, and
// "cp" + "sync" of the same file the yardstick for a save that is synced, read back from
// the disk and keeps a backup. The save benchmarks write beside the working folder (set
// KV_BENCH_DIR to choose the disk), not into a memory file system.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "LargeLogbook.h"
#include "LogbookFile.h"
#include "TDiveCollection.h"
#include "TDiveRec.h"

namespace {

using bench::MakeDive;

struct Fixture {
    QTemporaryDir Dir;
    QString Sorted;
    QString Reversed;

    Fixture() {
        TDiveCollection log;
        // Appended as hand-entered dives and given their clock values afterwards, which
        // skips the duplicate scan of each download step.
        for (std::size_t i = 0; i < TDiveCollection::kMaxDives; ++i) {
            auto d = MakeDive(i);
            const std::uint32_t clock = d->DeviceTime;
            d->DeviceTime = 0;
            log.AddDive(std::move(d), 0, 1);
            log.At(i).DeviceTime = clock;
        }
        Sorted = Dir.path() + "/full.log";
        SaveLogbookFile(Sorted, log, false);
        // The same dives stored newest first: loading has to sort them all.
        TDiveCollection reversed;
        for (std::size_t i = TDiveCollection::kMaxDives; i-- > 0;) {
            auto d = MakeDive(i);
            d->DeviceTime = 0;  // hand-entered: appended without the duplicate scan
            reversed.AddDive(std::move(d), 0, 1);
        }
        Reversed = Dir.path() + "/reversed.log";
        SaveLogbookFile(Reversed, reversed, false);
    }
};

// Releasing a logbook is not part of loading one.
void ReleaseOutsideTiming(LogbookLoadResult& r) { r = {}; }

Fixture& Files() {
    static Fixture f;
    return f;
}

void BM_ReadFileIntoMemory(benchmark::State& state) {
    const QString path = Files().Sorted;
    for ([[maybe_unused]] auto _ : state) {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        QByteArray bytes = f.readAll();
        benchmark::DoNotOptimize(bytes.data());
        state.SetBytesProcessed(state.bytes_processed() + bytes.size());
    }
}
BENCHMARK(BM_ReadFileIntoMemory)->Unit(benchmark::kMillisecond);

// Times `load` over and over; the loaded dives are released outside the timing, and a
// load that `loaded` does not accept ends the benchmark with an error.
template <typename Load, typename Check>
void TimeLoads(benchmark::State& state, Load load, Check loaded) {
    LogbookLoadResult r;
    for ([[maybe_unused]] auto _ : state) {
        r = load();
        if (!r.Ok() || !loaded(*r.Collection)) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(r.Collection.get());
        state.PauseTiming();
        ReleaseOutsideTiming(r);
        state.ResumeTiming();
    }
}

bool Full(const TDiveCollection& logbook) { return logbook.Count() == TDiveCollection::kMaxDives; }

void BM_LoadLogbook65535(benchmark::State& state) {
    const QString path = Files().Sorted;
    TimeLoads(
        state, [&path] { return LoadLogbookFile(path, false); }, Full);
}
BENCHMARK(BM_LoadLogbook65535)->Unit(benchmark::kMillisecond);

// The same load from the file's bytes in memory: what parsing and building the dives
// cost without the file reads.
void BM_LoadLogbookFromMemory65535(benchmark::State& state) {
    QFile f(Files().Sorted);
    f.open(QIODevice::ReadOnly);
    const QByteArray bytes = f.readAll();
    TimeLoads(
        state, [&bytes] { return LoadLogbookBytes(bytes, false); }, Full);
}
BENCHMARK(BM_LoadLogbookFromMemory65535)->Unit(benchmark::kMillisecond);

void BM_LoadReversedLogbook65535(benchmark::State& state) {
    // Stored newest first: the load sorts the dives.
    const QString path = Files().Reversed;
    TimeLoads(
        state, [&path] { return LoadLogbookFile(path, false); },
        [](const TDiveCollection& logbook) { return logbook.At(0).DayNo == 150000; });
}
BENCHMARK(BM_LoadReversedLogbook65535)->Unit(benchmark::kMillisecond);

void BM_SaveLogbook65535(benchmark::State& state) {
    LogbookLoadResult r = LoadLogbookFile(Files().Sorted, false);
    const QString target = Files().Dir.path() + "/saved.log";
    for ([[maybe_unused]] auto _ : state) {
        if (!SaveLogbookFile(target, *r.Collection, false).Ok()) state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveLogbook65535)->Unit(benchmark::kMillisecond);

// A folder on the disk that holds the user's files rather than a memory file system.
QTemporaryDir& DiskDir() {
    static QTemporaryDir dir(qEnvironmentVariable("KV_BENCH_DIR", QDir::currentPath()) + "/kv-bench-XXXXXX");
    return dir;
}

// Kelwin's Save of a full logbook over the previous file: image, synced temporary file,
// read back from the disk, previous file kept as a backup (the newest 10 stay), rename.
void BM_SaveVerifiedWithBackup65535(benchmark::State& state) {
    LogbookLoadResult r = LoadLogbookFile(Files().Sorted, false);
    const QString target = DiskDir().path() + "/saved.log";
    TLogbookSaveOptions how;
    how.BackupDir = DiskDir().path() + "/Backups/";
    if (!SaveLogbookFile(target, *r.Collection, false, how).Ok()) state.SkipWithError("save failed");
    for ([[maybe_unused]] auto _ : state) {
        if (!SaveLogbookFile(target, *r.Collection, false, how).Ok()) state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * QFileInfo(target).size());
}
BENCHMARK(BM_SaveVerifiedWithBackup65535)->Unit(benchmark::kMillisecond)->UseRealTime();

// The yardstick: copying the same file with cp and syncing the copy.
void BM_CpAndSync65535(benchmark::State& state) {
    const QString source = DiskDir().path() + "/source.log";
    QFile::remove(source);
    QFile::copy(Files().Sorted, source);
    const QString copy = DiskDir().path() + "/copy.log";
    for ([[maybe_unused]] auto _ : state) {
        if (QProcess::execute(
                QStringLiteral("sh"),
                {QStringLiteral("-c"), QStringLiteral("cp \"$0\" \"$1\" && sync \"$1\""), source, copy}) != 0)
            state.SkipWithError("cp or sync failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * QFileInfo(source).size());
}
BENCHMARK(BM_CpAndSync65535)->Unit(benchmark::kMillisecond)->UseRealTime();

// What a recovery copy costs the user-interface thread: the logbook's image; the disk
// work happens on the worker.
void BM_RecoverySnapshot65535(benchmark::State& state) {
    LogbookLoadResult r = LoadLogbookFile(Files().Sorted, false);
    for ([[maybe_unused]] auto _ : state) {
        std::vector<std::uint8_t> image = LogbookImage(*r.Collection, false);
        benchmark::DoNotOptimize(image.data());
    }
}
BENCHMARK(BM_RecoverySnapshot65535)->Unit(benchmark::kMillisecond);

void BM_RecoverySnapshot500(benchmark::State& state) {
    LogbookLoadResult r = LoadLogbookFile(Files().Sorted, false);
    TDiveCollection small;
    for (std::size_t i = 0; i < 500; ++i)
        small.AddDive(std::make_unique<TDiveRec>(r.Collection->At(i)), 0, 1);
    for ([[maybe_unused]] auto _ : state) {
        std::vector<std::uint8_t> image = LogbookImage(small, false);
        benchmark::DoNotOptimize(image.data());
    }
}
BENCHMARK(BM_RecoverySnapshot500)->Unit(benchmark::kMicrosecond);

void BM_SortAndRenumberReversed65535(benchmark::State& state) {
    for ([[maybe_unused]] auto _ : state) {
        state.PauseTiming();
        TDiveCollection log;
        for (std::size_t i = TDiveCollection::kMaxDives; i-- > 0;) {
            auto d = std::make_unique<TDiveRec>();
            d->DayNo = static_cast<std::int32_t>(150000 + i / 3);
            d->StartTime = static_cast<std::uint16_t>(540 + (i % 3) * 180);
            log.AddDive(std::move(d), 0, 1);
        }
        state.ResumeTiming();
        log.SortAndRenumber();
        benchmark::DoNotOptimize(log.At(0).DayNo);
    }
}
BENCHMARK(BM_SortAndRenumberReversed65535)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
