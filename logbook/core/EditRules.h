#pragma once
// The checks of the edit, selection and time-zone dialogs on OK, and the hint texts a
// refused field shows. A check gives the value to store, or nothing when the field is
// refused.
//
//   if (auto t = CheckStartTime(eImmers->text())) rec.StartTime = *t;
//   else eImmers->setText(TimeHint());
//   if (!CheckDiveDate(eDate->text(), CurrentDateFormat(), QDate::currentDate()))
//       eDate->setText(DateHint(CurrentDateFormat()));

#include <QByteArray>
#include <QDate>
#include <QString>
#include <optional>

#include "TDateFormat.h"

struct UnitFormat;

inline constexpr int kMaxFieldText = 255;
// The largest time-zone shift, 99:59.
inline constexpr int kMaxShiftMinutes = 5999;

QString TimeHint();                           // "HH:MM"
QString DepthHint(int unitSystem);            // "##.# m" / "### ft"
QString PressureHint(int unitSystem);         // "### bar" / "### psi"
QString DateHint(const TDateFormat& format);  // the short date format itself
QString TemperatureHint(int unitSystem);      // "## °C" / "## °F"
QString VolumeHint(int unitSystem);           // "##.# l" / "##.# cft"

// "hh:mm" of a time of day: 0..1439.
std::optional<int> CheckStartTime(const QString& text);
// "hh:mm" of a duration: any readable amount.
std::optional<int> CheckDiveTime(const QString& text);
// A readable depth in the unit system's unit.
std::optional<int> CheckDepth(const QString& text, int unitSystem);
// The day number of a date typed with or without month names. Dates before 1 January 1950
// are refused: the logbook stores such a day number in the range of its older format and
// would move the dive by a century when the file is read again.
std::optional<int> CheckDiveDate(const QString& text, const TDateFormat& format, const QDate& today);
// Air consumption: empty is "not set"; an unreadable text is refused, and so is a negative
// amount, which does not fit the unsigned field.
std::optional<int> CheckAirConsumption(const QString& text, int unitSystem);
// Surface interval "hh:mm": empty is "not set"; an unreadable text is refused.
std::optional<int> CheckInterval(const QString& text);
// A temperature or tank size: empty is "not set"; an unreadable text is refused.
std::optional<int> CheckOptionalValue(const UnitFormat& format, const QString& text, int unitSystem);
// Time-zone amount "hh:mm", 0..99:59.
std::optional<int> CheckShiftAmount(const QString& text);

// True when the text fits a text field of the logbook: at most 255 characters, each of
// which Windows-1252 can store.
bool IsStorableText(const QString& text);
// The Windows-1252 bytes stored for a field's text (at most 255).
QByteArray StoredText(const QString& text);

// The first day the logbook's day numbers can hold unambiguously (1 January 1950).
int FirstStorableDayNo();
