#pragma once
// The settings side of the simulated dive computer: the settings memory (area 2) of a
// breath, nitrox or rebreather (SCR) model, so that Read, Write and Wake up can be tried
// without hardware. The built-in default is the SCR model, which offers every group.
//
//   TSimMemory& mem = linkPort.Simulator().Box().Memory();
//   LoadSimulatedSettings(mem, TSimModel::Scr);     // model code 0xA4

#include <cstdint>

#include "TSimMemory.h"

enum class TSimModel { Breath, Nitrox, Scr };

// Model codes: breath 0x04 (breath warning only), nitrox 0xF1 (nitrox without breath
// warning and premix), SCR 0xA4 (breath, nitrox and SCR).
std::uint8_t SimModelCode(TSimModel model);

// Fills the addresses of the read list: the model code, metric units, buzzer on,
// 50 bar reserve, breath warning [0], 1.50 bar and 4 h, work load high, sensitivity [0],
// 123 dives, a full battery and the 24-bit serial number of the memory.
void LoadSimulatedSettings(TSimMemory& memory, TSimModel model = TSimModel::Scr);

// For a scenario: every address of the read list that the scenario leaves unset gets the
// value of the built-in SCR model, so a scenario can choose another model with the one
// line "setting 2 0x07BC 0x04".
void CompleteSimulatedSettings(TSimMemory& memory);
