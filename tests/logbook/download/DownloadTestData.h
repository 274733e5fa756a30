#pragma once
// Builders of dive blocks and reply images for the download tests.
//
//   auto img = MakeDiveReply(clock, {MakeBlock({.DeviceTime = 100}), MakeBlock({...})});

#include <cstdint>
#include <vector>

using TBytes = std::vector<std::uint8_t>;

struct TBlockFields {
    std::uint32_t Serial = 0x123456;
    std::uint8_t HwSw = 0x10;
    std::uint8_t Status = 0x00;
    std::uint8_t DiveTimeBcd = 0x42;  // 42 minutes
    std::uint16_t DepthRaw = 4096;    // 10 m
    std::uint32_t DeviceTime = 1000;
    std::uint16_t ProfileLength = 0;
    std::uint8_t ProfileFill = 0x11;
};

// An 18-byte header followed by ProfileLength profile bytes.
inline TBytes MakeBlock(const TBlockFields& s) {
    TBytes b(18, 0);
    b[0] = static_cast<std::uint8_t>(s.Serial >> 16);
    b[1] = static_cast<std::uint8_t>(s.Serial >> 8);
    b[2] = static_cast<std::uint8_t>(s.Serial);
    b[3] = s.HwSw;
    b[4] = s.Status;
    b[5] = s.DiveTimeBcd;
    b[6] = static_cast<std::uint8_t>(s.DepthRaw >> 8);
    b[7] = static_cast<std::uint8_t>(s.DepthRaw);
    b[10] = 50;  // bar used
    for (int i = 0; i < 4; ++i) b[11 + i] = static_cast<std::uint8_t>(s.DeviceTime >> (8 * i));
    b[15] = 80;  // 20 °C
    b[16] = static_cast<std::uint8_t>(s.ProfileLength);
    b[17] = static_cast<std::uint8_t>(s.ProfileLength >> 8);
    b.insert(b.end(), s.ProfileLength, s.ProfileFill);
    return b;
}

// L word, the data, and the XOR byte that makes the whole image XOR to 0.
inline TBytes MakeImage(const TBytes& data) {
    TBytes img;
    img.push_back(static_cast<std::uint8_t>(data.size()));
    img.push_back(static_cast<std::uint8_t>(data.size() >> 8));
    img.insert(img.end(), data.begin(), data.end());
    std::uint8_t x = 0;
    for (auto b : img) x ^= b;
    img.push_back(x);
    return img;
}

inline TBytes MakeDiveReply(std::uint32_t clock, const std::vector<TBytes>& blocks,
                            std::uint8_t code = 0x55) {
    TBytes data{code};
    for (int i = 0; i < 4; ++i) data.push_back(static_cast<std::uint8_t>(clock >> (8 * i)));
    for (const auto& b : blocks) data.insert(data.end(), b.begin(), b.end());
    return MakeImage(data);
}

inline TBytes MakeErrorReply(std::uint8_t errorCode) { return MakeImage({0x01, errorCode}); }
