#include <vector>

#include <gtest/gtest.h>

#include "ProfileDecoder.h"
#include "TProfileBlockBuilder.h"

namespace {

constexpr std::uint16_t kBasic = 0x32;
constexpr std::uint16_t kFamilyF = 0xF2;
constexpr std::uint16_t kFamilyA = 0xA2;

ProfileDiveInfo InfoOf(std::uint16_t hwSw, std::uint16_t diveType = 1) {
    ProfileDiveInfo info;
    info.HwSw = hwSw;
    info.DiveType = diveType;
    info.AltitudeRange = 1;
    info.TankSize = 1200;
    info.AirConsumption = 15000;
    info.DiveTime = 40;
    info.MinWaterTemp = 1800;
    return info;
}

// A raw block: header of `headerLength` bytes (length word included) followed by stream.
std::vector<std::uint8_t> RawBlock(int headerLength, const std::vector<std::uint8_t>& stream) {
    std::vector<std::uint8_t> block(static_cast<std::size_t>(headerLength), 0);
    block.insert(block.end(), stream.begin(), stream.end());
    const auto length = block.size() - 2;
    block[0] = static_cast<std::uint8_t>(length & 0xFF);
    block[1] = static_cast<std::uint8_t>(length >> 8);
    return block;
}

class Decoder : public ::testing::Test {
protected:
    DiveProfile profile;
};

TEST_F(Decoder, SevenByteStreamGivesThreePointsAndTheEndPoint) {
    auto block = RawBlock(24, {0x10, 0x00, 0x20, 0x00, 0x30, 0x00, 0x25});
    block[23] = 0x02;  // initial cold level 2
    ASSERT_TRUE(DecodeProfile(profile, block, InfoOf(kBasic)));
    EXPECT_EQ(profile.Count, 3);
    EXPECT_EQ(profile.Points[0].DepthWord, 0x0200);
    EXPECT_EQ(profile.Points[0].Levels, 2 + 8);  // microbubble class 0, cold 2, workload 1
    EXPECT_EQ(profile.Points[1].DepthWord, 0x1000);
    EXPECT_EQ(profile.Points[2].DepthWord, 0x2000);
    // the third word and the information byte are not read
    EXPECT_EQ(profile.Points[3].DepthWord, 0);
    EXPECT_EQ(ColdLevel(profile.Points[3]), ColdLevel(profile.Points[2]));
    EXPECT_EQ(BubbleLevel(profile.Points[3]), BubbleLevel(profile.Points[2]));
    EXPECT_EQ(WorkLevel(profile.Points[3]), 0);  // at the surface: no work
    EXPECT_EQ(profile.Points[3].O2Fraction, 53 / 256.0);
    EXPECT_EQ(profile.Points[4].DepthWord, 0);
}

TEST_F(Decoder, HeaderValues) {
    auto block = RawBlock(24, {0, 0, 0, 0});
    block[2] = 88;                                         // 22 degrees
    block[3] = 0x00, block[4] = 0x0B;                      // compartment 1: 0x0B00 / 4096
    block[17] = 0x00, block[18] = 0x10;                    // compartment 8: 1.0 bar
    block[19] = 0x40, block[20] = 0x21, block[21] = 0x80;  // bubble 0x240/256, volume 0x180/4096
    block[22] = 0x40, block[23] = 0x83;                    // skin 0x840/64 = 33, cold 3
    ASSERT_TRUE(DecodeProfile(profile, block, InfoOf(kBasic)));
    EXPECT_EQ(profile.SurfaceTemp, 22);
    EXPECT_EQ(profile.InitialTissue[0], 0x0B00 / 4096.0);
    EXPECT_EQ(profile.InitialTissue[7], 1.0);
    EXPECT_EQ(profile.InitialBubble, 0x240 / 256.0);
    EXPECT_EQ(profile.InitialBubbleVolume, 0x180 / 4096.0);
    EXPECT_EQ(profile.InitialSkinTemp, 33);
    EXPECT_EQ(profile.InitialCold, 3);
    // microbubble class of 2.25 is 3: 3 * 64 + 3 + 8
    EXPECT_EQ(profile.Points[0].Levels, 3 * 64 + 3 + 8);
}

struct BubbleClassCase {
    double value;
    int expected;
};
class BubbleClass : public ::testing::TestWithParam<BubbleClassCase> {};
TEST_P(BubbleClass, BoundsBelongToTheLowerClass) {
    EXPECT_EQ(MicrobubbleClass(GetParam().value), GetParam().expected) << GetParam().value;
}
INSTANTIATE_TEST_SUITE_P(Bounds, BubbleClass,
                         ::testing::Values(BubbleClassCase{0, 0}, BubbleClassCase{0.0625, 0},
                                           BubbleClassCase{0.0626, 1}, BubbleClassCase{0.5, 1},
                                           BubbleClassCase{1, 2}, BubbleClassCase{2.5, 3},
                                           BubbleClassCase{4.5, 4}, BubbleClassCase{7, 5},
                                           BubbleClassCase{10, 6}, BubbleClassCase{10.01, 7}));

struct InfoCase {
    std::uint8_t info;
    int coldChange;
};
class InformationByte : public ::testing::TestWithParam<InfoCase> {};

TEST_P(InformationByte, StepsTheColdLevel) {
    const InfoCase& c = GetParam();
    // two groups: w w w info | w w -> N = 5, four words read
    auto block = RawBlock(24, {0x10, 0x00, 0x10, 0x00, 0x10, 0x00, static_cast<std::uint8_t>(c.info | 0x35),
                               0x10, 0x00, 0x00, 0x00});
    block[23] = 0x03;
    DiveProfile profile;
    ASSERT_TRUE(DecodeProfile(profile, block, InfoOf(kBasic)));
    ASSERT_EQ(profile.Count, 5);
    // first two points of the group keep the start levels
    EXPECT_EQ(profile.Points[1].Levels, profile.Points[0].Levels);
    EXPECT_EQ(profile.Points[2].Levels, profile.Points[0].Levels);
    // the third point carries the new word: cold counter | workload 3 << 3 | bubbles 5 << 6
    for (int i : {3, 4, 5}) {
        EXPECT_EQ(ColdLevel(profile.Points[i]), 3 + c.coldChange) << i;
        EXPECT_EQ(WorkLevel(profile.Points[i]), i == 5 ? 0 : 3) << i;  // end point at the surface: no work
        EXPECT_EQ(BubbleLevel(profile.Points[i]), 5) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Bytes, InformationByte,
                         ::testing::Values(InfoCase{0x08, +1}, InfoCase{0x80, -1}, InfoCase{0x88, 0},
                                           InfoCase{0x00, 0}));

struct OxygenCase {
    int index;
    int percent;
    double fraction;
};
class OxygenIndex : public ::testing::TestWithParam<OxygenCase> {};

TEST_P(OxygenIndex, GivesPercentAndFraction) {
    const OxygenCase& c = GetParam();
    TProfileBlockBuilder b(ProfileFamily::F);
    b.SetOxygenIndex(c.index).SetPO2LimitIndex(4).AddPoint(1.0).AddPoint(1.0);
    DiveProfile profile;
    ASSERT_TRUE(DecodeProfile(profile, b.Build(), InfoOf(kFamilyF, 0x100)));
    EXPECT_EQ(profile.O2Percent, c.percent);
    EXPECT_EQ(profile.Points[1].O2Fraction, c.fraction);
    EXPECT_DOUBLE_EQ(profile.MaxPO2, 1.4);
    EXPECT_DOUBLE_EQ(profile.NitroxMOD, 1.4 / c.fraction - 0.921875);
}

INSTANTIATE_TEST_SUITE_P(Indices, OxygenIndex,
                         ::testing::Values(OxygenCase{0, 21, 0.20703125}, OxygenCase{15, 50, 0.5},
                                           OxygenCase{6, 32, 82 / 256.0}));

TEST_F(Decoder, PointExactlyAtTheLimitIsNotMarked) {
    // 50 % at 133/64 bar: pO2 = 0.5 * (2.078125 + 0.921875) = 1.5, the limit of index 6
    TProfileBlockBuilder b(ProfileFamily::F);
    b.SetOxygenIndex(15).SetPO2LimitIndex(6);
    b.AddDepthWord(133 << 6).AddDepthWord(133 << 6).AddDepthWord(134 << 6).AddDepthWord(133 << 6);
    ASSERT_TRUE(DecodeProfile(profile, b.Build(), InfoOf(kFamilyF)));
    ASSERT_DOUBLE_EQ(profile.MaxPO2, 1.5);
    EXPECT_EQ(profile.Points[1].PO2, 1.5);
    EXPECT_FALSE(HasWarning(profile.Points[1], kMarkPO2));
    EXPECT_TRUE(HasWarning(profile.Points[3], kMarkPO2));
    EXPECT_FALSE(HasWarning(profile.Points[4], kMarkPO2));
}

TEST_F(Decoder, SurfacePointsAndMeanDepth) {
    TProfileBlockBuilder b(ProfileFamily::Basic);
    b.SetWorkload(4);
    b.AddDepthWord(0x00CD).AddDepthWord(0x00CE).AddDepthWord(0x0100 | 0x3F).AddDepthWord(0x0100);
    ASSERT_TRUE(DecodeProfile(profile, b.Build(), InfoOf(kBasic)));
    ASSERT_EQ(profile.Count, 5);
    // under water: 0x0200 (start), 0x00CE, 0x013F, 0x0100 -> n = 4, S = 8 + 3 + 4 + 4
    EXPECT_DOUBLE_EQ(profile.MeanDepth, 19 / 64.0 / 4);
    // workload cleared where the depth without warning bits is below 205
    EXPECT_EQ(WorkLevel(profile.Points[1]), 0);
    EXPECT_EQ(WorkLevel(profile.Points[2]), 0);
    EXPECT_EQ(WorkLevel(profile.Points[3]), 4);
    EXPECT_EQ(profile.MaxWork, 4);
    EXPECT_EQ(profile.ProfileMaxDepth, 8 / 64.0);  // the start point is the deepest
}

TEST_F(Decoder, DiveWideFigures) {
    TProfileBlockBuilder b(ProfileFamily::Basic);
    b.SetWorkload(2);
    for (int i = 0; i < 8; ++i) b.AddPoint(2.0);
    auto info = InfoOf(kBasic);
    ASSERT_TRUE(DecodeProfile(profile, b.Build(), info));
    // points: start (8/64 bar, work 1), 2 points work 1, 6 points work 2, end point
    const int n = 9;
    const double mean = (8 + 8 * 128) / 64.0 / n;
    EXPECT_DOUBLE_EQ(profile.MeanDepth, mean);
    const double gas = 150.0 * 12.0 / (mean + 0.921875 + 0.04) / n * 3 * 310 / 293;
    EXPECT_DOUBLE_EQ(profile.GasConsumption, gas);
    const int work = 1 + 1 + 1 + 6 * 2;
    const double k = (gas - 8) / work * n;
    EXPECT_DOUBLE_EQ(profile.WorkFactor, k);
    double y = 0;
    for (int i = 0; i <= n; ++i) y += k * WorkLevel(profile.Points[i]) + 8;
    EXPECT_DOUBLE_EQ(profile.ConsumptionNorm, gas / y * n);
}

TEST_F(Decoder, RebreatherGasComesFromTheGasBytes) {
    TProfileBlockBuilder b(ProfileFamily::A);
    b.SetOxygenPercent(40).SetGasMode(4).SetPO2LimitIndex(8);
    b.SetGasByte(30).AddPoint(1.5).AddPoint(1.5).AddPoint(1.5);
    b.SetGasByte(35).AddPoint(1.5).AddPoint(1.5).AddPoint(1.5).AddPoint(1.5);
    auto info = InfoOf(kFamilyA, 0x200);
    info.DiveTime = 10;
    ASSERT_TRUE(DecodeProfile(profile, b.Build(), info));
    EXPECT_EQ(profile.O2Percent, 40);
    EXPECT_DOUBLE_EQ(profile.Points[0].O2Fraction, 0.4);
    EXPECT_DOUBLE_EQ(profile.Points[1].O2Fraction, 0.4 + 0.2 * (0.3 - 0.4));  // smoothed
    EXPECT_DOUBLE_EQ(profile.Points[3].O2Fraction, 0.3);
    EXPECT_DOUBLE_EQ(profile.Points[6].O2Fraction, 0.35);
    EXPECT_DOUBLE_EQ(profile.Points[8].O2Fraction, 0.35);  // end point keeps the last gas
    EXPECT_DOUBLE_EQ(profile.GasConsumption, 150.0 * 12.0 / 10);
    // without the rebreather bit the gas bytes are skipped
    ASSERT_TRUE(DecodeProfile(profile, b.Build(), InfoOf(kFamilyA, 0x100)));
    EXPECT_DOUBLE_EQ(profile.Points[6].O2Fraction, 0.4);
    EXPECT_DOUBLE_EQ(profile.Points[6].MOD, (1.2 + 0.4) / 0.4 - 0.921875);
}

TEST_F(Decoder, OxygenFreeGasHasTheFixedMod) {
    TProfileBlockBuilder b(ProfileFamily::A);
    b.SetOxygenPercent(0).AddPoint(1.0).AddPoint(1.0);
    ASSERT_TRUE(DecodeProfile(profile, b.Build(), InfoOf(kFamilyA, 0x100)));
    EXPECT_EQ(profile.NitroxMOD, 32766);
    EXPECT_EQ(profile.Points[1].MOD, 32766);
    EXPECT_EQ(profile.Points[1].PO2, 0);
}

TEST_F(Decoder, TinyStreamsAndNoDiveTime) {
    // a one-byte stream gives N = 0: kept at 1, only the start and the end point
    ASSERT_TRUE(DecodeProfile(profile, RawBlock(24, {0x00}), InfoOf(kBasic)));
    EXPECT_EQ(profile.Count, 1);
    EXPECT_EQ(profile.Points[1].DepthWord, 0);
    EXPECT_EQ(profile.Points[1].Levels, profile.Points[0].Levels & ~0x38);
    // a rebreather dive without dive time would divide by zero
    auto info = InfoOf(kFamilyA, 0x200);
    info.DiveTime = 0;
    ASSERT_TRUE(DecodeProfile(profile, RawBlock(27, {}), info));
    EXPECT_EQ(profile.GasConsumption, 0);
    EXPECT_EQ(profile.WorkFactor, 0 - 8.0 / 1 * 1);  // (0 - 8) / W * n with W = n = 1
    EXPECT_EQ(profile.Count, 1);
    EXPECT_DOUBLE_EQ(profile.MeanDepth, 8 / 64.0);  // the start point is under water
}

TEST_F(Decoder, LongStreamsStopAtPoint660) {
    TProfileBlockBuilder b(ProfileFamily::F);
    for (int i = 0; i < 900; ++i) b.AddPoint(1.0 + (i % 7) / 64.0);
    ASSERT_TRUE(DecodeProfile(profile, b.Build(), InfoOf(kFamilyF)));
    EXPECT_EQ(profile.Count, 660);
    EXPECT_EQ(profile.Points[660].DepthWord, 0);
    EXPECT_NE(profile.Points[659].DepthWord, 0);
}

TEST_F(Decoder, DamagedBlockIsDecodedAsFarAsItsBytesGo) {
    TProfileBlockBuilder b(ProfileFamily::Basic);
    for (int i = 0; i < 30; ++i) b.AddPoint(1.5);
    auto block = b.Build();
    DiveProfile whole;
    ASSERT_TRUE(DecodeProfile(whole, block, InfoOf(kBasic)));
    EXPECT_FALSE(whole.Truncated);
    // claim 1000 more bytes than stored, and cut the block after 10 points
    block.resize(24 + 14);
    block[0] = 0xE8, block[1] = 0x03;
    ASSERT_TRUE(DecodeProfile(profile, block, InfoOf(kBasic)));
    EXPECT_TRUE(profile.Truncated);
    EXPECT_EQ(profile.Count, 6);  // 14 stream bytes: N = 2 * 3
    for (int i = 1; i < 6; ++i) EXPECT_EQ(profile.Points[i].DepthWord, whole.Points[i].DepthWord) << i;
    // a block cut inside its header still decodes without reading beyond it
    block.resize(10);
    ASSERT_TRUE(DecodeProfile(profile, block, InfoOf(kFamilyA)));
    EXPECT_EQ(profile.Count, 1);
}

TEST_F(Decoder, WithoutProfileNothingChanges) {
    TProfileBlockBuilder b(ProfileFamily::Basic);
    b.AddPoint(1).AddPoint(2);
    ASSERT_TRUE(DecodeProfile(profile, b.Build(), InfoOf(kBasic)));
    const auto before = profile.Points[2].DepthWord;
    EXPECT_FALSE(DecodeProfile(profile, std::vector<std::uint8_t>{}, InfoOf(kBasic)));
    EXPECT_FALSE(DecodeProfile(profile, std::vector<std::uint8_t>{5}, InfoOf(kBasic)));
    EXPECT_EQ(profile.Points[2].DepthWord, before);
    EXPECT_EQ(profile.Count, 3);
}

TEST_F(Decoder, BuilderRoundTripKeepsDepthsWarningsAndLevels) {
    for (ProfileFamily family : {ProfileFamily::Basic, ProfileFamily::A, ProfileFamily::F}) {
        TProfileBlockBuilder b(family);
        b.SetInitialCold(2);
        for (int i = 0; i < 20; ++i) {
            b.SetWorkload(i / 4).SetMicrobubbles(i / 6).SetWarnings(i == 7 ? 0x0C : 0);
            if (i == 9) b.StepCold(+1);
            b.AddPoint(0.5 + i / 16.0);
        }
        const std::uint16_t hw = family == ProfileFamily::A   ? kFamilyA
                                 : family == ProfileFamily::F ? kFamilyF
                                                              : kBasic;
        ASSERT_TRUE(DecodeProfile(profile, b.Build(), InfoOf(hw)));
        ASSERT_EQ(profile.Count, 21);
        for (int i = 0; i < 20; ++i) {
            const ProfilePoint& p = profile.Points[i + 1];
            EXPECT_EQ(p.DepthWord, TProfileBlockBuilder::DepthWordOf(0.5 + i / 16.0, i == 7 ? 0x0C : 0));
            if (i >= 2) {  // a group's third point carries the group's levels
                const int g = (i - 2) / 3 * 3 + 2;
                EXPECT_EQ(WorkLevel(p), g / 4) << i;
                EXPECT_EQ(BubbleLevel(p), g / 6) << i;
                EXPECT_EQ(ColdLevel(p), i >= 11 ? 3 : 2) << i;
            }
        }
        EXPECT_TRUE(HasWarning(profile.Points[8], 0x08));
        EXPECT_TRUE(HasWarning(profile.Points[8], 0x0C));
        EXPECT_FALSE(HasWarning(profile.Points[8], 0x0E));
    }
}

TEST(SummariseProfile, ChoosesByTheDecompressionFlag) {
    DiveProfile profile;
    profile.Count = 3;
    const std::uint16_t noStop[] = {99, 40, 12, 99};
    const std::uint16_t ascent[] = {0, 3, 7, 5};
    for (int i = 0; i <= 3; ++i) {
        profile.Points[i].NoStopTime = noStop[i];
        profile.Points[i].AscentTime = ascent[i];
    }
    std::uint16_t type = 1;
    EXPECT_EQ(SummariseProfile(profile, type, false), 12);
    EXPECT_EQ(type, 1 | 0x04);
    type = 2;
    EXPECT_EQ(SummariseProfile(profile, type, true), 0x80 | 7);
    EXPECT_EQ(type, 2 | 0x08);
}

}  // namespace
