#include "TimeFormat.h"

#include "UnitFormat.h"

namespace {

// A part of "hh:mm": the number padded to two digits, then cut to its first two characters.
QString TwoChars(long long n) {
    QString s = QString::number(n);
    if (s.size() == 1) s.prepend(QLatin1Char('0'));
    return s.left(2);
}

// Digits only (no sign, no blanks inside); false for anything else or a value above limit.
bool ReadDigits(const QString& part, long long limit, long long& out) {
    if (part.isEmpty()) return false;
    long long v = 0;
    for (QChar c : part) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
        v = v * 10 + (c.unicode() - '0');
        if (v > limit) return false;
    }
    out = v;
    return true;
}

}  // namespace

QString FormatHoursMinutes(int minutes) {
    if (minutes == kNotSet) return {};
    long long m = minutes;
    QString sign;
    if (m < 0) {
        sign = QStringLiteral("-");
        m = -m;
    }
    return sign + TwoChars(m / 60) + QLatin1Char(':') + TwoChars(m % 60);
}

int ParseHoursMinutes(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t == QLatin1String("-")) return kNotSet;
    const qsizetype colon = t.indexOf(QLatin1Char(':'));
    if (colon < 0) return kNotSet;
    const QString hoursPart = t.left(colon).trimmed();
    const QString minutesPart = t.mid(colon + 1).trimmed();
    long long hours = 0;
    long long mins = 0;
    if (!ReadDigits(hoursPart, kNotSet, hours)) return kNotSet;
    // One or two minute digits, and a minute count a clock can show.
    if (minutesPart.size() > 2 || !ReadDigits(minutesPart, 59, mins)) return kNotSet;
    const long long total = hours * 60 + mins;
    return total >= kNotSet ? kNotSet : static_cast<int>(total);
}
