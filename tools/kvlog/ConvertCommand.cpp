// kvlog convert IN OUT [--dos-in] [--dos-out]: loads a logbook and saves it again, e.g.
// to turn an old DOS-text logbook into a current one.

#include "Commands.h"
#include "LogbookFile.h"

namespace {

int RunConvert(const TCommandLine& cmd) {
    const LogbookLoadResult in = LoadLogbookFile(cmd.Argument(0), cmd.IsSet("dos-in"));
    if (!in.Ok()) {
        PrintError(in.ErrorText + QLatin1Char('\n'));
        return kExitFailed;
    }
    const LogbookSaveResult out =
        SaveLogbookKeepingBackup(cmd.Argument(1), *in.Collection, cmd.IsSet("dos-out"));
    if (!out.Ok()) {
        PrintError(out.ErrorText + QLatin1Char('\n'));
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace

static const TCommandRegistrar kConvert({
    .Name = "convert",
    .Summary = "Loads a logbook and saves it again, e.g. to turn a DOS-text logbook into a current one.",
    .Arguments = {{"IN", "the logbook to read"}, {"OUT", "the logbook to write"}},
    .Options = {{"dos-in", nullptr, "IN's texts are in the DOS code page"},
                {"dos-out", nullptr, "write OUT's texts in the DOS code page"}},
    .Run = RunConvert,
});
