#pragma once
// Numbers of Kelwin's messages that the download shows, and the kind of box each one is
// shown in. The texts live in the message tables (GetMessage); the download only names them.

#include <cstdint>

namespace DownloadMessage {
constexpr int AcceptNewComputer = 0;   // "Data originates from a different computer! ..." (Yes/No)
constexpr int NotSupported = 1;        // "Dive computer not supported by this Kelvara version!"
constexpr int BatterySaving = 43;      // "Transfer cancelled to save battery capacity!"
constexpr int PcLinkError = 44;        // "Communication error between Lumilink and PC!"
constexpr int ComputerLinkError = 45;  // "Communication error between Lumilink and dive computer!"
constexpr int DifferentComputer = 46;  // "Data originate from a different dive computer! ..."
constexpr int InReset = 47;            // "Divecomputer is in reset."
constexpr int LumilinkNotFound = 48;   // "Lumilink not found!"
constexpr int EepromOnly = 50;         // "Device Err: Read only possible for EEPROM data"
constexpr int WakeUp = 51;             // "Wake up"
}  // namespace DownloadMessage

// The box a message is shown in.
enum class TMessageBox : std::uint8_t { Error, Information };
