#include "ProfileEncoder.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

int Clamp(long value, int lo, int hi) { return static_cast<int>(std::clamp<long>(value, lo, hi)); }

int RoundToInt(double v) { return static_cast<int>(std::lround(v)); }

void PutU16LE(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void PutU16BE(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
}

// Small deterministic noise source (xorshift), one per dive.
class TNoise {
public:
    explicit TNoise(std::uint32_t seed) : m_state(seed == 0 ? 0x9E3779B9u : seed) {}
    // -1, 0 or +1, zero half of the time.
    int Wobble() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        switch (m_state & 3) {
            case 0:
                return -1;
            case 1:
                return 1;
            default:
                return 0;
        }
    }

private:
    std::uint32_t m_state;
};

struct TLegAt {
    double Depth = 0;
    const TPlanLeg* Leg = nullptr;
};

// Depth (metres) and leg at time t seconds after the start; legs own their end time.
TLegAt PlanAt(const TDivePlan& plan, double t) {
    double legStart = 0;
    double fromDepth = 0;
    for (const TPlanLeg& leg : plan.Legs) {
        const double legEnd = legStart + leg.Minutes * 60;
        if (t <= legEnd || &leg == &plan.Legs.back()) {
            const double span = legEnd - legStart;
            const double share = span > 0 ? std::clamp((t - legStart) / span, 0.0, 1.0) : 1.0;
            return {fromDepth + (leg.ToDepth - fromDepth) * share, &leg};
        }
        legStart = legEnd;
        fromDepth = leg.ToDepth;
    }
    return {};
}

double PlanSeconds(const TDivePlan& plan) {
    double total = 0;
    for (const TPlanLeg& leg : plan.Legs) {
        total += leg.Minutes * 60;
    }
    return total;
}

int LoopOxygen(const TDivePlan& plan, const TPlanLeg& leg) {
    if (!plan.SCR) {
        return plan.O2Percent;
    }
    if (leg.LoopO2 > 0) {
        return leg.LoopO2;
    }
    // The loop loses oxygen faster than the constant supply refills it when the diver
    // works harder.
    return std::clamp(plan.O2Percent - 6 - 2 * leg.Work, 17, plan.O2Percent);
}

}  // namespace

int ProfileHeaderSize(PlanFamily family) {
    switch (family) {
        case PlanFamily::A:
            return 27;
        case PlanFamily::F:
            return 26;
        case PlanFamily::Basic:
            break;
    }
    return 24;
}

std::uint8_t FamilyFOxygenIndex(int o2Percent) {
    if (o2Percent == 21) {
        return 0;
    }
    if (o2Percent < 22 || o2Percent > 50 || o2Percent % 2 != 0) {
        throw std::invalid_argument("family F stores 21 % or 22..50 % in steps of 2");
    }
    return static_cast<std::uint8_t>((o2Percent - 20) / 2);
}

std::uint8_t PO2LimitIndex(double maxPO2) {
    return static_cast<std::uint8_t>(Clamp(std::lround((maxPO2 - 1.2) / 0.05), 0, 15));
}

std::uint8_t ToBcd(int value) {
    const int v = std::clamp(value, 0, 99);
    return static_cast<std::uint8_t>(((v / 10) << 4) | (v % 10));
}

std::vector<TPlanSample> SamplePlan(const TDivePlan& plan) {
    if (plan.Legs.empty()) {
        throw std::invalid_argument("a dive plan needs at least one leg");
    }
    const double total = PlanSeconds(plan);
    std::vector<TPlanSample> samples;
    TNoise noise(plan.Seed);
    double previousDepth = 0;
    // Points every 20 s while the diver is still under water; the surfacing itself ends
    // the recording.
    for (int i = 1; 20.0 * i < total; ++i) {
        const TLegAt at = PlanAt(plan, 20.0 * i);
        int units = RoundToInt(at.Depth / 10 * 64);
        if (plan.Wobble && at.Depth > 3) {
            units += noise.Wobble();
        }
        TPlanSample s;
        s.DepthUnits = static_cast<std::uint16_t>(std::clamp(units, 0, 1023));
        s.Warnings = at.Leg->Warnings & 0x3F;
        if (RoundToInt((previousDepth - at.Depth) / 10 * 64) >= kFastAscentUnits) {
            s.Warnings |= PlanWarning::kAscent;
        }
        s.Work = std::clamp(at.Leg->Work, 0, 7);
        s.Bubble = std::clamp(at.Leg->Bubble, 0, 7);
        s.LoopO2 = LoopOxygen(plan, *at.Leg);
        samples.push_back(s);
        previousDepth = at.Depth;
    }
    const int points = static_cast<int>(samples.size());
    if (points == 0 || points > kMaxPlanPoints || (points + 2) / 3 > kMaxDiveTime) {
        throw std::invalid_argument("a dive plan must last between 40 s and 199 minutes");
    }
    return samples;
}

TDiveFacts DiveFactsOf(const TDivePlan& plan) { return DiveFactsOf(plan, SamplePlan(plan)); }

TDiveFacts DiveFactsOf(const TDivePlan& plan, const std::vector<TPlanSample>& samples) {
    TDiveFacts facts;
    facts.Points = static_cast<int>(samples.size());
    // Three points a minute; the start point counts as the first 20 seconds.
    facts.DiveTime = (facts.Points + 2) / 3;
    int maxUnits = 0;
    auto status = static_cast<std::uint8_t>((plan.AltitudeClass & 3) << 6);
    for (const TPlanSample& s : samples) {
        maxUnits = std::max<int>(maxUnits, s.DepthUnits);
        if (s.Warnings & PlanWarning::kAscent) status |= 0x01;
        if (s.Warnings & PlanWarning::kDescend) status |= 0x08;
        if (s.Warnings & PlanWarning::kWork) status |= 0x10;
    }
    if (plan.SurfaceInterval >= 0) status |= 0x02;
    if (facts.DiveTime >= 100) status |= 0x04;
    facts.Status = status;
    facts.MaxDepthRaw = static_cast<std::uint16_t>(maxUnits * 64);
    // Rounded to the nearest centimetre, halves to the even one, as the logbook does.
    facts.MaxDepthCm = static_cast<int>(std::nearbyint(facts.MaxDepthRaw * 0.244140625));
    return facts;
}

std::vector<std::uint8_t> EncodeProfileBlock(const TDivePlan& plan) {
    const std::vector<TPlanSample> samples = SamplePlan(plan);
    const PlanFamily family = plan.Family();
    const int headerSize = ProfileHeaderSize(family);

    std::vector<std::uint8_t> block;
    block.reserve(static_cast<std::size_t>(headerSize) + samples.size() * 3 + 16);
    PutU16LE(block, 0);  // length word, filled in at the end
    block.push_back(static_cast<std::uint8_t>(Clamp(std::lround(plan.AirTemp * 4), 0, 255)));
    for (double tissue : plan.InitialTissue) {
        PutU16LE(block, static_cast<unsigned>(Clamp(std::lround(tissue * 4096), 0, 0xFFFF)));
    }
    const int bubble = Clamp(std::lround(plan.InitialBubble * 256), 0, 0xFFF);
    const int volume = Clamp(std::lround(plan.InitialBubbleVolume * 4096), 0, 0xFFF);
    const int skin = Clamp(std::lround(plan.SkinTemp * 64), 0, 0xFFF);
    block.push_back(static_cast<std::uint8_t>(bubble & 0xFF));
    block.push_back(static_cast<std::uint8_t>(((bubble >> 8) << 4) | (volume >> 8)));
    block.push_back(static_cast<std::uint8_t>(volume & 0xFF));
    block.push_back(static_cast<std::uint8_t>(skin & 0xFF));
    block.push_back(static_cast<std::uint8_t>(((skin >> 8) << 4) | (plan.InitialCold & 0x0F)));
    if (family != PlanFamily::Basic) {
        block.push_back(static_cast<std::uint8_t>(Clamp(std::lround(plan.InitialCNS * 2), 0, 255)));
    }
    if (family == PlanFamily::F) {
        block.push_back(static_cast<std::uint8_t>((PO2LimitIndex(plan.MaxPO2) << 4) |
                                                  FamilyFOxygenIndex(plan.O2Percent)));
    } else if (family == PlanFamily::A) {
        // Gas mode: 0 air, 2 nitrox, 4 semi-closed rebreather.
        const int mode = plan.SCR ? 4 : plan.O2Percent != 21 ? 2 : 0;
        block.push_back(static_cast<std::uint8_t>(Clamp(plan.O2Percent, 0, 100)));
        block.push_back(static_cast<std::uint8_t>((mode << 4) | PO2LimitIndex(plan.MaxPO2)));
    }

    // Word slots: every recorded point and one closing surface word. The reader stops
    // one slot before the end, so the closing word is never read as a point.
    const int slots = static_cast<int>(samples.size()) + 1;
    int cold = plan.InitialCold;
    const double coldRampSeconds = 30 * 60;
    for (int slot = 0; slot < slots; ++slot) {
        const bool isSample = slot < static_cast<int>(samples.size());
        PutU16BE(block, isSample ? samples[static_cast<std::size_t>(slot)].DepthWord() : 0);
        if (slot % 3 != 2) {
            continue;
        }
        // End of a group: the levels that hold from the group's third point on.
        const TPlanSample& s = samples[static_cast<std::size_t>(std::min<int>(slot, slots - 2))];
        const double seconds = 20.0 * (slot + 1);
        // The skin cools (or warms) from the start level towards the planned level over
        // the first half hour; the counter follows one step per group at most.
        const int target = plan.InitialCold + static_cast<int>((plan.ColdMax - plan.InitialCold) *
                                                               std::min(1.0, seconds / coldRampSeconds));
        auto info = static_cast<std::uint8_t>(((s.Work & 7) << 4) | (s.Bubble & 7));
        if (cold < target) {
            info |= 0x08;
            ++cold;
        } else if (cold > target) {
            info |= 0x80;
            --cold;
        }
        block.push_back(info);
        if (family == PlanFamily::A) {
            block.push_back(static_cast<std::uint8_t>(Clamp(s.LoopO2, 0, 100)));
        }
    }
    const std::size_t length = block.size() - 2;
    block[0] = static_cast<std::uint8_t>(length & 0xFF);
    block[1] = static_cast<std::uint8_t>((length >> 8) & 0xFF);
    return block;
}

std::vector<std::uint8_t> EncodeDiveBlock(const TDivePlan& plan) {
    const std::vector<TPlanSample> samples = SamplePlan(plan);
    const TDiveFacts facts = DiveFactsOf(plan, samples);
    const std::vector<std::uint8_t> profile = EncodeProfileBlock(plan);

    std::vector<std::uint8_t> block;
    block.reserve(16 + profile.size());
    block.push_back(static_cast<std::uint8_t>((plan.Serial >> 16) & 0xFF));
    block.push_back(static_cast<std::uint8_t>((plan.Serial >> 8) & 0xFF));
    block.push_back(static_cast<std::uint8_t>(plan.Serial & 0xFF));
    block.push_back(plan.HwSw);
    block.push_back(facts.Status);
    block.push_back(ToBcd(facts.DiveTime % 100));
    PutU16BE(block, facts.MaxDepthRaw);
    const int interval = std::max(plan.SurfaceInterval, 0);
    block.push_back(plan.SurfaceInterval >= 0 ? ToBcd(std::min(interval / 60, 99)) : 0);
    block.push_back(plan.SurfaceInterval >= 0 ? ToBcd(interval / 60 > 99 ? 59 : interval % 60) : 0);
    // Air consumption byte: variants 11 and 13-15 measure none, variant 12 counts in
    // steps of 176/128 bar, the others in whole bar.
    const int variant = plan.HwSw & 0x0F;
    int air = 0;
    if (variant == 12) {
        air = Clamp(std::lround(plan.AirUsedBar * 128.0 / 176.0), 0, 255);
    } else if (variant != 11 && variant < 13) {
        air = std::clamp(plan.AirUsedBar, 0, 255);
    }
    block.push_back(static_cast<std::uint8_t>(air));
    for (int shift = 0; shift < 32; shift += 8) {
        block.push_back(static_cast<std::uint8_t>((plan.DeviceTime >> shift) & 0xFF));
    }
    block.push_back(static_cast<std::uint8_t>(Clamp(std::lround(plan.WaterTemp * 4), 0, 255)));
    block.insert(block.end(), profile.begin(), profile.end());
    return block;
}
