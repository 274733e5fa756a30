#pragma once
// Writes dives of a logbook as a UDDF 3.2 document (SI units: metres, seconds, kelvin,
// pascal, cubic metres). Besides the values every UDDF reader understands, each dive with
// a profile carries a waypoint every 20 seconds with the figures the dive computer showed
// (no-stop time, required stop, CNS, oxygen pressure, from a replay of its own model), and
// each dive carries its logbook record image in divecomputercontrol/divecomputerdump, so
// that the import brings it back exactly.
//
// The document is streamed: only the dive being written is decoded and replayed.
//
//   TParameterTables tables(exeDir);
//   tables.OpenParameterTables();
//   UddfWriteResult r = WriteUddf(file, logbook, indices, &tables);

#include <QIODevice>
#include <QString>
#include <cstddef>
#include <vector>

#include "Language.h"
#include "TResult.h"

class TDiveCollection;
class TDiveRec;
class TParameterTables;

inline constexpr const char* kUddfNamespace = "http://www.streit.cc/uddf/3.2/";
inline constexpr const char* kUddfVersion = "3.2.2";

// A failure names the missing table or the device's error.
using UddfWriteResult = TResult;

// Writes the dives at `indices` (in that order) to `out`. `tables` is needed for dives with
// a profile; without it (or when a table file is missing) the result is an error and the
// document is incomplete.
UddfWriteResult WriteUddf(QIODevice& out, const TDiveCollection& logbook,
                          const std::vector<std::size_t>& indices, TParameterTables* tables,
                          int languageIndex = CurrentLanguage());

// Oxygen percentage of the dive's breathing gas from its profile header (21 without profile).
int GasOxygenPercent(const TDiveRec& dive);
