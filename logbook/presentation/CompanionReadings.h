#pragma once
// What the three companion windows of the profile show for one point of a replayed dive:
// the tissue bars, the physiological level bars with the consumption dial, and the dive
// computer panel. Plain values and the label texts exactly as shown, so the windows, the
// command-line export and the tests all read the same thing.
//
//   CompanionInput in{&profile, replayedCount, &dive, CurrentUnitSystem()};
//   TissueReadings t = ReadTissue(in, i);    // bars 1..8
//   PhysioReadings f = ReadPhysio(in, i);    // levels, dial picture, needle
//   PanelReadings p = ReadPanel(in, i);      // texts and pictures of the panel
//
// A point index outside the profile's block reads as an empty point: the windows never
// read beyond the 661 points.

#include <QString>
#include <array>
#include <cstdint>

#include "DiveProfile.h"

class TDiveRec;

// Where the readings come from: the decoded profile, how far the replay has gone (points
// 0..ReplayedCount - 1 carry the model's values) and the dive shown.
struct CompanionInput {
    const DiveProfile* Profile = nullptr;
    int ReplayedCount = 0;
    const TDiveRec* Dive = nullptr;
    int UnitSystem = 0;  // 0 metric, 1 imperial
};

enum class EBarColour : std::uint8_t { Red, Green, Magenta };

struct TissueBar {
    int Value = 0;  // 0..100
    EBarColour Colour = EBarColour::Green;
    friend bool operator==(const TissueBar&, const TissueBar&) = default;
};

struct TissueReadings {
    std::array<TissueBar, 8> Bars{};  // compartment 1 (fastest) first
};

// The three dial pictures at the same place: without a scale, metric, imperial.
enum class EDial : std::uint8_t { Empty = 0, Metric = 1, Imperial = 2 };

struct PhysioReadings {
    int Bubble = 0;  // bar positions 0..100 (level 8 would be 100)
    int Temp = 0;
    int Work = 0;
    EDial Dial = EDial::Empty;
    int Needle = 0;  // litres per minute on the dial
};

// The stop picture in the panel's middle row, when one is shown.
enum class EStopSymbol : std::uint8_t { None, NoStop, Stop };
enum class EUnitSymbol : std::uint8_t { None, Metre, Feet };

struct PanelReadings {
    // Families A and F: compact layout with the lower row and the oxygen toxicity mark.
    bool Compact = false;
    bool CnsMark = false;
    bool LowerRow = false;  // "O2:", O2Label and pO2Label
    bool Replayed = false;  // the replay has reached the point
    EStopSymbol Symbol = EStopSymbol::None;
    bool AscentArrow = false;
    EUnitSymbol Unit = EUnitSymbol::None;
    QString Depth;  // "1.9 m", "6 ft", "-"
    QString Time;   // "%3d:" minutes
    QString Max;
    QString Deco;   // no-stop or stop time, "5:"
    QString Asc;    // total ascent time, "12:"
    QString Level;  // stop depth, plain number
    QString oTox;   // "15%"
    QString O2;     // " 32%"
    QString pO2;    // "0.44bar"
};

TissueReadings ReadTissue(const CompanionInput& in, int i);
PhysioReadings ReadPhysio(const CompanionInput& in, int i);
PanelReadings ReadPanel(const CompanionInput& in, int i);

// The mean of one level over the five-point window around i (points i - 2 .. i + 2 within
// 0..Count, point i counted twice).
double LevelMean(const DiveProfile& profile, int i, int (*level)(const ProfilePoint&));
// The same mean as a bar position: mean × 12.5, rounded.
int LevelBar(const DiveProfile& profile, int i, int (*level)(const ProfilePoint&));

// A depth in bar as the panel shows it: whole centimetres, then the depth unit format.
QString PanelDepthText(double depthBar, int unitSystem);
// A depth in centimetres as the panel shows it; "-" when not set.
QString PanelDepthText(int centimetres, int unitSystem);

// Names used by the command-line export.
const char* BarColourName(EBarColour colour);    // "red", "green", "magenta"
const char* StopSymbolName(EStopSymbol symbol);  // "nostop", "stop", ""
const char* UnitSymbolName(EUnitSymbol unit);    // "m", "ft", ""
