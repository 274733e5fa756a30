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

struct ReplayOptions {
    QStringList Positional;
    QString TablesDir;
    bool Imperial = false;
    QString Error;
};

ReplayOptions ParseOptions(const QStringList& args, bool withUnits) {
    ReplayOptions o;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--tables") && i + 1 < args.size()) {
            o.TablesDir = args[++i];
        } else if (withUnits && a == QLatin1String("--units") && i + 1 < args.size()) {
            const QString u = args[++i];
            if (u == QLatin1String("imperial")) {
                o.Imperial = true;
            } else if (u != QLatin1String("metric")) {
                o.Error = QStringLiteral("unknown unit system \"%1\"").arg(u);
            }
        } else if (a.startsWith(QLatin1String("--"))) {
            o.Error = QStringLiteral("unknown option \"%1\"").arg(a);
        } else {
            o.Positional << a;
        }
    }
    if (o.TablesDir.isEmpty()) {
        o.TablesDir = QCoreApplication::applicationDirPath();
    }
    return o;
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

}  // namespace

int RunReplay(const QStringList& args) {
    const ReplayOptions o = ParseOptions(args, true);
    bool numberOk = false;
    const int number = o.Positional.size() == 2 ? o.Positional[1].toInt(&numberOk) : 0;
    if (!o.Error.isEmpty() || !numberOk) {
        if (!o.Error.isEmpty()) PrintError(QStringLiteral("kvlog replay: %1\n").arg(o.Error));
        PrintError(
            QStringLiteral("Usage: kvlog replay LOGBOOK NUMBER [--units metric|imperial] [--tables DIR]\n"));
        return kExitUsage;
    }
    const LogbookLoadResult in = LoadLogbookFile(o.Positional[0], false);
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
    const auto tables = OpenTables(o.TablesDir);
    if (!tables) {
        return kExitFailed;
    }
    auto profile = std::make_unique<DiveProfile>();
    TTissueModel model(*tables);
    try {
        ReplayDive(*dive, *profile, model, o.Imperial);
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

int RunAnalyse(const QStringList& args) {
    const ReplayOptions o = ParseOptions(args, false);
    if (!o.Error.isEmpty() || o.Positional.size() != 1) {
        if (!o.Error.isEmpty()) PrintError(QStringLiteral("kvlog analyse: %1\n").arg(o.Error));
        PrintError(QStringLiteral("Usage: kvlog analyse LOGBOOK [--tables DIR]\n"));
        return kExitUsage;
    }
    const QString path = o.Positional[0];
    LogbookLoadResult in = LoadLogbookFile(path, false);
    if (!in.Ok()) {
        PrintError(in.ErrorText + QLatin1Char('\n'));
        return kExitFailed;
    }
    const auto tables = OpenTables(o.TablesDir);
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
    const LogbookSaveResult saved = SaveLogbookFile(path, *in.Collection, false);
    if (!saved.Ok()) {
        PrintError(saved.ErrorText + QLatin1Char('\n'));
        return kExitFailed;
    }
    return kExitOk;
}

static const TCommandRegistrar kReplay("replay", RunReplay,
                                       "replay LOGBOOK NUMBER [--units metric|imperial] [--tables DIR]");
static const TCommandRegistrar kAnalyse("analyse", RunAnalyse, "analyse LOGBOOK [--tables DIR]");
