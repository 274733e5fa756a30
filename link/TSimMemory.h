#pragma once
// Memory of the simulated dive computer: the stored dive blocks (18-byte header and
// profile bytes each), its clock, serial number and hardware/software code, and the
// settings memory (single bytes by memory area and 16-bit address).
//
//   TSimMemory mem;
//   mem.Serial = 0x012345; mem.HwSw = 0x1C; mem.DeviceClock = 50'000'000;
//   mem.DiveBlocks.push_back(TSimMemory::MakeDiveBlock(0x012345, 0x1C, 49'000'000, profile));
//   mem.SetSetting(2, 0x07BC, 0x21);

#include <cstdint>
#include <map>
#include <span>
#include <utility>
#include <vector>

class TSimMemory {
public:
    std::uint32_t Serial = 0x00A1B2;  // 24 bits used
    std::uint8_t HwSw = 0x1C;
    std::uint32_t DeviceClock = 0;  // half-seconds, the clock sent with the dives
    std::vector<std::vector<std::uint8_t>> DiveBlocks;

    // Settings memory; an address never written reads 0.
    void SetSetting(int area, std::uint16_t address, std::uint8_t value);
    std::uint8_t Setting(int area, std::uint16_t address) const;
    const std::map<std::pair<int, std::uint16_t>, std::uint8_t>& Settings() const { return m_settings; }
    void ClearSettings() { m_settings.clear(); }

    // A dive block: header bytes 0-2 serial (big-endian), 3 hardware/software code,
    // 11-14 device time (little-endian), 16-17 profile length (little-endian); the other
    // header bytes are taken from `header` where given (bytes 4-10 and 15), else 0.
    static std::vector<std::uint8_t> MakeDiveBlock(std::uint32_t serial, std::uint8_t hwSw,
                                                   std::uint32_t deviceTime,
                                                   std::span<const std::uint8_t> profile,
                                                   std::span<const std::uint8_t> header = {});
    // The device time of a block (header bytes 11-14), 0 for a short block.
    static std::uint32_t BlockDeviceTime(std::span<const std::uint8_t> block);

private:
    std::map<std::pair<int, std::uint16_t>, std::uint8_t> m_settings;
};
