#pragma once
// A view of the memory image that the dive computer returns for the dive request:
//
//   offset 0   L, 16-bit little-endian (number of data bytes)
//   offset 2   response code: 0x55 or 0x33 = dives follow, anything else = error
//   offset 3   error code (error reply) or the dive computer's clock now (4 bytes, success)
//   offset 7   dive blocks back to back: 18-byte header + P profile bytes (P in header 16..17)
//   offset L+2 XOR of bytes 0 .. L+1
//
// The view never reads outside the bytes it was given, nor beyond the image's data:
//
//   TReplyImage img(win.Image());
//   if (img.Valid() && img.IsDiveReply()) for (auto block : *img.CutDiveBlocks()) ...

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "TDiveRec.h"  // kDiveBlockHeaderSize

constexpr std::size_t kDiveReplyHeaderEnd = 7;  // image offset of the first dive block
// L of a dive reply without dives: response code and the 4-byte clock.
constexpr std::uint16_t kEmptyDiveReplyLength = 5;

class TReplyImage {
public:
    explicit TReplyImage(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    // L, or 0 when not even the length word is there.
    std::uint16_t Length() const;
    // The bytes hold at least L + 3 bytes.
    bool Complete() const;
    // Complete and the XOR of bytes 0 .. L+2 is 0.
    bool Valid() const;

    // The response code, when the data holds one (L >= 1).
    std::optional<std::uint8_t> ResponseCode() const;
    // Response code 0x55 or 0x33.
    bool IsDiveReply() const;
    // The error code of an error reply, when the data holds one (L >= 2).
    std::optional<std::uint8_t> ErrorCode() const;

    // The dive computer's clock at the time of reading (bytes 3..6); 0 when absent.
    std::uint32_t DeviceClock() const;
    // Serial number (bytes 7..9, big-endian) and hardware/software code (byte 10) of the
    // first dive block. Only meaningful when the reply holds a dive.
    std::uint32_t FirstSerial() const;
    std::uint8_t FirstHwSw() const;

    // The dive blocks of a dive reply, each exactly 18 + P bytes. nullopt when the reply is
    // damaged: L below 5, or a block header or profile that runs past the end of the data.
    // Fewer than four bytes left over after the last block are no block and are ignored.
    std::optional<std::vector<std::span<const std::uint8_t>>> CutDiveBlocks() const;

private:
    std::uint8_t At(std::size_t i) const { return i < m_bytes.size() ? m_bytes[i] : 0; }
    // One past the last data byte that is really there: min(L + 2, size).
    std::size_t DataEnd() const;

    std::span<const std::uint8_t> m_bytes;
};

// The 34 hardware/software codes of the dive computers whose dives can be taken over.
bool IsSupportedHwSw(std::uint8_t code);

// The message for an error code of the dive computer, or nullopt when the code has none.
std::optional<int> ErrorCodeMessage(std::uint8_t code);
