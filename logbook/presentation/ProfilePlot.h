#pragma once
// The profile painter: one chart of a dive's depth over time, drawn through any QPainter —
// the profile window (screen mode, with its cursor and the replay colours), a printer page
// or a QImage (print mode: white background, black depth line). The geometry comes from
// ComputeProfileLayout (ProfileLayout.h); nothing here depends on widgets.
//
//   ProfilePlot plot;
//   if (BeginPlot(plot, dive, profile, EPlotMode::Print)) {   // decodes the dive's profile
//       QPainter painter(&page);                               // printer, image or pixmap
//       PaintPlot(plot, painter, QRect(left, top, width, height), false);
//   }
//
// The window keeps the chart in a picture (QImage, RGB32) and draws only what changes:
//   PaintPlot(plot, chartPainter, area, false);               // whole chart, no cursor
//   QRect dirty = DrawReplaySegment(plot, chartPainter, i);   // after ModelStep(i)
//   DrawCursorOver(plot, widgetPainter, chart, plot.CursorIndex);  // over the picture
//   widget.update(CursorStrip(plot, old) | CursorStrip(plot, plot.CursorIndex));
//
// A dive without a profile never reaches the painter: BeginPlot returns false and PaintPlot
// draws nothing for it.

#include <QColor>
#include <QFont>
#include <QRect>
#include <cstdint>

#include "DiveProfile.h"
#include "ProfileLayout.h"

class QImage;
class QPainter;
class TDiveRec;

enum class EPlotMode : std::uint8_t { Screen = 0, Print = 1 };

// Colours of the chart.
namespace PlotColor {
inline const QColor kAqua{0, 255, 255};     // frame, grid, cursor
inline const QColor kMagenta{255, 0, 255};  // warnings, band and its symbols
inline const QColor kWhite{255, 255, 255};  // replayed depth line
inline const QColor kGrey{128, 128, 128};   // depth line not yet replayed
inline const QColor kGreen{0, 128, 0};      // nitrox MOD line
inline const QColor kBlue{0, 0, 255};       // oxygen fraction, percent scale
inline const QColor kBlack{0, 0, 0};
}  // namespace PlotColor

// Warning bits that colour the depth line magenta (with any pO2 mark of the point).
inline constexpr std::uint16_t kDepthLineWarnings = 0x1E;
// Warning bit that colours the oxygen fraction curve magenta.
inline constexpr std::uint16_t kFractionWarning = 0x02;
// Pen width of a segment redrawn by the replay.
inline constexpr int kReplayPenWidth = 3;

struct ProfilePlot {
    const TDiveRec* Dive = nullptr;
    DiveProfile* Profile = nullptr;
    EPlotMode Mode = EPlotMode::Screen;
    int UnitSystem = 0;
    QFont Font;            // "Arial" 8 pt, black
    QColor Background;     // button face on screen, white in print
    ProfileLayout Layout;  // of the last PaintPlot
    int TextHeight = 0;    // cell height of the plot font in the last PaintPlot
    int CursorIndex = 0;   // window only
    // Replay position: points below it have been replayed and show white on screen.
    int ReplayIndex = -1;
};

// The chart background of a mode. On screen it is the button face of the application's
// palette, darkened where needed so that the white replayed line stays visible on it.
QColor PlotBackground(EPlotMode mode);

// Binds the plot to a dive: decodes its profile into `profile`, stores dive, profile, mode
// and unit system, and sets the plot font and background. False (plot unbound) when the
// dive has no profile. A damaged block decodes as far as its bytes go.
bool BeginPlot(ProfilePlot& plot, const TDiveRec& dive, DiveProfile& profile, EPlotMode mode, int unitSystem);

// Measures the plot font on the painter's device and lays the chart out into `area` (left,
// top, width, height) without drawing; PaintPlot does this first. Raises a nitrox profile's
// ProfileMaxDepth to its MOD when the MOD line just misses the chart.
const ProfileLayout& LayoutPlot(ProfilePlot& plot, const QPaintDevice* device, const QRect& area);

// Lays out and draws the whole chart into `area`; with the cursor when asked.
void PaintPlot(ProfilePlot& plot, QPainter& painter, const QRect& area, bool withCursor);

// The cursor line at point `index` of the last layout, and the device rectangle it covers.
// On a picture without alpha channel the line inverts the pixels under it (aqua XOR), so
// that drawing it twice restores the picture; elsewhere it is drawn aqua.
void DrawCursor(const ProfilePlot& plot, QPainter& painter, int index);
// The window's cursor: the line over `chart`, the cached picture of the chart in the
// painter's coordinates, with the pixels of the chart under it inverted (aqua XOR), however
// the painter's own device stores colours.
void DrawCursorOver(const ProfilePlot& plot, QPainter& painter, const QImage& chart, int index);
QRect CursorStrip(const ProfilePlot& plot, int index);

// Redraws the depth line from point i - 1 to point i in the replay's width (white, or magenta
// at a warning of point i - 1); returns the device rectangle that changed (empty for i < 1 or
// beyond the profile).
QRect DrawReplaySegment(const ProfilePlot& plot, QPainter& painter, int i);

// Colour of the depth line from point i to point i + 1 (i = -1: the segment from the
// surface to point 0).
QColor DepthSegmentColor(const ProfilePlot& plot, int i);
