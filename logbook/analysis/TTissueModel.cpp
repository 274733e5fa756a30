#include "TTissueModel.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "FixedPoint.h"

namespace {

constexpr double kWaterVapour = 0.063;
constexpr double kN2OfAir = 0.79296875;
constexpr double kStepOffset = 0.055;
constexpr double kSurfaceDepth = 0.65;
constexpr double kShallowLookAhead = 0.05;
constexpr double kCoreTemp = 36;
constexpr double kFloorMargin = 0.03125;
constexpr double kBubbleGrowth = 0.02734375;
constexpr double kBubbleCap = 0.3125;
constexpr double kBubbleHalfTimeBase = 29.266;
constexpr double kSaturationCap = 2.55;
constexpr int kMinuteBound = 99;
// The no-stop look-ahead runs at most 100 minutes; the 100th never changes its answer.
constexpr int kLookAheadMinutes = 100;
// Slack of the uptake bound against the rounding of its own arithmetic, bar.
constexpr double kBoundSlack = 1e-6;

constexpr std::array<double, 12> kStopDepth1 = {0, 0.3, 0.6, 0.9, 1.2, 1.5, 1.8, 2.1, 2.4, 2.7, 3.0, 3.3};
constexpr std::array<double, 12> kStopThreshold1 = {0,    0.27, 0.55, 0.85, 1.15, 1.45,
                                                    1.75, 2.05, 2.35, 2.65, 2.95, 3.25};
constexpr std::array<double, 12> kStopDepthHigh = {0, 0.2, 0.4, 0.6, 0.9, 1.2, 1.5, 1.8, 2.1, 2.4, 2.7, 3.3};
constexpr std::array<double, 12> kStopThresholdHigh = {0,    0.18, 0.37, 0.55, 0.85, 1.15,
                                                       1.45, 1.75, 2.05, 2.35, 2.65, 2.95};
constexpr std::array<int, 11> kLabelMetric1 = {0, 3, 6, 9, 12, 15, 18, 21, 24, 27, 30};
constexpr std::array<int, 11> kLabelImperial1 = {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 99};
constexpr std::array<int, 11> kLabelMetricHigh = {0, 2, 4, 6, 9, 12, 15, 18, 21, 24, 27};
constexpr std::array<int, 11> kLabelImperialHigh = {0, 7, 13, 20, 30, 40, 50, 60, 70, 80, 90};

constexpr std::array<double, 8> kWorkPO2 = {0, 0, 0.039, 0.078, 0.109, 0.14, 0.172, 0.199};

// Share of the gap to the target temperature that the skin closes in one minute.
const double kSkinFactor = 1 - std::exp(-0.04800922998602972);

}  // namespace

int AscentTableIndex(double depth) {
    const double d = std::trunc(depth * 10);
    if (!(d > 0)) {
        return 0;
    }
    return d >= 127 ? 127 : static_cast<int>(d);
}

const std::array<int, 11>& StopLabelTable(int altitudeRange, bool imperial) {
    if (NormalAltitudeRange(altitudeRange) == 1) return imperial ? kLabelImperial1 : kLabelMetric1;
    return imperial ? kLabelImperialHigh : kLabelMetricHigh;
}

double ColdTemp(int level) {
    switch (level) {
        case 0:
            return kCoreTemp;
        case 1:
            return 30.7;
        case 2:
            return 28;
        case 3:
            return 26;
        case 4:
            return 24;
        case 5:
            return 23;
        case 6:
            return 22;
        default:
            return 21;
    }
}

int ColdLevelOf(double t) {
    if (t >= 30.7) return 0;
    if (t >= 28) return 1;
    if (t >= 26) return 2;
    if (t >= 24) return 3;
    if (t >= 23) return 4;
    if (t >= 22) return 5;
    if (t >= 21) return 6;
    return 7;
}

TTissueModel::TTissueModel(TParameterTables& tables) : m_tables(tables) {}

void TTissueModel::LoadReal(int bubble, int cold, int workload) {
    const int key = bubble * 64 + cold * 8 + workload;
    if (key == m_realKey) {
        return;  // the record in hand is this one; the file is only read when levels change
    }
    m_tables.LoadRealRecord(m_real, bubble, cold, workload);
    m_realKey = key;
}

void TTissueModel::LoadFikt(int bubble, int cold) {
    const int key = bubble * 8 + cold;
    if (key == m_fiktKey) {
        return;
    }
    m_tables.LoadFiktRecord(m_fikt, bubble, cold);
    m_fiktKey = key;
    for (int j = 0; j < kCompartments; ++j) {
        const TCoeffTriple& c = m_fikt.Compartments[j];
        for (int k = 0; k <= 10; ++k) {
            m_state.Limit[j][k] = c.a + (m_surfacePressure + m_state.StopThreshold[k]) / c.b;
        }
    }
}

void TTissueModel::ModelReset(DiveProfile& profile, const ProfileDiveInfo& dive, bool imperial) {
    // Until the reset has read its tables the model has no profile to step through.
    m_profile = nullptr;
    m_realKey = m_fiktKey = -1;
    // The weights may have been read again since the last replay.
    m_mixedMemo = {};
    m_arterialMemo = {};
    m_pressureMemo = {};
    m_lookAheadRates = {};
    const int range = NormalAltitudeRange(dive.AltitudeRange);
    m_surfacePressure = SurfacePressure(range);
    m_surfaceN2 = SurfaceN2(range);
    m_toxicity = profile.Family != ProfileFamily::Basic;
    TModelState& s = m_state;

    // 1. Stop tables of the altitude
    s.StopDepth = range == 1 ? kStopDepth1 : kStopDepthHigh;
    s.StopThreshold = range == 1 ? kStopThreshold1 : kStopThresholdHigh;
    s.StopLabel = StopLabelTable(range, imperial);

    // 2. Surface rates of the fast compartments, ascent and toxicity tables
    LoadReal(0, 0, 1);
    for (int j = 0; j < 3; ++j) m_surfaceRate[j] = m_real.Compartments[j].k;
    LoadFikt(0, 0);
    for (int j = 0; j < 3; ++j) m_fiktSurfaceRate[j] = m_fikt.Compartments[j].k;
    m_tables.LoadAscentTable(m_ascent);
    m_tables.LoadToxTable(m_tox);

    // 3. Records of the start point
    const ProfilePoint& p0 = profile.Points[0];
    LoadReal(BubbleLevel(p0), ColdLevel(p0), WorkLevel(p0));
    LoadFikt(BubbleLevel(p0), ColdLevel(p0));

    // 4.-6.
    s.CNS = profile.InitialCNS;
    s.BubbleHalfTime = kBubbleHalfTimeBase * m_surfaceN2 / SurfaceN2(1);
    m_bubbleDecay = QRound(8, std::exp(-0.6931471806 / s.BubbleHalfTime));
    s.SkinTemp = profile.InitialSkinTemp;
    s.SurfaceTarget = (profile.SurfaceTemp + kCoreTemp) / 2;
    s.WaterTarget = (dive.MinWaterTemp / 100.0 + kCoreTemp) / 2;
    s.BubbleVolume = profile.InitialBubbleVolume;
    s.Tissue = profile.InitialTissue;
    s.StepDepth = 0;
    s.AmbientPressure = m_surfacePressure;
    s.InspiredN2 = m_surfaceN2;
    s.MixedTension = m_surfaceN2 + kFloorMargin;
    s.ArterialN2 = s.MixedTension;

    // 7.
    m_profile = &profile;
    s.Step = 0;
    s.StopIndex = 0;
    profile.Points[0].NoStopTime = 99;
    s.DecoFlag = false;
    s.WorkUsed = 1;
    s.SurfaceLimit.fill(0);
}

void TTissueModel::ReplayAll() {
    if (m_profile == nullptr) {
        return;
    }
    for (int i = 0; i <= m_profile->Count; ++i) {
        ModelStep(i);
    }
}

namespace {

// Share of the mixed tension in the arterial tension, from the bubbles.
double ArterialShare(double bubbleVolume, double stepDepth) {
    return QTrunc(8, QTrunc(8, bubbleVolume) / QCeil(4, stepDepth + 1));
}

double ArterialTension(double share, double inspired, double mixed) {
    return QRound(8, QTrunc(12, (1 - share) * inspired) + QTrunc(12, share * mixed));
}

// Equal bits: the same double, with 0 and -0 told apart and a NaN equal to itself.
bool SameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

}  // namespace

double TTissueModel::MixedTensionOf(const TGasState& g, int workload) {
    std::array<double, kCompartments> cut;
    bool same = workload == m_mixedMemo.Workload;
    for (int j = 0; j < kCompartments; ++j) {
        cut[j] = QTrunc(4, g.Tissue[j]);
        same = same && SameBits(cut[j], m_mixedMemo.Cut[j]);
    }
    if (same) {
        return m_mixedMemo.MixedTension;
    }
    double sum = 0;
    for (int j = 0; j < kCompartments; ++j) {
        sum += cut[j] * m_tables.Weight(j + 1, workload);
    }
    m_mixedMemo.Cut = cut;
    m_mixedMemo.Workload = workload;
    m_mixedMemo.MixedTension = QRound(4, sum);
    return m_mixedMemo.MixedTension;
}

double TTissueModel::InverseAmbient(double ambientPressure) {
    TPressureMemo& m = m_pressureMemo;
    if (!m.Known || !SameBits(ambientPressure, m.AmbientPressure)) {
        m.AmbientPressure = ambientPressure;
        m.InverseAmbient = QTrunc(8, 1 / QCeil(4, ambientPressure));
        m.Known = true;
    }
    return m.InverseAmbient;
}

double TTissueModel::ArterialN2Of(const TGasState& g) {
    // The share of the mixed tension moves in 1/256 steps while the bubble volume shrinks
    // each minute.
    const double r = ArterialShare(g.BubbleVolume, g.StepDepth);
    TArterialMemo& m = m_arterialMemo;
    if (!m.Known || !SameBits(r, m.Ratio) || !SameBits(g.InspiredN2, m.InspiredN2) ||
        !SameBits(g.MixedTension, m.MixedTension)) {
        m.ArterialN2 = ArterialTension(r, g.InspiredN2, g.MixedTension);
        m.Ratio = r;
        m.InspiredN2 = g.InspiredN2;
        m.MixedTension = g.MixedTension;
        m.Known = true;
    }
    return m.ArterialN2;
}

void TTissueModel::BubbleUpdate(TGasState& g, int workload) {
    g.MixedTension = MixedTensionOf(g, workload);
    const double r = QTrunc(8, g.MixedTension * InverseAmbient(g.AmbientPressure));
    if (r > 1) {
        const double growth = QTrunc(12, QTrunc(12, (r - 1) * kBubbleGrowth) * QTrunc(4, g.StepDepth + 1));
        g.BubbleVolume = std::min(g.BubbleVolume + growth, kBubbleCap);
    }
    g.BubbleVolume = QTrunc(12, g.BubbleVolume * m_bubbleDecay);
    if (g.BubbleVolume <= 0) {
        g.BubbleVolume = 0;
    }
}

double TTissueModel::SkinStep(double skin, double stepDepth) const {
    const double target = stepDepth < kSurfaceDepth ? m_state.SurfaceTarget : m_state.WaterTarget;
    skin += kSkinFactor * (target - skin);
    return QTrunc(6, skin);
}

// In the look-ahead the diver's future is unknown: the cold level of the dive's last
// point bounds how cold the skin can get.
double TTissueModel::SimSkinStep(double skin, double stepDepth) const {
    skin = SkinStep(skin, stepDepth);
    const int last = ColdLevel(m_profile->Points[static_cast<std::size_t>(m_profile->Count)]);
    if (skin < ColdTemp(last)) {
        skin = ColdTemp(last + 1);
    }
    return skin;
}

void TTissueModel::TissueUpdate(int i) {
    TModelState& s = m_state;
    auto& pts = m_profile->Points;
    ProfilePoint& p = pts[static_cast<std::size_t>(i)];
    s.ArterialN2 = ArterialN2Of(s);

    const bool frozen = i > 0 && HasWarning(p, kWarningFrozen) &&
                        HasWarning(pts[static_cast<std::size_t>(i - 1)], kWarningFrozen);
    if (frozen) {
        p.Loading = pts[static_cast<std::size_t>(i - 1)].Loading;
    } else {
        p.Loading = 0;
        for (int j = 0; j < kCompartments; ++j) {
            const double k =
                (j < 3 && s.ArterialN2 > s.Tissue[j]) ? m_surfaceRate[j] : m_real.Compartments[j].k;
            double increment = QTruncUptake(16, k, s.ArterialN2 - s.Tissue[j]);
            if (increment < 0 && s.Tissue[j] <= m_surfaceN2 + kFloorMargin) {
                increment = 0;
            }
            s.Tissue[j] += increment;
            if (increment > 0) {
                p.Loading = static_cast<std::uint8_t>(p.Loading | (1u << j));
            }
        }
    }
    for (int j = 0; j < kCompartments; ++j) {
        const TCoeffTriple& c = m_real.Compartments[j];
        double ratio = std::min(s.Tissue[j] / (c.a + s.AmbientPressure / c.b), kSaturationCap);
        if (!(ratio > 0)) {
            ratio = 0;  // also a tolerance of 0/0 from a damaged table
        }
        p.Saturation[j] = static_cast<std::uint8_t>(RoundEven(ratio * 100));
    }
}

void TTissueModel::SimTissueUpdate(TSimState& g) {
    g.ArterialN2 = ArterialN2Of(g);
    const int bits = g.StepDepth < kShallowLookAhead ? 16 : 8;
    for (int j = 0; j < kCompartments; ++j) {
        const double k =
            (j < 3 && g.ArterialN2 > g.Tissue[j]) ? m_fiktSurfaceRate[j] : m_fikt.Compartments[j].k;
        g.Tissue[j] += QTruncUptake(bits, k, g.ArterialN2 - g.Tissue[j]);
    }
}

void TTissueModel::StartSimulation(int i) {
    static_cast<TGasState&>(m_sim) = static_cast<const TGasState&>(m_state);
    const ProfilePoint& p = m_profile->Points[static_cast<std::size_t>(i)];
    m_sim.Cold = ColdLevel(p);
    LoadFikt(BubbleLevel(p), ColdLevel(p));
}

void TTissueModel::SimulateMinute(int i, bool atStop, double ascentSoFar) {
    const auto& pts = m_profile->Points;
    const ProfilePoint& p = pts[static_cast<std::size_t>(i)];
    if (m_sim.Cold != m_state.RefCold) {
        LoadFikt(BubbleLevel(p), m_sim.Cold);
    }
    BubbleUpdate(m_sim, 1);
    m_sim.SkinTemp = SimSkinStep(m_sim.SkinTemp, m_sim.StepDepth);
    m_sim.Cold = ColdLevelOf(m_sim.SkinTemp);
    if (atStop) {
        // The cold level the diver recorded at the point reached by then prevails.
        const double ahead = static_cast<double>(i) + 3 * RoundEven(ascentSoFar);
        const auto index = static_cast<std::size_t>(std::min<double>(ahead, m_profile->Count));
        const int recorded = ColdLevel(pts[index]);
        if (recorded != m_sim.Cold) {
            m_sim.SkinTemp = ColdTemp(recorded);
            m_sim.Cold = recorded;
        }
    }
    SimTissueUpdate(m_sim);
}

const TTissueModel::TLookAheadRates& TTissueModel::LookAheadRates(int bubble) {
    TLookAheadRates& u = m_lookAheadRates[static_cast<std::size_t>(bubble & 7)];
    if (u.Known) {
        return u;
    }
    u.Known = true;
    // The look-ahead's arterial tension stays between the inspired and the mixed tension as
    // long as the weights average the compartments and bubbles only shrink.
    u.Usable = m_bubbleDecay >= 0 && m_bubbleDecay <= 1;
    double weights = 0;
    for (int j = 1; j <= kCompartments; ++j) {
        const double w = m_tables.Weight(j, 1);
        u.Usable = u.Usable && w >= 0 && w <= 1;
        weights += w;
    }
    u.Usable = u.Usable && weights <= 1 + 1e-9;
    std::array<double, kCompartments> fastest{};
    for (int j = 0; j < 3; ++j) {
        fastest[j] = m_fiktSurfaceRate[j];
        u.Usable = u.Usable && fastest[j] >= 0 && fastest[j] <= 1;
    }
    for (int cold = 0; cold < 8; ++cold) {
        TCoeffRecord rec;
        // A record cut short by the file's end takes the rest from the one read before it,
        // which depends on the replay's history.
        u.Usable = u.Usable && m_tables.LoadFiktRecord(rec, bubble, cold);
        for (int j = 0; j < kCompartments; ++j) {
            const double k = rec.Compartments[j].k;
            u.Usable = u.Usable && k >= 0 && k <= 1;
            u.Rate[static_cast<std::size_t>(cold)][j] = k;
            fastest[j] = std::max(fastest[j], k);
        }
    }
    for (int j = 0; j < kCompartments && u.Usable; ++j) {
        u.Keep[j] = std::pow(1 - fastest[j], kMinuteBound);
    }
    return u;
}

// The highest of the look-ahead's inspired tension and compartment tensions, which no
// compartment passes in the minutes to come: the arterial tension lies between the
// inspired tension and the mixed tension (a weighted mean of the compartments, cut to a
// grid that the highest of them is on), and each compartment moves toward it by at most
// its fastest rate without passing it. False when the records, weights or values leave
// that unproven.
bool TTissueModel::LookAheadTop(int bubble, double& top) {
    if (!m_shortcuts || !LookAheadRates(bubble).Usable || !std::isfinite(m_sim.InspiredN2)) {
        return false;
    }
    top = std::max(0.0, m_sim.InspiredN2);
    for (double t : m_sim.Tissue) {
        if (!(std::fabs(t) < 100)) {
            return false;
        }
        top = std::max(top, t);
    }
    // The bubbles' share of the mixed tension stays at most 1 while the volume is below
    // the divisor of the share: it only grows up to the cap and otherwise shrinks.
    return std::max(m_sim.BubbleVolume, kBubbleCap) <= QCeil(4, m_sim.StepDepth + 1);
}

// Whether no compartment can reach its surface limit within the look-ahead: each stays
// below top - (top - now) * (1 - fastest rate)^99.
bool TTissueModel::SurfaceLimitOutOfReach(int bubble) {
    double top = 0;
    if (!LookAheadTop(bubble, top)) {
        return false;
    }
    const auto& keep = LookAheadRates(bubble).Keep;
    for (int j = 0; j < kCompartments; ++j) {
        const double highest = top - (top - m_sim.Tissue[j]) * keep[j];
        if (!(highest + kBoundSlack < m_state.SurfaceLimit[j])) {
            return false;
        }
    }
    return true;
}

// One look-ahead minute of the skin: the cold level the minute starts with loads its record
// (kept in `loaded`), then the skin temperature and the cold level move on; `steady` once
// they no longer change, after which every minute repeats the last.
void TTissueModel::SkinMinute(int& loaded, bool& steady) {
    if (m_sim.Cold != m_state.RefCold) {
        loaded = m_sim.Cold;
    }
    if (steady) {
        return;
    }
    const double skin = SimSkinStep(m_sim.SkinTemp, m_sim.StepDepth);
    const int cold = ColdLevelOf(skin);
    steady = SameBits(skin, m_sim.SkinTemp) && cold == m_sim.Cold;
    m_sim.SkinTemp = skin;
    m_sim.Cold = cold;
}

// The record in hand after the look-ahead's minutes: every record read whole is the same
// whatever was read before, so the last one the minutes load is the one that stays.
void TTissueModel::KeepLoaded(int bubble, int loaded) {
    if (loaded >= 0) {
        LoadFikt(bubble, loaded);
    }
}

// The look-ahead's minutes without the compartments: only the skin temperature and the
// cold level go on, with the records the cold levels load on the way.
void TTissueModel::SkinMinutes(int bubble, int minutes) {
    int loaded = -1;
    bool steady = false;
    for (int m = 0; m < minutes && !steady; ++m) SkinMinute(loaded, steady);
    KeepLoaded(bubble, loaded);
}

// The no-stop look-ahead from its first minute when the bubbles play no part: their share
// of the mixed tension is nil and cannot grow (they only shrink while the mixed tension
// stays below the ambient pressure). Then the arterial tension is the inspired tension in
// every minute, each compartment goes its own way, and the skin alone decides which
// record's rates apply. Sets the point's no-stop time and leaves the cold level and the
// records as the minute-by-minute look-ahead does; false, with nothing changed, when the
// bubbles play a part.
bool TTissueModel::NoStopWithoutBubbles(int i) {
    ProfilePoint& p = m_profile->Points[static_cast<std::size_t>(i)];
    const int bubble = BubbleLevel(p);
    double top = 0;
    if (!LookAheadTop(bubble, top) || !(m_sim.BubbleVolume >= 0) ||
        ArterialShare(m_sim.BubbleVolume, m_sim.StepDepth) != 0) {
        return false;
    }
    const double inverse = InverseAmbient(m_sim.AmbientPressure);
    if (!(inverse > 0) || !(QTrunc(8, top * inverse) <= 1)) {
        return false;  // the bubbles might grow
    }
    const double arterial = ArterialTension(0, m_sim.InspiredN2, 0);
    const TLookAheadRates& rates = LookAheadRates(bubble);
    const int bits = m_sim.StepDepth < kShallowLookAhead ? 16 : 8;
    std::array<double, kCompartments> tissue = m_sim.Tissue;
    const int start = m_sim.Cold;  // its record was loaded just before the look-ahead
    int loaded = -1;
    bool steady = false;
    int minute = 1;
    for (;; ++minute) {
        SkinMinute(loaded, steady);
        if (minute == kLookAheadMinutes) {
            break;  // the last minute ends the look-ahead whatever it brings
        }
        const auto& rate = rates.Rate[static_cast<std::size_t>(loaded >= 0 ? loaded : start)];
        bool reached = false;
        for (int j = 0; j < kCompartments; ++j) {
            const double k = (j < 3 && arterial > tissue[j]) ? m_fiktSurfaceRate[j] : rate[j];
            tissue[j] += QTruncUptake(bits, k, arterial - tissue[j]);
            reached |= tissue[j] >= m_state.SurfaceLimit[j];
        }
        if (reached) {
            break;
        }
    }
    KeepLoaded(bubble, loaded);
    m_sim.Tissue = tissue;
    p.NoStopTime = static_cast<std::uint16_t>(minute - 1);
    return true;
}

double TTissueModel::AscentTime(double from, double to, double inert, double& mean) const {
    const int a = AscentTableIndex(from);
    const int b = AscentTableIndex(to);
    const double time = m_ascent[2 * static_cast<std::size_t>(a)] - m_ascent[2 * static_cast<std::size_t>(b)];
    if (time > 0) {
        mean = (m_surfacePressure - kWaterVapour) * inert + (m_ascent[2 * static_cast<std::size_t>(a) + 1] -
                                                             m_ascent[2 * static_cast<std::size_t>(b) + 1]) *
                                                                (inert / kN2OfAir) / time;
    } else {
        mean = m_sim.InspiredN2;
    }
    return time;
}

const std::array<double, kCompartments>& TTissueModel::DecayFactors(double halfMinutes) {
    // halfMinutes = Int(2T) / 2, a whole number of half minutes
    const double steps = halfMinutes * 2;
    auto compute = [halfMinutes](std::array<double, kCompartments>& out) {
        for (int j = 0; j < kCompartments; ++j) {
            out[j] = 1 - std::pow(2.0, -halfMinutes / kHalfTimes[j]);
        }
    };
    if (steps >= 0 && steps < kDecayCache) {
        const auto n = static_cast<std::size_t>(steps);
        if (!m_decayKnown[n]) {
            compute(m_decay[n]);
            m_decayKnown[n] = true;
        }
        return m_decay[n];
    }
    compute(m_decayScratch);
    return m_decayScratch;
}

void TTissueModel::ApplyAscent(double from, double to, double inert, double& time) {
    double mean = 0;
    time = AscentTime(from, to, inert, mean);
    if (time > 0) {
        const double half = std::trunc(2 * time) / 2;
        const auto& decay = DecayFactors(half);
        for (int j = 0; j < kCompartments; ++j) {
            m_sim.Tissue[j] = m_sim.Tissue[j] + (mean - m_sim.Tissue[j]) * decay[j];
        }
    }
}

bool TTissueModel::StopClear(int stop) const {
    for (int j = 0; j < kCompartments; ++j) {
        if (!(m_sim.Tissue[j] < m_state.Limit[j][static_cast<std::size_t>(stop - 1)])) {
            return false;
        }
    }
    return true;
}

void TTissueModel::DecompressionEvaluation(int i) {
    TModelState& s = m_state;
    ProfilePoint& p = m_profile->Points[static_cast<std::size_t>(i)];
    const double inert = InertFraction(p);

    // 1. Stop search, from one stop deeper than the current one upwards
    int stop = std::min(s.StopIndex + 2, 12);
    double ascent = 0;
    for (;;) {
        StartSimulation(i);
        --stop;
        ApplyAscent(s.StepDepth, s.StopDepth[static_cast<std::size_t>(stop)], inert, ascent);
        if (stop == 0) {
            break;
        }
        bool blocked = false;
        for (int j = 0; j < kCompartments && !blocked; ++j) {
            blocked = m_sim.Tissue[j] >= s.Limit[j][static_cast<std::size_t>(stop - 1)];
        }
        if (blocked) {
            break;
        }
    }

    // 2. Beyond the table
    if (stop >= 11) {
        s.StopIndex = 10;
        p.StopIndex = 10;
        p.StopTime = 99;
        p.AscentTime = 99;
        return;
    }
    // 3.
    s.StopIndex = stop;
    p.StopIndex = static_cast<std::uint8_t>(stop);

    // 4. No stop: minutes left at this depth before a direct ascent would break a limit
    if (stop == 0) {
        if (s.StepDepth < kSurfaceDepth) {
            p.NoStopTime = 99;
            return;
        }
        StartSimulation(i);
        LoadFikt(BubbleLevel(p), static_cast<int>(RoundEven((s.RefCold + s.LastCold) / 2.0)));
        double mean = 0;
        const double time = AscentTime(s.StepDepth, 0, inert, mean);
        if (time > 0) {
            const double half = std::trunc(2 * time) / 2;
            for (int j = 0; j < kCompartments; ++j) {
                const double limit = mean + (s.Limit[j][0] - mean) * std::pow(2.0, half / kHalfTimes[j]);
                s.SurfaceLimit[j] = limit < 0 ? 0 : limit;
            }
        } else {
            for (int j = 0; j < kCompartments; ++j) s.SurfaceLimit[j] = s.Limit[j][0];
        }
        m_sim.Cold = ColdLevel(p);
        LoadFikt(BubbleLevel(p), ColdLevel(p));
        if (SurfaceLimitOutOfReach(BubbleLevel(p))) {
            SkinMinutes(BubbleLevel(p), kLookAheadMinutes);
            p.NoStopTime = kMinuteBound;
        } else if (!NoStopWithoutBubbles(i)) {
            for (int minutes = 1;; ++minutes) {
                SimulateMinute(i, false, 0);
                const int n = minutes - 1;
                p.NoStopTime = static_cast<std::uint16_t>(n);
                bool reached = false;
                for (int j = 0; j < kCompartments && !reached; ++j) {
                    reached = m_sim.Tissue[j] >= s.SurfaceLimit[j];
                }
                if (reached || n >= 99) {
                    break;
                }
            }
        }
        s.RefCold = s.LastCold;
        s.LastCold = m_sim.Cold;
        return;
    }

    // 5. A stop is required: minutes at each stop from this one up to the shallowest.
    s.DecoFlag = true;
    p.NoStopTime = 99;
    double total = ascent > 0 ? ascent : 0;
    int minutesAtFirst = 0;
    for (int k = stop; k >= 1; --k) {
        const double depth = s.StopDepth[static_cast<std::size_t>(k)];
        m_sim.StepDepth = depth;
        m_sim.AmbientPressure = m_surfacePressure + depth;
        m_sim.InspiredN2 = QCeil(8, (m_surfacePressure + depth - kWaterVapour) * inert);
        int minutes = 0;
        // Each stop gets at least one minute. Tables under which a compartment never
        // falls below its next limit would hold the diver here for ever: a stop is
        // bounded at 99 minutes.
        while (minutes < kMinuteBound) {
            total += 1;
            ++minutes;
            SimulateMinute(i, true, total);
            if (!StopClear(k)) {
                continue;
            }
            // Cleared: the limits of the next minute's cold level must hold as well.
            const int nextCold = ColdLevelOf(SimSkinStep(m_sim.SkinTemp, m_sim.StepDepth));
            if (nextCold != m_sim.Cold) {
                LoadFikt(BubbleLevel(p), nextCold);
                if (!StopClear(k)) {
                    continue;
                }
            }
            break;
        }
        if (k == stop) {
            minutesAtFirst = minutes;
        }
    }

    // 6.
    p.StopTime = static_cast<std::uint16_t>(minutesAtFirst);
    p.AscentTime = static_cast<std::uint16_t>(std::min(RoundEven(total), 99.0));
    s.RefCold = ColdLevel(p);
    s.LastCold = ColdLevel(p);
}

void TTissueModel::OxygenToxicity(int i) {
    TModelState& s = m_state;
    ProfilePoint& p = m_profile->Points[static_cast<std::size_t>(i)];
    const double x = kWorkPO2[static_cast<std::size_t>(WorkLevel(p))] + p.PO2;
    const double scaled = std::trunc(x * 64);
    const int n = scaled > 116 ? 116 : scaled > 0 ? static_cast<int>(scaled) : 0;
    s.CNS += m_tox[static_cast<std::size_t>(n)];
    if (s.CNS < 0) {
        s.CNS = 0;
    }
    const double percent = std::min(RoundEven(s.CNS / 5) * 5, 125.0);
    p.CNSPercent = static_cast<std::uint8_t>(percent);
}

void TTissueModel::ModelStep(int i) {
    if (m_profile == nullptr || i < 0 || i > m_profile->Count) {
        return;
    }
    TModelState& s = m_state;
    auto& pts = m_profile->Points;
    ProfilePoint& p = pts[static_cast<std::size_t>(i)];
    s.Step = i;

    // 1. Step depth and inspired pressure
    double depth = i == 0
                       ? PointDepth(p) / 2
                       : (PointDepth(p) + PointDepth(pts[static_cast<std::size_t>(i - 1)])) / 2 - kStepOffset;
    if (depth < 0) {
        depth = 0;
    }
    s.StepDepth = depth;
    s.AmbientPressure = m_surfacePressure + depth;
    s.InspiredN2 = QCeil(8, (s.AmbientPressure - kWaterVapour) * InertFraction(p));

    // 2. Above the next deeper stop's threshold the diver is taken to be at rest.
    const int work =
        s.StepDepth < s.StopThreshold[static_cast<std::size_t>(s.StopIndex) + 1] ? 1 : WorkLevel(p);

    // 3. Records of the levels
    const bool sameLevels = i > 0 && BubbleLevel(p) == BubbleLevel(pts[static_cast<std::size_t>(i - 1)]) &&
                            ColdLevel(p) == ColdLevel(pts[static_cast<std::size_t>(i - 1)]) &&
                            work == s.WorkUsed;
    if (!sameLevels) {
        LoadReal(BubbleLevel(p), ColdLevel(p), work);
        LoadFikt(BubbleLevel(p), ColdLevel(p));
    }

    // 4. Once a minute: bubbles and skin temperature
    if (i % 3 == 0) {
        BubbleUpdate(s, WorkLevel(p));
        s.SkinTemp = SkinStep(s.SkinTemp, s.StepDepth);
        if (i > 0) {
            const int recorded = ColdLevel(pts[static_cast<std::size_t>(i - 1)]);
            if (s.SkinTemp < ColdTemp(recorded + 1)) {
                s.SkinTemp = ColdTemp(recorded + 1);
            }
            if (s.SkinTemp > ColdTemp(recorded)) {
                s.SkinTemp = ColdTemp(recorded);
            }
        }
    }

    // 5.-7.
    TissueUpdate(i);
    DecompressionEvaluation(i);
    if (m_toxicity) {
        OxygenToxicity(i);
    }
    // 8.
    s.WorkUsed = work;
}
