#include "BreathWarning.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "Rounding.h"

const TBreathConstants& BreathConstants() {
    static const TBreathConstants constants = [] {
        const double c = 0.140625 / (std::numbers::e - 1.0);
        return TBreathConstants{c, 0.048828125 - c};
    }();
    return constants;
}

int BreathCodeOfPosition(int position) {
    const auto& k = BreathConstants();
    return RoundEven((std::exp(position / 24.0) * k.c + k.d) * 512.0);
}

int BreathPositionOfCode(int code) {
    const auto& k = BreathConstants();
    // code / 512 - d is always positive (d < 0), so the logarithm is defined.
    const double ratio = (code / 512.0 - k.d) / k.c;
    return std::clamp(RoundEven(std::log(ratio) * 24.0), 0, 24);
}
