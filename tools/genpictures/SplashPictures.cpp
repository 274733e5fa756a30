#include "SplashPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <cmath>

#include "StrokeLettering.h"

namespace {

QPen RoundPen(const QColor& colour, double width) {
    return {colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin};
}

// Lettering with a soft dark shadow under it.
void DrawLettering(QPainter& p, const QString& text, double xHeight, QPointF at, double width,
                   const QColor& colour) {
    const QPainterPath path = LetteringPath(text, xHeight);
    p.strokePath(path.translated(at + QPointF(2.5, 2.5)), RoundPen(QColor(0, 20, 50, 150), width));
    p.strokePath(path.translated(at), RoundPen(colour, width));
}

double WaveY(double x) { return 56 + 4 * std::sin(x / 23.0) + 1.8 * std::sin(x / 8.5 + 1.3); }

void DrawSeaAndSky(QPainter& p, int w, int h) {
    QLinearGradient sky(0, 0, 0, 64);
    sky.setColorAt(0, QColor(120, 190, 235));
    sky.setColorAt(1, QColor(205, 232, 248));
    p.fillRect(QRectF(0, 0, w, 64), sky);

    QPainterPath sea;
    sea.moveTo(0, WaveY(0));
    for (int x = 2; x <= w; x += 2) {
        sea.lineTo(x, WaveY(x));
    }
    sea.lineTo(w, h);
    sea.lineTo(0, h);
    sea.closeSubpath();
    QLinearGradient water(0, 50, 0, h);
    water.setColorAt(0, QColor(25, 140, 200));
    water.setColorAt(0.55, QColor(10, 75, 140));
    water.setColorAt(1, QColor(4, 30, 72));
    p.fillPath(sea, water);

    // Sun rays fanning out below the surface.
    const double rayTops[] = {70, 150, 235, 330, 410};
    for (double top : rayTops) {
        QPolygonF ray;
        ray << QPointF(top - 8, WaveY(top - 8)) << QPointF(top + 10, WaveY(top + 10)) << QPointF(top + 70, h)
            << QPointF(top + 25, h);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 22));
        p.drawPolygon(ray);
    }
    // Highlights along the surface.
    QPainterPath crest;
    crest.moveTo(0, WaveY(0));
    for (int x = 2; x <= w; x += 2) {
        crest.lineTo(x, WaveY(x));
    }
    p.strokePath(crest, RoundPen(QColor(230, 248, 255, 200), 2));
}

void DrawBoat(QPainter& p) {
    QPolygonF hull;
    hull << QPointF(350, 50) << QPointF(438, 50) << QPointF(428, 62) << QPointF(360, 62);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(160, 40, 35));
    p.drawPolygon(hull);
    p.setBrush(QColor(245, 245, 240));
    p.drawRect(QRectF(372, 38, 36, 12));
    p.setBrush(QColor(60, 90, 120));
    p.drawRect(QRectF(378, 41, 8, 5));
    p.drawRect(QRectF(392, 41, 8, 5));
    // Dive flag on its mast.
    p.setPen(RoundPen(QColor(60, 60, 60), 1.5));
    p.drawLine(QPointF(420, 50), QPointF(420, 24));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 30, 30));
    p.drawRect(QRectF(420, 24, 16, 11));
    p.setPen(RoundPen(Qt::white, 2));
    p.drawLine(QPointF(420, 24), QPointF(436, 35));
}

void DrawSeabed(QPainter& p, int w, int h) {
    QPainterPath bed;
    bed.moveTo(0, h);
    for (int x = 0; x <= w; x += 4) {
        bed.lineTo(x, 272 + 7 * std::sin(x / 41.0) + 3 * std::sin(x / 13.0));
    }
    bed.lineTo(w, h);
    bed.closeSubpath();
    QLinearGradient sand(0, 262, 0, h);
    sand.setColorAt(0, QColor(170, 150, 105));
    sand.setColorAt(1, QColor(110, 92, 62));
    p.fillPath(bed, sand);

    // Sea grass: gently bent blades.
    const double roots[] = {22, 30, 41, 118, 127, 300, 312, 445, 455, 463};
    int i = 0;
    for (double x : roots) {
        const double base = 272 + 7 * std::sin(x / 41.0) + 3 * std::sin(x / 13.0);
        const double lean = (i % 3 - 1) * 7.0;
        const double tall = 26 + (i * 7) % 17;
        QPainterPath blade;
        blade.moveTo(x, base + 2);
        blade.quadTo(x + lean, base - tall * 0.6, x + lean * 1.8, base - tall);
        p.strokePath(blade, RoundPen(QColor(40, 120 + (i * 11) % 40, 70), 3));
        ++i;
    }
}

void DrawBubbles(QPainter& p) {
    p.setBrush(Qt::NoBrush);
    // A diver's exhaled bubbles, growing as they rise.
    for (int i = 0; i < 9; ++i) {
        const double y = 176 - i * 12.5;
        const double x = 336 + 5 * std::sin(i * 0.9);
        const double r = 1.8 + (i % 3) * 0.8 + i * 0.25;
        p.setPen(QPen(QColor(220, 245, 255, 170), 1.3));
        p.drawEllipse(QPointF(x, y), r, r);
    }
}

// A multilevel dive as the logbook draws it: grid, depth line, a safety stop.
void DrawProfileChart(QPainter& p) {
    const QRectF chart(200, 186, 256, 72);
    p.setPen(QPen(QColor(0, 255, 255, 70), 1));
    for (int i = 0; i <= 8; ++i) {
        const double x = chart.left() + i * chart.width() / 8;
        p.drawLine(QPointF(x, chart.top()), QPointF(x, chart.bottom()));
    }
    for (int i = 0; i <= 4; ++i) {
        const double y = chart.top() + i * chart.height() / 4;
        p.drawLine(QPointF(chart.left(), y), QPointF(chart.right(), y));
    }
    struct Knot {
        double Minutes;
        double Metres;
    };
    constexpr Knot kDive[] = {{0, 0},   {2, 28},  {6, 27},  {12, 28.5}, {14, 20}, {19, 19},
                              {24, 20}, {26, 12}, {33, 11}, {35, 5},    {38, 5},  {39, 0}};
    QPainterPath line;
    bool first = true;
    for (const Knot& k : kDive) {
        const QPointF at(chart.left() + k.Minutes / 40 * chart.width(),
                         chart.top() + k.Metres / 30 * chart.height());
        if (first) {
            line.moveTo(at);
            first = false;
        } else {
            line.lineTo(at);
        }
    }
    p.strokePath(line.translated(1.5, 1.5), RoundPen(QColor(0, 20, 50, 140), 3));
    p.strokePath(line, RoundPen(Qt::white, 3));
    // Safety stop mark.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 0, 255, 200));
    p.drawRect(
        QRectF(chart.left() + 35.0 / 40 * chart.width(), chart.bottom() + 5, 3.0 / 40 * chart.width(), 4));
}

}  // namespace

QImage DrawKelwinSplash() {
    QImage image(kKelwinSplashWidth, kKelwinSplashHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    DrawSeaAndSky(p, image.width(), image.height());
    DrawBoat(p);
    DrawSeabed(p, image.width(), image.height());
    DrawBubbles(p);
    DrawProfileChart(p);
    DrawLettering(p, QStringLiteral("Kelwin"), 46, QPointF(32, 146), 9, Qt::white);
    DrawLettering(p, QStringLiteral("Kelvara"), 15, QPointF(36, 178), 3.2, QColor(170, 235, 255));
    p.end();
    return image;
}

QImage DrawTeswinSplash() {
    QImage image(kTeswinSplashWidth, kTeswinSplashHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient deep(0, 0, image.width(), image.height());
    deep.setColorAt(0, QColor(16, 70, 130));
    deep.setColorAt(1, QColor(4, 22, 55));
    p.fillRect(image.rect(), deep);

    // Faint wave lines across the background.
    for (int row = 0; row < 6; ++row) {
        QPainterPath wave;
        const double y0 = 70 + row * 30;
        wave.moveTo(0, y0);
        for (int x = 4; x <= image.width(); x += 4) {
            wave.lineTo(x, y0 + 3 * std::sin(x / 18.0 + row));
        }
        p.strokePath(wave, QPen(QColor(120, 200, 255, 30), 1.5));
    }

    // The dive computer: body, display with a small profile, two buttons.
    p.setPen(RoundPen(QColor(150, 160, 175), 2));
    p.setBrush(QColor(38, 44, 56));
    p.drawRoundedRect(QRectF(34, 78, 124, 132), 22, 22);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(172, 192, 160));
    p.drawRoundedRect(QRectF(50, 94, 92, 62), 6, 6);
    QPainterPath lcd;
    lcd.moveTo(56, 102);
    lcd.lineTo(64, 132);
    lcd.lineTo(84, 134);
    lcd.lineTo(90, 122);
    lcd.lineTo(112, 121);
    lcd.lineTo(118, 110);
    lcd.lineTo(128, 110);
    lcd.lineTo(136, 102);
    p.strokePath(lcd, RoundPen(QColor(30, 40, 30), 2.5));
    p.setBrush(QColor(30, 40, 30));
    for (int i = 0; i < 4; ++i) {
        p.drawRect(QRectF(58 + i * 20, 143, 14, 6));
    }
    p.setBrush(QColor(200, 205, 215));
    p.drawEllipse(QPointF(70, 186), 9, 9);
    p.drawEllipse(QPointF(122, 186), 9, 9);
    // Infrared window on the computer's side.
    p.setBrush(QColor(110, 10, 20));
    p.drawRoundedRect(QRectF(152, 120, 9, 26), 3, 3);

    // The interface box with its own infrared window and cable.
    p.setPen(RoundPen(QColor(120, 125, 135), 2));
    p.setBrush(QColor(214, 218, 224));
    p.drawRoundedRect(QRectF(252, 104, 82, 56), 10, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(110, 10, 20));
    p.drawRoundedRect(QRectF(247, 119, 9, 26), 3, 3);
    p.setBrush(QColor(60, 200, 90));
    p.drawEllipse(QPointF(318, 116), 3.5, 3.5);
    QPainterPath cable;
    cable.moveTo(334, 146);
    cable.cubicTo(352, 150, 340, 196, 362, 214);
    p.strokePath(cable, RoundPen(QColor(30, 30, 35), 4));

    // Infrared beam: arcs travelling from the computer to the box.
    for (int i = 0; i < 4; ++i) {
        const double cx = 168 + i * 20;
        QPainterPath arc;
        arc.arcMoveTo(QRectF(cx - 12, 133 - 22, 24, 44), 50);
        arc.arcTo(QRectF(cx - 12, 133 - 22, 24, 44), 50, -100);
        p.strokePath(arc, RoundPen(QColor(255, 90 + i * 30, 60, 220 - i * 30), 3));
    }

    DrawLettering(p, QStringLiteral("Teswin"), 27, QPointF(34, 54), 6, Qt::white);
    DrawLettering(p, QStringLiteral("Kelvara"), 12, QPointF(236, 54), 2.6, QColor(170, 235, 255));
    p.end();
    return image;
}
