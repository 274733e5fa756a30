#include "DosText.h"

namespace {
constexpr std::array<std::uint8_t, 128> MakeOemToAnsi() {
    constexpr std::uint8_t kFirst48[48] = {
        0xC7, 0xFC, 0xE9, 0xE2, 0xE4, 0xE0, 0xE5, 0xE7, 0xEA, 0xEB, 0xE8, 0xEF, 0xEE, 0xEC, 0xC0, 0xC5,
        0xC9, 0xE6, 0xC6, 0xF4, 0xF6, 0xF5, 0xFB, 0xF9, 0xFF, 0xD6, 0xDC, 0x9B, 0x9C, 0x9D, 0x9E, 0x9F,
        0xE1, 0xED, 0xF3, 0xFA, 0xF1, 0xD1, 0xA6, 0xB0, 0xBF, 0xA9, 0xAA, 0xBD, 0xBC, 0xAD, 0xAE, 0xAF};
    std::array<std::uint8_t, 128> t{};
    for (int i = 0; i < 128; ++i) t[i] = i < 48 ? kFirst48[i] : static_cast<std::uint8_t>(0x80 + i);
    return t;
}

// For each Windows-1252 byte 0x80..0xFF the DOS byte of its first table entry, or the
// byte itself when the table does not hold it.
constexpr std::array<std::uint8_t, 128> MakeAnsiToOem(const std::array<std::uint8_t, 128>& oem) {
    std::array<std::uint8_t, 128> t{};
    for (int b = 0; b < 128; ++b) {
        t[b] = static_cast<std::uint8_t>(0x80 + b);
        for (int i = 0; i < 128; ++i) {
            if (oem[i] == 0x80 + b) {
                t[b] = static_cast<std::uint8_t>(0x80 + i);
                break;
            }
        }
    }
    return t;
}
}  // namespace

const std::array<std::uint8_t, 128> OemToAnsiTable = MakeOemToAnsi();

namespace {
const std::array<std::uint8_t, 128> kAnsiToOem = MakeAnsiToOem(MakeOemToAnsi());
}

QByteArray DosToAnsi(const QByteArray& dos) {
    QByteArray out = dos;
    for (char& c : out) {
        const auto b = static_cast<std::uint8_t>(c);
        if (b >= 0x80) c = static_cast<char>(OemToAnsiTable[b - 0x80]);
    }
    return out;
}

std::uint8_t AnsiToDosByte(std::uint8_t ansi) { return ansi < 0x80 ? ansi : kAnsiToOem[ansi - 0x80]; }

QByteArray AnsiToDos(const QByteArray& ansi) {
    QByteArray out = ansi;
    for (char& c : out) c = static_cast<char>(AnsiToDosByte(static_cast<std::uint8_t>(c)));
    return out;
}
