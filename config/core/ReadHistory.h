#pragma once
// The read history "MemData.HST": one 28-byte record per successful read, appended.
//
//   offset 0  8  local date and time of the read: IEEE 754 double, days since
//                30 December 1899, the fraction being the time of day
//          8 20  block bytes 1 ... 20
//
//   const TResult r = AppendHistoryRecord(dir + "MemData.HST", QDateTime::currentDateTime(),
//                                         block.Settings());
//   if (!r.Ok()) report(r.ErrorText);

#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>
#include <span>

#include "TResult.h"

inline constexpr const char* kHistoryFileName = "MemData.HST";
inline constexpr std::size_t kHistoryRecordSize = 28;

// Days since 30 December 1899 with the time of day as fraction.
double DateTimeToSerial(const QDateTime& local);
QDateTime SerialToDateTime(double serial);

std::array<std::uint8_t, kHistoryRecordSize> HistoryRecord(const QDateTime& when,
                                                           std::span<const std::uint8_t, 20> settings);
// Appends one record (creating the file when needed). A failure names the file and why
// the history cannot be read or saved; the previous history then stays as it was.
TResult AppendHistoryRecord(const QString& path, const QDateTime& when,
                            std::span<const std::uint8_t, 20> settings);
