#pragma once
// A plain Haldane tracker of eight nitrogen compartments (half-times 5 .. 640 minutes),
// the oxygen toxicity clock and a microbubble load, carried from one dive of a series to
// the next. It only produces plausible start values for the profile headers of the
// example dives; the logbook's own analysis replays the dive with its full model.
//
//   TTissueTracker tracker(1);                 // altitude range 1
//   plan.InitialTissue = tracker.Tissues();    // before the dive
//   tracker.Dive(SamplePlan(plan), 0.32);      // 32 % nitrox
//   tracker.Surface(95);                       // surface interval in minutes

#include <array>
#include <vector>

#include "ProfileEncoder.h"

class TTissueTracker {
public:
    explicit TTissueTracker(int altitudeRange);

    const std::array<double, 8>& Tissues() const { return m_tissue; }
    double CNS() const { return m_cns; }
    double Bubble() const { return m_bubble; }

    void Dive(const std::vector<TPlanSample>& samples, double o2Fraction, bool scr = false);
    void Surface(double minutes);

private:
    void Step(double ambient, double o2Fraction, double minutes);

    double m_surfacePressure;
    double m_surfaceN2;
    std::array<double, 8> m_tissue{};
    double m_cns = 0;
    double m_bubble = 0;
};
