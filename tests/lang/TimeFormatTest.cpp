#include <gtest/gtest.h>

#include "TimeFormat.h"
#include "UnitFormat.h"

namespace {

TEST(FormatHoursMinutes, PadsAndCutsEachPart) {
    const struct {
        int Minutes;
        const char* Expected;
    } cases[] = {{0, "00:00"},     {5, "00:05"},    {65, "01:05"},   {600, "10:00"},
                 {1439, "23:59"},  {5999, "99:59"}, {6000, "10:00"}, {6125, "10:05"},
                 {32766, "54:06"}, {kNotSet, ""},   {-90, "-01:30"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatHoursMinutes(c.Minutes), QString::fromLatin1(c.Expected)) << c.Minutes;
}

TEST(ParseHoursMinutes, ReadsHoursAndMinutes) {
    const struct {
        const char* Text;
        int Expected;
    } cases[] = {
        {"01:05", 65},        {"1:5", 65},         {"23:59", 1439},
        {"25:00", 1500},      {"99:59", 5999},     {"100:00", 6000},
        {" 2 : 30 ", 150},    {"0:00", 0},         {"48:00", 2880},
        {"546:06", 32766},    {"", kNotSet},       {"-", kNotSet},
        {" - ", kNotSet},     {"HH:MM", kNotSet},  {"12", kNotSet},
        {":30", kNotSet},     {"12:", kNotSet},    {"-1:00", kNotSet},
        {"+1:00", kNotSet},   {"1:-5", kNotSet},   {"1:+5", kNotSet},
        {"1:305", kNotSet},   {"1:60", kNotSet},   {"1:2a", kNotSet},
        {"1 2:00", kNotSet},  {"546:07", kNotSet}, {"99999999999:00", kNotSet},
        {"1:30:00", kNotSet}, {"١:٠٥", kNotSet},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseHoursMinutes(QString::fromUtf8(c.Text)), c.Expected) << c.Text;
}

TEST(ParseHoursMinutes, RoundTripsEveryFormattedTime) {
    for (int m = 0; m < 6000; ++m) ASSERT_EQ(ParseHoursMinutes(FormatHoursMinutes(m)), m) << m;
    EXPECT_EQ(ParseHoursMinutes(FormatHoursMinutes(kNotSet)), kNotSet);
}

}  // namespace
