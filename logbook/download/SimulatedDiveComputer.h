#pragma once
// A realistic memory for the simulated dive computer, so that a user who tries Transfer
// with the simulated box sees real-looking dives arrive: three recent trips of the example
// dives (a basic-family computer's, a family F nitrox computer's and a family A
// computer's with nitrox and a semi-closed rebreather dive), moved so that the last trip
// ended yesterday, all on one clock and under one serial number.
//
//   simPort.Box().Memory() = SimulatedDiveComputerMemory(QDateTime::currentDateTime());

#include <QDateTime>

#include "TSimMemory.h"

inline constexpr std::uint32_t kSimulatedComputerSerial = 0x05A3C1;

TSimMemory SimulatedDiveComputerMemory(const QDateTime& now);
