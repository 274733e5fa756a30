// Settings block -> window positions and texts, and positions -> write list.
#include <array>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "BreathWarning.h"
#include "EncodeSettings.h"
#include "ModelClass.h"
#include "SettingsDecoder.h"
#include "SettingsTexts.h"
#include "TSettingsBlock.h"

namespace {

TSettingsBlock MakeBlock(std::uint8_t model, std::uint8_t flags, std::uint8_t reserve, std::uint8_t breath,
                         std::uint8_t byte5) {
    std::array<std::uint8_t, 21> b{};
    b[0] = 0x4C;
    b[1] = model;
    b[2] = flags;
    b[3] = reserve;
    b[4] = breath;
    b[5] = byte5;
    return TSettingsBlock(b);
}

// Entry k of a write list as (value, area, address).
struct Entry {
    int Value, Area, Address;
    bool operator==(const Entry&) const = default;
};
std::vector<Entry> Entries(const std::vector<std::uint8_t>& list) {
    std::vector<Entry> out;
    for (std::size_t i = 0; i + 3 < list.size(); i += 4)
        out.push_back({list[i], list[i + 1], list[i + 2] | (list[i + 3] << 8)});
    return out;
}

std::vector<int> Addresses(const std::vector<std::uint8_t>& list) {
    std::vector<int> a;
    for (const Entry& e : Entries(list)) a.push_back(e.Address);
    return a;
}

// Byte read -> value written back, when the controls are left as the block put them.
std::array<std::uint8_t, 21> RoundTrip(const TSettingsBlock& block) {
    std::array<std::uint8_t, 21> out = block.Bytes();
    for (const Entry& e : Entries(EncodeSettings(DecodeSettingsBlock(block).Positions, block.ModelCode()))) {
        if (e.Area != 2) continue;
        if (e.Address == 0x07D2) out[2] = static_cast<std::uint8_t>(e.Value);
        if (e.Address == 0x07DE) out[3] = static_cast<std::uint8_t>(e.Value);
        if (e.Address == 0x07EB) out[4] = static_cast<std::uint8_t>(e.Value);
        if (e.Address == 0x07D3) out[5] = static_cast<std::uint8_t>(e.Value);
    }
    return out;
}

}  // namespace

TEST(BreathWarning, ConstantsAndEveryPositionRoundTrips) {
    EXPECT_NEAR(BreathConstants().c, 0.0818405, 1e-7);
    EXPECT_NEAR(BreathConstants().d, -0.0330123, 1e-7);
    const std::array<int, 25> w = {25, 27, 29, 31, 33, 35, 37, 39, 42, 44, 47, 49, 52,
                                   55, 58, 61, 65, 68, 72, 76, 80, 84, 88, 92, 97};
    for (int pos = 0; pos <= 24; ++pos) {
        EXPECT_EQ(BreathCodeOfPosition(pos), w[pos]) << "position " << pos;
        EXPECT_EQ(BreathPositionOfCode(w[pos]), pos) << "code " << w[pos];
        const auto block = MakeBlock(0x00, 0, 50, static_cast<std::uint8_t>(w[pos]), 0x06);
        EXPECT_EQ(RoundTrip(block)[4], w[pos]);
    }
}

TEST(BreathWarning, CodesOutsideTheTableClampToTheScrollBar) {
    EXPECT_EQ(BreathPositionOfCode(0), 0);
    EXPECT_EQ(BreathPositionOfCode(255), 24);
    EXPECT_EQ(BreathWarningText(BreathPositionOfCode(52)), "[0]");
    EXPECT_EQ(BreathWarningText(0), "[-12]");
    EXPECT_EQ(BreathWarningText(24), "[12]");
}

struct ReserveCase {
    int Byte;
    int Position;
    const char* Metric;
    const char* Imperial;
};
class TankReserve : public ::testing::TestWithParam<ReserveCase> {};

TEST_P(TankReserve, ShowsAndEncodesTheByteRead) {
    const ReserveCase c = GetParam();
    const auto block = MakeBlock(0x00, 0, static_cast<std::uint8_t>(c.Byte), 52, 0x06);
    const TBlockView v = DecodeSettingsBlock(block);
    EXPECT_EQ(v.Positions.Res, c.Position);
    EXPECT_EQ(ReserveText(v.Positions.Res, 0), c.Metric);
    EXPECT_EQ(ReserveText(v.Positions.Res, 1), c.Imperial);
    EXPECT_EQ(RoundTrip(block)[3], c.Byte);
}

INSTANTIATE_TEST_SUITE_P(Cases, TankReserve,
                         ::testing::Values(ReserveCase{30, 14, "30 bar", "435 psi"},
                                           ReserveCase{100, 0, "100 bar", "1450 psi"},
                                           ReserveCase{50, 10, "50 bar", "725 psi"},
                                           ReserveCase{65, 7, "65 bar", "943 psi"}));

TEST(TankReserve, BytesOutsideTheRangeClamp) {
    EXPECT_EQ(DecodeSettingsBlock(MakeBlock(0, 0, 0, 52, 0)).Positions.Res, 14);
    EXPECT_EQ(DecodeSettingsBlock(MakeBlock(0, 0, 255, 52, 0)).Positions.Res, 0);
}

TEST(SettingsBlock, Byte5ShowsPpO2AndPremix) {
    const TBlockView v = DecodeSettingsBlock(MakeBlock(0xA4, 0, 50, 52, 0x36));
    EXPECT_EQ(PpO2Text(v.Positions.PpO2), "1.50 bar");
    EXPECT_EQ(v.Positions.TIniO2, 12);
    EXPECT_EQ(PremixText(v.Positions.TIniO2), "4 h");
    EXPECT_TRUE(v.PremixShown);
    EXPECT_FALSE(DecodeSettingsBlock(MakeBlock(0xF1, 0, 50, 52, 0x36)).PremixShown);
    EXPECT_EQ(PpO2Text(15), "1.20 bar");
    EXPECT_EQ(PpO2Text(0), "1.95 bar");
    EXPECT_EQ(PremixText(0), QString::fromUtf8(" °° "));
    EXPECT_EQ(PremixText(15), "1 h");
}

TEST(SettingsBlock, FlagsTitleBatteryAndDives) {
    std::array<std::uint8_t, 21> b{};
    b[0] = 0x4C;
    b[1] = 0xA4;
    b[2] = 0x01 | 0x02 | (3 << 4) | (1 << 6);
    b[3] = 50;
    b[6] = 0x39;  // 1337 dives
    b[7] = 0x05;
    b[8] = 128;
    b[12] = 0x40;
    b[13] = 0xE2;
    b[14] = 0x01;
    TBlockView v = DecodeSettingsBlock(TSettingsBlock(b));
    EXPECT_EQ(v.Title, "Tessoral [01E240]");
    EXPECT_EQ(v.Positions.Units, 1);
    EXPECT_EQ(v.Positions.Buzzer, 1);
    EXPECT_EQ(v.Positions.SensVO2, 3);
    EXPECT_EQ(v.Positions.VO2Limit, 2);
    EXPECT_EQ(v.Battery, 50);
    EXPECT_EQ(v.Dives, 1337);
    b[9] = 1;  // battery flag: shown as empty whatever the level
    EXPECT_EQ(DecodeSettingsBlock(TSettingsBlock(b)).Battery, 0);
    b[9] = 0;
    b[8] = 255;
    EXPECT_EQ(DecodeSettingsBlock(TSettingsBlock(b)).Battery, 99);
    EXPECT_EQ(RoundTrip(TSettingsBlock(b))[2], b[2]);
}

TEST(SettingsBlock, ShortImagesGiveNoBlock) {
    std::vector<std::uint8_t> image = {21, 0, 0x4C};
    image.resize(2 + 21 + 1, 0);
    EXPECT_TRUE(TSettingsBlock::FromImage(image).has_value());
    std::vector<std::uint8_t> shortImage = {20, 0, 0x4C};
    shortImage.resize(2 + 21 + 1, 0);  // buffer long enough, but L says 20 bytes
    EXPECT_FALSE(TSettingsBlock::FromImage(shortImage).has_value());
    EXPECT_FALSE(TSettingsBlock::FromImage(std::vector<std::uint8_t>{21, 0, 0x4C}).has_value());
    EXPECT_FALSE(TSettingsBlock::FromImage({}).has_value());
}

struct ModelCase {
    std::uint8_t Code;
    bool Breath, Nitrox, Scr;
    std::vector<int> Addresses;
};
class ModelClasses : public ::testing::TestWithParam<ModelCase> {};

TEST_P(ModelClasses, GroupsAndWriteList) {
    const ModelCase c = GetParam();
    const TBlockView v = DecodeSettingsBlock(MakeBlock(c.Code, 0, 50, 52, 0x36));
    EXPECT_EQ(v.BreathShown, c.Breath);
    EXPECT_EQ(v.NitroxShown, c.Nitrox);
    EXPECT_EQ(v.ScrShown, c.Scr);
    const auto list = EncodeSettings(v.Positions, c.Code);
    EXPECT_EQ(list.size(), 4 * c.Addresses.size());
    EXPECT_EQ(Addresses(list), c.Addresses);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ModelClasses,
    ::testing::Values(
        ModelCase{0x00,
                  true,
                  false,
                  false,
                  {0x0174, 0x031E, 0x07D2, 0x02C0, 0x02C1, 0x07DE, 0x02E2, 0x02E3, 0x07EB, 0x07D3}},
        ModelCase{0xA4,
                  true,
                  true,
                  true,
                  {0x0174, 0x031E, 0x07D2, 0x02C0, 0x02C1, 0x07DE, 0x02E2, 0x02E3, 0x07EB, 0x0329, 0x07D3,
                   0x0349, 0x0350}},
        ModelCase{0xF1, false, true, false, {0x0174, 0x031E, 0x07D2, 0x032B, 0x07D3}},
        ModelCase{0xF0,
                  true,
                  true,
                  false,
                  {0x0174, 0x031E, 0x07D2, 0x02C0, 0x02C1, 0x07DE, 0x02E2, 0x02E3, 0x07EB, 0x032B, 0x07D3}},
        ModelCase{0x13, false, false, false, {0x0174, 0x031E, 0x07D2, 0x07D3}}));

TEST(EncodeSettings, ValuesOfEveryEntryForAnScrModel) {
    TCfPositions p;
    p.Units = 1;
    p.Buzzer = 1;
    p.Res = 10;      // 50 bar = 0x32
    p.Lung = 12;     // 52 = 0x34
    p.PpO2 = 9;      // P = 6
    p.TIniO2 = 12;   // T = 3
    p.VO2Limit = 1;  // K = 2
    p.SensVO2 = 3;   // S = 3
    const std::vector<Entry> expected = {{12, 0, 0x0174},  {3, 0, 0x031E},          {3 + 11 * 16, 2, 0x07D2},
                                         {0x2, 0, 0x02C0}, {0x3, 0, 0x02C1},        {50, 2, 0x07DE},
                                         {0x4, 0, 0x02E2}, {0x3, 0, 0x02E3},        {52, 2, 0x07EB},
                                         {6, 0, 0x0329},   {6 + 3 * 16, 2, 0x07D3}, {3, 0, 0x0349},
                                         {11, 0, 0x0350}};
    EXPECT_EQ(Entries(EncodeSettings(p, 0xA4)), expected);
}

TEST(EncodeSettings, NonNitroxModelsWriteFixedPpO2) {
    TCfPositions p;
    p.PpO2 = 0;  // would be 1.95 bar; a model without nitrox always gets 1.50 bar, premix 0
    p.TIniO2 = 0;
    const auto e = Entries(EncodeSettings(p, 0x00));
    EXPECT_EQ(e.back(), (Entry{6, 2, 0x07D3}));
    // A nitrox model without SCR writes P alone, no premix part.
    const auto n = Entries(EncodeSettings(p, 0xF1));
    EXPECT_EQ(n[3], (Entry{15, 0, 0x032B}));
    EXPECT_EQ(n[4], (Entry{15, 2, 0x07D3}));
}

TEST(SettingsTexts, WorkLoadAndSensitivity) {
    EXPECT_EQ(WorkLoadText(0, "very high"), "very high (2.50 l/min O2)");
    EXPECT_EQ(WorkLoadText(3, "low"), "low (1.75 l/min O2)");
    EXPECT_EQ(SensitivityText(0), "[-2]");
    EXPECT_EQ(SensitivityText(3), "[1]");
}

struct EanCase {
    const char* Flow;
    int WorkLoad;
    const char* Text;
};
class MinimumNitrox : public ::testing::TestWithParam<EanCase> {};

TEST_P(MinimumNitrox, ResultLabel) {
    EXPECT_EQ(EanText(GetParam().Flow, GetParam().WorkLoad), GetParam().Text) << GetParam().Flow;
}

INSTANTIATE_TEST_SUITE_P(Cases, MinimumNitrox,
                         ::testing::Values(EanCase{"15.5", 0, " 32.1 % O2"}, EanCase{"10.4", 0, " 38.5 % O2"},
                                           EanCase{"5.7", 3, " 43.9 % O2"}, EanCase{" 7.3 ", 2, " 41.2 % O2"},
                                           EanCase{"0.5", 0, "424.0 % O2"},
                                           // Not a usable flow: empty label, never a division by zero.
                                           EanCase{"0", 0, ""}, EanCase{"0.0", 1, ""}, EanCase{"-3", 0, ""},
                                           EanCase{"abc", 0, ""}, EanCase{"", 0, ""}, EanCase{"1,5", 0, ""},
                                           EanCase{"inf", 0, ""}, EanCase{"nan", 0, ""}));

TEST(ModelClass, Classes) {
    for (int code = 0; code < 256; ++code) {
        const auto c = static_cast<std::uint8_t>(code);
        EXPECT_EQ(IsBreathModel(c), (code & 0x0F) % 4 == 0) << code;
        if (IsScrModel(c)) {
            EXPECT_TRUE(IsNitroxModel(c)) << code;
        }
    }
}
