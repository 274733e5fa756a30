#pragma once
// Texts of saving in the five languages: why a file could not be saved (the platform's
// reason in the user's language), the backup that could not be kept, and the question
// that offers the unsaved changes of a logbook after Kelwin ended without closing.
//
//   const TSaveResult r = SaveFile(path, bytes, how);
//   if (!r.Ok()) prompts.ShowError(SaveErrorText(r));             // current language
//   if (prompts.AskYesNo(RestoreChangesText(name, copyTime))) ...

#include <QDateTime>
#include <QString>

#include "Language.h"
#include "SaveFile.h"

// The platform's reason for an error number in a language; the English description for
// the rarer ones, never "Unknown error".
QString SystemErrorText(int errorNumber, int languageIndex);

// Why a save failed, in a language, without the file's name; empty for a save that
// succeeded.
QString SaveReasonText(const TSaveResult& result, int languageIndex = CurrentLanguage());

// The whole report of a failed save: the file and the reason; for a failed backup, that
// nothing was saved. Empty for a save that succeeded.
QString SaveErrorText(const TSaveResult& result, int languageIndex = CurrentLanguage());

// "Cannot read file %1: %2": a file that had to be read before it is saved again.
QString ReadErrorText(const QString& path, const QString& reason, int languageIndex = CurrentLanguage());

// "There are unsaved changes of logbook %1 from %2. Restore them?" with the time of the copy.
QString RestoreChangesText(const QString& logbook, const QDateTime& when,
                           int languageIndex = CurrentLanguage());
