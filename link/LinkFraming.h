#pragma once
// Pure byte functions of the link: XOR check bytes, link packets, memory images and
// the bit mirror of the line.
//
//   auto pkt = BuildPacket(std::array<std::uint8_t, 2>{0x05, 0x00});  // 02 05 00 07
//   MirrorBytes(pkt);                                                  // 40 A0 00 E0
//   bool ok = ImageValid(image);          // 16-bit L, L bytes, XOR of all L+3 bytes 0

#include <cstdint>
#include <span>
#include <vector>

constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kNak = 0x15;
constexpr std::size_t kMaxPayload = 128;           // a link packet never carries more
constexpr std::uint16_t kResetImageLength = 2048;  // what L reads as until it has arrived

// XOR of all bytes (0 for none).
std::uint8_t XorBytes(std::span<const std::uint8_t> bytes);

// The byte with bit 7 <-> 0, 6 <-> 1, 5 <-> 2, 4 <-> 3 exchanged, through the table of
// reversed nibbles.
std::uint8_t MirrorByte(std::uint8_t b);
// Mirrors every byte in place.
void MirrorBytes(std::span<std::uint8_t> bytes);

// A link packet: length byte N, the N payload bytes, XOR of all of them. An empty
// vector when the payload is longer than 128 bytes.
std::vector<std::uint8_t> BuildPacket(std::span<const std::uint8_t> payload);

// True when the bytes hold a whole good packet at their start: N <= 128, at least
// N+2 bytes, XOR of bytes 0 ... N+1 is 0.
bool PacketValid(std::span<const std::uint8_t> bytes);

// L of a memory image (16-bit little-endian at offset 0); 0 for fewer than 2 bytes.
std::uint16_t ImageLength(std::span<const std::uint8_t> image);
// True when the image holds its L+3 bytes and their XOR is 0.
bool ImageValid(std::span<const std::uint8_t> image);
// A memory image of the data: L, the data, the XOR byte.
std::vector<std::uint8_t> BuildImage(std::span<const std::uint8_t> data);
// Cuts an image into payloads of at most maxPayload bytes (the packets of a reply).
std::vector<std::vector<std::uint8_t>> SplitIntoPackets(std::span<const std::uint8_t> image,
                                                        std::size_t maxPayload = kMaxPayload);
