#pragma once
// The write list: the controls' values as 4-byte entries (value, memory area 0 or 2,
// 16-bit little-endian address). Area 2 is the settings memory that a read returns;
// area 0 holds the dive computer's working copies, some of them split into nibbles.
// Which entries are sent depends on the model class of the last read.
//
//   std::vector<std::uint8_t> list = EncodeSettings(positions, 0xA4);   // 52 bytes

#include <array>
#include <cstdint>
#include <vector>

#include "TCfPositions.h"

struct TWriteEntry {
    std::uint8_t Value = 0;
    std::uint8_t Area = 0;
    std::uint16_t Address = 0;
};

// The values of the controls: U, B, R (bar), W, P, T, K, S.
struct TSettingsValues {
    int U = 0, B = 0, R = 30, W = 52, P = 0, T = 0, K = 0, S = 0;
};
TSettingsValues ValuesOfPositions(const TCfPositions& positions);

// The thirteen entries, the SCR parts of entries 2 and 10 and the address of entry 9
// chosen by the model.
std::array<TWriteEntry, 13> WriteEntries(const TSettingsValues& values, std::uint8_t modelCode);

// The entries sent for the model, in order: 0, 1, 2; 3 ... 8 for a breath model;
// 9, 10 for a nitrox model, else 10 alone with the value 6 (1.50 bar, premix code 0);
// 11, 12 for an SCR model.
std::vector<TWriteEntry> WriteListEntries(const TSettingsValues& values, std::uint8_t modelCode);

// The list as sent: 4 bytes per entry (12 ... 52 bytes).
std::vector<std::uint8_t> EncodeSettings(const TCfPositions& positions, std::uint8_t modelCode);
