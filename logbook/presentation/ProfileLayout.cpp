#include "ProfileLayout.h"

#include <cmath>
#include <limits>

int RoundEven(double value) {
    // The default floating-point rounding mode rounds halves to the even neighbour.
    const double r = std::nearbyint(value);
    if (!(r > std::numeric_limits<int>::min()) || !(r < std::numeric_limits<int>::max())) {
        return r > 0 ? std::numeric_limits<int>::max() : std::numeric_limits<int>::min();
    }
    return static_cast<int>(r);
}

QString DepthUnitText(int unitSystem) {
    return unitSystem == 1 ? QStringLiteral(" ft") : QStringLiteral(" m");
}

int ChooseTimeStep(int plotWidth, int labelWidth, int timeExtent) {
    if (labelWidth > 0) {
        const double labels = static_cast<double>(plotWidth) / labelWidth;
        for (const int s : kTimeSteps) {
            if (labels * s >= timeExtent) return s;
        }
    }
    // Not even 50-minute steps keep the labels apart: the widest step.
    return kTimeSteps.back();
}

int TimeTicksFor(int timeExtent, int timeStep) {
    // Rounded as written: an extent of 10 with 1-minute steps gives 10.5 -> 10 ticks.
    const int ticks = RoundEven(static_cast<double>(timeExtent) / timeStep + 0.5);
    return ticks < 1 ? 1 : ticks;
}

DepthGrid ChooseDepthGrid(int depthExtent, int fullHeight, int labelWidth) {
    for (const int q : kDepthSteps) {
        for (const int r : kDepthDivisions) {
            if (depthExtent < q * r && static_cast<double>(fullHeight) / r >= labelWidth) return {q, r};
        }
    }
    // Too low for any pair: the first one that covers the depth, however crowded.
    for (const int q : kDepthSteps) {
        for (const int r : kDepthDivisions) {
            if (depthExtent < q * r) return {q, r};
        }
    }
    return {kDepthSteps.back(), kDepthDivisions.back()};
}

ProfileLayout ComputeProfileLayout(const ProfileLayoutInput& in) {
    const auto width = [&in](const QString& text) { return in.TextWidth ? in.TextWidth(text) : 0; };
    ProfileLayout l;
    l.OriginX = in.OriginX;
    l.OriginY = in.OriginY;
    l.CanvasWidth = in.Right - in.OriginX;
    l.CanvasHeight = in.Bottom - in.OriginY;
    l.DepthFactor = in.UnitSystem == 1 ? 33.0 : 10.0;
    l.Nitrox = IsNitroxDive(in.DiveType);
    l.Rebreather = IsRebreatherDive(in.DiveType);
    l.NitroxMOD = in.NitroxMOD;
    l.ProfileMaxDepth = in.ProfileMaxDepth;
    // A MOD just below the deepest point is stretched into the chart so its line shows.
    if (l.Nitrox && in.NitroxMOD > in.ProfileMaxDepth && in.NitroxMOD - in.ProfileMaxDepth < 0.5) {
        l.ProfileMaxDepth = in.NitroxMOD;
    }
    l.TimeExtent = (in.Count < 0 ? 0 : in.Count / 3) + 1;
    l.DepthExtent = static_cast<int>(std::trunc(l.ProfileMaxDepth * l.DepthFactor)) + 1;
    l.LineHeight = in.LineHeight < 0 ? -in.LineHeight : in.LineHeight;
    l.LabelWidth = in.LabelWidth;
    l.BandHeight = (l.Nitrox ? 6 : 5) * l.LineHeight;

    const QString unit = DepthUnitText(in.UnitSystem);
    l.LeftMargin = width(QString::number(l.DepthExtent) + QLatin1Char('0') + unit);
    l.PercentWidth = l.Rebreather ? width(kPercentScaleText) : 0;
    l.PlotWidth = l.CanvasWidth - l.LeftMargin - l.PercentWidth;

    l.DepthHeight = l.CanvasHeight - RoundEven(1.5 * l.LineHeight) - l.BandHeight;
    l.FullHeight = l.DepthHeight + l.BandHeight;

    l.TimeStep = ChooseTimeStep(l.PlotWidth, l.LabelWidth, l.TimeExtent);
    l.TimeTicks = TimeTicksFor(l.TimeExtent, l.TimeStep);
    l.PixelsPerMinute = static_cast<double>(l.PlotWidth) / l.TimeTicks / l.TimeStep;

    const DepthGrid grid = ChooseDepthGrid(l.DepthExtent, l.FullHeight, l.LabelWidth);
    l.DepthStep = grid.Step;
    l.DepthDivisions = grid.Divisions;
    l.DepthRange = static_cast<double>(grid.Step) * grid.Divisions;
    l.PixelsPerDepthUnit = static_cast<double>(l.DepthHeight) / grid.Divisions / grid.Step;

    // Rows: descent, ascent, RBT (not on a rebreather), pO2 (nitrox or rebreather), work.
    const auto addRow = [&l](EWarningRow kind) {
        const auto k = static_cast<std::size_t>(l.RowCount);
        l.RowKind[k] = kind;
        ++l.RowCount;
        l.RowY[k] = l.DepthHeight + l.RowCount * l.LineHeight;
    };
    addRow(EWarningRow::Descent);
    addRow(EWarningRow::Ascent);
    if (!l.Rebreather) addRow(EWarningRow::Rbt);
    if (l.Nitrox || l.Rebreather) addRow(EWarningRow::PO2);
    addRow(EWarningRow::Work);
    return l;
}

int TimeToX(const ProfileLayout& l, double minutes) {
    return RoundEven(minutes * l.PixelsPerMinute) + l.LeftMargin;
}

int DepthToY(const ProfileLayout& l, double displayDepth) {
    return RoundEven(displayDepth * l.PixelsPerDepthUnit);
}

int FractionToY(const ProfileLayout& l, double fraction) {
    return l.DepthHeight - RoundEven(fraction * l.DepthHeight);
}

double XToTime(const ProfileLayout& l, int x) {
    if (l.PixelsPerMinute == 0) return 0;
    return (x - l.LeftMargin - l.OriginX) / l.PixelsPerMinute;
}

int XToPointIndex(const ProfileLayout& l, int x) { return RoundEven(XToTime(l, x) * 3); }
