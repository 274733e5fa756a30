#include "LinkFraming.h"

#include <algorithm>
#include <array>

namespace {
// Bit-reversed values of the 16 nibbles.
constexpr std::array<std::uint8_t, 16> kReversedNibble = {0, 8, 4, 12, 2, 10, 6, 14,
                                                          1, 9, 5, 13, 3, 11, 7, 15};
}  // namespace

std::uint8_t XorBytes(std::span<const std::uint8_t> bytes) {
    std::uint8_t x = 0;
    for (std::uint8_t b : bytes) x ^= b;
    return x;
}

std::uint8_t MirrorByte(std::uint8_t b) {
    return static_cast<std::uint8_t>(kReversedNibble[b & 0x0F] * 16 + kReversedNibble[b >> 4]);
}

void MirrorBytes(std::span<std::uint8_t> bytes) {
    for (std::uint8_t& b : bytes) b = MirrorByte(b);
}

std::vector<std::uint8_t> BuildPacket(std::span<const std::uint8_t> payload) {
    if (payload.size() > kMaxPayload) return {};
    std::vector<std::uint8_t> packet;
    packet.reserve(payload.size() + 2);
    packet.push_back(static_cast<std::uint8_t>(payload.size()));
    packet.insert(packet.end(), payload.begin(), payload.end());
    packet.push_back(XorBytes(packet));
    return packet;
}

bool PacketValid(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) return false;
    const std::size_t n = bytes[0];
    if (n > kMaxPayload || bytes.size() < n + 2) return false;
    return XorBytes(bytes.first(n + 2)) == 0;
}

std::uint16_t ImageLength(std::span<const std::uint8_t> image) {
    if (image.size() < 2) return 0;
    return static_cast<std::uint16_t>(image[0] | (image[1] << 8));
}

bool ImageValid(std::span<const std::uint8_t> image) {
    if (image.size() < 3) return false;
    const std::size_t total = std::size_t{ImageLength(image)} + 3;
    if (image.size() < total) return false;
    return XorBytes(image.first(total)) == 0;
}

std::vector<std::uint8_t> BuildImage(std::span<const std::uint8_t> data) {
    std::vector<std::uint8_t> image;
    const std::size_t n = data.size() > 0xFFFF ? 0xFFFF : data.size();
    image.reserve(n + 3);
    image.push_back(static_cast<std::uint8_t>(n & 0xFF));
    image.push_back(static_cast<std::uint8_t>(n >> 8));
    image.insert(image.end(), data.begin(), data.begin() + static_cast<std::ptrdiff_t>(n));
    image.push_back(XorBytes(image));
    return image;
}

std::vector<std::vector<std::uint8_t>> SplitIntoPackets(std::span<const std::uint8_t> image,
                                                        std::size_t maxPayload) {
    std::vector<std::vector<std::uint8_t>> parts;
    if (maxPayload == 0) maxPayload = 1;
    if (maxPayload > kMaxPayload) maxPayload = kMaxPayload;
    for (std::size_t pos = 0; pos < image.size(); pos += maxPayload) {
        const std::size_t n = std::min(maxPayload, image.size() - pos);
        parts.emplace_back(image.begin() + static_cast<std::ptrdiff_t>(pos),
                           image.begin() + static_cast<std::ptrdiff_t>(pos + n));
    }
    return parts;
}
