#pragma once
// The current language and unit system of the running program, and the first-start rule
// that picks a language from marker files next to the executable.
//
//   SetCurrentLanguage(settings.LanguageIndex);      // after reading the settings file
//   SetCurrentUnitSystem(settings.UnitSystem);
//   if (!settingsFileExists) settings.LanguageIndex = LanguageFromMarkerFiles(exeDir);
//   QString t = GetMessage(16);                     // Messages.h, reads CurrentLanguage()
//
// Both values are global per program (one program per process). The stored language is
// kept as given, even outside 0..4 (a damaged settings file), so that ApplyLanguage can
// refuse it and leave the built-in captions; every lookup that needs a table row falls back
// to English for such an index and never reads beyond a table.

#include <QString>
#include <QStringList>

enum class Program { Kelwin, Teswin };

inline constexpr int kLanguageCount = 5;
enum LanguageId : int { kEnglish = 0, kGerman = 1, kFrench = 2, kSpanish = 3, kItalian = 4 };

inline constexpr int kMetric = 0;
inline constexpr int kImperial = 1;

int CurrentLanguage();
void SetCurrentLanguage(int languageIndex);

// 0 metric, 1 imperial; any other stored value is treated as metric.
int CurrentUnitSystem();
void SetCurrentUnitSystem(int unitSystem);

bool IsValidLanguage(int languageIndex);
// The table row used for a language index: the index itself within 0..4, English otherwise.
int LanguageRow(int languageIndex);

// "English", "Deutsch", "Français", "Español", "Italiano": the items of the language radio
// group, never translated.
QStringList LanguageNames();

// First start only: the language picked by the first marker file that exists in exeDir
// ("DEU.CFG" German, "FRA.CFG" French, "ESP.CFG" Spanish, "ITA.CFG" Italian, in that order),
// English when there is none. Only existence is tested. exeDir may end with "/" or not.
int LanguageFromMarkerFiles(const QString& exeDir);
