#include <clocale>
#include <string>

#include <gtest/gtest.h>

#include "Language.h"
#include "UnitFormat.h"

namespace {

struct FormatCase {
    const char* Quantity;
    const UnitFormat* Format;
    int UnitSystem;
    int Value;
    const char* Expected;  // UTF-8
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.Quantity << " " << c.Value << (c.UnitSystem == kImperial ? " imperial" : " metric");
}

class FormatValueTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatValueTest, ShowsTheRoundedNumberAndUnit) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(FormatValue(*c.Format, c.Value, c.UnitSystem), QString::fromUtf8(c.Expected));
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatValueTest,
    testing::Values(FormatCase{"depth", &kDepthFormat, kMetric, 3050, "30.5 m"},
                    FormatCase{"depth", &kDepthFormat, kImperial, 3050, "101 ft"},
                    FormatCase{"depth", &kDepthFormat, kMetric, 0, "0.0 m"},
                    FormatCase{"depth", &kDepthFormat, kImperial, 0, "0 ft"},
                    FormatCase{"depth", &kDepthFormat, kMetric, kNotSet, ""},
                    FormatCase{"depth", &kDepthFormat, kImperial, kNotSet, ""},
                    // 0.25 and 2.5 are exact binary ties: the even digit wins.
                    FormatCase{"depth", &kDepthFormat, kMetric, 25, "0.2 m"},
                    FormatCase{"depth", &kDepthFormat, kMetric, 35, "0.3 m"},
                    FormatCase{"depth", &kDepthFormat, kMetric, 75, "0.8 m"},
                    FormatCase{"temperature", &kTemperatureFormat, kMetric, 250, "2 °C"},
                    FormatCase{"temperature", &kTemperatureFormat, kMetric, 350, "4 °C"},
                    FormatCase{"temperature", &kTemperatureFormat, kMetric, 251, "3 °C"},
                    // 0.15 is not exactly representable and lies just below the tie.
                    FormatCase{"depth", &kDepthFormat, kMetric, 15, "0.1 m"},
                    // Values that round to zero carry no minus sign.
                    FormatCase{"temperature", &kTemperatureFormat, kMetric, -20, "0 °C"},
                    FormatCase{"temperature", &kTemperatureFormat, kMetric, -50, "0 °C"},
                    FormatCase{"depth", &kDepthFormat, kMetric, -4, "0.0 m"},
                    FormatCase{"temperature", &kTemperatureFormat, kMetric, -51, "-1 °C"},
                    FormatCase{"temperature", &kTemperatureFormat, kMetric, -1250, "-12 °C"},
                    FormatCase{"temperature", &kTemperatureFormat, kImperial, 0, "32 °F"},
                    FormatCase{"temperature", &kTemperatureFormat, kImperial, 2000, "68 °F"},
                    FormatCase{"temperature", &kTemperatureFormat, kImperial, -1778, "0 °F"},
                    FormatCase{"pressure", &kPressureFormat, kMetric, 20000, "200 bar"},
                    FormatCase{"pressure", &kPressureFormat, kImperial, 20000, "2901 psi"},
                    FormatCase{"volume", &kVolumeFormat, kMetric, 1200, "12.0 l"},
                    FormatCase{"volume", &kVolumeFormat, kImperial, 1200, "84.0 cft"},
                    FormatCase{"volume", &kVolumeFormat, kImperial, 1100, "77.0 cft"},
                    FormatCase{"volume", &kVolumeFormat, kMetric, kNotSet, ""}));

struct ParseCase {
    const char* Quantity;
    const UnitFormat* Format;
    int UnitSystem;
    const char* Text;  // UTF-8
    int Expected;
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << c.Quantity << " \"" << c.Text << "\"" << (c.UnitSystem == kImperial ? " imperial" : " metric");
}

class ParseValueTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseValueTest, ReadsTheStoredInteger) {
    const ParseCase& c = GetParam();
    EXPECT_EQ(ParseValue(*c.Format, QString::fromUtf8(c.Text), c.UnitSystem), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseValueTest,
    testing::Values(ParseCase{"depth", &kDepthFormat, kMetric, "30.5 m", 3050},
                    ParseCase{"depth", &kDepthFormat, kMetric, "30.5m", 3050},
                    ParseCase{"depth", &kDepthFormat, kMetric, "30.5", 3050},
                    ParseCase{"depth", &kDepthFormat, kMetric, " 12 m ", 1200},
                    ParseCase{"depth", &kDepthFormat, kImperial, "101 ft", 3061},
                    ParseCase{"depth", &kDepthFormat, kImperial, "101", 3061},
                    ParseCase{"depth", &kDepthFormat, kMetric, "0.125 m", 12},  // 12.5 rounds to even
                    ParseCase{"depth", &kDepthFormat, kMetric, "0.135 m", 14},
                    ParseCase{"depth", &kDepthFormat, kMetric, "+3 m", 300},
                    ParseCase{"depth", &kDepthFormat, kMetric, "1e1 m", 1000},
                    ParseCase{"temperature", &kTemperatureFormat, kMetric, "-2 °C", -200},
                    ParseCase{"temperature", &kTemperatureFormat, kImperial, "32 °F", 0},
                    ParseCase{"temperature", &kTemperatureFormat, kImperial, "68 °F", 2000},
                    ParseCase{"pressure", &kPressureFormat, kMetric, "200 bar", 20000},
                    ParseCase{"pressure", &kPressureFormat, kImperial, "2901 psi", 20002},
                    ParseCase{"volume", &kVolumeFormat, kImperial, "84.0 cft", 1200},
                    ParseCase{"volume", &kVolumeFormat, kMetric, "12.0 l", 1200},
                    // Unreadable texts.
                    ParseCase{"depth", &kDepthFormat, kMetric, "", kNotSet},
                    ParseCase{"depth", &kDepthFormat, kMetric, "-", kNotSet},
                    ParseCase{"depth", &kDepthFormat, kMetric, "m", kNotSet},
                    ParseCase{"depth", &kDepthFormat, kMetric, "30,5 m", kNotSet},
                    ParseCase{"depth", &kDepthFormat, kMetric, "12 ft", kNotSet},
                    ParseCase{"depth", &kDepthFormat, kMetric, "1.2.3", kNotSet},
                    ParseCase{"depth", &kDepthFormat, kMetric, "inf", kNotSet},
                    ParseCase{"depth", &kDepthFormat, kMetric, "nan", kNotSet},
                    ParseCase{"depth", &kDepthFormat, kMetric, "--3", kNotSet},
                    ParseCase{"depth", &kDepthFormat, kMetric, "3 m m", kNotSet},
                    // Only the first 20 characters count.
                    ParseCase{"depth", &kDepthFormat, kMetric, "1.000000000000000000009", 100},
                    ParseCase{"depth", &kDepthFormat, kMetric, "                    5 m", kNotSet},
                    // Results that do not fit the 16-bit field, or would read as "not set".
                    ParseCase{"depth", &kDepthFormat, kMetric, "400 m", kNotSet},
                    ParseCase{"depth", &kDepthFormat, kMetric, "327.67 m", kNotSet},
                    ParseCase{"depth", &kDepthFormat, kMetric, "327.66 m", 32766},
                    ParseCase{"depth", &kDepthFormat, kMetric, "-327.68 m", -32768},
                    ParseCase{"depth", &kDepthFormat, kMetric, "-327.69 m", kNotSet},
                    ParseCase{"depth", &kDepthFormat, kImperial, "1100 ft", kNotSet},
                    ParseCase{"pressure", &kPressureFormat, kImperial, "5000 psi", kNotSet},
                    ParseCase{"depth", &kDepthFormat, kMetric, "1e300", kNotSet}));

TEST(UnitFormat, EveryQuantityRoundTripsThroughItsText) {
    const UnitFormat* formats[] = {&kDepthFormat, &kTemperatureFormat, &kPressureFormat, &kVolumeFormat};
    for (const UnitFormat* f : formats) {
        for (int system : {kMetric, kImperial}) {
            for (int v = -5000; v <= 30000; v += 7) {
                const QString shown = FormatValue(*f, v, system);
                const int parsed = ParseValue(*f, shown, system);
                ASSERT_NE(parsed, kNotSet) << shown.toStdString();
                ASSERT_EQ(FormatValue(*f, parsed, system), shown) << v;
            }
            EXPECT_EQ(ParseValue(*f, FormatValue(*f, kNotSet, system), system), kNotSet);
        }
    }
}

TEST(UnitFormat, MetricTextsKeepTheirStoredPrecision) {
    // Depth and volume show tenths of their unit, temperature and pressure whole units.
    EXPECT_EQ(ParseValue(kDepthFormat, FormatValue(kDepthFormat, 1234, kMetric), kMetric), 1230);
    EXPECT_EQ(ParseValue(kTemperatureFormat, FormatValue(kTemperatureFormat, 1849, kMetric), kMetric), 1800);
}

TEST(UnitFormat, CurrentUnitSystemIsUsedWithoutAnExplicitOne) {
    SetCurrentUnitSystem(kImperial);
    EXPECT_EQ(FormatValue(kDepthFormat, 3050), QStringLiteral("101 ft"));
    EXPECT_EQ(ParseValue(kDepthFormat, QStringLiteral("101 ft")), 3061);
    SetCurrentUnitSystem(7);  // a damaged setting shows metric
    EXPECT_EQ(FormatValue(kDepthFormat, 3050), QStringLiteral("30.5 m"));
    SetCurrentUnitSystem(kMetric);
    EXPECT_EQ(ParseValue(kDepthFormat, QStringLiteral("30.5 m")), 3050);
}

TEST(UnitFormat, DecimalSeparatorIgnoresTheCLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "de_DE"))
        GTEST_SKIP() << "no German locale installed on this machine";
    const QString shown = FormatValue(kDepthFormat, 3050, kMetric);
    const int parsed = ParseValue(kDepthFormat, QStringLiteral("12.5 m"), kMetric);
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(shown, QStringLiteral("30.5 m"));
    EXPECT_EQ(parsed, 1250);
}

TEST(UnitFormat, UnitNamesFitTheirField) {
    const UnitFormat* formats[] = {&kDepthFormat, &kTemperatureFormat, &kPressureFormat, &kVolumeFormat};
    for (const UnitFormat* f : formats)
        for (const UnitRecord& r : f->Systems) EXPECT_LE(r.NameText().size(), 7);
}

}  // namespace
