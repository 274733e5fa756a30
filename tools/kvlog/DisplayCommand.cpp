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

constexpr const char* kUsage =
    "display LOGBOOK NUMBER [--units metric|imperial] [--lang en|de|fr|es|it] [--tables DIR]";

struct DisplayOptions {
    QStringList Positional;
    QString TablesDir;
    int UnitSystem = kMetric;
    int Language = kEnglish;
    QString Error;
};

int LanguageOf(const QString& code) {
    static const char* const kCodes[kLanguageCount] = {"en", "de", "fr", "es", "it"};
    for (int l = 0; l < kLanguageCount; ++l)
        if (code == QLatin1String(kCodes[l])) return l;
    return -1;
}

DisplayOptions ParseOptions(const QStringList& args) {
    DisplayOptions o;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--tables") && hasValue) {
            o.TablesDir = args[++i];
        } else if (a == QLatin1String("--units") && hasValue) {
            const QString u = args[++i];
            if (u == QLatin1String("imperial")) {
                o.UnitSystem = kImperial;
            } else if (u != QLatin1String("metric")) {
                o.Error = QStringLiteral("unknown unit system \"%1\"").arg(u);
            }
        } else if (a == QLatin1String("--lang") && hasValue) {
            const QString l = args[++i];
            o.Language = LanguageOf(l);
            if (o.Language < 0) o.Error = QStringLiteral("unknown language \"%1\"").arg(l);
        } else if (a.startsWith(QLatin1String("--"))) {
            o.Error = QStringLiteral("unknown option \"%1\"").arg(a);
        } else {
            o.Positional << a;
        }
    }
    if (o.TablesDir.isEmpty()) o.TablesDir = QCoreApplication::applicationDirPath();
    return o;
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

}  // namespace

int RunDisplay(const QStringList& args) {
    const DisplayOptions o = ParseOptions(args);
    bool numberOk = false;
    const int number = o.Positional.size() == 2 ? o.Positional[1].toInt(&numberOk) : 0;
    if (!o.Error.isEmpty() || !numberOk) {
        if (!o.Error.isEmpty()) PrintError(QStringLiteral("kvlog display: %1\n").arg(o.Error));
        PrintError(QStringLiteral("Usage: kvlog %1\n").arg(QLatin1String(kUsage)));
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
        PrintError(QStringLiteral("kvlog display: the logbook %1 has no dive %2\n")
                       .arg(o.Positional[0])
                       .arg(number));
        return kExitUsage;
    }
    if (!dive->HasProfile()) {
        PrintError(QStringLiteral("kvlog display: dive %1 has no profile\n").arg(number));
        return kExitUsage;
    }
    SetCurrentLanguage(o.Language);
    SetCurrentUnitSystem(o.UnitSystem);

    auto tables = std::make_unique<TParameterTables>(o.TablesDir);
    auto profile = std::make_unique<DiveProfile>();
    try {
        tables->OpenParameterTables();
        TTissueModel model(*tables);
        ReplayDive(*dive, *profile, model, o.UnitSystem == kImperial);
    } catch (const EMissingTabFile& e) {
        PrintError(e.Text() + QLatin1Char('\n'));
        return kExitFailed;
    }

    const CompanionInput input{profile.get(), profile->Count + 1, dive, o.UnitSystem};
    QString out = HeaderLine() + QLatin1Char('\n');
    for (int i = 0; i <= profile->Count; ++i) out += PointLine(input, i) + QLatin1Char('\n');
    PrintOut(out);
    return kExitOk;
}

static const TCommandRegistrar kDisplay("display", RunDisplay, kUsage);
