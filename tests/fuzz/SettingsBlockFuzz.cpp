// The configuration tool's settings block from a reply image: any image gives a block or
// nothing; a block decodes to control positions within their ranges, from which a write
// list of whole entries is made.

#include "EncodeSettings.h"
#include "FuzzSupport.h"
#include "SettingsDecoder.h"
#include "TSettingsBlock.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<TSettingsBlock> block = TSettingsBlock::FromImage(FuzzBytes(data, size));
    if (!block) return 0;
    const TBlockView v = DecodeSettingsBlock(*block);
    const TCfPositions& p = v.Positions;
    FUZZ_CHECK(p.Units >= 0 && p.Units <= 1 && p.Buzzer >= 0 && p.Buzzer <= 1, "radio groups in range");
    FUZZ_CHECK(p.Res >= 0 && p.Res <= TCfPositions::kResMax, "tank reserve in range");
    FUZZ_CHECK(p.Lung >= 0 && p.Lung <= TCfPositions::kLungMax, "breath warning in range");
    FUZZ_CHECK(p.PpO2 >= 0 && p.PpO2 <= TCfPositions::kPpO2Max, "pO2 limit in range");
    FUZZ_CHECK(p.TIniO2 >= 0 && p.TIniO2 <= TCfPositions::kTIniO2Max, "premix reset in range");
    FUZZ_CHECK(p.VO2Limit >= 0 && p.VO2Limit <= TCfPositions::kVO2LimitMax, "work load in range");
    FUZZ_CHECK(p.SensVO2 >= 0 && p.SensVO2 <= TCfPositions::kSensVO2Max, "sensitivity in range");
    FUZZ_CHECK(v.Battery >= 0 && v.Battery <= 99, "battery gauge in range");
    const std::vector<std::uint8_t> list = EncodeSettings(p, v.ModelCode);
    FUZZ_CHECK(list.size() >= 12 && list.size() <= 52 && list.size() % 4 == 0, "whole write list entries");
    return 0;
}
