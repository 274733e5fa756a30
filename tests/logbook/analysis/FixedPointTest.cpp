#include <gtest/gtest.h>

#include "FixedPoint.h"

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

}  // namespace
