#pragma once
// Filters of the logbook program's open and save dialogs in the five languages, in the
// "Desc|patterns|Desc|patterns" form of the caption lists, and their Qt form.
//
//   dlg.setNameFilter(QtFileFilter(OpenDialogFilter(CurrentLanguage())));
//   // "Kelvara Logbook (*.log *.kvl);;Kelvara Logbook < V.3.02 (*.log *.kvl);;All files (*)"

#include <QString>

// Current format, format older than version 3.02, all files. English for an index outside 0..4.
QString OpenDialogFilter(int languageIndex);
// The open filter without its middle entry.
QString SaveDialogFilter(int languageIndex);

// "Desc|*.log;*.kvl|All files (*.*)|*.*" -> "Desc (*.log *.kvl);;All files (*)".
// "*.*" means every file and becomes "*"; a description that already ends with its own
// pattern list in brackets does not get it twice.
QString QtFileFilter(const QString& pipeFilter);
