// Command packets and the evaluation of replies.
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "LinkFraming.h"
#include "TeswinCommand.h"

using Bytes = std::vector<std::uint8_t>;

TEST(TeswinCommand, WakeUpPacket) { EXPECT_EQ(WakeUpCommand(), (Bytes{0x04, 0x01, 0x00, 0xE7, 0xE6, 0x04})); }

TEST(TeswinCommand, ReadPacket) {
    const Bytes p = ReadCommand();
    ASSERT_EQ(p.size(), 66u);
    EXPECT_EQ((Bytes(p.begin(), p.begin() + 4)), (Bytes{0x40, 0x3D, 0x00, 0x4C}));
    EXPECT_EQ((Bytes(p.begin() + 4, p.begin() + 10)), (Bytes{0x02, 0xBC, 0x07, 0x02, 0xD2, 0x07}));
    EXPECT_EQ((Bytes(p.begin() + 61, p.begin() + 64)), (Bytes{0x02, 0xFB, 0x07}));
    std::uint8_t x = 0;
    for (int i = 1; i <= 63; ++i) x ^= p[i];
    EXPECT_EQ(p[64], x);
    EXPECT_EQ(p[65], 0x40);
    // It is a good link packet whose payload is a good image.
    EXPECT_TRUE(PacketValid(p));
    EXPECT_TRUE(ImageValid(std::span(p).subspan(1, 64)));
}

TEST(TeswinCommand, WritePacketOfTenEntries) {
    const Bytes list(40, 0x11);
    const Bytes p = WriteCommand(list);
    ASSERT_EQ(p.size(), 46u);
    EXPECT_EQ((Bytes(p.begin(), p.begin() + 4)), (Bytes{0x2C, 0x29, 0x00, 0x47}));
    EXPECT_EQ(p.back(), 0x2C);
    EXPECT_TRUE(PacketValid(p));
}

TEST(TeswinCommand, PayloadTooLongForOnePacket) {
    EXPECT_EQ(BuildCommand(0x47, Bytes(124, 0)).size(), 130u);
    EXPECT_TRUE(BuildCommand(0x47, Bytes(125, 0)).empty());
}

struct ReplyCase {
    Bytes Data;
    int Message;
};
class Replies : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(Replies, Message) { EXPECT_EQ(ReplyMessage(BuildImage(GetParam().Data)), GetParam().Message); }

INSTANTIATE_TEST_SUITE_P(Cases, Replies,
                         ::testing::Values(ReplyCase{{0x4C}, 0}, ReplyCase{{0x47}, 0},
                                           ReplyCase{{0xE7, 9}, 0}, ReplyCase{{0x00, 1}, 3},
                                           ReplyCase{{0x00, 2}, 4}, ReplyCase{{0x00, 3}, 5},
                                           ReplyCase{{0x00, 4}, 6}, ReplyCase{{0x00, 5}, 14},
                                           ReplyCase{{0x00, 6}, -1}, ReplyCase{{0x00, 0}, -1},
                                           // No error code in the data: nothing to report by code.
                                           ReplyCase{{0x12}, -1},
                                           // No response code at all.
                                           ReplyCase{{}, 7}));
