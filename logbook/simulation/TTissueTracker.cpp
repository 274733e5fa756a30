#include "TTissueTracker.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::array<double, 8> kHalfTimes = {5, 10, 20, 40, 80, 160, 320, 640};
constexpr double kWaterVapour = 0.063;

// Minutes of exposure allowed at a pO2 (published single-exposure limits).
double CnsLimitMinutes(double po2) {
    struct Row {
        double PO2;
        double Minutes;
    };
    constexpr Row kRows[] = {{0.6, 720}, {0.7, 570}, {0.8, 450}, {0.9, 360}, {1.0, 300}, {1.1, 240},
                             {1.2, 210}, {1.3, 180}, {1.4, 150}, {1.5, 120}, {1.6, 45}};
    if (po2 < 0.5) {
        return 0;
    }
    if (po2 < kRows[0].PO2) {
        return kRows[0].Minutes;
    }
    for (std::size_t i = 1; i < std::size(kRows); ++i) {
        if (po2 <= kRows[i].PO2) {
            const double share = (po2 - kRows[i - 1].PO2) / (kRows[i].PO2 - kRows[i - 1].PO2);
            return kRows[i - 1].Minutes + share * (kRows[i].Minutes - kRows[i - 1].Minutes);
        }
    }
    return 45;
}

}  // namespace

TTissueTracker::TTissueTracker(int altitudeRange) {
    constexpr double kPressure[] = {0.921875, 0.828125, 0.73828125, 0.62109375};
    constexpr double kN2[] = {0.68359375, 0.609375, 0.5390625, 0.4453125};
    const int r = std::clamp(altitudeRange, 1, 4) - 1;
    m_surfacePressure = kPressure[r];
    m_surfaceN2 = kN2[r];
    m_tissue.fill(m_surfaceN2);
}

void TTissueTracker::Step(double ambient, double o2Fraction, double minutes) {
    const double inspired = std::max(0.0, (1 - o2Fraction) * (ambient - kWaterVapour));
    for (std::size_t j = 0; j < m_tissue.size(); ++j) {
        const double k = 1 - std::pow(2.0, -minutes / kHalfTimes[j]);
        m_tissue[j] += k * (inspired - m_tissue[j]);
    }
    const double po2 = o2Fraction * ambient;
    const double limit = CnsLimitMinutes(po2);
    if (limit > 0) {
        m_cns += minutes / limit * 100;
    }
}

void TTissueTracker::Dive(const std::vector<TPlanSample>& samples, double o2Fraction, bool scr) {
    int maxBubble = 0;
    double maxDepth = 0;
    for (const TPlanSample& s : samples) {
        const double depth = s.DepthUnits / 64.0;
        const double fraction = scr ? s.LoopO2 / 100.0 : o2Fraction;
        Step(m_surfacePressure + depth, fraction, 1.0 / 3.0);
        maxBubble = std::max(maxBubble, s.Bubble);
        maxDepth = std::max(maxDepth, depth);
    }
    // Deeper and bubblier dives leave more silent bubbles behind.
    m_bubble += 0.15 * maxBubble + std::max(0.0, maxDepth - 2.0) * 0.1;
}

void TTissueTracker::Surface(double minutes) {
    // At the surface the tissues give off nitrogen towards the saturated surface value.
    for (std::size_t j = 0; j < m_tissue.size(); ++j) {
        const double k = 1 - std::pow(2.0, -minutes / kHalfTimes[j]);
        m_tissue[j] += k * (m_surfaceN2 - m_tissue[j]);
    }
    m_cns *= std::pow(2.0, -minutes / 90.0);
    m_bubble *= std::pow(2.0, -minutes / 60.0);
}
