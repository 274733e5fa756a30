#pragma once
// The adaptive eight-compartment tissue model that replays a decoded profile point by
// point, recomputing what the dive computer showed: compartment tensions and saturation,
// the required stop with stop and ascent times, the no-stop time and oxygen toxicity.
// Every intermediate value is cut like the dive computer's fixed-point arithmetic.
//
// The model is an object: the profile window and the printer each own one, so the two
// never share a replay. RefCold and LastCold live as long as the object; a reset keeps
// them, as the dive computer's display did from one dive to the next.
//
//   TTissueModel model(tables);                 // tables opened by OpenParameterTables
//   DecodeProfile(profile, block, info);
//   model.ModelReset(profile, info);            // throws EMissingTabFile
//   for (int i = 0; i <= profile.Count; ++i) model.ModelStep(i);
//   std::uint8_t stopInfo = SummariseProfile(profile, diveType, model.State().DecoFlag);

#include <array>
#include <cstdint>

#include "DiveProfile.h"
#include "ProfileDiveInfo.h"
#include "TCoeffRecord.h"
#include "TParameterTables.h"

inline constexpr int kCompartments = 8;
inline constexpr std::array<double, kCompartments> kHalfTimes = {5, 10, 20, 40, 80, 160, 320, 640};

// Upper bound of skin temperature for cold level L (0 -> 36 degrees, 7 and above -> 21).
double ColdTemp(int level);
// Cold level of a skin temperature.
int ColdLevelOf(double skinTemp);
// Entry of the ascent table for a relative pressure: Trunc(depth * 10), kept within
// 0..127 (depths of 12.8 bar and more use the last entry).
int AscentTableIndex(double depth);
// Stop depths as the display shows them (whole metres or feet) for StopIndex 0..10, by
// altitude range (1 or higher) and unit system.
const std::array<int, 11>& StopLabelTable(int altitudeRange, bool imperial);

// Values that the look-ahead copies from the live state and then runs on its own.
struct TGasState {
    double StepDepth = 0;  // mean relative pressure over the step, bar
    double AmbientPressure = 0;
    double InspiredN2 = 0;
    double ArterialN2 = 0;
    double MixedTension = 0;
    double BubbleVolume = 0;
    double SkinTemp = 0;
    std::array<double, kCompartments> Tissue{};  // compartments 1..8 at 0..7
};

struct TModelState : TGasState {
    int Step = 0;
    double BubbleHalfTime = 0;
    double SurfaceTarget = 0;
    double WaterTarget = 0;
    // Limit[j][k]: tolerated tension of compartment j + 1 at StopThreshold[k].
    std::array<std::array<double, 11>, kCompartments> Limit{};
    int StopIndex = 0;
    bool DecoFlag = false;
    double CNS = 0;
    int WorkUsed = 1;
    int RefCold = 0;
    int LastCold = 0;
    std::array<double, kCompartments> SurfaceLimit{};
    std::array<int, 11> StopLabel{};
    std::array<double, 12> StopDepth{};
    std::array<double, 12> StopThreshold{};
};

class TTissueModel {
public:
    explicit TTissueModel(TParameterTables& tables);

    // Prepares a replay of `profile` (already decoded from the dive). Reads the ascent and
    // toxicity tables, so it raises EMissingTabFile when one is missing. The profile must
    // outlive the replay; its model columns are written by ModelStep.
    void ModelReset(DiveProfile& profile, const ProfileDiveInfo& dive, bool imperial = false);
    // Advances the model to point i (0..Count, in order) and writes the point's results.
    void ModelStep(int i);
    // Runs every step of the profile from the current reset.
    void ReplayAll();

    // The no-stop look-ahead takes two shortcuts: it skips the minutes in which no
    // compartment can reach its limit, and without bubbles it follows each compartment on
    // its own. The replay is the same bit for bit either way; the plain minute-by-minute
    // look-ahead stays for comparisons.
    void UseLookAheadShortcuts(bool on) { m_shortcuts = on; }

    const TModelState& State() const { return m_state; }
    const TCoeffRecord& RealRecord() const { return m_real; }
    const TCoeffRecord& FiktRecord() const { return m_fikt; }

private:
    struct TSimState : TGasState {
        int Cold = 0;
    };

    // The look-ahead holds its depth for many minutes, and its tissues, cut to 1/16 bar,
    // seldom cross a step from one minute to the next. The values below are pure functions
    // of the inputs they keep, so a minute whose inputs are bit for bit those of the last
    // one takes the values in hand instead of repeating the arithmetic.
    struct TMixedMemo {
        std::array<double, kCompartments> Cut{};  // QTrunc(4, tissue)
        int Workload = -1;
        double MixedTension = 0;
    };
    struct TArterialMemo {
        double Ratio = 0;  // share of the mixed tension, QTrunc(8, bubble volume / pressure)
        double InspiredN2 = 0;
        double MixedTension = 0;
        double ArterialN2 = 0;
        bool Known = false;
    };
    struct TPressureMemo {
        double AmbientPressure = 0;
        double InverseAmbient = 0;  // QTrunc(8, 1 / QCeil(4, AmbientPressure))
        bool Known = false;
    };

    // The records of one bubble level as the look-ahead's shortcuts need them: the uptake
    // rates at each cold level (Usable: every record read whole, every rate within 0..1,
    // the weights a mean and the bubbles shrinking), and what is left after 99 minutes of a
    // gap to the arterial tension at the fastest rate of each compartment.
    struct TLookAheadRates {
        bool Known = false;
        bool Usable = false;
        std::array<std::array<double, kCompartments>, 8> Rate{};  // by cold level
        std::array<double, kCompartments> Keep{};
    };

    void LoadReal(int bubble, int cold, int workload);
    void LoadFikt(int bubble, int cold);
    double MixedTensionOf(const TGasState& g, int workload);
    double ArterialN2Of(const TGasState& g);
    double InverseAmbient(double ambientPressure);
    void BubbleUpdate(TGasState& g, int workload);
    double SkinStep(double skin, double stepDepth) const;
    double SimSkinStep(double skin, double stepDepth) const;
    void TissueUpdate(int i);
    void SimTissueUpdate(TSimState& sim);
    void StartSimulation(int i);
    void SimulateMinute(int i, bool atStop, double ascentSoFar);
    const TLookAheadRates& LookAheadRates(int bubble);
    bool LookAheadTop(int bubble, double& top);
    bool SurfaceLimitOutOfReach(int bubble);
    void SkinMinute(int& loaded, bool& steady);
    void KeepLoaded(int bubble, int loaded);
    void SkinMinutes(int bubble, int minutes);
    bool NoStopWithoutBubbles(int i);
    double AscentTime(double from, double to, double inert, double& mean) const;
    void ApplyAscent(double from, double to, double inert, double& time);
    const std::array<double, kCompartments>& DecayFactors(double halfMinutes);
    bool StopClear(int stop) const;
    void DecompressionEvaluation(int i);
    void OxygenToxicity(int i);

    TParameterTables& m_tables;
    DiveProfile* m_profile = nullptr;
    TModelState m_state;
    TSimState m_sim;
    TCoeffRecord m_real;
    TCoeffRecord m_fikt;
    int m_realKey = -1;
    int m_fiktKey = -1;
    std::array<double, 3> m_surfaceRate{};
    std::array<double, 3> m_fiktSurfaceRate{};
    std::array<double, kAscentReals> m_ascent{};
    std::array<double, kToxReals> m_tox{};
    bool m_toxicity = false;
    double m_surfacePressure = 0;
    double m_surfaceN2 = 0;
    double m_bubbleDecay = 0;
    // 1 - 2^(-t/h) for ascents of t = n/2 minutes, filled when first needed.
    static constexpr int kDecayCache = 256;
    std::array<std::array<double, kCompartments>, kDecayCache> m_decay{};
    std::array<bool, kDecayCache> m_decayKnown{};
    std::array<double, kCompartments> m_decayScratch{};
    TMixedMemo m_mixedMemo;
    TArterialMemo m_arterialMemo;
    TPressureMemo m_pressureMemo;
    bool m_shortcuts = true;
    std::array<TLookAheadRates, 8> m_lookAheadRates{};
};
