#pragma once
// Geometry of one profile chart, computed without painting: the margins, the time and depth
// grids, the warning rows and the mappings between minutes, depths and pixels. The painter
// (ProfilePlot.h) lays out every chart through ComputeProfileLayout, and `kvlog plot --layout`
// prints the result, so a chart can be checked number by number.
//
//   ProfileLayoutInput in;
//   in.Right = 800; in.Bottom = 500;                       // the plot rectangle
//   in.Count = profile.Count; in.ProfileMaxDepth = profile.ProfileMaxDepth;
//   in.DiveType = dive.DiveType; in.UnitSystem = kMetric;
//   in.LineHeight = 11; in.LabelWidth = 30;                // measured in the plot font
//   in.TextWidth = [&](const QString& s) { return metrics.horizontalAdvance(s); };
//   ProfileLayout l = ComputeProfileLayout(in);
//   int x = TimeToX(l, 12.0), y = DepthToY(l, 18.0);        // 12 minutes, 18 m
//
// Every rounding of the chart is to the nearest integer with halves to the even one.
// Coordinates are relative to the plot rectangle's corner (OriginX, OriginY) unless a
// function says otherwise.

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

// Nearest integer, halves to the even one (2.5 -> 2, 3.5 -> 4).
int RoundEven(double value);

// DiveType bits read by the chart; a dive may carry both.
inline constexpr std::uint16_t kNitroxDiveBit = 0x100;
inline constexpr std::uint16_t kRebreatherDiveBit = 0x200;
inline bool IsNitroxDive(std::uint16_t diveType) { return (diveType & kNitroxDiveBit) != 0; }
inline bool IsRebreatherDive(std::uint16_t diveType) { return (diveType & kRebreatherDiveBit) != 0; }

// Rows of the warning band under the chart, and the warning each one shows.
enum class EWarningRow { Descent, Ascent, Rbt, PO2, Work };
inline constexpr int kMaxWarningRows = 5;

// Steps the grids choose from, in the order they are tried.
inline constexpr std::array<int, 6> kTimeSteps = {1, 2, 5, 10, 20, 50};
inline constexpr std::array<int, 6> kDepthSteps = {1, 2, 5, 10, 20, 50};
inline constexpr std::array<int, 11> kDepthDivisions = {2, 4, 5, 8, 10, 12, 15, 20, 50, 100, 200};

// Text that reserves the room of the rebreather's percent scale right of the chart.
inline const QString kPercentScaleText = QStringLiteral(" M00.0 %");
// The unit after a depth label (with its leading blank).
QString DepthUnitText(int unitSystem);

struct ProfileLayoutInput {
    // The plot rectangle: left, top, right, bottom.
    int OriginX = 0;
    int OriginY = 0;
    int Right = 0;
    int Bottom = 0;
    int UnitSystem = 0;  // 0 metric, 1 imperial
    std::uint16_t DiveType = 0;
    int Count = 0;               // last point index of the profile
    double ProfileMaxDepth = 0;  // bar, as decoded
    double NitroxMOD = 0;        // bar
    int LineHeight = 0;          // absolute height of the plot font, pixels
    int LabelWidth = 0;          // width of "0000'" in the plot font
    // Width of a text in the plot font.
    std::function<int(const QString&)> TextWidth;
};

struct ProfileLayout {
    int OriginX = 0;
    int OriginY = 0;
    int CanvasWidth = 0;
    int CanvasHeight = 0;
    int LineHeight = 0;
    int LabelWidth = 0;
    int LeftMargin = 0;
    int PercentWidth = 0;        // room of the percent scale; 0 unless a rebreather dive
    double ProfileMaxDepth = 0;  // bar, raised to the MOD when the MOD line just misses the chart
    double NitroxMOD = 0;
    bool Nitrox = false;
    bool Rebreather = false;
    int TimeExtent = 0;       // minutes to cover
    double DepthFactor = 10;  // display depth units per bar: 10 metres or 33 feet
    int DepthExtent = 0;      // display depth units to cover
    int PlotWidth = 0;
    int DepthHeight = 0;
    int BandHeight = 0;
    int FullHeight = 0;
    int TimeStep = 0;
    int TimeTicks = 0;
    double PixelsPerMinute = 0;
    int DepthStep = 0;
    int DepthDivisions = 0;
    double DepthRange = 0;
    double PixelsPerDepthUnit = 0;
    int RowCount = 0;
    std::array<int, kMaxWarningRows> RowY{};  // top row first
    std::array<EWarningRow, kMaxWarningRows> RowKind{};
};

// Steps 1 to 9 of laying out a chart.
ProfileLayout ComputeProfileLayout(const ProfileLayoutInput& in);

// The time grid step in minutes for a chart width (first of 1, 2, 5, 10, 20, 50 that keeps
// labels LabelWidth apart; 50 when none does) and the number of steps.
int ChooseTimeStep(int plotWidth, int labelWidth, int timeExtent);
int TimeTicksFor(int timeExtent, int timeStep);
// The depth grid: first (step, divisions) pair whose range exceeds the depth extent and
// whose lines stay LabelWidth apart over the full height; the first pair that covers the
// extent when the chart is too low for any.
struct DepthGrid {
    int Step = 0;
    int Divisions = 0;
};
DepthGrid ChooseDepthGrid(int depthExtent, int fullHeight, int labelWidth);

// Mappings (plot-relative pixels).
int TimeToX(const ProfileLayout& l, double minutes);
int DepthToY(const ProfileLayout& l, double displayDepth);
int FractionToY(const ProfileLayout& l, double fraction);
// Minutes under a window x (window pixels: the plot origin is subtracted).
double XToTime(const ProfileLayout& l, int x);
// Profile point under a window x: XToTime x 3, rounded. May lie outside the profile.
int XToPointIndex(const ProfileLayout& l, int x);
// x of profile point i (three points per minute).
inline int PointToX(const ProfileLayout& l, int i) { return TimeToX(l, i / 3.0); }
