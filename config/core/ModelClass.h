#pragma once
// The three classes of dive computer models, told apart by the model code (block
// byte 1). They decide which settings groups the window offers and which entries a
// write sends. A rebreather (SCR) model is always also a nitrox model.
//
//   if (IsScrModel(code)) ...   // 0xA4: breath, nitrox and SCR

#include <cstdint>

// Air-integrated models with a breath warning: low nibble 0, 4, 8 or 12.
constexpr bool IsBreathModel(std::uint8_t code) { return (code & 0x03) == 0; }
// Nitrox models: high nibble 0xA or 0xF.
constexpr bool IsNitroxModel(std::uint8_t code) { return (code >> 4) == 0xA || (code >> 4) == 0xF; }
// Semi-closed rebreather models: high nibble 0xA.
constexpr bool IsScrModel(std::uint8_t code) { return (code >> 4) == 0xA; }
