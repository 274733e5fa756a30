#include "TSimMemory.h"

void TSimMemory::SetSetting(int area, std::uint16_t address, std::uint8_t value) {
    m_settings[{area, address}] = value;
}

std::uint8_t TSimMemory::Setting(int area, std::uint16_t address) const {
    auto it = m_settings.find({area, address});
    return it == m_settings.end() ? 0 : it->second;
}

std::vector<std::uint8_t> TSimMemory::MakeDiveBlock(std::uint32_t serial, std::uint8_t hwSw,
                                                    std::uint32_t deviceTime,
                                                    std::span<const std::uint8_t> profile,
                                                    std::span<const std::uint8_t> header) {
    std::vector<std::uint8_t> block(18, 0);
    for (std::size_t i = 0; i < header.size() && i < 18; ++i) block[i] = header[i];
    block[0] = static_cast<std::uint8_t>(serial >> 16);
    block[1] = static_cast<std::uint8_t>(serial >> 8);
    block[2] = static_cast<std::uint8_t>(serial);
    block[3] = hwSw;
    for (int i = 0; i < 4; ++i) block[11 + i] = static_cast<std::uint8_t>(deviceTime >> (8 * i));
    const std::size_t p = profile.size() > 0xFFFF ? 0xFFFF : profile.size();
    block[16] = static_cast<std::uint8_t>(p & 0xFF);
    block[17] = static_cast<std::uint8_t>(p >> 8);
    block.insert(block.end(), profile.begin(), profile.begin() + static_cast<std::ptrdiff_t>(p));
    return block;
}

std::uint32_t TSimMemory::BlockDeviceTime(std::span<const std::uint8_t> block) {
    if (block.size() < 15) return 0;
    std::uint32_t t = 0;
    for (int i = 3; i >= 0; --i) t = (t << 8) | block[11 + i];
    return t;
}
