#pragma once
// The pictures of the companion windows, drawn as vector shapes so they stay sharp at any
// screen density: the consumption dials, the panel's stop and no-stop symbols, ascent
// arrow, oxygen toxicity mark and unit symbols, the level symbols under the physiological
// bars, a bar gauge, and the needle's geometry.
//
//   PaintCompanionPicture(painter, rect, ECompanionPicture::DialMetric);
//   PaintBarGauge(painter, rect, 75, BarColour(EBarColour::Red));
//   TNeedleGeometry g = NeedleGeometry(width(), value, max, TRot::A90);

#include <QColor>
#include <QPoint>
#include <QRectF>

#include "CompanionReadings.h"

class QPainter;

enum class ECompanionPicture {
    DialEmpty,     // consumption dial without a scale: no tank data
    DialMetric,    // litres per minute
    DialImperial,  // cubic feet per minute
    NoStop,
    Stop,
    Ascent,
    Cns,
    Metre,
    Feet,
    LevelSymbols,  // microbubbles, cold, workload under the three bars
};

void PaintCompanionPicture(QPainter& painter, const QRectF& rect, ECompanionPicture picture);

// The picture of a dial reading.
ECompanionPicture DialPicture(EDial dial);

// Colours of the windows.
QColor BarColour(EBarColour colour);              // red, bright green, magenta
inline const QColor kBubbleBarColour{128, 0, 0};  // dark red
inline const QColor kTempBarColour{0, 0, 255};
inline const QColor kWorkBarColour{255, 0, 0};
inline const QColor kNeedleColour{0, 128, 128};       // dark teal
inline const QColor kPanelBackground{184, 196, 168};  // the display's grey-green
inline const QColor kPanelInk{28, 36, 28};

// A vertical gauge filled from the bottom to value percent (0..100, clamped).
void PaintBarGauge(QPainter& painter, const QRectF& rect, int value, const QColor& colour);

// Direction of the needle's zero.
enum class TRot { A0, A90, A180, A270 };

struct TNeedleGeometry {
    QPoint Centre;
    QPoint Tip;
    int Radius = 0;
};

// Centre (w / 2, w / 2), radius w / 2; the needle points at offset + value / max × 2π,
// turning clockwise on the screen. A max of 0 leaves the needle at its offset.
TNeedleGeometry NeedleGeometry(int width, int value, int max, TRot rotation);
