#pragma once
// Lettering for the splash pictures from centre lines defined here (no font files), so
// the pictures come out the same on every machine whatever fonts it has. Only the
// letters the pictures use are defined; others are skipped with a blank's width.
//
//   QPainterPath path = LetteringPath("Kelwin", 64);     // x-height 64 px, baseline y = 0
//   painter.strokePath(path.translated(40, 120), QPen(Qt::white, 9, Qt::SolidLine, Qt::RoundCap,
//   Qt::RoundJoin));

#include <QPainterPath>
#include <QString>

// Centre lines of `text` with the given x-height in pixels, starting at x = 0 on the
// baseline y = 0 (capitals reach 1.5 x-heights above it).
QPainterPath LetteringPath(const QString& text, double xHeight);
// Advance width of `text` at that x-height.
double LetteringWidth(const QString& text, double xHeight);
