#include <cmath>
#include <stdexcept>

#include <gtest/gtest.h>

#include "Real48.h"

namespace {

using Bytes = std::array<std::uint8_t, 6>;

struct RealCase {
    Bytes bytes;
    double value;
};

class Real48Known : public ::testing::TestWithParam<RealCase> {};

TEST_P(Real48Known, DecodesAndEncodes) {
    const RealCase& c = GetParam();
    EXPECT_EQ(Real48ToDouble(c.bytes.data()), c.value);
    EXPECT_EQ(DoubleToReal48(c.value), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Real48Known,
    ::testing::Values(RealCase{{0x81, 0, 0, 0, 0, 0x00}, 1.0}, RealCase{{0x80, 0, 0, 0, 0, 0x00}, 0.5},
                      RealCase{{0x81, 0, 0, 0, 0, 0x80}, -1.0}, RealCase{{0x82, 0, 0, 0, 0, 0x40}, 3.0},
                      RealCase{{0x84, 0, 0, 0, 0, 0x20}, 10.0}, RealCase{{0x7E, 0, 0, 0, 0, 0xC0}, -0.1875},
                      RealCase{{0, 0, 0, 0, 0, 0}, 0.0}));

TEST(Real48, ExponentZeroIsZeroWhateverTheMantissa) {
    const Bytes b = {0x00, 0x12, 0x34, 0x56, 0x78, 0xFF};
    EXPECT_EQ(Real48ToDouble(b.data()), 0.0);
}

TEST(Real48, MantissaIsLeastSignificantByteFirst) {
    // m = 1: 1 + 2^-39
    const Bytes b = {0x81, 0x01, 0, 0, 0, 0};
    EXPECT_EQ(Real48ToDouble(b.data()), 1.0 + std::ldexp(1.0, -39));
}

TEST(Real48, RoundTripKeepsThirtyNineBits) {
    for (double v : {0.20703125, 0.68359375, 29.266, -0.063, 1e-30, 123456.789, 2.0 / 3.0, 0.0462}) {
        const double back = Real48ToDouble(DoubleToReal48(v).data());
        EXPECT_LE(std::fabs(back - v), std::fabs(v) * std::ldexp(1.0, -39)) << v;
        EXPECT_EQ(DoubleToReal48(back), DoubleToReal48(v)) << v;
    }
}

TEST(Real48, RoundingCarriesIntoTheExponent) {
    const double justBelowTwo = 2.0 - std::ldexp(1.0, -45);
    EXPECT_EQ(Real48ToDouble(DoubleToReal48(justBelowTwo).data()), 2.0);
}

TEST(Real48, OutOfRangeValues) {
    EXPECT_EQ(DoubleToReal48(1e-60), (Bytes{}));  // below the smallest real: 0
    EXPECT_THROW(DoubleToReal48(1e60), std::range_error);
    EXPECT_THROW(DoubleToReal48(std::nan("")), std::range_error);
}

}  // namespace
