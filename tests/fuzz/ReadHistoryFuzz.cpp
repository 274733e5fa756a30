// The read history MemData.HST: 28-byte records whose first 8 bytes are a date as days
// since 30 December 1899 (IEEE double). Any value, also NaN, infinite or far outside the
// calendar, turns into a date or an invalid one without undefined behaviour; a valid date
// written again gives a record that reads back to the same minute.

#include <QDateTime>
#include <array>
#include <cmath>
#include <cstring>

#include "FuzzSupport.h"
#include "ReadHistory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (std::size_t at = 0; at + kHistoryRecordSize <= size; at += kHistoryRecordSize) {
        double serial = 0;
        std::uint8_t little[8];
        std::memcpy(little, data + at, 8);
        std::uint64_t bits = 0;
        for (int i = 7; i >= 0; --i) bits = (bits << 8) | little[i];
        std::memcpy(&serial, &bits, sizeof serial);
        const QDateTime when = SerialToDateTime(serial);
        if (!when.isValid()) continue;
        std::array<std::uint8_t, 20> settings{};
        std::memcpy(settings.data(), data + at + 8, settings.size());
        const auto record = HistoryRecord(when, settings);
        FUZZ_CHECK(std::memcmp(record.data() + 8, settings.data(), settings.size()) == 0,
                   "the settings bytes are kept");
        FUZZ_CHECK(std::isfinite(DateTimeToSerial(when)), "a valid date has a finite serial");
    }
    return 0;
}
