// kvlog display LOGBOOK NUMBER [--units metric|imperial] [--lang en|de|fr|es|it] [--tables DIR]
//   Replays dive NUMBER from a fresh model state and prints what the dive computer panel,
//   the physiological and the tissue data windows show at every point (every 20 seconds):
//   a header line, then one tab-separated line per point.
// The parameter tables are read from the program's folder unless --tables names another.

#include <QCoreApplication>
#include <memory>

#include "Commands.h"
#include "CompanionReadings.h"
#include "DiveAnalysis.h"
#include "Language.h"
#include "LogbookFile.h"
#include "TParameterTables.h"
#include "TTissueModel.h"

namespace {

int LanguageOf(const QString& code) {
    static const char* const kCodes[kLanguageCount] = {"en", "de", "fr", "es", "it"};
    for (int l = 0; l < kLanguageCount; ++l)
        if (code == QLatin1String(kCodes[l])) return l;
    return -1;
}

QString HeaderLine() {
    QStringList columns{QStringLiteral("Index")};
    for (int j = 1; j <= 8; ++j) columns << QStringLiteral("T%1").arg(j);
    columns << QStringLiteral("Bubble") << QStringLiteral("Temp") << QStringLiteral("Work")
            << QStringLiteral("Dial") << QStringLiteral("Needle") << QStringLiteral("Depth")
            << QStringLiteral("Time") << QStringLiteral("Max") << QStringLiteral("Deco")
            << QStringLiteral("Asc") << QStringLiteral("Level") << QStringLiteral("oTox")
            << QStringLiteral("O2") << QStringLiteral("pO2") << QStringLiteral("Symbol")
            << QStringLiteral("Unit");
    return columns.join(QLatin1Char('\t'));
}

QString PointLine(const CompanionInput& in, int i) {
    const TissueReadings t = ReadTissue(in, i);
    const PhysioReadings f = ReadPhysio(in, i);
    const PanelReadings p = ReadPanel(in, i);
    QStringList cells{QString::number(i)};
    for (const TissueBar& bar : t.Bars)
        cells << QStringLiteral("%1/%2").arg(bar.Value).arg(QLatin1String(BarColourName(bar.Colour)));
    cells << QString::number(f.Bubble) << QString::number(f.Temp) << QString::number(f.Work)
          << QString::number(static_cast<int>(f.Dial)) << QString::number(f.Needle);
    cells << p.Depth << p.Time << p.Max << p.Deco << p.Asc << p.Level << p.oTox << p.O2 << p.pO2
          << QLatin1String(StopSymbolName(p.Symbol)) << QLatin1String(UnitSymbolName(p.Unit));
    return cells.join(QLatin1Char('\t'));
}

int RunDisplay(const TCommandLine& cmd) {
    const QString units = cmd.Value("units");
    if (units != QLatin1String("metric") && units != QLatin1String("imperial"))
        return cmd.UsageError(QStringLiteral("unknown unit system \"%1\"").arg(units));
    const int unitSystem = units == QLatin1String("imperial") ? kImperial : kMetric;
    const int language = LanguageOf(cmd.Value("lang"));
    if (language < 0) return cmd.UsageError(QStringLiteral("unknown language \"%1\"").arg(cmd.Value("lang")));
    bool numberOk = false;
    const int number = cmd.Argument(1).toInt(&numberOk);
    if (!numberOk)
        return cmd.UsageError(QStringLiteral("NUMBER is not a number: \"%1\"").arg(cmd.Argument(1)));
    QString tablesDir = cmd.Value("tables");
    if (tablesDir.isEmpty()) tablesDir = QCoreApplication::applicationDirPath();
    const QString logbook = cmd.Argument(0);
    const LogbookLoadResult in = LoadLogbookFile(logbook, false);
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
        PrintError(QStringLiteral("kvlog display: the logbook %1 has no dive %2\n").arg(logbook).arg(number));
        return kExitUsage;
    }
    if (!dive->HasProfile()) {
        PrintError(QStringLiteral("kvlog display: dive %1 has no profile\n").arg(number));
        return kExitUsage;
    }
    SetCurrentLanguage(language);
    SetCurrentUnitSystem(unitSystem);

    auto tables = std::make_unique<TParameterTables>(tablesDir);
    auto profile = std::make_unique<DiveProfile>();
    try {
        tables->OpenParameterTables();
        TTissueModel model(*tables);
        ReplayDive(*dive, *profile, model, unitSystem == kImperial);
    } catch (const EMissingTabFile& e) {
        PrintError(e.Text() + QLatin1Char('\n'));
        return kExitFailed;
    }

    const CompanionInput input{profile.get(), profile->Count + 1, dive, unitSystem};
    QString out = HeaderLine() + QLatin1Char('\n');
    for (int i = 0; i <= profile->Count; ++i) out += PointLine(input, i) + QLatin1Char('\n');
    PrintOut(out);
    return kExitOk;
}

}  // namespace

static const TCommandRegistrar kDisplay({
    .Name = "display",
    .Summary = "Replays a dive and prints what the dive computer panel, the physiological and the tissue "
               "data windows show at every point: a header line, then one tab-separated line per point.",
    .Arguments = {{"LOGBOOK", "the logbook file"}, {"NUMBER", "the dive's number in the logbook"}},
    .Options = {{"units", "metric|imperial", "unit system of the depths and the stop depth", "metric"},
                {"lang", "en|de|fr|es|it", "language of the windows", "en"},
                {"tables", "DIR", "folder of the parameter tables (default: the program's folder)"}},
    .Run = RunDisplay,
});
