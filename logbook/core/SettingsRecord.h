#pragma once
// KVWIN.DSK: the logbook program's 376-byte settings record, carried from one run to
// the next. Serialised field by field (little-endian); a record of another version is
// not used.
//
//   SettingsRecord s = SettingsRecord::Defaults();
//   auto bytes = s.ToBytes();
//   std::optional<SettingsRecord> back = SettingsRecord::FromBytes(bytes);

#include <QByteArray>
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

enum class WindowShowState : std::uint8_t { Normal = 0, Minimised = 1, Maximised = 2 };

// Outer rectangle of a window (right and bottom exclusive) and its state.
struct WindowPlacement {
    static constexpr std::size_t kSize = 17;
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    std::uint8_t State = 0;  // WindowShowState

    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

struct SettingsRecord {
    static constexpr std::size_t kSize = 376;
    static constexpr const char* kVersion = "3.06";
    static constexpr int kLanguageCount = 5;

    QByteArray Version = kVersion;  // at most 5 bytes
    // Full path of the current logbook. Stored as UTF-8; a path longer than 255 bytes
    // is stored as the empty text rather than cut (a cut path names another file).
    QString LogbookName = QStringLiteral("NONAME.LOG");
    std::uint8_t UnitSystem = 0;      // 0 metric, 1 imperial
    std::uint8_t LanguageIndex = 0;   // 0..4
    std::uint16_t InterfacePort = 0;  // low byte: found by search, high byte: fixed by user
    std::uint8_t RaiseRts = 0;
    std::uint8_t DiveChoice = 0;  // 0 only newer dives, 1 all dives
    std::uint32_t Reserved1 = 0xFFFFFFFFu;
    std::uint8_t DosText = 0;
    WindowPlacement MainPlacement{0, 0, 640, 480, 0};
    WindowPlacement DataPlacement{0, 0, 538, 404, 0};
    WindowPlacement ProfilePlacement{0, 200, 538, 470, 0};
    WindowPlacement PanelPlacement{360, 60, 460, 260, 0};    // dive computer panel
    WindowPlacement TissuePlacement{380, 80, 480, 280, 0};   // tissue data window
    WindowPlacement PhysioPlacement{400, 100, 500, 300, 0};  // physiological data window
    std::uint8_t Reserved2 = 0;

    static SettingsRecord Defaults() { return SettingsRecord{}; }

    std::array<std::uint8_t, kSize> ToBytes() const;
    // The record of a 376-byte image, or nothing when the image is short or its
    // version is not exactly "3.06". A LanguageIndex outside 0..4 or a UnitSystem
    // outside 0..1 (damaged file) is read as 0, so no table is indexed beyond its end.
    static std::optional<SettingsRecord> FromBytes(std::span<const std::uint8_t> image);

    bool operator==(const SettingsRecord&) const = default;
};
