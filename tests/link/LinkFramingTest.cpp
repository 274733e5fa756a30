#include <array>

#include <gtest/gtest.h>

#include "LinkFraming.h"

using Bytes = std::vector<std::uint8_t>;

TEST(MirrorByte, ReversesTheBitOrder) {
    EXPECT_EQ(MirrorByte(0x06), 0x60);
    EXPECT_EQ(MirrorByte(0x15), 0xA8);
    EXPECT_EQ(MirrorByte(0x07), 0xE0);
    EXPECT_EQ(MirrorByte(0x60), 0x06);
    EXPECT_EQ(MirrorByte(0x01), 0x80);
    EXPECT_EQ(MirrorByte(0xF0), 0x0F);
    for (int b = 0; b < 256; ++b) {
        const auto m = MirrorByte(static_cast<std::uint8_t>(b));
        EXPECT_EQ(MirrorByte(m), b);
        for (int bit = 0; bit < 8; ++bit) EXPECT_EQ((b >> bit) & 1, (m >> (7 - bit)) & 1) << b;
    }
}

TEST(BuildPacket, LengthPayloadXorAndTheWire) {
    const std::array<std::uint8_t, 2> payload{0x05, 0x00};
    Bytes packet = BuildPacket(payload);
    EXPECT_EQ(packet, (Bytes{0x02, 0x05, 0x00, 0x07}));
    MirrorBytes(packet);
    EXPECT_EQ(packet, (Bytes{0x40, 0xA0, 0x00, 0xE0}));
}

TEST(BuildPacket, DiveRequestWithReferenceZero) {
    const Bytes payload{0x05, 0x00, 0x55, 0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(BuildPacket(payload), (Bytes{0x07, 0x05, 0x00, 0x55, 0x00, 0x00, 0x00, 0x00, 0x57}));
}

TEST(BuildPacket, RefusesMoreThan128Bytes) {
    EXPECT_EQ(BuildPacket(Bytes(128, 1)).size(), 130u);
    EXPECT_TRUE(BuildPacket(Bytes(129, 1)).empty());
    EXPECT_EQ(BuildPacket({}), (Bytes{0x00, 0x00}));
}

struct PacketCase {
    const char* name;
    Bytes bytes;
    bool valid;
};

class PacketValidTest : public ::testing::TestWithParam<PacketCase> {};

TEST_P(PacketValidTest, Judges) { EXPECT_EQ(PacketValid(GetParam().bytes), GetParam().valid); }

Bytes Packet128() { return BuildPacket(Bytes(128, 0x33)); }
Bytes Length129() {
    Bytes b(131, 0);
    b[0] = 129;
    b[130] = XorBytes(std::span<const std::uint8_t>(b).first(130));
    return b;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PacketValidTest,
    ::testing::Values(PacketCase{"good", {0x02, 0x05, 0x00, 0x07}, true},
                      PacketCase{"goodWithTrailingBytes", {0x02, 0x05, 0x00, 0x07, 0x99}, true},
                      PacketCase{"wrongXor", {0x02, 0x05, 0x00, 0x06}, false},
                      PacketCase{"short", {0x02, 0x05, 0x00}, false}, PacketCase{"empty", {}, false},
                      PacketCase{"emptyPayload", {0x00, 0x00}, true},
                      PacketCase{"full128", Packet128(), true},
                      PacketCase{"length129EvenWithGoodXor", Length129(), false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Image, BuildAndCheck) {
    const Bytes data{'I', 'F', 'V', '1', '.', '0', '0'};
    Bytes image = BuildImage(data);
    ASSERT_EQ(image.size(), 10u);
    EXPECT_EQ(ImageLength(image), 7);
    EXPECT_TRUE(ImageValid(image));
    image[4] ^= 1;
    EXPECT_FALSE(ImageValid(image));
}

TEST(Image, ValidityNeedsAllItsBytes) {
    Bytes image = BuildImage(Bytes{1, 2, 3});
    EXPECT_FALSE(ImageValid(std::span<const std::uint8_t>(image).first(image.size() - 1)));
    image.push_back(0x42);  // bytes beyond L+3 are not part of the check
    EXPECT_TRUE(ImageValid(image));
    EXPECT_FALSE(ImageValid(Bytes{0x00}));
    EXPECT_TRUE(ImageValid(Bytes{0x00, 0x00, 0x00}));  // L = 0
    // L says 2048 but the buffer is smaller: never valid, never read beyond it.
    EXPECT_FALSE(ImageValid(Bytes{0x00, 0x08, 0x08}));
}

TEST(SplitIntoPackets, CutsAt128) {
    const Bytes image(300, 7);
    auto parts = SplitIntoPackets(image);
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(parts[0].size(), 128u);
    EXPECT_EQ(parts[1].size(), 128u);
    EXPECT_EQ(parts[2].size(), 44u);
    EXPECT_EQ(SplitIntoPackets(image, 500).size(), 3u);  // never above 128
    EXPECT_TRUE(SplitIntoPackets(Bytes{}).empty());
}
