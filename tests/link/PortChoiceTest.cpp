#include <gtest/gtest.h>

#include "TPortChoice.h"

namespace {
std::array<bool, kMaxComNumber + 1> Present(std::initializer_list<int> ports) {
    std::array<bool, kMaxComNumber + 1> p{};
    for (int n : ports) p[n] = true;
    return p;
}
}  // namespace

TEST(PortChoice, ListsAutoThenTheFoundPorts) {
    TPortChoice c;
    c.Build(Present({1, 3, 4, 17}));
    EXPECT_EQ(c.Items(), (QStringList{"AUTO", "COM1", "COM3", "COM4", "COM17"}));
    EXPECT_EQ(c.PortList(), (std::vector<std::uint8_t>{0, 1, 3, 4, 17}));
    EXPECT_EQ(c.PortIndex(0), 0);
    EXPECT_EQ(c.PortIndex(3), 2);
    EXPECT_EQ(c.PortIndex(2), -1);
    EXPECT_EQ(c.PortIndex(33), -1);
}

TEST(PortChoice, ChoosingCom4ThenAuto) {
    TPortChoice c;
    c.Build(Present({1, 3, 4}));
    std::uint16_t setting = 0x0003;
    setting = c.Apply(c.PortIndex(4), setting);
    EXPECT_EQ(setting, 0x0403);
    setting = c.Apply(0, setting);
    EXPECT_EQ(setting, 0x0003);
}

struct SelectionCase {
    std::uint16_t setting;
    int item;
};
class PortChoiceSelection : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(PortChoiceSelection, ShowsTheSetting) {
    TPortChoice c;
    c.Build(Present({1, 3, 4}));
    EXPECT_EQ(c.SelectionFor(GetParam().setting), GetParam().item);
}

INSTANTIATE_TEST_SUITE_P(Cases, PortChoiceSelection,
                         ::testing::Values(SelectionCase{0x0000, 0}, SelectionCase{0x0003, 0},
                                           SelectionCase{0x0400, 3}, SelectionCase{0x0103, 1},
                                           SelectionCase{0x0200, -1},  // fixed but not found
                                           SelectionCase{0x2000, -1},  // COM32 not found
                                           SelectionCase{0x2100, 0},   // above COM32
                                           SelectionCase{0xFF00, 0}));

TEST(PortChoice, NoSelectionOrAnItemBeyondTheListMeansAuto) {
    TPortChoice c;
    c.Build(Present({2}));
    EXPECT_EQ(c.Apply(-1, 0x0502), 0x0002);
    EXPECT_EQ(c.Apply(7, 0x0502), 0x0002);
    EXPECT_EQ(c.Apply(1, 0x0007), 0x0207);
}
