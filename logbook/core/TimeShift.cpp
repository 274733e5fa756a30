#include "TimeShift.h"

#include "EditRules.h"
#include "TDiveCollection.h"
#include "TDiveRec.h"

namespace {
constexpr int kMinutesPerDay = 1440;
}

bool ShiftDive(TDiveRec& dive, int amount, bool plus) {
    if (amount < 0 || amount > kMaxShiftMinutes) return false;
    if (dive.StartTime >= kMinutesPerDay) return false;
    const int t = static_cast<int>(dive.StartTime) + (plus ? amount : -amount);
    int days = t / kMinutesPerDay;
    int m = t - days * kMinutesPerDay;
    if (m < 0) {
        m += kMinutesPerDay;
        --days;
    }
    dive.StartTime = static_cast<std::uint16_t>(m);
    dive.DayNo += days;
    return true;
}

std::size_t ApplyShift(TDiveCollection& logbook, std::span<const std::size_t> indices, int amount,
                       bool plus) {
    std::size_t moved = 0;
    for (std::size_t i : indices)
        if (i < logbook.Count() && ShiftDive(logbook.At(i), amount, plus)) ++moved;
    return moved;
}
