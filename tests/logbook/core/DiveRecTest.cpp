#include <gtest/gtest.h>

#include "CoreTestData.h"
#include "DayNumber.h"
#include "DosText.h"
#include "EStreamReadError.h"
#include "TDiveRec.h"
#include "TLogbookReader.h"

using coretest::DiveBlock;

namespace {

const QDateTime kNoon(QDate(2024, 5, 10), QTime(12, 0, 0));

std::unique_ptr<TDiveRec> FromBlock(const DiveBlock& block, std::uint32_t clockNow = 1000,
                                    const QDateTime& now = kNoon, std::size_t* consumed = nullptr) {
    const std::vector<std::uint8_t> bytes = block.Bytes();
    return TDiveRec::CreateFromDevice(bytes, clockNow, now, consumed);
}

// ---- values of the dive block -------------------------------------------------------

TEST(CreateFromDevice, DiveTimeAddsHundredWhenStatusBit2IsSet) {
    DiveBlock b;
    b.DiveTimeBcd = 0x45;
    b.Status = 0x04;
    EXPECT_EQ(FromBlock(b)->DiveTime, 145);
    b.Status = 0x00;
    EXPECT_EQ(FromBlock(b)->DiveTime, 45);
}

TEST(CreateFromDevice, RepetitiveDiveTakesSurfaceIntervalFromBcd) {
    DiveBlock b;
    b.Status = 0x02;
    b.IntervalHoursBcd = 0x12;
    b.IntervalMinutesBcd = 0x35;
    auto rec = FromBlock(b);
    EXPECT_EQ(rec->SurfaceInterval, 12 * 60 + 35);
    EXPECT_EQ(rec->DiveType, DiveTypeFlag::kRepetitive);

    b.Status = 0x00;
    rec = FromBlock(b);
    EXPECT_EQ(rec->SurfaceInterval, kNotSet);
    EXPECT_EQ(rec->DiveType, DiveTypeFlag::kSingle);
}

TEST(CreateFromDevice, AltitudeClassAndStatusAndFixedValues) {
    DiveBlock b;
    b.Status = 0xC9;  // altitude class 3, decompression and ascent alarm
    b.WaterTemp = 61;
    auto rec = FromBlock(b);
    EXPECT_EQ(rec->AltitudeRange, 4);
    EXPECT_EQ(rec->DeviceStatus, 0xC9);
    EXPECT_EQ(rec->MinWaterTemp, 1525);
    EXPECT_EQ(rec->AirTemperature, kNotSet);
    EXPECT_EQ(rec->TankSize, kNotSet);
    EXPECT_EQ(rec->DeviceTime, 1000u);
    EXPECT_EQ(rec->DiveNumber, 0);
    EXPECT_TRUE(rec->Location.isEmpty());
    EXPECT_FALSE(rec->HasProfile());
}

struct AirCase {
    std::uint8_t HwSw;
    std::uint8_t Air;
    std::uint16_t AirConsumption;
    std::uint16_t HwSwOut;
};

class AirConsumptionTest : public testing::TestWithParam<AirCase> {};

TEST_P(AirConsumptionTest, FromVariantAndPressureByte) {
    DiveBlock b;
    b.HwSw = GetParam().HwSw;
    b.Air = GetParam().Air;
    auto rec = FromBlock(b);
    EXPECT_EQ(rec->AirConsumption, GetParam().AirConsumption);
    EXPECT_EQ(rec->HwSw, GetParam().HwSwOut);
}

INSTANTIATE_TEST_SUITE_P(Variants, AirConsumptionTest,
                         testing::Values(AirCase{0x12, 50, 5000, 0x12},     // bar as they are
                                         AirCase{0x1C, 64, 8800, 0x1C},     // 64/128*176 = 88 bar
                                         AirCase{0x1C, 3, 400, 0x1C},       // 4.125 -> 4
                                         AirCase{0x1C, 4, 600, 0x1C},       // 5.5 -> 6 (even)
                                         AirCase{0x1C, 12, 1600, 0x1C},     // 16.5 -> 16 (even)
                                         AirCase{0x1C, 255, 35100, 0x1C},   // 350.625 -> 351
                                         AirCase{0x1B, 100, 32767, 0x11B},  // variant 11: none
                                         AirCase{0x1D, 100, 32767, 0x11D},  // variant 13: none
                                         AirCase{0xAF, 100, 32767, 0x1AF},  // variant 15: none
                                         AirCase{0x12, 0, 32767, 0x112},    // nothing used
                                         AirCase{0x1C, 0, 32767, 0x11C}));

struct DepthCase {
    std::uint16_t Raw;
    std::int16_t Centimetres;
};

class MaxDepthTest : public testing::TestWithParam<DepthCase> {};

TEST_P(MaxDepthTest, RoundsQuarterMillimetreStepsToCentimetres) {
    DiveBlock b;
    b.RawDepth = GetParam().Raw;
    EXPECT_EQ(FromBlock(b)->MaxDepth, GetParam().Centimetres);
}

INSTANTIATE_TEST_SUITE_P(Depths, MaxDepthTest,
                         testing::Values(DepthCase{0x1000, 1000}, DepthCase{0x0100, 62},  // 62.5 -> 62
                                         DepthCase{0x0300, 188},                          // 187.5 -> 188
                                         DepthCase{0x0006, 1}, DepthCase{0x0000, 0},
                                         DepthCase{0xFFFF, 16000}));

// ---- dating ------------------------------------------------------------------------

struct DatingCase {
    const char* Name;
    QDateTime Now;
    std::int64_t TicksBefore;  // dive clock = clock now - TicksBefore (may be negative)
    int DaysBack;              // expected DayNo = today - DaysBack
    int StartTime;
};

class DatingTest : public testing::TestWithParam<DatingCase> {};

TEST_P(DatingTest, DayAndMinuteOfTheDive) {
    const DatingCase& c = GetParam();
    const std::uint32_t clockNow = 0x40000000u;
    DiveBlock b;
    b.Clock = static_cast<std::uint32_t>(clockNow - c.TicksBefore);
    auto rec = FromBlock(b, clockNow, c.Now);
    EXPECT_EQ(rec->DayNo, DayNoFromDate(c.Now.date()) - c.DaysBack);
    EXPECT_EQ(rec->StartTime, c.StartTime);
    EXPECT_LT(rec->StartTime, 1440);
}

const QDateTime kTen(QDate(2024, 5, 10), QTime(10, 0, 0));

INSTANTIATE_TEST_SUITE_P(
    Cases, DatingTest,
    testing::Values(
        DatingCase{"OneHourBefore", kTen, 2L * 3600, 0, 540},
        DatingCase{"ThreeDaysAndOneHourBefore", kTen, 2L * (3 * 86400 + 3600), 3, 540},
        // The day before, late in the evening.
        DatingCase{"ElevenHoursBefore", kTen, 2L * 11 * 3600, 1, 23 * 60},
        // 30 s before midnight stays on its own day at 23:59.
        DatingCase{"SecondsBeforeMidnight", kTen, 2L * (10 * 3600 + 30), 1, 1439},
        DatingCase{"SecondsBeforeMidnightDaysBack", kTen, 2L * (2 * 86400 + 10 * 3600 + 1), 3, 1439},
        // The dive computer's clock shows the dive after the download time.
        DatingCase{"ClockAheadAcrossMidnight", QDateTime(QDate(2024, 5, 10), QTime(23, 59, 0)), -2L * 120, -1,
                   1},
        DatingCase{"ClockAheadSameDay", kTen, -2L * 600, 0, 610},
        // Seconds of day rounded up to midnight never give minute 1440.
        DatingCase{"NowRoundsToMidnight", QDateTime(QDate(2024, 5, 10), QTime(23, 59, 59, 700)), 0, -1, 0},
        DatingCase{"AtMidnight", QDateTime(QDate(2024, 5, 10), QTime(0, 0, 0)), 0, 0, 0},
        // Elapsed seconds are whole seconds, cut toward zero.
        DatingCase{"OddTicks", kTen, 2L * 60 + 1, 0, 599}),
    [](const testing::TestParamInfo<DatingCase>& info) { return info.param.Name; });

// ---- profile and gas flags ---------------------------------------------------------

TEST(CreateFromDevice, CopiesProfileWithLengthWordAndReportsConsumedBytes) {
    DiveBlock b;
    b.Profile = {9, 8, 7, 6, 5};
    std::size_t consumed = 0;
    auto rec = FromBlock(b, 1000, kNoon, &consumed);
    EXPECT_EQ(consumed, 23u);
    EXPECT_EQ(rec->ProfileBlock, (std::vector<std::uint8_t>{5, 0, 9, 8, 7, 6, 5}));
    EXPECT_EQ(rec->ProfileLength(), 5);
    EXPECT_EQ(rec->ProfileBytes().size(), 5u);

    b.Profile.clear();
    rec = FromBlock(b, 1000, kNoon, &consumed);
    EXPECT_EQ(consumed, 18u);
    EXPECT_FALSE(rec->HasProfile());
}

TEST(CreateFromDevice, RefusesBlocksShorterThanTheirHeadOrProfile) {
    DiveBlock b;
    b.Profile = {1, 2, 3, 4};
    std::vector<std::uint8_t> bytes = b.Bytes();
    std::size_t consumed = 99;
    EXPECT_EQ(TDiveRec::CreateFromDevice(std::span(bytes).first(17), 1000, kNoon, &consumed), nullptr);
    EXPECT_EQ(consumed, 0u);
    EXPECT_EQ(TDiveRec::CreateFromDevice(std::span(bytes).first(21), 1000, kNoon, &consumed), nullptr);
    EXPECT_NE(TDiveRec::CreateFromDevice(bytes, 1000, kNoon, &consumed), nullptr);
    EXPECT_EQ(consumed, 22u);
}

struct GasCase {
    const char* Name;
    std::uint8_t HwSw;
    std::uint8_t B25;
    std::uint8_t B26;
    std::uint16_t Flags;  // expected DiveType bits above the single/repetitive pair
};

class GasFlagsTest : public testing::TestWithParam<GasCase> {};

TEST_P(GasFlagsTest, FromProfileBytes25And26) {
    DiveBlock b;
    b.HwSw = GetParam().HwSw;
    b.Profile.assign(40, 0);
    // Byte k of the profile block counts from its length word.
    b.Profile[25 - 2] = GetParam().B25;
    b.Profile[26 - 2] = GetParam().B26;
    EXPECT_EQ(FromBlock(b)->DiveType & 0xFFFC, GetParam().Flags);
}

INSTANTIATE_TEST_SUITE_P(Families, GasFlagsTest,
                         testing::Values(GasCase{"ANitrox", 0xA3, 32, 0x00, DiveTypeFlag::kNitrox},
                                         GasCase{"ANitroxG2", 0xA3, 36, 0x25, DiveTypeFlag::kNitrox},
                                         GasCase{"AAir", 0xA3, 21, 0x00, 0},
                                         GasCase{"ASCR", 0xA3, 21, 0x40, DiveTypeFlag::kSCR},
                                         GasCase{"AOtherGas", 0xA3, 32, 0x10, 0},
                                         GasCase{"FNitrox", 0xF1, 0x03, 0, DiveTypeFlag::kNitrox},
                                         GasCase{"FAir", 0xF1, 0x30, 0xFF, 0},
                                         // Bit 8 of HwSw does not change the family.
                                         GasCase{"BasicIgnoresGas", 0x12, 32, 0x40, 0}),
                         [](const testing::TestParamInfo<GasCase>& info) { return info.param.Name; });

TEST(CreateFromDevice, GasFlagsNeedTheBytesInsideTheProfileBlock) {
    // A short profile followed in memory by bytes that would mean nitrox / SCR: only the
    // dive's own profile bytes count.
    for (std::uint8_t hwsw : {std::uint8_t{0xA3}, std::uint8_t{0xF1}}) {
        for (std::size_t length : {1u, 23u, 24u}) {
            if (hwsw == 0xF1 && length == 24) continue;  // byte 25 lies inside that profile
            DiveBlock b;
            b.HwSw = hwsw;
            b.Profile.assign(length, 0);
            std::vector<std::uint8_t> bytes = b.Bytes();
            bytes.resize(18 + 40, 0);
            bytes[16 + 25] = 0x33;  // oxygen 51 %, F index 3
            bytes[16 + 26] = hwsw == 0xA3 ? 0x40 : 0x00;
            auto rec = TDiveRec::CreateFromDevice(bytes, 1000, kNoon, nullptr);
            ASSERT_NE(rec, nullptr);
            EXPECT_EQ(rec->DiveType & 0xFFFC, 0) << "family " << int(hwsw) << " length " << length;
        }
    }
}

TEST(DiveRec, FamilyIsTheHighNibbleOfTheLowByte) {
    TDiveRec r;
    r.HwSw = 0x1A3;
    EXPECT_TRUE(r.IsFamilyA());
    EXPECT_FALSE(r.IsFamilyF());
    r.HwSw = 0x1F0;
    EXPECT_TRUE(r.IsFamilyF());
    r.HwSw = 0xA0F;  // family bits only in the low byte
    EXPECT_FALSE(r.IsFamilyA());
    r.DiveType = 0x0300;
    EXPECT_TRUE(r.IsNitrox());
    EXPECT_TRUE(r.IsSCR());
}

// ---- hand-entered dives and list lines -----------------------------------------------

TEST(CreateEmpty, DatesTodayInWholeMinutesAndLeavesValuesUnset) {
    const QDateTime now(QDate(2023, 4, 3), QTime(14, 37, 59));
    auto rec = TDiveRec::CreateEmpty(now);
    EXPECT_EQ(rec->DayNo, DayNoFromDate(QDate(2023, 4, 3)));
    EXPECT_EQ(rec->StartTime, 14 * 60 + 37);
    for (int v : {int(rec->SurfaceInterval), int(rec->AirTemperature), int(rec->TankSize), int(rec->MaxDepth),
                  int(rec->DiveTime), int(rec->MinWaterTemp), int(rec->AirConsumption)})
        EXPECT_EQ(v, kNotSet);
    EXPECT_EQ(rec->DiveType, 0);
    EXPECT_FALSE(rec->IsDownloaded());
    EXPECT_FALSE(rec->HasProfile());
}

TEST(DiveRec, ListLine) {
    TDiveRec r;
    r.DiveNumber = 7;
    EXPECT_EQ(r.ListLine(), QStringLiteral("0007"));
    r.ProfileBlock = coretest::Profile(3);
    EXPECT_EQ(r.ListLine(), QStringLiteral("0007\u00BB"));
    r.DiveNumber = 12345;
    EXPECT_EQ(r.ListLine(), QStringLiteral("12345\u00BB"));
}

TEST(DayNumber, MatchesTheCalendar) {
    EXPECT_EQ(DayNoFromDate(QDate(1899, 12, 30)), 109571);
    EXPECT_EQ(DayNoFromDate(QDate(1600, 1, 1)), 0);
    EXPECT_EQ(DayNoFromDate(QDate(2000, 3, 1)), 146157);
    EXPECT_EQ(DateFromDayNo(146155), QDate(2000, 2, 28));
    for (int d : {0, 109571, 146156, 160000}) EXPECT_EQ(DayNoFromDate(DateFromDayNo(d)), d);
}

}  // namespace
