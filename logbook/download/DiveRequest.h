#pragma once
// The dive request: one link packet asking the dive computer for its dives.
//
//   auto req = BuildDiveRequest(lastDeviceTime);   // 9 bytes, ready for SendAndWaitAck
//
// Layout: N = 7, then the payload 05 00 (five bytes follow), request code 0x55 and the
// 32-bit reference (little-endian), then the XOR of the eight bytes before it.

#include <array>
#include <cstdint>

constexpr std::size_t kDiveRequestSize = 9;
constexpr std::uint8_t kDiveRequestCode = 0x55;

// What the user accepts: only dives later than the newest one of the logbook, or all.
enum class TDiveChoice : std::uint8_t { OnlyNewer = 0, All = 1 };

std::array<std::uint8_t, kDiveRequestSize> BuildDiveRequest(std::uint32_t reference);

// The reference the request carries for the choice: the `DeviceTime` of the logbook's last
// dive for "only newer dives" (0 for an empty logbook), always 0 for "all dives".
std::uint32_t RequestReference(TDiveChoice choice, std::uint32_t lastDeviceTime);
