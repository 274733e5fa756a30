// kvlog export LOGBOOK TARGET [--dives LIST] [--units metric|imperial] [--lang L] [--tables DIR]
//   Writes dives of the logbook to TARGET in the format its extension names: ".log" or
//   ".kvl" a logbook, ".uddf" UDDF (with the dive computer's own figures, replayed through
//   the model's parameter tables from the program's folder unless --tables names another),
//   ".csv" a table in the language L (en, de, fr, es, it or 0..4) and the unit system.

#include <QCoreApplication>

#include "Commands.h"
#include "DiveList.h"
#include "InterchangeFile.h"
#include "Language.h"
#include "LogbookFile.h"
#include "TParameterTables.h"

namespace {

constexpr const char* kUsage =
    "Usage: kvlog export LOGBOOK TARGET [--dives LIST] [--units metric|imperial] [--lang L] [--tables DIR]\n";

int LanguageOf(const QString& text) {
    const QStringList codes = {QStringLiteral("en"), QStringLiteral("de"), QStringLiteral("fr"),
                               QStringLiteral("es"), QStringLiteral("it")};
    const qsizetype code = codes.indexOf(text.toLower());
    if (code >= 0) return static_cast<int>(code);
    bool ok = false;
    const int index = text.toInt(&ok);
    return ok && IsValidLanguage(index) ? index : -1;
}

}  // namespace

int RunExport(const QStringList& args) {
    QStringList paths;
    QString diveList;
    bool haveList = false;
    int units = kMetric;
    int language = kEnglish;
    QString tablesDir = QCoreApplication::applicationDirPath();
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--dives") && hasValue) {
            diveList = args[++i];
            haveList = true;
        } else if (a == QLatin1String("--units") && hasValue) {
            const QString u = args[++i];
            if (u == QLatin1String("imperial")) {
                units = kImperial;
            } else if (u != QLatin1String("metric")) {
                PrintError(QStringLiteral("kvlog export: unknown unit system \"%1\"\n").arg(u) +
                           QLatin1String(kUsage));
                return kExitUsage;
            }
        } else if (a == QLatin1String("--lang") && hasValue) {
            language = LanguageOf(args[++i]);
            if (language < 0) {
                PrintError(QStringLiteral("kvlog export: unknown language \"%1\"\n").arg(args[i]) +
                           QLatin1String(kUsage));
                return kExitUsage;
            }
        } else if (a == QLatin1String("--tables") && hasValue) {
            tablesDir = args[++i];
        } else if (a.startsWith(QLatin1String("--"))) {
            PrintError(QStringLiteral("kvlog export: unknown option \"%1\"\n").arg(a) +
                       QLatin1String(kUsage));
            return kExitUsage;
        } else {
            paths << a;
        }
    }
    if (paths.size() != 2) {
        PrintError(QString::fromLatin1(kUsage));
        return kExitUsage;
    }
    const EInterchangeFormat format = FormatOfPath(paths[1]);
    if (format == EInterchangeFormat::Unknown) {
        PrintError(
            QStringLiteral("kvlog export: %1: the extension names no format (.log, .kvl, .uddf, .csv)\n")
                .arg(paths[1]));
        return kExitUsage;
    }
    const LogbookLoadResult in = LoadLogbookFile(paths[0], false);
    if (!in.Ok()) {
        PrintError(in.ErrorText + QLatin1Char('\n'));
        return kExitFailed;
    }
    std::vector<std::size_t> chosen = AllDives(*in.Collection);
    if (haveList) {
        QString error;
        const auto listed = ChosenDives(*in.Collection, diveList, &error);
        if (!listed) {
            PrintError(QStringLiteral("kvlog export: %1\n").arg(error));
            return kExitUsage;
        }
        chosen = *listed;
    }
    SetCurrentLanguage(language);
    SetCurrentUnitSystem(units);
    TParameterTables tables(tablesDir);
    ExportOptions options;
    options.LanguageIndex = language;
    options.UnitSystem = units;
    if (format == EInterchangeFormat::Uddf) {
        try {
            tables.OpenParameterTables();
        } catch (const EMissingTabFile& e) {
            PrintError(e.Text() + QLatin1Char('\n'));
            return kExitFailed;
        }
        options.Tables = &tables;
    }
    const ExportResult out = ExportDives(paths[1], format, *in.Collection, chosen, options);
    if (!out.Ok()) {
        PrintError(out.ErrorText + QLatin1Char('\n'));
        return kExitFailed;
    }
    return kExitOk;
}

static const TCommandRegistrar kExport(
    "export", RunExport,
    "export LOGBOOK TARGET [--dives LIST] [--units metric|imperial] [--lang L] "
    "[--tables DIR]");
