// kvlog replay LOGBOOK NUMBER [--units metric|imperial] [--tables DIR]
//   Decodes dive NUMBER of the logbook and replays it through the tissue model from a
//   fresh model state, printing one CSV line per point and a summary line.
// kvlog analyse LOGBOOK [--tables DIR]
//   Replays every dive that has a profile, stores its analysis result (Analysed, StopInfo
//   and the no-stop / decompression dive type) and saves the logbook.
// The parameter tables are read from the program's folder unless --tables names another.

#include <QCoreApplication>
#include <memory>

#include "Commands.h"
#include "DiveAnalysis.h"
#include "LogbookFile.h"
#include "ProfileDecoder.h"
#include "ReplayReport.h"
#include "TParameterTables.h"
#include "TTissueModel.h"

namespace {

QString TablesDir(const TCommandLine& cmd) {
    const QString dir = cmd.Value("tables");
    return dir.isEmpty() ? QCoreApplication::applicationDirPath() : dir;
}

// Opens the tables; prints the missing-file message and returns null on failure.
std::unique_ptr<TParameterTables> OpenTables(const QString& dir) {
    auto tables = std::make_unique<TParameterTables>(dir);
    try {
        tables->OpenParameterTables();
    } catch (const EMissingTabFile& e) {
        PrintError(e.Text() + QLatin1Char('\n'));
        return nullptr;
    }
    return tables;
}

int RunReplay(const TCommandLine& cmd) {
    const QString units = cmd.Value("units");
    if (units != QLatin1String("metric") && units != QLatin1String("imperial"))
        return cmd.UsageError(QStringLiteral("unknown unit system \"%1\"").arg(units));
    const bool imperial = units == QLatin1String("imperial");
    bool numberOk = false;
    const int number = cmd.Argument(1).toInt(&numberOk);
    if (!numberOk)
        return cmd.UsageError(QStringLiteral("NUMBER is not a number: \"%1\"").arg(cmd.Argument(1)));
    const LogbookLoadResult in = LoadLogbookFile(cmd.Argument(0), false);
    if (!in.Ok()) {
        PrintError(in.ErrorText + QLatin1Char('\n'));
        return kExitFailed;
    }
    const TDiveRec* dive = nullptr;
    for (const auto& d : in.Collection->Dives()) {
        if (d->DiveNumber == number) {
            dive = d.get();
            break;
        }
    }
    if (dive == nullptr) {
        PrintError(QStringLiteral("kvlog replay: the logbook has no dive %1\n").arg(number));
        return kExitFailed;
    }
    if (!dive->HasProfile()) {
        PrintError(QStringLiteral("kvlog replay: dive %1 has no profile\n").arg(number));
        return kExitFailed;
    }
    const auto tables = OpenTables(TablesDir(cmd));
    if (!tables) {
        return kExitFailed;
    }
    auto profile = std::make_unique<DiveProfile>();
    TTissueModel model(*tables);
    try {
        ReplayDive(*dive, *profile, model, imperial);
    } catch (const EMissingTabFile& e) {
        PrintError(e.Text() + QLatin1Char('\n'));
        return kExitFailed;
    }
    QString out;
    for (int i = 0; i <= profile->Count; ++i) {
        out += ReplayPointLine(i, profile->Points[static_cast<std::size_t>(i)]);
        out += QLatin1Char('\n');
    }
    std::uint16_t diveType = dive->DiveType;  // the replay reports, it does not change the dive
    const std::uint8_t stopInfo = SummariseProfile(*profile, diveType, model.State().DecoFlag);
    out += ReplaySummaryLine(*profile, model.State().DecoFlag, stopInfo);
    out += QLatin1Char('\n');
    PrintOut(out);
    return kExitOk;
}

int RunAnalyse(const TCommandLine& cmd) {
    const QString path = cmd.Argument(0);
    LogbookLoadResult in = LoadLogbookFile(path, false);
    if (!in.Ok()) {
        PrintError(in.ErrorText + QLatin1Char('\n'));
        return kExitFailed;
    }
    const auto tables = OpenTables(TablesDir(cmd));
    if (!tables) {
        return kExitFailed;
    }
    auto profile = std::make_unique<DiveProfile>();
    try {
        for (const auto& dive : in.Collection->Dives()) {
            // Every dive starts from a fresh model, so its result does not depend on the
            // dives replayed before it.
            TTissueModel model(*tables);
            AnalyseDive(*dive, *profile, model);
        }
    } catch (const EMissingTabFile& e) {
        PrintError(e.Text() + QLatin1Char('\n'));
        return kExitFailed;
    }
    const LogbookSaveResult saved = SaveLogbookKeepingBackup(path, *in.Collection, false);
    if (!saved.Ok()) {
        PrintError(saved.ErrorText + QLatin1Char('\n'));
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace

static const TCommandRegistrar kReplay({
    .Name = "replay",
    .Summary = "Replays a dive's profile through the tissue model and prints one CSV line per point "
               "and a summary line.",
    .Arguments = {{"LOGBOOK", "the logbook file"}, {"NUMBER", "the dive's number in the logbook"}},
    .Options = {{"units", "metric|imperial", "unit system of the printed values", "metric"},
                {"tables", "DIR", "folder of the parameter tables (default: the program's folder)"}},
    .Run = RunReplay,
});
static const TCommandRegistrar kAnalyse({
    .Name = "analyse",
    .Summary = "Replays every dive that has a profile, stores its analysis result and saves the logbook.",
    .Arguments = {{"LOGBOOK", "the logbook file; it is saved in place"}},
    .Options = {{"tables", "DIR", "folder of the parameter tables (default: the program's folder)"}},
    .Run = RunAnalyse,
});
