#pragma once
// The main window's Export and Import through UDDF and CSV files: the dialogs' filters,
// the format a chosen file stands for, and the export of the selected dives.
//
//   const std::optional<TFileChoice> choice = prompts.ChooseSaveFileAndFilter(ExportDialog(GetMessage(34)));
//   const TExportTarget target = ExportTargetOf(*choice);
//   QString error = ExportInterchange(target, logbook, SelectedIndices(), settings, exeDir);

#include <QString>
#include <cstddef>
#include <vector>

#include "IKelwinPrompts.h"
#include "InterchangeFile.h"
#include "SettingsRecord.h"

// Title as given, the export filter of the current language, no default extension (the
// format's own extension is added by ExportTargetOf).
TFileDialogSettings ExportDialog(const QString& title);
// The open dialog's settings with the import filter (logbooks, UDDF, all files).
TFileDialogSettings ImportDialog(TFileDialogSettings openDialog);

struct TExportTarget {
    QString Path;
    EInterchangeFormat Format = EInterchangeFormat::Logbook;
};

// The extension decides when it names a format; otherwise the chosen filter entry does,
// and a name without extension gets the format's one (".LOG" for a logbook).
TExportTarget ExportTargetOf(const TFileChoice& choice);
// A file to import as UDDF: by its extension, or by the UDDF filter entry.
bool IsUddfChoice(const TFileChoice& choice);

// Writes the dives at `indices` as UDDF or CSV in the settings' language and units, the
// model's tables read from `exeDir`. Empty on success, else the text to show.
QString ExportInterchange(const TExportTarget& target, const TDiveCollection& logbook,
                          const std::vector<std::size_t>& indices, const SettingsRecord& settings,
                          const QString& exeDir);
