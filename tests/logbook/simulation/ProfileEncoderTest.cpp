// The profile encoder against the layout of stored profiles: header fields per family,
// the point count a reader derives from the length word, the interleaving of
// information and gas bytes, and the 18-byte head of a dive block.

#include <cstdint>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "ProfileEncoder.h"

namespace {

TDivePlan SquarePlan(std::uint8_t hwsw, double minutes) {
    TDivePlan plan;
    plan.HwSw = hwsw;
    plan.Legs = {{1, 10}, {minutes, 10}, {1, 0}};
    plan.InitialTissue.fill(0.68359375);
    plan.Wobble = false;
    return plan;
}

unsigned U16LE(const std::vector<std::uint8_t>& b, std::size_t at) { return b[at] | (b[at + 1] << 8); }
unsigned U16BE(const std::vector<std::uint8_t>& b, std::size_t at) { return (b[at] << 8) | b[at + 1]; }

struct FamilyCase {
    std::uint8_t HwSw;
    int HeaderSize;
    int GroupSize;
};

class ProfileFamilyTest : public ::testing::TestWithParam<FamilyCase> {};

// The number of points a reader takes from a stream of D bytes in groups of G is
// (D div G) x 3 + (D mod G) div 2, counting the start point and not the closing word;
// it must equal the recorded points plus the start point, for every stream length.
TEST_P(ProfileFamilyTest, PointCountFromLengthWordMatchesRecordedPoints) {
    const FamilyCase c = GetParam();
    for (int thirds = 0; thirds <= 10; ++thirds) {
        const double minutes = thirds / 3.0;
        TDivePlan plan = SquarePlan(c.HwSw, minutes);
        const std::vector<std::uint8_t> block = EncodeProfileBlock(plan);
        const int recorded = static_cast<int>(SamplePlan(plan).size());
        ASSERT_EQ(U16LE(block, 0), block.size() - 2);
        const int stream = static_cast<int>(block.size()) - c.HeaderSize;
        const int n = stream / c.GroupSize * 3 + stream % c.GroupSize / 2;
        EXPECT_EQ(n, recorded + 1) << "minutes " << minutes;
        // A partial last group never ends in a lone information byte for the 7-byte groups.
        if (c.GroupSize == 7) {
            EXPECT_EQ(stream % 7 % 2, 0);
        }
    }
}

// Depth words sit at the group positions, big-endian, with the warning bits below the
// depth; the information byte closes every group, and family A follows it with a gas byte.
TEST_P(ProfileFamilyTest, DepthWordsAndGroupBytesAtTheirOffsets) {
    const FamilyCase c = GetParam();
    TDivePlan plan = SquarePlan(c.HwSw, 4);
    plan.Legs[1].Warnings = PlanWarning::kRemainingBottomTime;
    plan.Legs[1].Work = 3;
    plan.Legs[1].Bubble = 2;
    const std::vector<TPlanSample> samples = SamplePlan(plan);
    const std::vector<std::uint8_t> block = EncodeProfileBlock(plan);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const std::size_t at = c.HeaderSize + i / 3 * c.GroupSize + i % 3 * 2;
        EXPECT_EQ(U16BE(block, at), samples[i].DepthWord()) << "point " << i + 1;
    }
    // Group 2 covers points 7..9, all on the bottom leg.
    const std::size_t info = c.HeaderSize + 2 * c.GroupSize + 6;
    EXPECT_EQ(block[info] & 0x77, (3 << 4) | 2);
    EXPECT_EQ(samples[7].Warnings & PlanWarning::kRemainingBottomTime, PlanWarning::kRemainingBottomTime);
    if (c.GroupSize == 8) {
        EXPECT_EQ(block[info + 1], 21);
    }
    // The closing word after the last point is the surface.
    const std::size_t closing = samples.size();
    EXPECT_EQ(U16BE(block, c.HeaderSize + closing / 3 * c.GroupSize + closing % 3 * 2), 0u);
}

INSTANTIATE_TEST_SUITE_P(Families, ProfileFamilyTest,
                         ::testing::Values(FamilyCase{0x24, 24, 7}, FamilyCase{0xF4, 26, 7},
                                           FamilyCase{0xA4, 27, 8}));

TEST(ProfileEncoderTest, HeaderFieldsPackedAsStored) {
    TDivePlan plan = SquarePlan(0xA4, 10);
    plan.AirTemp = 27.25;
    plan.InitialTissue = {0.5, 0.75, 1.0, 1.25, 1.5, 1.75, 2.0, 2.25};
    plan.InitialBubble = 3.5;          // 896 = 0x380
    plan.InitialBubbleVolume = 0.125;  // 512 = 0x200
    plan.SkinTemp = 33.5;              // 2144 = 0x860
    plan.InitialCold = 2;
    plan.InitialCNS = 12.5;
    plan.O2Percent = 32;
    plan.MaxPO2 = 1.4;
    const std::vector<std::uint8_t> b = EncodeProfileBlock(plan);
    EXPECT_EQ(b[2], 109);
    for (int j = 0; j < 8; ++j) {
        EXPECT_EQ(U16LE(b, 3 + 2 * j), static_cast<unsigned>(plan.InitialTissue[j] * 4096)) << j;
    }
    EXPECT_EQ(b[19], 0x80);
    EXPECT_EQ(b[20], 0x32);
    EXPECT_EQ(b[21], 0x00);
    EXPECT_EQ(b[22], 0x60);
    EXPECT_EQ(b[23], 0x82);
    EXPECT_EQ(b[24], 25);
    EXPECT_EQ(b[25], 32);
    EXPECT_EQ(b[26], 0x24);  // nitrox mode, limit 1.4 bar

    plan.SCR = true;
    plan.O2Percent = 40;
    plan.MaxPO2 = 1.6;
    EXPECT_EQ(EncodeProfileBlock(plan)[26], 0x48);
    plan.SCR = false;
    plan.O2Percent = 21;
    EXPECT_EQ(EncodeProfileBlock(plan)[26], 0x08);  // air: not a nitrox dive
}

TEST(ProfileEncoderTest, FamilyFGasByteHoldsOxygenAndLimitIndex) {
    TDivePlan plan = SquarePlan(0xF4, 10);
    plan.O2Percent = 36;
    plan.MaxPO2 = 1.45;
    EXPECT_EQ(EncodeProfileBlock(plan)[25], 0x58);
    plan.O2Percent = 21;
    EXPECT_EQ(EncodeProfileBlock(plan)[25] & 0x0F, 0);
    plan.O2Percent = 33;  // not storable on family F
    EXPECT_THROW(EncodeProfileBlock(plan), std::invalid_argument);
}

TEST(ProfileEncoderTest, FamilyFOxygenIndexTable) {
    EXPECT_EQ(FamilyFOxygenIndex(21), 0);
    EXPECT_EQ(FamilyFOxygenIndex(22), 1);
    EXPECT_EQ(FamilyFOxygenIndex(32), 6);
    EXPECT_EQ(FamilyFOxygenIndex(50), 15);
    for (int bad : {20, 23, 52, 100}) {
        EXPECT_THROW(FamilyFOxygenIndex(bad), std::invalid_argument) << bad;
    }
}

// The cold counter that a reader runs over the information bytes rises one step at a
// time to the planned level and never leaves 0..7.
TEST(ProfileEncoderTest, ColdStepsReachThePlannedLevel) {
    TDivePlan plan = SquarePlan(0x24, 45);
    plan.ColdMax = 4;
    plan.InitialCold = 1;
    const std::vector<std::uint8_t> b = EncodeProfileBlock(plan);
    const std::size_t groups = (b.size() - 24) / 7;
    int cold = 1;
    int lowest = cold;
    int highest = cold;
    for (std::size_t g = 0; g < groups; ++g) {
        const std::uint8_t info = b[24 + g * 7 + 6];
        ASSERT_NE(info & 0x88, 0x88);
        cold += (info & 0x08) ? 1 : 0;
        cold -= (info & 0x80) ? 1 : 0;
        lowest = std::min(lowest, cold);
        highest = std::max(highest, cold);
    }
    EXPECT_EQ(cold, 4);
    EXPECT_EQ(highest, 4);
    EXPECT_EQ(lowest, 1);
}

TEST(ProfileEncoderTest, FastAscentIsRecordedAsWarning) {
    TDivePlan plan = SquarePlan(0x24, 5);
    plan.Legs = {{1, 20}, {5, 20}, {0.5, 10}, {3, 10}, {1, 0}};  // 20 m/min from 20 to 10 m
    bool warned = false;
    for (const TPlanSample& s : SamplePlan(plan)) {
        warned = warned || (s.Warnings & PlanWarning::kAscent);
    }
    EXPECT_TRUE(warned);
    EXPECT_EQ(DiveFactsOf(plan).Status & 0x01, 0x01);
    plan.Legs[2].Minutes = 1.5;  // 6.7 m/min
    EXPECT_EQ(DiveFactsOf(plan).Status & 0x01, 0x00);
}

struct HeadCase {
    std::uint8_t HwSw;
    int AirUsedBar;
    std::uint8_t AirByte;
};

class DiveBlockHeadTest : public ::testing::TestWithParam<HeadCase> {};

TEST_P(DiveBlockHeadTest, HeadFieldsAsTheComputerSendsThem) {
    const HeadCase c = GetParam();
    TDivePlan plan = SquarePlan(c.HwSw, 104);
    plan.Serial = 0x12AB34;
    plan.AltitudeClass = 1;
    plan.SurfaceInterval = 2 * 60 + 35;
    plan.AirUsedBar = c.AirUsedBar;
    plan.DeviceTime = 0x01020304;
    plan.WaterTemp = 18.75;
    const std::vector<std::uint8_t> b = EncodeDiveBlock(plan);
    const TDiveFacts facts = DiveFactsOf(plan);
    ASSERT_EQ(b.size(), 18 + U16LE(b, 16));
    EXPECT_EQ(b[0], 0x12);
    EXPECT_EQ(b[1], 0xAB);
    EXPECT_EQ(b[2], 0x34);
    EXPECT_EQ(b[3], c.HwSw);
    EXPECT_EQ(facts.DiveTime, 106);
    EXPECT_EQ(b[4], 0x40 | 0x02 | 0x04);
    EXPECT_EQ(b[5], 0x06);
    EXPECT_EQ(U16BE(b, 6), facts.MaxDepthRaw);
    EXPECT_EQ(facts.MaxDepthCm, 1000);
    EXPECT_EQ(b[8], 0x02);
    EXPECT_EQ(b[9], 0x35);
    EXPECT_EQ(b[10], c.AirByte);
    EXPECT_EQ(b[11], 0x04);
    EXPECT_EQ(b[14], 0x01);
    EXPECT_EQ(b[15], 75);
    const std::vector<std::uint8_t> profile = EncodeProfileBlock(plan);
    EXPECT_TRUE(std::equal(profile.begin(), profile.end(), b.begin() + 16));
}

INSTANTIATE_TEST_SUITE_P(AirConsumptionVariants, DiveBlockHeadTest,
                         ::testing::Values(HeadCase{0x24, 120, 120},  // whole bar
                                           HeadCase{0x2C, 88, 64},    // 176/128 bar steps
                                           HeadCase{0x1B, 120, 0},    // measures none
                                           HeadCase{0xF4, 300, 255}));

TEST(ProfileEncoderTest, RefusesPlansTheMemoryCannotHold) {
    TDivePlan empty;
    EXPECT_THROW(SamplePlan(empty), std::invalid_argument);
    // 199 minutes is the longest dive time the head can state (BCD minutes + 100).
    TDivePlan longDive = SquarePlan(0x24, 197);
    EXPECT_NO_THROW(EncodeProfileBlock(longDive));
    EXPECT_EQ(DiveFactsOf(longDive).DiveTime, 199);
    longDive.Legs[1].Minutes = 198;
    EXPECT_THROW(EncodeProfileBlock(longDive), std::invalid_argument);
    EXPECT_THROW(EncodeDiveBlock(longDive), std::invalid_argument);
}

}  // namespace
