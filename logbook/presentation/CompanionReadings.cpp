#include "CompanionReadings.h"

#include <algorithm>
#include <cmath>

#include "FixedPoint.h"
#include "Language.h"
#include "TDiveRec.h"
#include "TTissueModel.h"
#include "UnitFormat.h"

namespace {

constexpr int kSaturationFull = 100;
constexpr double kLevelScale = 12.5;       // level 8 would fill the bar
constexpr double kRestingConsumption = 8;  // litres per minute

const ProfilePoint kEmptyPoint{};

const ProfilePoint& PointAt(const DiveProfile& profile, int i) {
    if (i < 0 || i > kMaxPointIndex) return kEmptyPoint;
    return profile.Points[static_cast<std::size_t>(i)];
}

int RoundToInt(double x) { return static_cast<int>(RoundEven(x)); }

bool CompactFamily(const DiveProfile& profile) { return profile.Family != ProfileFamily::Basic; }

// The consumption dial needs both the tank and the pressure used; 0 is a known tank size.
bool HasTankData(const TDiveRec& dive) {
    return dive.TankSize != kNotSet && dive.AirConsumption != 0 && dive.AirConsumption != kNotSet;
}

QString Minutes(int minutes) { return QString::number(minutes) + QLatin1Char(':'); }

}  // namespace

QString PanelDepthText(int centimetres, int unitSystem) {
    if (centimetres == kNotSet) return QStringLiteral("-");
    return FormatValue(kDepthFormat, centimetres, unitSystem);
}

QString PanelDepthText(double depthBar, int unitSystem) {
    return PanelDepthText(RoundToInt(depthBar * 1000), unitSystem);
}

double LevelMean(const DiveProfile& profile, int i, int (*level)(const ProfilePoint&)) {
    const int count = std::clamp(profile.Count, 0, kMaxPointIndex);
    const int first = std::max(i - 2, 0);
    const int last = std::min(i + 2, count);
    double sum = level(PointAt(profile, i));
    for (int k = first; k <= last; ++k) sum += level(PointAt(profile, k));
    return sum / (last - first + 2);
}

int LevelBar(const DiveProfile& profile, int i, int (*level)(const ProfilePoint&)) {
    return RoundToInt(LevelMean(profile, i, level) * kLevelScale);
}

TissueReadings ReadTissue(const CompanionInput& in, int i) {
    TissueReadings r;
    if (!in.Profile) return r;
    const ProfilePoint& p = PointAt(*in.Profile, i);
    for (std::size_t j = 0; j < r.Bars.size(); ++j) {
        const int v = p.Saturation[j];
        TissueBar& bar = r.Bars[j];
        if (v > kSaturationFull) {
            bar = {kSaturationFull, EBarColour::Magenta};
        } else {
            const bool loading = (p.Loading >> j) & 1;
            bar = {v, loading ? EBarColour::Red : EBarColour::Green};
        }
    }
    return r;
}

PhysioReadings ReadPhysio(const CompanionInput& in, int i) {
    PhysioReadings r;
    if (!in.Profile) return r;
    const DiveProfile& profile = *in.Profile;
    r.Bubble = LevelBar(profile, i, BubbleLevel);
    r.Work = LevelBar(profile, i, WorkLevel);
    r.Temp = LevelBar(profile, i, ColdLevel);
    if (!in.Dive || !HasTankData(*in.Dive)) return r;
    r.Dial = in.UnitSystem == kImperial ? EDial::Imperial : EDial::Metric;
    if (i < 0 || i > profile.Count) {
        r.Needle = 0;  // no point of the dive
    } else if (in.Dive->IsSCR()) {
        r.Needle = RoundToInt(profile.GasConsumption);
    } else {
        // The resting rate plus the litres per minute that the mean workload adds.
        const double workMean = LevelMean(profile, i, WorkLevel);
        r.Needle = RoundToInt(profile.WorkFactor * workMean + kRestingConsumption);
    }
    return r;
}

PanelReadings ReadPanel(const CompanionInput& in, int i) {
    PanelReadings r;
    if (!in.Profile) return r;
    const DiveProfile& profile = *in.Profile;
    const ProfilePoint& p = PointAt(profile, i);
    r.Compact = CompactFamily(profile);
    r.CnsMark = r.Compact;
    r.Time = QStringLiteral("%1:").arg(i / 3, 3);
    r.Depth = PanelDepthText(PointDepth(p), in.UnitSystem);
    r.Max = in.Dive ? PanelDepthText(static_cast<int>(in.Dive->MaxDepth), in.UnitSystem) : QString();
    r.Replayed = i >= 0 && i < in.ReplayedCount && i <= profile.Count;
    if (!r.Replayed) return r;

    const bool imperial = in.UnitSystem == kImperial;
    if (p.StopIndex != 0) {
        r.Symbol = EStopSymbol::Stop;
        r.AscentArrow = true;
        r.Unit = imperial ? EUnitSymbol::Feet : EUnitSymbol::Metre;
        r.Asc = Minutes(p.AscentTime);
        const int altitude = in.Dive ? in.Dive->AltitudeRange : 1;
        const auto& labels = StopLabelTable(altitude, imperial);
        r.Level = QString::number(labels[std::min<std::size_t>(p.StopIndex, labels.size() - 1)]);
        r.Deco = Minutes(p.StopTime);
    } else {
        r.Symbol = EStopSymbol::NoStop;
        r.Deco = Minutes(p.NoStopTime);
    }
    r.LowerRow = r.Compact;
    if (r.LowerRow) {
        r.oTox = QString::number(p.CNSPercent) + QLatin1Char('%');
        r.O2 = FormatNumber(p.O2Fraction * 100, 0).rightJustified(3) + QLatin1Char('%');
        r.pO2 = FormatNumber(p.PO2, 2).rightJustified(4) + QStringLiteral("bar");
    }
    return r;
}

const char* BarColourName(EBarColour colour) {
    switch (colour) {
        case EBarColour::Red:
            return "red";
        case EBarColour::Green:
            return "green";
        case EBarColour::Magenta:
            return "magenta";
    }
    return "";
}

const char* StopSymbolName(EStopSymbol symbol) {
    switch (symbol) {
        case EStopSymbol::NoStop:
            return "nostop";
        case EStopSymbol::Stop:
            return "stop";
        case EStopSymbol::None:
            break;
    }
    return "";
}

const char* UnitSymbolName(EUnitSymbol unit) {
    switch (unit) {
        case EUnitSymbol::Metre:
            return "m";
        case EUnitSymbol::Feet:
            return "ft";
        case EUnitSymbol::None:
            break;
    }
    return "";
}
