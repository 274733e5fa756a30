#pragma once
// Texts that tell the user about a damaged logbook and about a download that found no new
// dive, in the five languages.
//
//   ShowError(DamagedLogbookText(path, "Stream read error: ...", CurrentLanguage()));
//   ShowInformation(NoNewDiveText(CurrentLanguage()));

#include <QString>

// Which file is damaged and that it cannot be read; the technical detail follows on its own
// line when there is one.
QString DamagedLogbookText(const QString& path, const QString& detail, int languageIndex);
// A download that brought no dive the logbook did not have.
QString NoNewDiveText(int languageIndex);
