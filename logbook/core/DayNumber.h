#pragma once
// Day numbers of the logbook: days counted from 1 January 1600, i.e. the days since
// 30 December 1899 plus 109571.

#include <QDate>
#include <cstdint>

inline constexpr std::int32_t kDayNoOf1899_12_30 = 109571;

std::int32_t DayNoFromDate(const QDate& date);
QDate DateFromDayNo(std::int32_t dayNo);

// Older logbooks counted days from 31 December 1699 and took 2000 as a common year.
// Values below 127835 are such old day numbers; they are converted, newer ones kept.
std::int32_t ConvertOldDayNo(std::int32_t stored);
