#include "Real48.h"

#include <cmath>
#include <stdexcept>

double Real48ToDouble(const std::uint8_t* bytes) {
    const int exponent = bytes[0];
    if (exponent == 0) {
        return 0.0;
    }
    std::uint64_t mantissa = 0;
    for (int i = 5; i >= 1; --i) {
        mantissa = (mantissa << 8) | bytes[i];
    }
    const bool negative = (mantissa & (std::uint64_t{1} << 39)) != 0;
    mantissa &= (std::uint64_t{1} << 39) - 1;
    const double value = std::ldexp(1.0 + std::ldexp(static_cast<double>(mantissa), -39), exponent - 129);
    return negative ? -value : value;
}

double Real48ToDouble(std::span<const std::uint8_t, kReal48Size> bytes) {
    return Real48ToDouble(bytes.data());
}

std::array<std::uint8_t, kReal48Size> DoubleToReal48(double value) {
    std::array<std::uint8_t, kReal48Size> out{};
    if (!std::isfinite(value)) {
        throw std::range_error("value cannot be stored as a 48-bit real");
    }
    if (value == 0.0) {
        return out;
    }
    const bool negative = value < 0;
    int exp2 = 0;
    // frexp gives f in [0.5, 1): value = f * 2^exp2 = (2f) * 2^(exp2 - 1).
    const double f = std::frexp(std::fabs(value), &exp2);
    int exponent = exp2 - 1 + 129;
    // 1 + m / 2^39 = 2f; m = (2f - 1) * 2^39, rounded to the nearest step.
    double m = std::nearbyint(std::ldexp(2.0 * f - 1.0, 39));
    if (m >= std::ldexp(1.0, 39)) {  // rounding carried into the next power of two
        m = 0;
        ++exponent;
    }
    if (exponent < 1) {
        return out;  // below the smallest 48-bit real: stored as 0
    }
    if (exponent > 255) {
        throw std::range_error("value too large for a 48-bit real");
    }
    auto mantissa = static_cast<std::uint64_t>(m);
    if (negative) {
        mantissa |= std::uint64_t{1} << 39;
    }
    out[0] = static_cast<std::uint8_t>(exponent);
    for (int i = 1; i <= 5; ++i) {
        out[i] = static_cast<std::uint8_t>(mantissa & 0xFF);
        mantissa >>= 8;
    }
    return out;
}
