#include "UddfValues.h"

#include <QDate>
#include <array>
#include <charconv>
#include <cmath>

#include "CaptionList.h"
#include "DayNumber.h"
#include "Language.h"

namespace {

constexpr std::array<double, 10> kPow10 = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};

// Fixed-point text of `value` with `decimals` decimals into `text`; its length. A value
// exactly halfway between two last decimals goes away from zero (std::to_chars would
// take the even one); every other value is rounded from its exact binary value.
std::size_t FixedText(char* text, std::size_t size, double value, int decimals) {
    const double scale = kPow10[static_cast<std::size_t>(decimals)];
    const double scaled = value * scale;
    const double whole = std::trunc(scaled);
    // The product is exact only when the fused multiply-add finds nothing left over.
    if (std::fabs(scaled - whole) == 0.5 && std::fma(value, scale, -scaled) == 0) {
        const auto away = static_cast<long long>(whole + (scaled > 0 ? 1 : -1));
        const unsigned long long digits =
            away < 0 ? 0ULL - static_cast<unsigned long long>(away) : static_cast<unsigned long long>(away);
        char raw[32];
        std::string fixed(raw, std::to_chars(raw, raw + sizeof raw, digits).ptr);
        const auto d = static_cast<std::size_t>(decimals);
        if (fixed.size() < d + 1) fixed.insert(0, d + 1 - fixed.size(), '0');
        if (d > 0) fixed.insert(fixed.size() - d, 1, '.');
        if (away < 0) fixed.insert(0, 1, '-');
        return static_cast<std::size_t>(fixed.copy(text, size));
    }
    return static_cast<std::size_t>(
        std::to_chars(text, text + size, value, std::chars_format::fixed, decimals).ptr - text);
}

}  // namespace

void AppendUddfNumber(std::string& out, double value, int decimals) {
    if (!(std::fabs(value) < 1e15) || decimals < 0 || decimals >= static_cast<int>(kPow10.size())) {
        // Beyond the fast path: Qt's text, trimmed the same way.
        std::string text = QString::number(value, 'f', decimals).toStdString();
        if (text.find('.') != std::string::npos) {
            while (text.back() == '0') text.pop_back();
            if (text.back() == '.') text.pop_back();
        }
        out += text == "-0" ? std::string("0") : text;
        return;
    }
    char text[64];
    std::size_t len = FixedText(text, sizeof text, value, decimals);
    if (decimals > 0) {
        while (text[len - 1] == '0') --len;
        if (text[len - 1] == '.') --len;
    }
    if (len == 2 && text[0] == '-' && text[1] == '0') {
        out += '0';
        return;
    }
    out.append(text, len);
}

QString UddfNumber(double value, int decimals) {
    std::string text;
    AppendUddfNumber(text, value, decimals);
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString UddfKelvin(int centiCelsius) { return UddfNumber(centiCelsius / 100.0 + 273.15, 2); }

QString UddfDateTime(std::int32_t dayNo, std::uint16_t startTime) {
    QDate date = DateFromDayNo(dayNo);
    // Day numbers beyond what a calendar date can show are written as the logbook's day 0.
    if (!date.isValid() || date.year() < 1 || date.year() > 9999) date = DateFromDayNo(0);
    const int minutes = startTime < 1440 ? startTime : 0;
    return date.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral("T%1:%2:00")
                                                             .arg(minutes / 60, 2, 10, QLatin1Char('0'))
                                                             .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString UddfDiveId(std::size_t index) { return QStringLiteral("dive%1").arg(index + 1); }

QString CaptionOf(const QString& windowClass, const QString& control) {
    QString text =
        CaptionText(Program::Kelwin, windowClass, control, CaptionKind::Caption, CurrentLanguage());
    if (text.endsWith(QLatin1Char(':'))) text.chop(1);
    return text.trimmed();
}

QStringList ItemsOf(const QString& windowClass, const QString& control) {
    return CaptionText(Program::Kelwin, windowClass, control, CaptionKind::Items, CurrentLanguage())
        .split(QLatin1Char('\n'));
}
