#include "DayNumber.h"

namespace {
// QDate's Julian day of 30 December 1899.
constexpr qint64 kJulianDayOf1899_12_30 = 2415019;
}  // namespace

std::int32_t DayNoFromDate(const QDate& date) {
    return static_cast<std::int32_t>(date.toJulianDay() - kJulianDayOf1899_12_30 + kDayNoOf1899_12_30);
}

QDate DateFromDayNo(std::int32_t dayNo) {
    return QDate::fromJulianDay(static_cast<qint64>(dayNo) - kDayNoOf1899_12_30 + kJulianDayOf1899_12_30);
}

std::int32_t ConvertOldDayNo(std::int32_t stored) {
    // Old day 0 is 31 December 1699; that calendar had no 29 February 2000, so every day
    // after 28 February 2000 gets one more.
    if (stored >= 127835) return stored;
    // One shift of 36524 days: taken in one step, a damaged far negative value cannot
    // overflow on the way.
    std::int32_t day = stored + (146097 - 109573);
    if (stored > 109631) ++day;
    return day;
}
