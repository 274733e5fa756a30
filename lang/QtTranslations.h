#pragma once
// Qt's own texts in the user's language: the standard buttons of message boxes ("Ja",
// "Nein", "Abbrechen"), the file dialogs ("Suchen in", "Dateiname") and the context menus of
// fields, from the translations Qt ships (qtbase_de, qtbase_fr, ...). English needs none.
//
//   UseQtTranslations(kGerman);   // whenever the language changes, and at start

#include <QString>

// Installs Qt's translation for the language (0..4) in place of the one installed before;
// English removes it. False when the language is outside 0..4, there is no application
// object, or Qt's translation of the language cannot be found (the texts then stay English).
bool UseQtTranslations(int languageIndex);

// The folder Qt's translations are read from.
QString QtTranslationsFolder();
