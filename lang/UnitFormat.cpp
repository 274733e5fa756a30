#include "UnitFormat.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "Language.h"

namespace {

constexpr int kMaxDecimals = 20;
constexpr int kParseLength = 20;

// Reads a plain decimal number with "." as separator: optional sign, digits, optional
// fraction and exponent. Anything else, including "inf" and "nan", is no number.
bool ReadDecimal(const QString& text, double& out) {
    QString t = text.trimmed();
    if (t.isEmpty()) return false;
    std::string s;
    s.reserve(static_cast<std::size_t>(t.size()));
    for (QChar c : t) {
        const char16_t u = c.unicode();
        const bool allowed =
            (u >= '0' && u <= '9') || u == '.' || u == '+' || u == '-' || u == 'e' || u == 'E';
        if (!allowed) return false;
        s.push_back(static_cast<char>(u));
    }
    const char* first = s.data();
    const char* last = s.data() + s.size();
    bool negative = false;
    if (*first == '+' || *first == '-') {
        negative = *first == '-';
        ++first;
    }
    if (first == last || *first == '+' || *first == '-') return false;
    double v = 0;
    const auto [end, ec] = std::from_chars(first, last, v, std::chars_format::general);
    if (ec != std::errc() || end != last || !std::isfinite(v)) return false;
    out = negative ? -v : v;
    return true;
}

}  // namespace

QString FormatNumber(double shown, int decimals) {
    if (decimals < 0) decimals = 0;
    if (decimals > kMaxDecimals) decimals = kMaxDecimals;
    char buf[400];
    // std::to_chars writes the correctly rounded decimal of the binary value and ignores the
    // C locale, so the separator stays "." even after the program adopted a German locale.
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, shown, std::chars_format::fixed, decimals);
    if (ec != std::errc()) return {};
    QString text = QString::fromLatin1(buf, end - buf);
    if (text.startsWith(QLatin1Char('-'))) {
        bool allZero = true;
        for (qsizetype i = 1; i < text.size(); ++i)
            if (text.at(i) != QLatin1Char('0') && text.at(i) != QLatin1Char('.')) allZero = false;
        // A small negative value that rounds to zero is shown as zero, never as "-0".
        if (allZero) text.remove(0, 1);
    }
    return text;
}

QString FormatValue(const UnitFormat& format, int value, int unitSystem) {
    if (value == kNotSet) return {};
    const UnitRecord& rec = format.For(unitSystem);
    const double shown = value / rec.Divisor + rec.Offset;
    return FormatNumber(shown, rec.Decimals) + QLatin1Char(' ') + rec.NameText();
}

QString FormatValue(const UnitFormat& format, int value) {
    return FormatValue(format, value, CurrentUnitSystem());
}

int ParseValue(const UnitFormat& format, const QString& text, int unitSystem) {
    const UnitRecord& rec = format.For(unitSystem);
    QString t = text.left(kParseLength);
    const QString name = rec.NameText();
    const qsizetype at = t.indexOf(name);
    if (at >= 0) t.remove(at, name.size());
    if (t.endsWith(QLatin1Char(' '))) t.chop(1);
    double number = 0;
    if (!ReadDecimal(t, number)) return kNotSet;
    const double stored = std::nearbyint((number - rec.Offset) * rec.Divisor);
    // The stored field is a signed 16-bit value and 32767 means "not set": a result outside
    // that range would wrap into another value (400 m into a negative depth), so it is refused.
    if (!std::isfinite(stored) || stored < std::numeric_limits<std::int16_t>::min() || stored >= kNotSet)
        return kNotSet;
    return static_cast<int>(stored);
}

int ParseValue(const UnitFormat& format, const QString& text) {
    return ParseValue(format, text, CurrentUnitSystem());
}
