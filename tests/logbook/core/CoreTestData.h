#pragma once
// Builders for dive blocks and records shared by the core tests.

#include <QByteArray>
#include <cstdint>
#include <memory>
#include <vector>

#include "TDiveRec.h"
#include "TLogbookWriter.h"

namespace coretest {

// An 18-byte dive block head followed by `profile` (its length word is set from it).
struct DiveBlock {
    std::uint8_t HwSw = 0x12;
    std::uint8_t Status = 0x00;
    std::uint8_t DiveTimeBcd = 0x42;
    std::uint16_t RawDepth = 0x1000;
    std::uint8_t IntervalHoursBcd = 0;
    std::uint8_t IntervalMinutesBcd = 0;
    std::uint8_t Air = 50;
    std::uint32_t Clock = 1000;
    std::uint8_t WaterTemp = 60;
    std::vector<std::uint8_t> Profile;

    std::vector<std::uint8_t> Bytes() const {
        const std::uint8_t head[18] = {0x01,
                                       0x02,
                                       0x03,
                                       HwSw,
                                       Status,
                                       DiveTimeBcd,
                                       static_cast<std::uint8_t>(RawDepth >> 8),
                                       static_cast<std::uint8_t>(RawDepth & 0xFF),
                                       IntervalHoursBcd,
                                       IntervalMinutesBcd,
                                       Air,
                                       static_cast<std::uint8_t>(Clock & 0xFF),
                                       static_cast<std::uint8_t>((Clock >> 8) & 0xFF),
                                       static_cast<std::uint8_t>((Clock >> 16) & 0xFF),
                                       static_cast<std::uint8_t>(Clock >> 24),
                                       WaterTemp,
                                       static_cast<std::uint8_t>(Profile.size() & 0xFF),
                                       static_cast<std::uint8_t>(Profile.size() >> 8)};
        std::vector<std::uint8_t> b;
        b.reserve(sizeof head + Profile.size());
        for (std::uint8_t h : head) b.push_back(h);
        for (std::uint8_t p : Profile) b.push_back(p);
        return b;
    }
};

inline std::unique_ptr<TDiveRec> Dive(std::int32_t dayNo, std::uint16_t startTime,
                                      std::uint32_t deviceTime = 0, const char* location = "") {
    auto d = std::make_unique<TDiveRec>();
    d->DayNo = dayNo;
    d->StartTime = startTime;
    d->DeviceTime = deviceTime;
    d->Location = location;
    return d;
}

// A profile block with length word and `length` bytes counting up from `seed`.
inline std::vector<std::uint8_t> Profile(std::uint16_t length, std::uint8_t seed = 0) {
    std::vector<std::uint8_t> p = {static_cast<std::uint8_t>(length & 0xFF),
                                   static_cast<std::uint8_t>(length >> 8)};
    for (std::uint16_t i = 0; i < length; ++i) p.push_back(static_cast<std::uint8_t>(seed + i));
    return p;
}

inline QByteArray Image(const TDiveRec& rec, bool dosText = false) {
    TLogbookWriter w;
    rec.WriteToStream(w, dosText);
    return w.Data();
}

}  // namespace coretest
