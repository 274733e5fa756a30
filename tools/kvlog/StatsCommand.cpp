// kvlog stats LOGBOOK [--dives LIST] [--units metric|imperial] [--lang en|de|fr|es|it]: the
// statistics window's rows as text, one line per row "Name<TAB>Caption<TAB>Value<TAB>Share"
// in the window's order, then "Title<TAB>" and the window title. With --dives the listed dives
// count as lines selected by clicking in the dive list; without, the whole logbook counts.

#include "Commands.h"
#include "DiveList.h"
#include "Language.h"
#include "ReportOptions.h"
#include "Statistics.h"
#include "TDiveCollection.h"

namespace {

int RunStats(const TCommandLine& cmd) {
    const std::optional<int> units = UnitsOption(cmd.Value("units"));
    if (!units) return cmd.UsageError(QStringLiteral("unknown unit system \"%1\"").arg(cmd.Value("units")));
    const std::optional<int> language = LanguageOption(cmd.Value("lang"));
    if (!language) return cmd.UsageError(QStringLiteral("unknown language \"%1\"").arg(cmd.Value("lang")));

    UseReportSettings(*language, *units);
    const std::unique_ptr<TDiveCollection> log = LoadReportLogbook("stats", cmd.Argument(0));
    if (!log) return kExitFailed;

    // Listed dives are lines selected by clicking: the title carries the counted dives' dates.
    std::vector<bool> lines;
    const bool selectedOnly = cmd.IsSet("dives");
    if (selectedOnly) {
        QString error;
        const std::optional<std::vector<std::size_t>> chosen = ChosenDives(*log, cmd.Value("dives"), &error);
        if (!chosen) return cmd.UsageError(error);
        lines = SelectedLines(log->Count(), *chosen);
    }
    const TStatistics stats = ComputeStatistics(*log, lines, selectedOnly, *units);
    QString out;
    for (const EStatRow row : StatRows())
        out += QStringLiteral("%1\t%2\t%3\t%4\n")
                   .arg(StatRowName(row), StatisticsCaption(row, *language, *units), stats.ValueText(row),
                        stats.ShareText(row));
    out += QStringLiteral("Title\t") + StatisticsTitle(stats, true, std::nullopt) + QLatin1Char('\n');
    PrintOut(out);
    return kExitOk;
}

}  // namespace

static const TCommandRegistrar kStats({
    .Name = "stats",
    .Summary = "Prints the statistics of the logbook or of the listed dives as Kelwin's statistics "
               "window shows them: one line per row, then the title.",
    .Arguments = {{"LOGBOOK", "the logbook file"}},
    .Options = {{"dives", "LIST", "dive numbers and ranges, e.g. 3,5-9 (default: the whole logbook)"},
                {"units", "metric|imperial", "unit system of the depth ranges", "metric"},
                {"lang", "en|de|fr|es|it", "language of the captions", "en"}},
    .Run = RunStats,
    .Details = "Each row is printed as Name<TAB>Caption<TAB>Value<TAB>Share. Listed dives count as\n"
               "dives selected by clicking in the dive list; numbers that name no dive are ignored.",
});
