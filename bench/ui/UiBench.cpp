// Kelwin's start-up until the main window is visible on the example logbook, and opening
// a logbook of 65535 dives until its list is shown, next to the core's load of the same
// file.

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QListView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "BenchKelwin.h"
#include "LogbookFile.h"
#include "Startup.h"
#include "TKelvara.h"
#include "TKelwinApp.h"

namespace {

void BM_StartupToVisibleMainWindow(benchmark::State& state) {
    QTemporaryDir home;
    // Settings of an earlier run, so every start is an ordinary one.
    WriteEarlierSettings(home, SettingsRecord::Defaults());
    const QStringList args{BenchBinDir() + QStringLiteral("EXAMPLE.LOG")};
    std::size_t dives = 0;
    for ([[maybe_unused]] auto _ : state) {
        TKelwinApp app(BenchEnvironment(home, args));
        if (!app.Start()) {
            state.SkipWithError(qPrintable(app.StartError()));
            break;
        }
        QCoreApplication::processEvents();
        dives = app.MainWindow()->Logbook().Count();
        benchmark::DoNotOptimize(app.MainWindow()->isVisible());
        state.PauseTiming();
        app.MainWindow()->hide();
        state.ResumeTiming();
    }
    state.counters["dives"] = static_cast<double>(dives);
}
BENCHMARK(BM_StartupToVisibleMainWindow)->Unit(benchmark::kMillisecond)->Iterations(10);

// A logbook of the largest size a file can hold, every dive with a profile.
const QString& LargeLogbook() {
    static QTemporaryDir dir;
    static const QString path = [] {
        QString p = dir.filePath(QStringLiteral("large.log"));
        TDiveCollection log;
        for (int i = 0; i < 65535; ++i) {
            auto d = std::make_unique<TDiveRec>();
            d->DayNo = 140000 + i / 3;
            d->StartTime = static_cast<std::uint16_t>(480 + (i % 3) * 180);
            d->Location = QByteArray("Dahab");
            d->Site = QByteArray("Canyon");
            d->MaxDepth = 2850;
            d->DiveTime = 48;
            d->DeviceTime = static_cast<std::uint32_t>(1000 + i);
            d->ProfileBlock.assign(202, 7);
            d->ProfileBlock[0] = 200;
            d->ProfileBlock[1] = 0;
            log.AddDive(std::move(d), 0, 1);
        }
        SaveLogbookFile(p, log, false);
        return p;
    }();
    return path;
}

void BM_CoreLoadLargeLogbook(benchmark::State& state) {
    const QString& path = LargeLogbook();
    for ([[maybe_unused]] auto _ : state) {
        LogbookLoadResult r = LoadLogbookFile(path, false);
        benchmark::DoNotOptimize(r.Collection->Count());
    }
}
BENCHMARK(BM_CoreLoadLargeLogbook)->Unit(benchmark::kMillisecond);

void BM_OpenLargeLogbookUntilListShown(benchmark::State& state) {
    const QString& path = LargeLogbook();
    QTemporaryDir home;
    SettingsRecord settings = SettingsRecord::Defaults();
    auto prompts = std::make_unique<TBenchPrompts>();
    prompts->OpenPath = path;
    TKelvara main(settings,
                  TKelwinPaths{BenchBinDir(), home.path() + QStringLiteral("/"), QStringLiteral("/")},
                  std::move(prompts));
    main.show();
    QCoreApplication::processEvents();
    for ([[maybe_unused]] auto _ : state) {
        main.Action(ECommand::Open)->trigger();
        // The list paints its visible lines.
        main.DiveList()->repaint();
        QCoreApplication::processEvents();
        if (main.DiveList()->model()->rowCount() != 65535)
            state.SkipWithError("the list does not show every dive");
        state.PauseTiming();
        main.Action(ECommand::New)->trigger();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenLargeLogbookUntilListShown)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
