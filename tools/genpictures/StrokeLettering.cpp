#include "StrokeLettering.h"

#include <QRectF>

namespace {

// Glyphs in x-height units: x grows to the right, y grows downwards, baseline at 0,
// x-height at -1, capitals at -1.5. Arcs use Qt's convention (degrees, counter-
// clockwise as seen on screen).
double Glyph(QChar c, QPainterPath& p) {
    auto arc = [&p](double cx, double cy, double r, double start, double sweep) {
        p.arcMoveTo(QRectF(cx - r, cy - r, 2 * r, 2 * r), start);
        p.arcTo(QRectF(cx - r, cy - r, 2 * r, 2 * r), start, sweep);
    };
    switch (c.unicode()) {
        case 'K':
            p.moveTo(0, -1.5);
            p.lineTo(0, 0);
            p.moveTo(0.95, -1.5);
            p.lineTo(0, -0.5);
            p.moveTo(0.32, -0.84);
            p.lineTo(1.0, 0);
            return 1.25;
        case 'T':
            p.moveTo(0, -1.5);
            p.lineTo(1.1, -1.5);
            p.moveTo(0.55, -1.5);
            p.lineTo(0.55, 0);
            return 1.2;
        case 'a':
            arc(0.45, -0.5, 0.45, 0, 360);
            p.moveTo(0.9, -1.0);
            p.lineTo(0.9, 0);
            return 1.2;
        case 'e':
            p.moveTo(0.02, -0.5);
            p.lineTo(0.9, -0.5);
            p.arcTo(QRectF(0.02, -0.96, 0.88, 0.94), 0, 310);
            return 1.15;
        case 'i':
            p.moveTo(0.15, -1.0);
            p.lineTo(0.15, 0);
            p.moveTo(0.15, -1.4);
            p.lineTo(0.15, -1.36);
            return 0.55;
        case 'l':
            p.moveTo(0.15, -1.6);
            p.lineTo(0.15, 0);
            return 0.55;
        case 'n':
            p.moveTo(0, -1.0);
            p.lineTo(0, 0);
            arc(0.42, -0.58, 0.42, 180, -180);
            p.lineTo(0.84, 0);
            return 1.15;
        case 'r':
            p.moveTo(0, -1.0);
            p.lineTo(0, 0);
            arc(0.45, -0.55, 0.45, 180, -115);
            return 0.8;
        case 's':
            arc(0.38, -0.75, 0.26, 35, 235);
            arc(0.38, -0.25, 0.26, 90, -235);
            return 0.95;
        case 'v':
            p.moveTo(0, -1.0);
            p.lineTo(0.45, 0);
            p.lineTo(0.9, -1.0);
            return 1.1;
        case 'w':
            p.moveTo(0, -1.0);
            p.lineTo(0.28, 0);
            p.lineTo(0.6, -0.8);
            p.lineTo(0.92, 0);
            p.lineTo(1.2, -1.0);
            return 1.4;
        default:
            return 0.6;
    }
}

}  // namespace

QPainterPath LetteringPath(const QString& text, double xHeight) {
    QPainterPath result;
    double x = 0;
    for (QChar c : text) {
        QPainterPath glyph;
        const double advance = Glyph(c, glyph);
        QTransform t;
        t.translate(x, 0);
        t.scale(xHeight, xHeight);
        result.addPath(t.map(glyph));
        x += advance * xHeight;
    }
    return result;
}

double LetteringWidth(const QString& text, double xHeight) {
    double width = 0;
    for (QChar c : text) {
        QPainterPath unused;
        width += Glyph(c, unused) * xHeight;
    }
    return width;
}
