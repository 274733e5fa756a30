#pragma once
// Texts of logbooks written by the DOS versions: bytes 0x80..0xFF of the DOS code page
// are mapped to Windows-1252 by a fixed 128-entry table, and back by the first entry
// that holds the byte.

#include <QByteArray>
#include <array>
#include <cstdint>

// Entry i: the Windows-1252 byte of DOS byte 0x80 + i.
extern const std::array<std::uint8_t, 128> OemToAnsiTable;

QByteArray DosToAnsi(const QByteArray& dos);
// A byte that the table does not hold is written unchanged.
QByteArray AnsiToDos(const QByteArray& ansi);
std::uint8_t AnsiToDosByte(std::uint8_t ansi);
