#pragma once
// The configuration tool's commands to the dive computer and the evaluation of their
// replies. A command is one link packet whose payload is itself an image:
// n + 4, 16-bit n + 1, the code, n payload bytes, the image XOR, the packet XOR.
//
//   auto wake = WakeUpCommand();            // 04 01 00 E7 E6 04
//   auto read = ReadCommand();              // 66 bytes: 40 3D 00 4C ... 40
//   int msg = ReplyMessage(core.Image());   // 0 success, else a message number or -1

#include <array>
#include <cstdint>
#include <span>
#include <vector>

enum TCommandCode : std::uint8_t { kReadCode = 0x4C, kWriteCode = 0x47, kWakeUpCode = 0xE7 };

// Addresses in the settings memory (area 2) read by the read command, in block order.
extern const std::array<std::uint16_t, 20> kReadAddresses;

// The command packet (n + 6 bytes); empty when the payload does not fit one link
// packet (more than 124 bytes).
std::vector<std::uint8_t> BuildCommand(std::uint8_t code, std::span<const std::uint8_t> payload);
// The 60-byte read list: per address 0x02 and the 16-bit little-endian address.
std::vector<std::uint8_t> ReadList();
std::vector<std::uint8_t> ReadCommand();
std::vector<std::uint8_t> WriteCommand(std::span<const std::uint8_t> writeList);
std::vector<std::uint8_t> WakeUpCommand();

// Any of the three success codes counts for any command.
bool IsSuccessCode(std::uint8_t responseCode);

// What a complete, valid reply image means: 0 success; otherwise the message of the
// error code in image byte 3 (1 -> 3, 2 -> 4, 3 -> 5, 4 -> 6, 5 -> 14) or -1 when the
// code has no message. A reply without a response code counts as a communication
// error (message 7).
int ReplyMessage(std::span<const std::uint8_t> image);

// Message numbers of the configuration tool's table used by the exchanges.
enum TCfMessage : int {
    kMsgBatteryAbort = 0,
    kMsgReadCaption = 1,
    kMsgWriteCaption = 2,
    kMsgCommError = 7,
    kMsgNotFound = 8,
    kMsgFound = 9,
    kMsgWorkLoadFirst = 10,
};
