#pragma once
// Texts of the download that Kelwin's message table does not hold, in the five languages
// (index as LanguageIndex; outside 0..4 English).
//
//   QMessageBox::information(this, {}, NotAddedText(3, CurrentLanguage()));

#include <QString>

// The logbook reached its 65535 dives: `count` downloaded dives were not added.
QString NotAddedText(int count, int languageIndex);
