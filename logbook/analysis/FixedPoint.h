#pragma once
// Fixed-point cuts of the dive computer's arithmetic. The tissue model keeps its
// intermediate values in binary fractions of n bits (2^n steps per unit); the replay
// must cut them the same way or its no-stop and stop times drift from what the diver saw.
//
//   double t = QTrunc(12, x);   // toward zero, 1/4096 steps
//   double r = QRound(8, x);    // nearest 1/256, halves to the even step
//   double c = QCeil(8, 1.0);   // 1.00390625: always one step up

#include <array>
#include <cmath>
#include <cstdint>

namespace kv::fixedpoint {

// 2^n for the fraction widths in use; wider cuts fall back to ldexp.
inline constexpr int kTableBits = 32;
inline constexpr auto kPow2 = [] {
    std::array<double, kTableBits + 1> t{};
    double v = 1;
    for (int n = 0; n <= kTableBits; ++n, v *= 2) t[static_cast<std::size_t>(n)] = v;
    return t;
}();

inline constexpr auto kInvPow2 = [] {
    std::array<double, kTableBits + 1> t{};
    double v = 1;
    for (int n = 0; n <= kTableBits; ++n, v /= 2) t[static_cast<std::size_t>(n)] = v;
    return t;
}();

inline double Pow2(int n) {
    return n >= 0 && n <= kTableBits ? kPow2[static_cast<std::size_t>(n)] : std::ldexp(1.0, n);
}
// 2^-n: multiplying by it gives the same correctly rounded result as dividing by 2^n.
inline double InvPow2(int n) {
    return n >= 0 && n <= kTableBits ? kInvPow2[static_cast<std::size_t>(n)] : std::ldexp(1.0, -n);
}

// Whole part toward zero of a scaled value. Values beyond the 64-bit range are already
// whole numbers in a double, so they pass unchanged.
inline double TruncScaled(double v) {
    if (std::fabs(v) < 9.0e18) {
        return static_cast<double>(static_cast<std::int64_t>(v));
    }
    return v;
}

// Nearest whole number, halves to the even one, in the default rounding mode. Adding and
// taking away 1.5 * 2^52 leaves no fraction bits, so the sum itself is the IEEE rounding
// (the compiler keeps both operations: the sum is not re-associated without fast-math).
inline double RoundScaled(double v) {
    constexpr double kShift = 6755399441055744.0;  // 1.5 * 2^52
    if (std::fabs(v) < 2251799813685248.0) {       // 2^51
        return (v + kShift) - kShift;
    }
    return std::nearbyint(v);
}

}  // namespace kv::fixedpoint

inline double QTrunc(int n, double x) {
    return kv::fixedpoint::TruncScaled(x * kv::fixedpoint::Pow2(n)) * kv::fixedpoint::InvPow2(n);
}

inline double QRound(int n, double x) {
    return kv::fixedpoint::RoundScaled(x * kv::fixedpoint::Pow2(n)) * kv::fixedpoint::InvPow2(n);
}

inline double QCeil(int n, double x) {
    return (kv::fixedpoint::TruncScaled(x * kv::fixedpoint::Pow2(n)) + 1.0) * kv::fixedpoint::InvPow2(n);
}

// QTrunc(20, k * QTrunc(n, x)), the uptake step of a compartment, for n = 0..20 and a
// factor k read from the tables (a 48-bit real, so k * 2^(20 - n) is exact). The cut to n
// bits is kept in its scaled form and k scaled once: scaling by a power of two commutes
// with the rounding of the product, so the result is the same double as the two cuts give
// one after the other, with two multiplications fewer on the way.
inline double QTruncUptake(int n, double k, double x) {
    const double steps = kv::fixedpoint::TruncScaled(x * kv::fixedpoint::Pow2(n));
    return kv::fixedpoint::TruncScaled(steps * (k * kv::fixedpoint::Pow2(20 - n))) *
           kv::fixedpoint::InvPow2(20);
}

// Nearest whole number, halves to the even neighbour (the rounding of every real that
// becomes a stored or shown integer).
inline double RoundEven(double x) { return kv::fixedpoint::RoundScaled(x); }
