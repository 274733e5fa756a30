#pragma once
// Options shared by kvlog's report commands (stats, print): the language and unit system of
// the texts, and the logbook they report on. Both set the program-wide language, units and
// date format the way Kelwin does, so the output reads as Kelwin shows it.
//
//   std::optional<int> lang = LanguageOption("de");          // 1; none for an unknown name
//   std::optional<int> units = UnitsOption("imperial");      // 1
//   UseReportSettings(*lang, *units);                        // dates in the system's format
//   std::unique_ptr<TDiveCollection> log = LoadReportLogbook("stats", path);  // null: reported
//   std::vector<bool> lines = SelectedLines(log->Count(), *ChosenDives(*log, list, &error));

#include <QString>
#include <memory>
#include <optional>
#include <vector>

class TDiveCollection;

// "en", "de", "fr", "es", "it" -> 0..4.
std::optional<int> LanguageOption(const QString& name);
// "metric" -> 0, "imperial" -> 1.
std::optional<int> UnitsOption(const QString& name);

void UseReportSettings(int languageIndex, int unitSystem);

// One entry per dive list line, true for the given indices (the dives chosen with --dives).
std::vector<bool> SelectedLines(std::size_t lineCount, const std::vector<std::size_t>& indices);

// The logbook at `path`; null after printing "kvlog COMMAND: PATH: reason" to stderr.
std::unique_ptr<TDiveCollection> LoadReportLogbook(const char* command, const QString& path);
