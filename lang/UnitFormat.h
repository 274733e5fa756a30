#pragma once
// Display and entry of stored dive values in metric or imperial units. Values are stored as
// integers in fixed units (centimetres, 1/100 °C, 1/100 bar, 1/100 litre); 32767 means "not
// set" and shows as the empty text. The decimal separator is always ".", whatever the
// language or the system locale.
//
//   label->setText(FormatValue(kDepthFormat, rec.MaxDepth));        // "30.5 m" / "101 ft"
//   int d = ParseValue(kDepthFormat, edit->text());                 // kNotSet if unreadable
//   if (d == kNotSet) edit->setText(DepthHint());                   // caller's own hint
//   QString u = kDepthFormat.For(CurrentUnitSystem()).NameText();    // "m" / "ft"
//
// The overloads without a unit system use CurrentUnitSystem().

#include <QString>
#include <cstdint>
#include <string_view>

inline constexpr int kNotSet = 32767;

// One unit system's way to show a quantity: shown = stored / Divisor + Offset.
struct UnitRecord {
    std::u16string_view Name;  // at most 7 characters
    double Divisor;
    double Offset;
    std::uint8_t Decimals;

    QString NameText() const { return QString::fromUtf16(Name.data(), static_cast<qsizetype>(Name.size())); }
};

// A quantity's pair of records: index 0 metric, 1 imperial.
struct UnitFormat {
    UnitRecord Systems[2];

    // Any unit system other than 1 counts as metric.
    const UnitRecord& For(int unitSystem) const { return Systems[unitSystem == 1 ? 1 : 0]; }
};

inline constexpr UnitFormat kDepthFormat{{{u"m", 100.0, 0.0, 1}, {u"ft", 100.0 / 3.3, 0.0, 0}}};
inline constexpr UnitFormat kTemperatureFormat{{{u"°C", 100.0, 0.0, 0}, {u"°F", 100.0 / 1.8, 32.0, 0}}};
inline constexpr UnitFormat kPressureFormat{{{u"bar", 100.0, 0.0, 0}, {u"psi", 6.8947448254940085, 0.0, 0}}};
inline constexpr UnitFormat kVolumeFormat{{{u"l", 100.0, 0.0, 1}, {u"cft", 100.0 / 7.0, 0.0, 1}}};

// The number alone, correctly rounded to the record's decimals (exact binary ties go to the
// even digit), never with a minus sign on a value that rounds to zero.
QString FormatNumber(double shown, int decimals);

// "<number> <unit>", or the empty text for kNotSet.
QString FormatValue(const UnitFormat& format, int value, int unitSystem);
QString FormatValue(const UnitFormat& format, int value);

// The stored integer of a typed text, or kNotSet when the text does not read as a number or
// the result does not fit a 16-bit field (or would equal kNotSet itself). The text is cut to
// 20 characters, the unit name is removed where it first occurs, one trailing blank is dropped.
int ParseValue(const UnitFormat& format, const QString& text, int unitSystem);
int ParseValue(const UnitFormat& format, const QString& text);
