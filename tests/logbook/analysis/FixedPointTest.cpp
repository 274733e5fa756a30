#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "FixedPoint.h"
#include "Real48.h"

namespace {

struct CutCase {
    const char* name;
    double (*cut)(int, double);
    int bits;
    double x;
    double expected;
};

class FixedPointCuts : public ::testing::TestWithParam<CutCase> {};

TEST_P(FixedPointCuts, GivesTheStep) {
    const CutCase& c = GetParam();
    EXPECT_DOUBLE_EQ(c.cut(c.bits, c.x), c.expected) << c.name << "(" << c.bits << ", " << c.x << ")";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FixedPointCuts,
    ::testing::Values(
        // QCeil always adds one step, also on a whole step
        CutCase{"QCeil", QCeil, 8, 1.0, 1.00390625}, CutCase{"QCeil", QCeil, 4, 0.95, 1.0},
        CutCase{"QCeil", QCeil, 4, 0.9375, 1.0}, CutCase{"QCeil", QCeil, 8, -0.001, 0.00390625},
        // QTrunc cuts toward zero on both sides
        CutCase{"QTrunc", QTrunc, 8, 0.999, 0.99609375}, CutCase{"QTrunc", QTrunc, 8, -0.999, -0.99609375},
        CutCase{"QTrunc", QTrunc, 4, 1.0624, 1.0}, CutCase{"QTrunc", QTrunc, 20, 1e-7, 0.0},
        // QRound: nearest step, halves to the even step
        CutCase{"QRound", QRound, 8, 0.5 / 256, 0.0}, CutCase{"QRound", QRound, 8, 1.5 / 256, 2.0 / 256},
        CutCase{"QRound", QRound, 8, 2.5 / 256, 2.0 / 256},
        CutCase{"QRound", QRound, 4, -1.5 / 16, -2.0 / 16}, CutCase{"QRound", QRound, 4, 0.70, 0.6875}));

TEST(FixedPoint, HugeValuesPassThroughWhole) {
    EXPECT_EQ(QTrunc(20, 1e30), 1e30);
    EXPECT_EQ(QCeil(0, 1e30), 1e30 + 1.0);
}

TEST(FixedPoint, RoundEvenHalvesToEven) {
    EXPECT_EQ(RoundEven(0.5), 0);
    EXPECT_EQ(RoundEven(1.5), 2);
    EXPECT_EQ(RoundEven(2.5), 2);
    EXPECT_EQ(RoundEven(-2.5), -2);
}

// The uptake step as the tissue model wrote it before QTruncUptake: two cuts in a row.
double UptakeInTwoCuts(int n, double k, double x) { return QTrunc(20, k * QTrunc(n, x)); }

bool SameResult(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b) ||
           (std::isnan(a) && std::isnan(b));
}

// Uptake factors as the tables hold them: any 48-bit real, of either sign.
double RandomTableFactor(std::mt19937_64& random) {
    std::array<std::uint8_t, kReal48Size> bytes{};
    const std::uint64_t bits = random();
    bytes[0] = static_cast<std::uint8_t>(bits % 3 == 0 ? 100 + bits % 40 : 1 + (bits >> 8) % 255);
    for (int i = 1; i < kReal48Size; ++i)
        bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(bits >> (8 * i));
    return Real48ToDouble(bytes);
}

TEST(FixedPointUptake, EqualsTheTwoCutsForTableFactors) {
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> pressure(-4.0, 4.0);
    std::uniform_int_distribution<int> exponent(-60, 70);
    const std::vector<double> edges = {0.0,
                                       -0.0,
                                       1.0 / 256,
                                       -1.0 / 256,
                                       0.5 / 256,
                                       1.0 / 65536,
                                       0.999999,
                                       9.0e18 / 256,
                                       -9.0e18 / 256,
                                       1e300,
                                       -1e300,
                                       std::numeric_limits<double>::infinity(),
                                       std::numeric_limits<double>::denorm_min(),
                                       std::numeric_limits<double>::quiet_NaN()};
    const std::vector<double> factors = {0.0, 1.0, 0.5, Real48ToDouble(DoubleToReal48(0.0010824)),
                                         Real48ToDouble(DoubleToReal48(0.12944943670387588))};
    long checked = 0;
    for (int n = 0; n <= 20; ++n) {
        for (double x : edges) {
            for (double k : factors) {
                ASSERT_TRUE(SameResult(QTruncUptake(n, k, x), UptakeInTwoCuts(n, k, x)))
                    << n << " " << k << " " << x;
                ++checked;
            }
        }
    }
    for (int i = 0; i < 400000; ++i) {
        const int n = i % 4 == 0 ? 16 : i % 4 == 1 ? 8 : static_cast<int>(random() % 21);
        const double k = i % 2 == 0 ? RandomTableFactor(random)
                                    : Real48ToDouble(DoubleToReal48(std::ldexp(pressure(random), -6)));
        // Gaps between arterial and tissue pressure, and values far outside them.
        const double x = i % 5 == 0 ? std::ldexp(pressure(random), exponent(random)) : pressure(random);
        ASSERT_TRUE(SameResult(QTruncUptake(n, k, x), UptakeInTwoCuts(n, k, x))) << n << " " << k << " " << x;
        ++checked;
    }
    EXPECT_GT(checked, 400000);
}

}  // namespace
