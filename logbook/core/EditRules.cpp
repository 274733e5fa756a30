#include "EditRules.h"

#include "Cp1252.h"
#include "TimeFormat.h"
#include "UnitFormat.h"

QString TimeHint() { return QStringLiteral("HH:MM"); }

QString DepthHint(int unitSystem) {
    return unitSystem == 1 ? QStringLiteral("### ft") : QStringLiteral("##.# m");
}

QString PressureHint(int unitSystem) {
    return unitSystem == 1 ? QStringLiteral("### psi") : QStringLiteral("### bar");
}

QString DateHint(const TDateFormat& format) { return format.ShortDateFormat; }

QString TemperatureHint(int unitSystem) {
    return unitSystem == 1 ? QStringLiteral("## °F") : QStringLiteral("## °C");
}

QString VolumeHint(int unitSystem) {
    return unitSystem == 1 ? QStringLiteral("##.# cft") : QStringLiteral("##.# l");
}

std::optional<int> CheckStartTime(const QString& text) {
    const int t = ParseHoursMinutes(text);
    if (t >= 1440) return std::nullopt;  // also kNotSet: unreadable
    return t;
}

std::optional<int> CheckDiveTime(const QString& text) {
    const int t = ParseHoursMinutes(text);
    if (t == kNotSet) return std::nullopt;
    return t;
}

std::optional<int> CheckDepth(const QString& text, int unitSystem) {
    const int d = ParseValue(kDepthFormat, text, unitSystem);
    if (d == kNotSet) return std::nullopt;
    return d;
}

int FirstStorableDayNo() { return DayNoOfDate(QDate(1950, 1, 1)); }

std::optional<int> CheckDiveDate(const QString& text, const TDateFormat& format, const QDate& today) {
    const std::optional<int> day = TryParseDiveDate(text, format, today);
    // The year field of the short date format has four digits.
    if (!day || *day < FirstStorableDayNo() || *day > DayNoOfDate(QDate(9999, 12, 31))) return std::nullopt;
    return day;
}

std::optional<int> CheckOptionalValue(const UnitFormat& format, const QString& text, int unitSystem) {
    // An emptied field clears the value; anything else must read.
    if (text.trimmed().isEmpty()) return kNotSet;
    const int v = ParseValue(format, text, unitSystem);
    if (v == kNotSet) return std::nullopt;
    return v;
}

std::optional<int> CheckAirConsumption(const QString& text, int unitSystem) {
    const std::optional<int> p = CheckOptionalValue(kPressureFormat, text, unitSystem);
    if (p && *p != kNotSet && *p < 0) return std::nullopt;
    return p;
}

std::optional<int> CheckInterval(const QString& text) {
    if (text.trimmed().isEmpty()) return kNotSet;
    const int t = ParseHoursMinutes(text);
    // The stored interval is a signed 16-bit number.
    if (t < 0 || t >= kNotSet) return std::nullopt;
    return t;
}

std::optional<int> CheckShiftAmount(const QString& text) {
    const int a = ParseHoursMinutes(text);
    if (a < 0 || a > kMaxShiftMinutes) return std::nullopt;  // kNotSet is above the limit
    return a;
}

bool IsStorableText(const QString& text) { return text.size() <= kMaxFieldText && IsCp1252Text(text); }

QByteArray StoredText(const QString& text) { return UnicodeToCp1252Lossy(text).left(kMaxFieldText); }
