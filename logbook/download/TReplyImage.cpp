#include "TReplyImage.h"

#include <algorithm>
#include <array>

#include "DownloadMessages.h"

std::uint16_t TReplyImage::Length() const {
    if (m_bytes.size() < 2) return 0;
    return static_cast<std::uint16_t>(m_bytes[0] | (m_bytes[1] << 8));
}

bool TReplyImage::Complete() const {
    return m_bytes.size() >= 2 && m_bytes.size() >= std::size_t{Length()} + 3;
}

bool TReplyImage::Valid() const {
    if (!Complete()) return false;
    std::uint8_t x = 0;
    for (std::size_t i = 0; i < std::size_t{Length()} + 3; ++i) x ^= m_bytes[i];
    return x == 0;
}

std::size_t TReplyImage::DataEnd() const { return std::min(std::size_t{Length()} + 2, m_bytes.size()); }

std::optional<std::uint8_t> TReplyImage::ResponseCode() const {
    if (DataEnd() < 3) return std::nullopt;
    return m_bytes[2];
}

bool TReplyImage::IsDiveReply() const {
    const auto code = ResponseCode();
    return code && (*code == 0x55 || *code == 0x33);
}

std::optional<std::uint8_t> TReplyImage::ErrorCode() const {
    if (DataEnd() < 4) return std::nullopt;
    return m_bytes[3];
}

std::uint32_t TReplyImage::DeviceClock() const {
    if (DataEnd() < kDiveReplyHeaderEnd) return 0;
    return std::uint32_t{At(3)} | (std::uint32_t{At(4)} << 8) | (std::uint32_t{At(5)} << 16) |
           (std::uint32_t{At(6)} << 24);
}

std::uint32_t TReplyImage::FirstSerial() const {
    if (DataEnd() < kDiveReplyHeaderEnd + 3) return 0;
    return (std::uint32_t{At(7)} << 16) | (std::uint32_t{At(8)} << 8) | std::uint32_t{At(9)};
}

std::uint8_t TReplyImage::FirstHwSw() const { return DataEnd() > 10 ? At(10) : 0; }

std::optional<std::vector<std::span<const std::uint8_t>>> TReplyImage::CutDiveBlocks() const {
    const std::size_t len = Length();
    if (len < kEmptyDiveReplyLength || !Complete()) return std::nullopt;
    const std::size_t end = len + 2;  // the XOR byte is no dive data
    std::vector<std::span<const std::uint8_t>> blocks;
    std::size_t pos = kDiveReplyHeaderEnd;
    // A block starts wherever at least four data bytes remain; a header or profile that
    // does not fit in the data marks the whole image as damaged.
    while (pos + 1 < len) {
        if (end - pos < kDiveBlockHeaderSize) return std::nullopt;
        const std::size_t profile = m_bytes[pos + 16] | (m_bytes[pos + 17] << 8);
        const std::size_t size = kDiveBlockHeaderSize + profile;
        if (end - pos < size) return std::nullopt;
        blocks.push_back(m_bytes.subspan(pos, size));
        pos += size;
    }
    return blocks;
}

bool IsSupportedHwSw(std::uint8_t code) {
    static constexpr std::array<std::uint8_t, 34> kCodes{
        0x00, 0x04, 0x10, 0x14, 0x18, 0x1B, 0x1C, 0x1D, 0x1E, 0x1F, 0x20, 0x24, 0x28, 0x2B, 0x2C, 0x2D, 0x2E,
        0x2F, 0x30, 0x34, 0x38, 0x3B, 0x3D, 0x3E, 0x3F, 0x40, 0x44, 0x48, 0x50, 0x54, 0x58, 0xA4, 0xF4, 0xFF};
    return std::find(kCodes.begin(), kCodes.end(), code) != kCodes.end();
}

std::optional<int> ErrorCodeMessage(std::uint8_t code) {
    switch (code) {
        case 1:
            return DownloadMessage::ComputerLinkError;
        case 2:
            return DownloadMessage::WakeUp;
        case 3:
            return DownloadMessage::DifferentComputer;
        case 4:
            return DownloadMessage::InReset;
        case 5:
            return DownloadMessage::EepromOnly;
        default:
            return std::nullopt;
    }
}
