// kvlog print LOGBOOK --pdf FILE [--what text|profile|both|summary|statistics] [--dives LIST]
//            [--units metric|imperial] [--lang en|de|fr|es|it]
// Prints the logbook as Kelwin's Print command does, into a PDF file on A4 portrait paper:
// dive pages (text, profile or both), the summary list or the statistics. With --dives the
// listed dives are the selected ones ("Selected dives"); without, the whole logbook prints.

#include <QFileInfo>

#include "Commands.h"
#include "DiveList.h"
#include "Language.h"
#include "PrintJob.h"
#include "ReportOptions.h"
#include "TDiveCollection.h"

namespace {

std::optional<EPrintWhat> WhatOption(const QString& name) {
    if (name == QLatin1String("text")) return EPrintWhat::TextOnly;
    if (name == QLatin1String("profile")) return EPrintWhat::ProfileOnly;
    if (name == QLatin1String("both")) return EPrintWhat::TextAndProfile;
    if (name == QLatin1String("summary")) return EPrintWhat::Summary;
    if (name == QLatin1String("statistics")) return EPrintWhat::Statistics;
    return std::nullopt;
}

int RunPrint(const TCommandLine& cmd) {
    const std::optional<EPrintWhat> what = WhatOption(cmd.Value("what"));
    if (!what) return cmd.UsageError(QStringLiteral("unknown print choice \"%1\"").arg(cmd.Value("what")));
    const std::optional<int> units = UnitsOption(cmd.Value("units"));
    if (!units) return cmd.UsageError(QStringLiteral("unknown unit system \"%1\"").arg(cmd.Value("units")));
    const std::optional<int> language = LanguageOption(cmd.Value("lang"));
    if (!language) return cmd.UsageError(QStringLiteral("unknown language \"%1\"").arg(cmd.Value("lang")));

    UseReportSettings(*language, *units);
    const QString path = cmd.Argument(0);
    const std::unique_ptr<TDiveCollection> log = LoadReportLogbook("print", path);
    if (!log) return kExitFailed;

    TPrintRequest request;
    request.What = *what;
    request.Extend = cmd.IsSet("dives") ? EPrintExtend::SelectedDives : EPrintExtend::WholeLogbook;
    request.Logbook = log.get();
    if (cmd.IsSet("dives")) {
        QString error;
        const std::optional<std::vector<std::size_t>> chosen = ChosenDives(*log, cmd.Value("dives"), &error);
        if (!chosen) return cmd.UsageError(error);
        request.SelectedLines = SelectedLines(log->Count(), *chosen);
    }
    request.FileName = QFileInfo(path).fileName();
    // Listed dives are lines selected by clicking: the statistics title carries their dates.
    request.HandSelection = true;
    TPdfPrintTarget target(cmd.Value("pdf"));
    TPrintJob job(target, request);
    const TResult printed = job.Run();
    if (!printed.Ok()) {
        PrintError(QStringLiteral("kvlog print: %1\n").arg(printed.ErrorText));
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace

static const TCommandRegistrar kPrint({
    .Name = "print",
    .Summary = "Prints dive pages, the summary or the statistics of the logbook into a PDF file, "
               "as Kelwin's Print command does.",
    .Arguments = {{"LOGBOOK", "the logbook file"}},
    .Options = {{"pdf", "FILE", "the PDF file to write (A4 portrait)", nullptr, true},
                {"what", "text|profile|both|summary|statistics", "what to print", "both"},
                {"dives", "LIST", "dive numbers and ranges, e.g. 3,5-9 (default: the whole logbook)"},
                {"units", "metric|imperial", "unit system of the values", "metric"},
                {"lang", "en|de|fr|es|it", "language of the texts", "en"}},
    .Run = RunPrint,
    .Details = "Each dive's text and profile fill the upper and lower box of a page; the summary\n"
               "continues box after box. An existing FILE is replaced only when the print succeeded.",
});
// Dive pages need fonts.
static const TPaintingCommand kPrintPaints("print");
