// The profile decoder and a replay through the tissue model with the delivered tables:
// any profile block of any family decodes or is refused, and a replay keeps every shown
// value within its range. The first 13 bytes give the dive's values and the replay's options.

#include <memory>

#include "DiveProfile.h"
#include "FuzzSupport.h"
#include "ProfileDecoder.h"
#include "TParameterTables.h"
#include "TTissueModel.h"

namespace {
TParameterTables& Tables() {
    static TParameterTables* tables = [] {
        auto* t = new TParameterTables(QStringLiteral(KV_SOURCE_DIR "/data"));
        t->OpenParameterTables();
        return t;
    }();
    return *tables;
}
std::uint16_t Word(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kInfo = 13;
    if (size < kInfo) return 0;
    // byte 0 HwSw, 1..11 the dive's values as stored in its record, 12 flags: bit 0
    // replay, bit 1 imperial units, bit 2 no air consumption delivered (HwSw bit 8).
    ProfileDiveInfo info;
    info.HwSw = static_cast<std::uint16_t>(data[0] | ((data[12] & 4) << 6));
    info.DiveType = Word(data + 1);
    info.AltitudeRange = data[3];
    info.TankSize = static_cast<std::int16_t>(Word(data + 4));
    info.AirConsumption = Word(data + 6);
    info.DiveTime = Word(data + 8);
    info.MinWaterTemp = static_cast<std::int16_t>(Word(data + 10));
    const bool replay = (data[12] & 1) != 0;
    const bool imperial = (data[12] & 2) != 0;
    auto profile = std::make_unique<DiveProfile>();
    if (!DecodeProfile(*profile, FuzzBytes(data + kInfo, size - kInfo), info)) return 0;
    FUZZ_CHECK(profile->Count >= 0, "a decoded profile has its end point");
    if (!replay) return 0;
    TTissueModel model(Tables());
    model.ModelReset(*profile, info, imperial);
    model.ReplayAll();
    for (int i = 0; i <= profile->Count; ++i) {
        const ProfilePoint& p = profile->Points[static_cast<std::size_t>(i)];
        FUZZ_CHECK(p.StopIndex <= 10, "the stop is one of the table's");
        FUZZ_CHECK(p.NoStopTime <= 99 && p.StopTime <= 99 && p.AscentTime <= 99,
                   "shown times fit two digits");
        FUZZ_CHECK(p.CNSPercent <= 125, "oxygen toxicity is capped");
    }
    return 0;
}
