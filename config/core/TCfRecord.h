#pragma once
// The configuration tool's settings file "CF.DSK": one 26-byte little-endian record
// in the data directory, written when the program closes.
//
//   offset 0  6  signature, short string (length byte, characters, padding) "3.06"
//          6  2  InterfacePort
//          8  1  LanguageIndex 0 ... 4
//          9  4  main window left, 13 top, 17 transfer window left, 21 top (signed 32-bit)
//         25  1  spare
//
//   bool existed = false;
//   TCfRecord rec = TCfRecord::Load(dir + "CF.DSK", &existed);
//   rec.MainLeft = x;  if (const TResult r = rec.Save(path); !r.Ok()) report(r.ErrorText);

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "TResult.h"

class TCfRecord {
public:
    static constexpr std::size_t kSize = 26;
    static constexpr const char* kSignature = "3.06";
    static constexpr const char* kFileName = "CF.DSK";

    std::uint16_t InterfacePort = 0;
    std::uint8_t LanguageIndex = 0;
    std::int32_t MainLeft = 300;
    std::int32_t MainTop = 100;
    std::int32_t TransferLeft = 0;
    std::int32_t TransferTop = 200;
    std::uint8_t Spare = 0;

    std::array<std::uint8_t, kSize> Encode() const;
    // The record of 26 bytes, nullopt when the signature is not the length byte 4 followed
    // by "3.06" (a file of another version or a damaged one).
    static std::optional<TCfRecord> Decode(std::span<const std::uint8_t> bytes);

    // Reads the file. An unreadable, short or foreign file gives the defaults and is
    // deleted; *existsAfter tells whether a valid file is still there (the marker-file
    // language applies only when it is not). A language index outside 0 ... 4 is
    // replaced by English, so no lookup and no later save carries a bad index.
    static TCfRecord Load(const QString& path, bool* existsAfter = nullptr);
    // Writes the record as a new file; the previous file stays intact on any error,
    // whose text is returned in *error.
    TResult Save(const QString& path) const;

    bool operator==(const TCfRecord&) const = default;
};
