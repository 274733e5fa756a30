#pragma once
// The 48-bit real of the parameter tables: byte 0 is the biased exponent (0 means the
// value 0), bytes 1..5 the 39-bit mantissa, least significant byte first, with bit 7 of
// byte 5 as the sign. value = (-1)^s * (1 + m / 2^39) * 2^(e - 129).
//
//   double k = Real48ToDouble(bytes);            // 81 00 00 00 00 00 -> 1.0
//   std::array<std::uint8_t, 6> b = DoubleToReal48(0.5);   // 80 00 00 00 00 00

#include <array>
#include <cstdint>
#include <span>

inline constexpr int kReal48Size = 6;

double Real48ToDouble(std::span<const std::uint8_t, kReal48Size> bytes);
double Real48ToDouble(const std::uint8_t* bytes);

// Nearest 48-bit real (mantissa rounded to nearest, halves to even). Values too small for
// the format become 0; values too large, infinities and NaN are refused with
// std::range_error, since a table holding them could not be read back.
std::array<std::uint8_t, kReal48Size> DoubleToReal48(double value);
