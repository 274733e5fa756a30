#pragma once
// The `--dives LIST` choice of kvlog's commands: dive numbers and ranges such as
// "3,5-9"; blanks are ignored, and numbers that name no dive of the logbook are ignored.
//
//   QString error;
//   std::optional<std::vector<std::size_t>> chosen = ChosenDives(logbook, "3, 5-9", &error);
//   if (!chosen) PrintError(error);

#include <QString>
#include <cstddef>
#include <optional>
#include <vector>

class TDiveCollection;

// Indices of the dives whose number the list names, in logbook order; empty optional (and
// `error` set) when the list cannot be read.
std::optional<std::vector<std::size_t>> ChosenDives(const TDiveCollection& logbook, const QString& list,
                                                    QString* error);

// Every index of the logbook.
std::vector<std::size_t> AllDives(const TDiveCollection& logbook);
