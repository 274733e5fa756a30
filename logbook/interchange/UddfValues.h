#pragma once
// Small conversions shared by the UDDF writer and reader and the CSV table: numbers in
// the document's SI units, the local date and time of a dive, and the captions of the
// logbook's lists in the current language.

#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <string>

// A number with at most `decimals` decimals, without trailing zeros ("12.5", "3"). The
// last decimal is rounded from the exact value, halves away from zero.
QString UddfNumber(double value, int decimals);
// The same text appended to `out` (the writer's fast path, without a QString).
void AppendUddfNumber(std::string& out, double value, int decimals);
// A stored 1/100 degree Celsius value in kelvin ("288.15").
QString UddfKelvin(int centiCelsius);
// Local date and clock time of a dive, "2024-05-01T10:30:00"; an unset start time is midnight.
QString UddfDateTime(std::int32_t dayNo, std::uint16_t startTime);
// The id of the dive at a logbook index.
QString UddfDiveId(std::size_t index);

// Caption (without a trailing colon) and list items of a logbook window control in the
// current language.
QString CaptionOf(const QString& windowClass, const QString& control);
QStringList ItemsOf(const QString& windowClass, const QString& control);
