#pragma once
// One coefficient record of KvREAL.TAB or KvFIKT.TAB: for each of the eight compartments
// the uptake factor k of one step and the tolerated pressure a + P / b at ambient
// pressure P.

#include <array>

struct TCoeffTriple {
    double k = 0;
    double a = 0;
    double b = 0;
};

struct TCoeffRecord {
    std::array<TCoeffTriple, 8> Compartments{};
};

inline constexpr int kCoeffRecordSize = 144;  // 24 reals of 6 bytes
