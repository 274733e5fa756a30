#pragma once
// Command handlers of the simulated dive computer: the dive request (0x55), read
// (0x4C), write (0x47) and wake-up (0xE7). Each takes the data of the command image
// (code first) and returns the data of the reply image (response code first).
//
//   std::vector<std::uint8_t> reply = TSimCommands::Execute(data, memory, errorCode);

#include <cstdint>
#include <span>
#include <vector>

#include "TSimMemory.h"

class TSimCommands {
public:
    static constexpr std::uint8_t kDiveRequest = 0x55;
    static constexpr std::uint8_t kRead = 0x4C;
    static constexpr std::uint8_t kWrite = 0x47;
    static constexpr std::uint8_t kWakeUp = 0xE7;
    static constexpr std::uint8_t kErrorResponse = 0x00;  // response code of a failed command
    static constexpr std::uint8_t kUnknownCommand = 1;    // error code for an unknown code

    // errorCode 0: normal operation; otherwise every command fails with that code.
    static std::vector<std::uint8_t> Execute(std::span<const std::uint8_t> command, TSimMemory& memory,
                                             int errorCode = 0);
    // Dives later than the reference (device time as signed 32-bit greater than it),
    // and every dive when the reference is 0, in stored order.
    static std::vector<std::uint8_t> DiveReply(std::uint32_t reference, const TSimMemory& memory);
    static std::vector<std::uint8_t> ReadReply(std::span<const std::uint8_t> list, const TSimMemory& memory);
    static std::vector<std::uint8_t> WriteReply(std::span<const std::uint8_t> list, TSimMemory& memory);
    static std::vector<std::uint8_t> ErrorReply(int errorCode);
};
