// kvlog import LOGBOOK SOURCE
//   Adds the dives of SOURCE to LOGBOOK as Kelwin's Import does, then saves LOGBOOK. The
//   format of SOURCE follows its extension: ".log"/".kvl" a logbook, ".uddf" UDDF. A
//   LOGBOOK that does not exist yet is created. Dives already in the logbook (same dive
//   computer clock value) are not added again; texts longer than a logbook holds are cut
//   and each cut is reported.

#include <QFileInfo>

#include "Commands.h"
#include "InterchangeFile.h"
#include "InterchangeTexts.h"
#include "Language.h"
#include "LogbookFile.h"

namespace {

int RunImport(const TCommandLine& cmd) {
    const QString logbookPath = cmd.Argument(0);
    const QString sourcePath = cmd.Argument(1);
    const EInterchangeFormat format = FormatOfPath(sourcePath);
    if (format != EInterchangeFormat::Logbook && format != EInterchangeFormat::Uddf)
        return cmd.UsageError(
            QStringLiteral("%1: the extension names no format to import (.log, .kvl, .uddf)")
                .arg(sourcePath));
    const int lang = CurrentLanguage();
    std::unique_ptr<TDiveCollection> logbook;
    if (QFileInfo::exists(logbookPath)) {
        LogbookLoadResult in = LoadLogbookFile(logbookPath, false);
        if (!in.Ok()) {
            PrintError(in.ErrorText + QLatin1Char('\n'));
            return kExitFailed;
        }
        logbook = std::move(in.Collection);
    } else {
        logbook = std::make_unique<TDiveCollection>();
    }

    ImportSummary summary;
    QStringList notes;
    if (format == EInterchangeFormat::Uddf) {
        const UddfImportResult r = ImportUddfFile(*logbook, sourcePath, lang);
        if (!r.Ok()) {
            PrintError(r.ErrorText + QLatin1Char('\n'));
            return kExitFailed;
        }
        summary = r.Summary;
        notes = r.Notes;
    } else {
        const bool wasEmpty = logbook->IsEmpty();
        const LogbookImportResult r = ImportLogbookFile(*logbook, sourcePath, false);
        if (!r.Ok()) {
            PrintError(r.ErrorText + QLatin1Char('\n'));
            return kExitFailed;
        }
        summary = r.Summary;
        // A new logbook is numbered from 1, as the start number dialog proposes.
        if (wasEmpty && !logbook->IsEmpty() && logbook->At(0).DiveNumber == 0) logbook->Renumber(1);
        logbook->SortAndRenumber();
    }
    const LogbookSaveResult saved = SaveLogbookKeepingBackup(logbookPath, *logbook, false);
    if (!saved.Ok()) {
        PrintError(saved.ErrorText + QLatin1Char('\n'));
        return kExitFailed;
    }
    QString out = InterchangeText(EInterchangeText::Imported, lang).arg(summary.Added).arg(sourcePath) +
                  QLatin1Char('\n');
    if (summary.Duplicates > 0)
        out += InterchangeText(EInterchangeText::NotAdded, lang).arg(summary.Duplicates) + QLatin1Char('\n');
    for (const QString& note : notes) out += note + QLatin1Char('\n');
    PrintOut(out);
    return summary.NotAdded > 0 ? kExitFailed : kExitOk;
}

}  // namespace

static const TCommandRegistrar kImport({
    .Name = "import",
    .Summary = "Adds the dives of a logbook or a UDDF file to a logbook, as Kelwin's Import does.",
    .Arguments = {{"LOGBOOK", "the logbook to add to; created when it does not exist"},
                  {"SOURCE", "the file to import; its extension (.log, .kvl, .uddf) names the format"}},
    .Options = {},
    .Run = RunImport,
});
