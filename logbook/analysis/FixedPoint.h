#pragma once
// Fixed-point cuts of the dive computer's arithmetic. The tissue model keeps its
// intermediate values in binary fractions of n bits (2^n steps per unit); the replay
// must cut them the same way or its no-stop and stop times drift from what the diver saw.
//
//   double t = QTrunc(12, x);   // toward zero, 1/4096 steps
//   double r = QRound(8, x);    // nearest 1/256, halves to the even step
//   double c = QCeil(8, 1.0);   // 1.00390625: always one step up

#include <cmath>
#include <cstdint>

namespace kv::fixedpoint {

// Whole part toward zero of a scaled value. Values beyond the 64-bit range are already
// whole numbers in a double, so they pass unchanged.
inline double TruncScaled(double v) {
    if (std::fabs(v) < 9.0e18) {
        return static_cast<double>(static_cast<std::int64_t>(v));
    }
    return v;
}

}  // namespace kv::fixedpoint

inline double QTrunc(int n, double x) {
    const double scale = std::ldexp(1.0, n);
    return kv::fixedpoint::TruncScaled(x * scale) / scale;
}

inline double QRound(int n, double x) {
    const double scale = std::ldexp(1.0, n);
    return std::nearbyint(x * scale) / scale;
}

inline double QCeil(int n, double x) {
    const double scale = std::ldexp(1.0, n);
    return (kv::fixedpoint::TruncScaled(x * scale) + 1.0) / scale;
}

// Nearest whole number, halves to the even neighbour (the rounding of every real that
// becomes a stored or shown integer).
inline double RoundEven(double x) { return std::nearbyint(x); }
