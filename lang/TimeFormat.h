#pragma once
// Hours and minutes of dive times, start times and intervals as "hh:mm".
//
//   edit->setText(FormatHoursMinutes(rec.DiveTime));   // 65 -> "01:05", 32767 -> ""
//   int m = ParseHoursMinutes(edit->text());           // kNotSet (32767) when unreadable

#include <QString>

// "hh:mm": hours = minutes div 60, minutes mod 60, each padded to two digits and cut to its
// first two characters (6000 -> "10:00"). 32767 gives the empty text; a negative count is
// shown as "-" and the text of its amount.
QString FormatHoursMinutes(int minutes);

// "-" or an empty text give 32767. Otherwise the digits before ":" are the hours, one or two
// digits after it the minutes (0..59); the result is hours * 60 + minutes. Blanks around the
// parts are ignored. A missing ":", a sign or any other character, more than two minute
// digits, minutes above 59 or a result of 32767 or above give 32767, so a typing error is
// refused instead of being stored as another time.
int ParseHoursMinutes(const QString& text);
