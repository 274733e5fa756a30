#pragma once
// The full logbook of the benchmarks: 65535 downloaded dives with profiles of 150 to 449
// bytes and a few texts, about 28 MB on disk.

#include <QString>
#include <cstddef>
#include <memory>

#include "LogbookFile.h"
#include "TDiveCollection.h"
#include "TDiveRec.h"

namespace bench {

inline std::unique_ptr<TDiveRec> MakeDive(std::size_t i) {
    auto d = std::make_unique<TDiveRec>();
    d->DayNo = static_cast<std::int32_t>(150000 + i / 3);
    d->StartTime = static_cast<std::uint16_t>(540 + (i % 3) * 180);
    d->Location = "Marsa Alam";
    d->Site = "Elphinstone Reef";
    d->Buddies = "J\xFCrgen, Ana\xEFs";
    d->Remarks = "Str\xF6mung von Nord, Sicht 25 m";
    d->MaxDepth = static_cast<std::int16_t>(1000 + i % 3000);
    d->DiveTime = static_cast<std::uint16_t>(30 + i % 40);
    d->DeviceTime = static_cast<std::uint32_t>(1000 + i * 7200);
    d->HwSw = 0xA3;
    // About 45 minutes at three samples per minute plus the block head.
    const std::uint16_t length = static_cast<std::uint16_t>(150 + i % 300);
    d->ProfileBlock.resize(length + 2u);
    d->ProfileBlock[0] = static_cast<std::uint8_t>(length & 0xFF);
    d->ProfileBlock[1] = static_cast<std::uint8_t>(length >> 8);
    for (std::size_t k = 2; k < d->ProfileBlock.size(); ++k)
        d->ProfileBlock[k] = static_cast<std::uint8_t>(k * 31 + i);
    return d;
}

// Writes the full logbook to `path`; `reversed` stores it newest first, so loading has to
// sort every dive.
inline bool WriteLargeLogbook(const QString& path, bool reversed) {
    TDiveCollection log;
    for (std::size_t n = 0; n < TDiveCollection::kMaxDives; ++n) {
        auto d = MakeDive(reversed ? TDiveCollection::kMaxDives - 1 - n : n);
        // Appended as a hand-entered dive and given its clock value afterwards, which
        // skips the duplicate scan of each download step.
        const std::uint32_t clock = d->DeviceTime;
        d->DeviceTime = 0;
        log.AddDive(std::move(d), 0, 1);
        log.At(n).DeviceTime = clock;
    }
    return SaveLogbookFile(path, log, false).Ok();
}

}  // namespace bench
