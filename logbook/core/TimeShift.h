#pragma once
// The time-zone shift: moves the start of chosen dives by an amount of minutes forward or
// back, across midnight into the neighbouring days. The dives are not re-sorted.
//
//   if (auto a = CheckShiftAmount(timediff->text()))
//       ApplyShift(logbook, main.SelectedIndices(), *a, plus->isChecked());

#include <cstddef>
#include <span>

class TDiveCollection;
class TDiveRec;

// Shifts one dive. A dive without a start time (not set, or no time of day) keeps its date
// and time, so that the shift cannot invent a day from a missing value. An amount outside
// 0..5999 changes nothing; false then or for such a dive.
bool ShiftDive(TDiveRec& dive, int amount, bool plus);

// Shifts the dives at the given indices (out-of-range indices are ignored), in the order
// given. Returns the number of dives moved.
std::size_t ApplyShift(TDiveCollection& logbook, std::span<const std::size_t> indices, int amount, bool plus);
