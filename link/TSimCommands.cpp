#include "TSimCommands.h"

namespace {
std::uint32_t Le32(std::span<const std::uint8_t> b) {
    return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
           (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}
}  // namespace

std::vector<std::uint8_t> TSimCommands::Execute(std::span<const std::uint8_t> command, TSimMemory& memory,
                                                int errorCode) {
    if (command.empty()) return ErrorReply(kUnknownCommand);
    if (errorCode != 0) return ErrorReply(errorCode);
    const std::span<const std::uint8_t> args = command.subspan(1);
    switch (command[0]) {
        case kDiveRequest:
            return DiveReply(args.size() >= 4 ? Le32(args) : 0, memory);
        case kRead:
            return ReadReply(args, memory);
        case kWrite:
            return WriteReply(args, memory);
        case kWakeUp:
            return {kWakeUp};
        default:
            return ErrorReply(kUnknownCommand);
    }
}

std::vector<std::uint8_t> TSimCommands::DiveReply(std::uint32_t reference, const TSimMemory& memory) {
    std::vector<std::uint8_t> reply{kDiveRequest};
    for (int i = 0; i < 4; ++i) reply.push_back(static_cast<std::uint8_t>(memory.DeviceClock >> (8 * i)));
    for (const auto& block : memory.DiveBlocks) {
        const std::uint32_t t = TSimMemory::BlockDeviceTime(block);
        // A dive without a clock value cannot be compared and is always offered.
        const bool later =
            reference == 0 || t == 0 || static_cast<std::int32_t>(t) > static_cast<std::int32_t>(reference);
        if (later) reply.insert(reply.end(), block.begin(), block.end());
    }
    return reply;
}

std::vector<std::uint8_t> TSimCommands::ReadReply(std::span<const std::uint8_t> list,
                                                  const TSimMemory& memory) {
    if (list.size() % 3 != 0) return ErrorReply(kUnknownCommand);
    std::vector<std::uint8_t> reply{kRead};
    for (std::size_t i = 0; i + 2 < list.size(); i += 3)
        reply.push_back(
            memory.Setting(list[i], static_cast<std::uint16_t>(list[i + 1] | (list[i + 2] << 8))));
    return reply;
}

std::vector<std::uint8_t> TSimCommands::WriteReply(std::span<const std::uint8_t> list, TSimMemory& memory) {
    if (list.size() % 4 != 0) return ErrorReply(kUnknownCommand);
    for (std::size_t i = 0; i + 3 < list.size(); i += 4)
        memory.SetSetting(list[i + 1], static_cast<std::uint16_t>(list[i + 2] | (list[i + 3] << 8)), list[i]);
    return {kWrite};
}

std::vector<std::uint8_t> TSimCommands::ErrorReply(int errorCode) {
    return {kErrorResponse, static_cast<std::uint8_t>(errorCode)};
}
