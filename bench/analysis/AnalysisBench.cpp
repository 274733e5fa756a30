// Speed of the dive analysis: the full replay of a 660-point decompression dive, and
// `kvlog analyse` over a generated logbook of 10000 dives (load, replay every profile,
// store the results, save). Target: under 2 ms per dive, i.e. under 20 s for one pass
// of BM_AnalyseLogbook10000.
//
//   bench_analysis [--benchmark_filter=...]

#include <QDir>
#include <QTemporaryDir>
#include <memory>
#include <random>

#include <benchmark/benchmark.h>

#include "DiveAnalysis.h"
#include "LogbookFile.h"
#include "ProfileDecoder.h"
#include "TProfileBlockBuilder.h"
#include "TableGenerator.h"

namespace {

// Tables generated once into a temporary folder.
class BenchTables {
public:
    BenchTables() {
        if (!WriteTables(GenerateTables(DefaultTableSettings()), m_dir.path()).Ok()) std::abort();
        m_tables = std::make_unique<TParameterTables>(m_dir.path());
        m_tables->OpenParameterTables();
    }
    TParameterTables& Tables() { return *m_tables; }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TParameterTables> m_tables;
};

BenchTables& Tables() {
    static BenchTables tables;
    return tables;
}

ProfileDiveInfo DecoInfo() {
    ProfileDiveInfo info;
    info.HwSw = 0xF4;
    info.DiveType = 1;
    info.AltitudeRange = 1;
    info.TankSize = 1500;
    info.AirConsumption = 18000;
    info.DiveTime = 220;
    info.MinWaterTemp = 1400;
    return info;
}

// 45 m for 40 minutes with long stops: 660 points, stops required most of the dive.
std::vector<std::uint8_t> DecoDive660() {
    TProfileBlockBuilder b(ProfileFamily::F);
    b.SetWorkload(3).SetInitialCold(1).AddWaypoint(0, 0).AddWaypoint(4, 4.5).AddWaypoint(40, 4.5);
    b.SetWorkload(1).StepCold(+1).AddWaypoint(44, 1.2).AddWaypoint(60, 1.2).AddWaypoint(61, 0.9);
    b.StepCold(+1).AddWaypoint(90, 0.9).AddWaypoint(91, 0.6).AddWaypoint(140, 0.6).AddWaypoint(141, 0.3);
    b.AddWaypoint(219.5, 0.3);
    return b.Build();
}

void BM_ReplayDecoDive660(benchmark::State& state) {
    const auto block = DecoDive660();
    const ProfileDiveInfo info = DecoInfo();
    auto profile = std::make_unique<DiveProfile>();
    int stopPoints = 0;
    for ([[maybe_unused]] auto _ : state) {
        TTissueModel model(Tables().Tables());
        DecodeProfile(*profile, block, info);
        model.ModelReset(*profile, info);
        model.ReplayAll();
        benchmark::DoNotOptimize(profile->Points[660].Saturation);
        stopPoints = 0;
        for (int i = 0; i <= profile->Count; ++i) stopPoints += profile->Points[i].StopIndex > 0;
    }
    state.counters["points"] = profile->Count;
    state.counters["stop_points"] = stopPoints;
}
BENCHMARK(BM_ReplayDecoDive660)->Unit(benchmark::kMillisecond);

// A logbook of `count` downloaded dives of the three families: no-stop, multilevel,
// decompression and nitrox dives of 20 to 70 minutes.
QString WriteLogbook(const QString& path, int count) {
    std::mt19937 random(20261208);
    auto uniform = [&random](double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(random);
    };
    TDiveCollection logbook;
    for (int n = 0; n < count; ++n) {
        const int kind = n % 3;
        const ProfileFamily family = kind == 0   ? ProfileFamily::Basic
                                     : kind == 1 ? ProfileFamily::A
                                                 : ProfileFamily::F;
        TProfileBlockBuilder b(family);
        const bool nitrox = family != ProfileFamily::Basic && n % 2 == 0;
        if (nitrox && family == ProfileFamily::F) b.SetOxygenIndex(6);
        if (nitrox && family == ProfileFamily::A) b.SetOxygenPercent(32);
        const double depth = uniform(1.0, 4.2);
        const double bottom = uniform(10, 45);
        b.SetWorkload(static_cast<int>(uniform(1, 4))).AddWaypoint(0, 0).AddWaypoint(depth / 1.5, depth);
        b.AddWaypoint(depth / 1.5 + bottom * 0.6, depth).AddWaypoint(depth / 1.5 + bottom, depth * 0.6);
        const double up = depth / 1.5 + bottom + depth * 0.6 / 0.8;
        b.SetWorkload(1).AddWaypoint(up, 0.3).AddWaypoint(up + uniform(3, 15), 0.3).AddWaypoint(up + 16, 0);
        auto dive = std::make_unique<TDiveRec>();
        dive->DayNo = 150000 + n / 3;
        dive->StartTime = static_cast<std::uint16_t>((n % 3) * 240 + 480);
        dive->AltitudeRange = 1;
        dive->DiveType = nitrox ? 0x101 : 1;
        dive->HwSw = family == ProfileFamily::A ? 0xA4 : family == ProfileFamily::F ? 0xF4 : 0x2C;
        dive->TankSize = 1200;
        dive->AirConsumption = 15000;
        dive->DiveTime = static_cast<std::uint16_t>(up + 16);
        dive->MaxDepth = static_cast<std::int16_t>(depth * 1000);
        dive->MinWaterTemp = 1800;
        dive->DeviceTime = 1000000u + static_cast<std::uint32_t>(n) * 20000u;
        dive->DiveNumber = static_cast<std::uint16_t>(n + 1);
        dive->ProfileBlock = b.Build();
        logbook.AddDive(std::move(dive), 0, 1);
    }
    const LogbookSaveResult saved = SaveLogbookFile(path, logbook, false);
    return saved.Ok() ? QString() : saved.ErrorText;
}

// What `kvlog analyse` does: load, replay every dive from a fresh model, store, save.
void BM_AnalyseLogbook10000(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("BENCH.LOG");
    const QString error = WriteLogbook(path, count);
    if (!error.isEmpty()) {
        state.SkipWithError(error.toStdString().c_str());
        return;
    }
    auto profile = std::make_unique<DiveProfile>();
    long points = 0;
    for ([[maybe_unused]] auto _ : state) {
        LogbookLoadResult in = LoadLogbookFile(path, false);
        points = 0;
        for (const auto& dive : in.Collection->Dives()) {
            TTissueModel model(Tables().Tables());
            AnalyseDive(*dive, *profile, model);
            points += profile->Count + 1;
        }
        benchmark::DoNotOptimize(SaveLogbookFile(path, *in.Collection, false).Ok());
    }
    state.counters["dives"] = count;
    state.counters["points_per_dive"] = static_cast<double>(points) / count;
}
BENCHMARK(BM_AnalyseLogbook10000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
