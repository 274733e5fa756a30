// UDDF speed: 10,000 downloaded dives with profiles (copies of the example logbook's
// profile dives on consecutive days) exported to UDDF with the model figures of every
// waypoint, and the file imported into an empty logbook.

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "InterchangeFile.h"
#include "LogbookFile.h"
#include "TParameterTables.h"

namespace {

constexpr std::size_t kDives = 10000;

struct Fixture {
    QTemporaryDir Dir;
    TDiveCollection Logbook;
    TParameterTables Tables{QStringLiteral(KV_SOURCE_DIR "/data")};
    QString Uddf;

    Fixture() {
        Tables.OpenParameterTables();
        const LogbookLoadResult example =
            LoadLogbookFile(QStringLiteral(KV_SOURCE_DIR "/data/EXAMPLE.LOG"), false);
        std::vector<const TDiveRec*> profiles;
        for (const auto& d : example.Collection->Dives())
            if (d->HasProfile()) profiles.push_back(d.get());
        for (std::size_t i = 0; i < kDives; ++i) {
            auto d = std::make_unique<TDiveRec>(*profiles[i % profiles.size()]);
            d->DayNo = static_cast<std::int32_t>(150000 + i);
            d->DeviceTime = 0;  // appended without the duplicate scan, given its clock below
            Logbook.AddDive(std::move(d), 0, 1);
            Logbook.At(i).DeviceTime = static_cast<std::uint32_t>(1000 + i * 172800);
        }
        Uddf = Dir.path() + QStringLiteral("/all.uddf");
        Export(Uddf);
    }

    void Export(const QString& path) {
        std::vector<std::size_t> all(Logbook.Count());
        for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
        ExportOptions options;
        options.Tables = &Tables;
        if (!ExportDives(path, EInterchangeFormat::Uddf, Logbook, all, options).Ok()) std::abort();
    }
};

Fixture& Shared() {
    static Fixture f;
    return f;
}

void BM_ExportUddf(benchmark::State& state) {
    Fixture& f = Shared();
    const QString path = f.Dir.path() + QStringLiteral("/out.uddf");
    for ([[maybe_unused]] auto _ : state) f.Export(path);
    state.counters["dives"] = static_cast<double>(kDives);
    state.counters["MB"] = static_cast<double>(QFileInfo(path).size()) / 1e6;
}
BENCHMARK(BM_ExportUddf)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ImportUddf(benchmark::State& state) {
    Fixture& f = Shared();
    for ([[maybe_unused]] auto _ : state) {
        TDiveCollection log;
        const UddfImportResult r = ImportUddfFile(log, f.Uddf, 0);
        if (!r.Ok() || log.Count() != kDives) state.SkipWithError("import failed");
        benchmark::DoNotOptimize(log.Count());
    }
    state.counters["dives"] = static_cast<double>(kDives);
}
BENCHMARK(BM_ImportUddf)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
