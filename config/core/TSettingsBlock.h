#pragma once
// The settings block of a read: the reply image from byte 2 on. Byte 0 is the
// response code, bytes 1 ... 20 the dive computer's settings at the 20 addresses of
// the read list, in list order.
//
//   auto block = TSettingsBlock::FromImage(core.Image());   // nullopt when too short
//   std::uint8_t model = block->ModelCode();

#include <array>
#include <cstdint>
#include <optional>
#include <span>

class TSettingsBlock {
public:
    static constexpr std::size_t kSize = 21;

    TSettingsBlock() = default;
    explicit TSettingsBlock(const std::array<std::uint8_t, kSize>& bytes) : m_bytes(bytes) {}

    // The block of a reply image (16-bit L, data, XOR): the data bytes from image byte 2
    // on. nullopt when the image's data are shorter than the 21 bytes of a block, so a
    // short reply never shows bytes that did not come from the dive computer.
    static std::optional<TSettingsBlock> FromImage(std::span<const std::uint8_t> image);

    std::uint8_t operator[](std::size_t i) const { return m_bytes[i]; }
    const std::array<std::uint8_t, kSize>& Bytes() const { return m_bytes; }
    // Bytes 1 ... 20, the part kept in the read history.
    std::span<const std::uint8_t, 20> Settings() const {
        return std::span<const std::uint8_t, 20>(m_bytes.data() + 1, 20);
    }

    std::uint8_t ResponseCode() const { return m_bytes[0]; }
    std::uint8_t ModelCode() const { return m_bytes[1]; }
    std::uint8_t Flags() const { return m_bytes[2]; }
    int UnitSystem() const { return m_bytes[2] & 0x01; }
    int Buzzer() const { return (m_bytes[2] >> 1) & 0x01; }
    int ScrSensitivity() const { return (m_bytes[2] >> 4) & 0x03; }
    int WorkLoadCode() const { return m_bytes[2] >> 6; }
    int TankReserveBar() const { return m_bytes[3]; }
    int BreathCode() const { return m_bytes[4]; }
    int PpO2Code() const { return m_bytes[5] & 0x0F; }
    int PremixCode() const { return m_bytes[5] >> 4; }
    int NumberOfDives() const { return m_bytes[6] | (m_bytes[7] << 8); }
    int BatteryLevel() const { return m_bytes[8]; }
    bool BatteryEmpty() const { return m_bytes[9] != 0; }
    // The 24-bit number of bytes 12 ... 14 shown in the window title.
    std::uint32_t SerialNumber() const {
        return m_bytes[12] | (m_bytes[13] << 8) | (static_cast<std::uint32_t>(m_bytes[14]) << 16);
    }

private:
    std::array<std::uint8_t, kSize> m_bytes{};
};
