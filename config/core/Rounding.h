#pragma once
// Rounding of reals to the nearest integer, ties to the even one (2.5 -> 2, 3.5 -> 4),
// independent of the floating-point environment.

#include <cmath>

inline int RoundEven(double x) {
    const double r = std::round(x);  // ties away from zero
    if (std::fabs(x - std::trunc(x)) == 0.5 && std::fmod(r, 2.0) != 0.0)
        return static_cast<int>(r - std::copysign(1.0, x));
    return static_cast<int>(r);
}
