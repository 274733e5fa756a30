// The texts of the dive's flag words, and the checks of the edit and time-zone dialogs.

#include <gtest/gtest.h>

#include "DiveTexts.h"
#include "EditRules.h"
#include "Language.h"
#include "TDiveRec.h"

namespace {

TEST(DiveTextsTest, AlarmsInTheirOrder) {
    EXPECT_EQ(AlarmText(0x21, kEnglish), "Ascent, SOS");
    EXPECT_EQ(AlarmText(0x3F, kEnglish), "Ascent, Decompression, Work, SOS");
    EXPECT_EQ(AlarmText(0x18, kGerman), "Dekompression, Leistung");
    // Bits 1, 2, 6 and 7 are no alarms.
    EXPECT_EQ(AlarmText(0xC6, kEnglish), "");
}

struct TypeCase {
    std::uint16_t Flags;
    int Language;
    const char* Text;
};

class DiveTypeTextTest : public ::testing::TestWithParam<TypeCase> {};

TEST_P(DiveTypeTextTest, ShowsOneTextPerGroup) {
    EXPECT_EQ(DiveTypeText(GetParam().Flags, GetParam().Language), QString::fromUtf8(GetParam().Text));
}

INSTANTIATE_TEST_SUITE_P(
    Groups, DiveTypeTextTest,
    ::testing::Values(TypeCase{0x0000, kEnglish, ""}, TypeCase{0x0001, kEnglish, ""},
                      TypeCase{0x0194, kGerman, "Nitrox, Nullzeit, Einzelaufstieg, Salzwasser"},
                      TypeCase{0x0200, kEnglish, "SCR"},
                      // Both bits of a group set: the group states nothing.
                      TypeCase{0x0300 | 0x000C, kEnglish, ""},
                      TypeCase{0x0068, kEnglish, "Decompression, Multiple ascent, Fresh water"}));

TEST(DiveTextsTest, ActivitiesInBitOrderThenOther) {
    EXPECT_EQ(ActivitiesText(0x0110, QStringLiteral("Steep Wall dive"), kEnglish),
              "Night-dive, Wreck-dive, Steep Wall dive");
    EXPECT_EQ(ActivitiesText(0x0801, QString(), kGerman), "Plausch-TG, Foto-TG");
    EXPECT_EQ(ActivitiesText(0, QStringLiteral("wall"), kEnglish), "wall");
    // Bits above the twelve activities name nothing.
    EXPECT_EQ(ActivitiesText(0xF000, QString(), kEnglish), "");
}

TEST(DiveTextsTest, AltitudeListsFollowTheUnits) {
    EXPECT_EQ(AltitudeItems(kMetric).value(2), "900 m...1750 m");
    EXPECT_EQ(AltitudeItems(kImperial).value(4), "8800 ft ...13300 ft");
    EXPECT_EQ(AltitudeItems(kMetric).size(), 5);
    EXPECT_EQ(AltitudeItems(kImperial).value(0), " ");
}

struct TimeCase {
    const char* Text;
    int StartTime;  // -1: refused
    int Duration;   // -1: refused
};

class TimeCheckTest : public ::testing::TestWithParam<TimeCase> {};

TEST_P(TimeCheckTest, StartTimeIsATimeOfDayDurationAnyAmount) {
    const TimeCase& c = GetParam();
    EXPECT_EQ(CheckStartTime(QString::fromLatin1(c.Text)).value_or(-1), c.StartTime) << c.Text;
    EXPECT_EQ(CheckDiveTime(QString::fromLatin1(c.Text)).value_or(-1), c.Duration) << c.Text;
}

INSTANTIATE_TEST_SUITE_P(Texts, TimeCheckTest,
                         ::testing::Values(TimeCase{"23:59", 1439, 1439}, TimeCase{"25:00", -1, 1500},
                                           TimeCase{"24:00", -1, 1440}, TimeCase{"00:00", 0, 0},
                                           TimeCase{"", -1, -1}, TimeCase{"-", -1, -1},
                                           TimeCase{"12", -1, -1}, TimeCase{"1:5x", -1, -1}));

TEST(EditRulesTest, DepthMustReadInTheUnits) {
    EXPECT_EQ(CheckDepth("12.3 m", kMetric).value_or(-1), 1230);
    EXPECT_EQ(CheckDepth("40", kImperial).value_or(-1), 1212);
    EXPECT_FALSE(CheckDepth("", kMetric));
    EXPECT_FALSE(CheckDepth("deep", kMetric));
    // 400 m does not fit the 16-bit field: refused, not wrapped into another depth.
    EXPECT_FALSE(CheckDepth("400", kMetric));
    EXPECT_EQ(DepthHint(kMetric), "##.# m");
    EXPECT_EQ(DepthHint(kImperial), "### ft");
    EXPECT_EQ(TimeHint(), "HH:MM");
}

TEST(EditRulesTest, AirConsumptionRefusesOnlyWhatTheFieldCannotHold) {
    EXPECT_EQ(CheckAirConsumption("150 bar", kMetric).value_or(-1), 15000);
    EXPECT_EQ(CheckAirConsumption("", kMetric).value_or(-1), kNotSet);
    EXPECT_FALSE(CheckAirConsumption("lots", kMetric));
    EXPECT_FALSE(CheckAirConsumption("-20", kMetric));
}

TEST(EditRulesTest, DatesWithMonthNamesAndTheFirstStorableDay) {
    TDateFormat english = TDateFormat::FromLocale(QLocale(QLocale::English, QLocale::UnitedKingdom));
    english.ShortDateFormat = QStringLiteral("d/M/yyyy");
    const QDate today(2024, 6, 1);
    EXPECT_EQ(CheckDiveDate("3 Mar 2004", english, today).value_or(-1), DayNoOfDate(QDate(2004, 3, 3)));
    EXPECT_EQ(CheckDiveDate("3/3/2004", english, today).value_or(-1), DayNoOfDate(QDate(2004, 3, 3)));
    EXPECT_FALSE(CheckDiveDate("31/2/2004", english, today));
    EXPECT_FALSE(CheckDiveDate("yesterday", english, today));
    EXPECT_EQ(CheckDiveDate("1/1/1950", english, today).value_or(-1), 127835);
    // The day before would be read back as a day of the older logbook format.
    EXPECT_FALSE(CheckDiveDate("31/12/1949", english, today));
    EXPECT_EQ(FirstStorableDayNo(), 127835);
    EXPECT_EQ(DateHint(english), "d/M/yyyy");
}

TEST(EditRulesTest, ShiftAmountUpTo99Hours59) {
    EXPECT_EQ(CheckShiftAmount("99:59").value_or(-1), 5999);
    EXPECT_EQ(CheckShiftAmount("48:00").value_or(-1), 2880);
    EXPECT_EQ(CheckShiftAmount("00:00").value_or(-1), 0);
    EXPECT_FALSE(CheckShiftAmount("100:00"));
    EXPECT_FALSE(CheckShiftAmount(""));
    EXPECT_FALSE(CheckShiftAmount("1h"));
}

TEST(EditRulesTest, StorableTextsAreWindows1252AndAtMost255) {
    EXPECT_TRUE(IsStorableText(QString::fromUtf8("Höhle € Œ")));
    EXPECT_FALSE(IsStorableText(QString::fromUtf8("Ωmega")));
    EXPECT_TRUE(IsStorableText(QString(255, QLatin1Char('x'))));
    EXPECT_FALSE(IsStorableText(QString(256, QLatin1Char('x'))));
    EXPECT_EQ(StoredText(QString::fromUtf8("€uro")), QByteArray("\x80uro"));
}

}  // namespace
