#include "SettingsRecord.h"

#include <algorithm>

namespace {
constexpr std::size_t kLogbookNameOffset = 6;
constexpr std::size_t kLogbookNameCapacity = 255;
constexpr std::size_t kVersionCapacity = 5;

class ImageWriter {
public:
    explicit ImageWriter(std::array<std::uint8_t, SettingsRecord::kSize>& image) : m_image(image) {}
    void U8(std::size_t at, std::uint8_t v) { m_image[at] = v; }
    void U16(std::size_t at, std::uint16_t v) {
        m_image[at] = static_cast<std::uint8_t>(v & 0xFF);
        m_image[at + 1] = static_cast<std::uint8_t>(v >> 8);
    }
    void U32(std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) m_image[at + i] = static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF);
    }
    void ShortString(std::size_t at, const QByteArray& bytes, std::size_t capacity) {
        const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(bytes.size()), capacity);
        m_image[at] = static_cast<std::uint8_t>(n);
        std::copy_n(reinterpret_cast<const std::uint8_t*>(bytes.constData()), n, m_image.begin() + at + 1);
    }
    void Placement(std::size_t at, const WindowPlacement& p) {
        U32(at, static_cast<std::uint32_t>(p.Left));
        U32(at + 4, static_cast<std::uint32_t>(p.Top));
        U32(at + 8, static_cast<std::uint32_t>(p.Right));
        U32(at + 12, static_cast<std::uint32_t>(p.Bottom));
        U8(at + 16, p.State);
    }

private:
    std::array<std::uint8_t, SettingsRecord::kSize>& m_image;
};

class ImageReader {
public:
    explicit ImageReader(std::span<const std::uint8_t> image) : m_image(image) {}
    std::uint8_t U8(std::size_t at) const { return m_image[at]; }
    std::uint16_t U16(std::size_t at) const {
        return static_cast<std::uint16_t>(m_image[at] | (m_image[at + 1] << 8));
    }
    std::uint32_t U32(std::size_t at) const {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(m_image[at + i]) << (8 * i);
        return v;
    }
    QByteArray ShortString(std::size_t at, std::size_t capacity) const {
        const std::size_t n = std::min<std::size_t>(m_image[at], capacity);
        return {reinterpret_cast<const char*>(m_image.data() + at + 1), static_cast<qsizetype>(n)};
    }
    WindowPlacement Placement(std::size_t at) const {
        return WindowPlacement{static_cast<std::int32_t>(U32(at)), static_cast<std::int32_t>(U32(at + 4)),
                               static_cast<std::int32_t>(U32(at + 8)),
                               static_cast<std::int32_t>(U32(at + 12)), U8(at + 16)};
    }

private:
    std::span<const std::uint8_t> m_image;
};

constexpr std::size_t kPlacementOffsets[6] = {273, 290, 307, 324, 341, 358};
}  // namespace

std::array<std::uint8_t, SettingsRecord::kSize> SettingsRecord::ToBytes() const {
    std::array<std::uint8_t, kSize> image{};
    ImageWriter w(image);
    w.ShortString(0, Version, kVersionCapacity);
    const QByteArray name = LogbookName.toUtf8();
    // A path that does not fit is stored empty: a cut path would name another file.
    w.ShortString(kLogbookNameOffset,
                  name.size() <= static_cast<qsizetype>(kLogbookNameCapacity) ? name : QByteArray(),
                  kLogbookNameCapacity);
    w.U8(262, UnitSystem);
    w.U8(263, LanguageIndex);
    w.U16(264, InterfacePort);
    w.U8(266, RaiseRts);
    w.U8(267, DiveChoice);
    w.U32(268, Reserved1);
    w.U8(272, DosText);
    const WindowPlacement* placements[6] = {&MainPlacement,  &DataPlacement,   &ProfilePlacement,
                                            &PanelPlacement, &TissuePlacement, &PhysioPlacement};
    for (int i = 0; i < 6; ++i) w.Placement(kPlacementOffsets[i], *placements[i]);
    w.U8(375, Reserved2);
    return image;
}

std::optional<SettingsRecord> SettingsRecord::FromBytes(std::span<const std::uint8_t> image) {
    if (image.size() < kSize) return std::nullopt;
    const ImageReader r(image.first(kSize));
    SettingsRecord s;
    // The version is compared with its length byte: "3.06" exactly.
    if (r.U8(0) != 4 || r.ShortString(0, kVersionCapacity) != QByteArray(kVersion)) return std::nullopt;
    s.Version = r.ShortString(0, kVersionCapacity);
    s.LogbookName = QString::fromUtf8(r.ShortString(kLogbookNameOffset, kLogbookNameCapacity));
    s.UnitSystem = r.U8(262) <= 1 ? r.U8(262) : 0;
    s.LanguageIndex = r.U8(263) < kLanguageCount ? r.U8(263) : 0;
    s.InterfacePort = r.U16(264);
    s.RaiseRts = r.U8(266);
    s.DiveChoice = r.U8(267);
    s.Reserved1 = r.U32(268);
    s.DosText = r.U8(272);
    WindowPlacement* placements[6] = {&s.MainPlacement,  &s.DataPlacement,   &s.ProfilePlacement,
                                      &s.PanelPlacement, &s.TissuePlacement, &s.PhysioPlacement};
    for (int i = 0; i < 6; ++i) *placements[i] = r.Placement(kPlacementOffsets[i]);
    s.Reserved2 = r.U8(375);
    return s;
}
