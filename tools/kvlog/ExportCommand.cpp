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

int LanguageOf(const QString& text) {
    const QStringList codes = {QStringLiteral("en"), QStringLiteral("de"), QStringLiteral("fr"),
                               QStringLiteral("es"), QStringLiteral("it")};
    const qsizetype code = codes.indexOf(text.toLower());
    if (code >= 0) return static_cast<int>(code);
    bool ok = false;
    const int index = text.toInt(&ok);
    return ok && IsValidLanguage(index) ? index : -1;
}

int RunExport(const TCommandLine& cmd) {
    const QString units = cmd.Value("units");
    if (units != QLatin1String("metric") && units != QLatin1String("imperial"))
        return cmd.UsageError(QStringLiteral("unknown unit system \"%1\"").arg(units));
    const int language = LanguageOf(cmd.Value("lang"));
    if (language < 0) return cmd.UsageError(QStringLiteral("unknown language \"%1\"").arg(cmd.Value("lang")));
    const QString target = cmd.Argument(1);
    const EInterchangeFormat format = FormatOfPath(target);
    if (format == EInterchangeFormat::Unknown)
        return cmd.UsageError(
            QStringLiteral("%1: the extension names no format (.log, .kvl, .uddf, .csv)").arg(target));

    const LogbookLoadResult in = LoadLogbookFile(cmd.Argument(0), false);
    if (!in.Ok()) {
        PrintError(in.ErrorText + QLatin1Char('\n'));
        return kExitFailed;
    }
    std::vector<std::size_t> chosen = AllDives(*in.Collection);
    if (cmd.IsSet("dives")) {
        QString error;
        const auto listed = ChosenDives(*in.Collection, cmd.Value("dives"), &error);
        if (!listed) return cmd.UsageError(error);
        chosen = *listed;
    }
    const int unitSystem = units == QLatin1String("imperial") ? kImperial : kMetric;
    SetCurrentLanguage(language);
    SetCurrentUnitSystem(unitSystem);
    QString tablesDir = cmd.Value("tables");
    if (tablesDir.isEmpty()) tablesDir = QCoreApplication::applicationDirPath();
    TParameterTables tables(tablesDir);
    ExportOptions options;
    options.LanguageIndex = language;
    options.UnitSystem = unitSystem;
    options.BackupDir = KvlogBackupDirectory();
    if (format == EInterchangeFormat::Uddf) {
        try {
            tables.OpenParameterTables();
        } catch (const EMissingTabFile& e) {
            PrintError(e.Text() + QLatin1Char('\n'));
            return kExitFailed;
        }
        options.Tables = &tables;
    }
    const ExportResult out = ExportDives(target, format, *in.Collection, chosen, options);
    if (!out.Ok()) {
        PrintError(out.ErrorText + QLatin1Char('\n'));
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace

static const TCommandRegistrar kExport({
    .Name = "export",
    .Summary = "Writes dives of a logbook as a logbook, a UDDF file or a CSV table.",
    .Arguments = {{"LOGBOOK", "the logbook to read"},
                  {"TARGET", "the file to write; its extension (.log, .kvl, .uddf, .csv) names the format"}},
    .Options = {{"dives", "LIST", "only these dive numbers, e.g. \"3,5-9\""},
                {"units", "metric|imperial", "unit system of the CSV table", "metric"},
                {"lang", "L", "language of the CSV table: en, de, fr, es, it (or 0..4)", "en"},
                {"tables", "DIR", "folder of the model's parameter tables (default: the program's folder)"}},
    .Run = RunExport,
    .Details = "A UDDF file carries at each waypoint what the dive computer showed (no-stop time, "
               "required stop, CNS, oxygen pressure), replayed through the model's tables, and each "
               "dive's own logbook record, so that kvlog import and Kelwin bring it back exactly.",
});
