#include "CompanionPictures.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kDialFullScale = 60;  // litres per minute for one turn of the needle
constexpr double kLitresPerCubicFoot = 28.3;
const QColor kDialFace{246, 246, 238};
const QColor kDialInk{40, 40, 40};

// Angle of a dial value: zero straight down, growing clockwise on the screen.
double DialAngle(double litres) {
    return std::numbers::pi / 2 + litres / kDialFullScale * 2 * std::numbers::pi;
}

QPointF OnCircle(const QPointF& centre, double radius, double angle) {
    return centre + QPointF(std::cos(angle) * radius, std::sin(angle) * radius);
}

// A bold font whose text fits the box, largest first.
QFont FittingFont(const QString& text, const QSizeF& box,
                  const QString& family = QStringLiteral("Sans Serif")) {
    QFont font(family);
    font.setBold(true);
    double size = std::max(box.height() * 0.8, 1.0);
    font.setPixelSize(static_cast<int>(size));
    for (int tries = 0; tries < 12; ++tries) {
        const QFontMetricsF fm(font);
        if (fm.horizontalAdvance(text) <= box.width() && fm.height() <= box.height() * 1.15) break;
        size *= 0.88;
        font.setPixelSize(std::max(1, static_cast<int>(size)));
    }
    return font;
}

void DrawFittedText(QPainter& p, const QRectF& box, const QString& text, const QColor& colour) {
    p.setFont(FittingFont(text, box.size()));
    p.setPen(colour);
    p.drawText(box, Qt::AlignCenter, text);
}

void PaintDial(QPainter& p, const QRectF& rect, ECompanionPicture dial) {
    const double radius = std::min(rect.width(), rect.height()) / 2 - 1;
    const QPointF centre = rect.center();
    p.setPen(QPen(kDialInk, std::max(1.0, radius / 30)));
    p.setBrush(kDialFace);
    p.drawEllipse(centre, radius, radius);
    p.setBrush(Qt::NoBrush);

    if (dial == ECompanionPicture::DialEmpty) {
        // Only the ring of ticks: there is no consumption to read.
        p.setPen(QPen(QColor(150, 150, 150), std::max(1.0, radius / 40)));
        for (int k = 0; k < 12; ++k) {
            const double a = DialAngle(k * 5.0);
            p.drawLine(OnCircle(centre, radius * 0.86, a), OnCircle(centre, radius * 0.96, a));
        }
        return;
    }

    const bool metric = dial == ECompanionPicture::DialMetric;
    // Scale in the display unit; each mark lies at its value in litres per minute.
    const double unitLitres = metric ? 1.0 : kLitresPerCubicFoot;
    const double minorStep = metric ? 2.5 : 0.125;
    const double majorStep = metric ? 10 : 0.5;
    const double top = kDialFullScale / unitLitres;
    const double labelRadius = radius * 0.68;
    QFont labelFont(QStringLiteral("Sans Serif"));
    labelFont.setPixelSize(std::max(1, static_cast<int>(radius * 0.2)));
    labelFont.setBold(true);
    p.setFont(labelFont);
    for (int k = 0; k * minorStep < top - 1e-9; ++k) {
        const double v = k * minorStep;
        const double a = DialAngle(v * unitLitres);
        const bool major = std::fmod(v + 1e-9, majorStep) < 1e-6;
        const bool half = !major && std::fmod(v + 1e-9, majorStep / 2) < 1e-6;
        const double inner = major ? 0.80 : half ? 0.86 : 0.90;
        p.setPen(QPen(kDialInk, std::max(1.0, radius / (major ? 25 : 50))));
        p.drawLine(OnCircle(centre, radius * inner, a), OnCircle(centre, radius * 0.96, a));
        if (major) {
            QString label = QString::number(v);
            if (!metric && v > 0 && v < 1) label = label.mid(1);  // ".5"
            const QPointF at = OnCircle(centre, labelRadius, a);
            const QRectF box(at.x() - radius * 0.3, at.y() - radius * 0.14, radius * 0.6, radius * 0.28);
            p.drawText(box, Qt::AlignCenter, label);
        }
    }
    QFont unitFont(QStringLiteral("Sans Serif"));
    unitFont.setPixelSize(std::max(1, static_cast<int>(radius * 0.16)));
    p.setFont(unitFont);
    p.setPen(kDialInk);
    const QRectF unitBox(centre.x() - radius * 0.5, centre.y() - radius * 0.42, radius, radius * 0.22);
    p.drawText(unitBox, Qt::AlignCenter, metric ? QStringLiteral("l/min") : QStringLiteral("cft/min"));
}

void PaintNoStop(QPainter& p, const QRectF& r) {
    const QRectF box = r.adjusted(1, 1, -1, -1);
    p.setPen(QPen(kPanelInk, std::max(1.0, r.height() / 12)));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(box, box.height() / 5, box.height() / 5);
    DrawFittedText(p, box.adjusted(box.height() / 6, 0, -box.height() / 6, 0), QStringLiteral("NO STOP"),
                   kPanelInk);
}

void PaintStop(QPainter& p, const QRectF& r) {
    const QRectF box = r.adjusted(1, 1, -1, -1);
    p.setPen(Qt::NoPen);
    p.setBrush(kPanelInk);
    p.drawRoundedRect(box, box.height() / 5, box.height() / 5);
    DrawFittedText(p, box.adjusted(box.height() / 6, 0, -box.height() / 6, 0), QStringLiteral("STOP"),
                   kPanelBackground);
}

void PaintAscent(QPainter& p, const QRectF& r) {
    const double w = r.width();
    const double h = r.height();
    const double cx = r.center().x();
    QPainterPath arrow;
    arrow.moveTo(cx, r.top() + h * 0.05);
    arrow.lineTo(r.left() + w * 0.92, r.top() + h * 0.5);
    arrow.lineTo(cx + w * 0.16, r.top() + h * 0.5);
    arrow.lineTo(cx + w * 0.16, r.bottom() - h * 0.05);
    arrow.lineTo(cx - w * 0.16, r.bottom() - h * 0.05);
    arrow.lineTo(cx - w * 0.16, r.top() + h * 0.5);
    arrow.lineTo(r.left() + w * 0.08, r.top() + h * 0.5);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kPanelInk);
    p.drawPath(arrow);
}

void PaintCns(QPainter& p, const QRectF& r) {
    const QRectF box = r.adjusted(1, 1, -1, -1);
    p.setPen(QPen(kPanelInk, std::max(1.0, r.height() / 12)));
    p.setBrush(Qt::NoBrush);
    p.drawRect(box);
    DrawFittedText(p, box.adjusted(1, 0, -1, 0), QStringLiteral("CNS"), kPanelInk);
}

void PaintLevelSymbols(QPainter& p, const QRectF& r) {
    const double third = r.width() / 3;
    const double s = std::min(third, r.height());
    // Microbubbles: three circles of falling size.
    const QPointF b = QPointF(r.left() + third / 2, r.center().y());
    p.setPen(QPen(kBubbleBarColour, std::max(1.0, s / 14)));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(b + QPointF(-s * 0.12, s * 0.18), s * 0.2, s * 0.2);
    p.drawEllipse(b + QPointF(s * 0.2, -s * 0.08), s * 0.14, s * 0.14);
    p.drawEllipse(b + QPointF(-s * 0.05, -s * 0.3), s * 0.09, s * 0.09);
    // Cold: a thermometer.
    const QPointF t = QPointF(r.left() + third * 1.5, r.center().y());
    p.setPen(QPen(kTempBarColour, std::max(1.0, s / 14)));
    p.drawRoundedRect(QRectF(t.x() - s * 0.08, t.y() - s * 0.42, s * 0.16, s * 0.62), s * 0.08, s * 0.08);
    p.setBrush(kTempBarColour);
    p.drawEllipse(t + QPointF(0, s * 0.28), s * 0.15, s * 0.15);
    // Workload: a pulse line.
    const QPointF w = QPointF(r.left() + third * 2.5, r.center().y());
    p.setPen(QPen(kWorkBarColour, std::max(1.0, s / 12), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const QPointF pulse[] = {w + QPointF(-s * 0.45, 0),        w + QPointF(-s * 0.2, 0),
                             w + QPointF(-s * 0.1, -s * 0.35), w + QPointF(s * 0.05, s * 0.35),
                             w + QPointF(s * 0.18, -s * 0.12), w + QPointF(s * 0.26, 0),
                             w + QPointF(s * 0.45, 0)};
    p.drawPolyline(pulse, 7);
}

}  // namespace

ECompanionPicture DialPicture(EDial dial) {
    switch (dial) {
        case EDial::Metric:
            return ECompanionPicture::DialMetric;
        case EDial::Imperial:
            return ECompanionPicture::DialImperial;
        case EDial::Empty:
            break;
    }
    return ECompanionPicture::DialEmpty;
}

void PaintCompanionPicture(QPainter& painter, const QRectF& rect, ECompanionPicture picture) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    switch (picture) {
        case ECompanionPicture::DialEmpty:
        case ECompanionPicture::DialMetric:
        case ECompanionPicture::DialImperial:
            PaintDial(painter, rect, picture);
            break;
        case ECompanionPicture::NoStop:
            PaintNoStop(painter, rect);
            break;
        case ECompanionPicture::Stop:
            PaintStop(painter, rect);
            break;
        case ECompanionPicture::Ascent:
            PaintAscent(painter, rect);
            break;
        case ECompanionPicture::Cns:
            PaintCns(painter, rect);
            break;
        case ECompanionPicture::Metre:
            DrawFittedText(painter, rect, QStringLiteral("m"), kPanelInk);
            break;
        case ECompanionPicture::Feet:
            DrawFittedText(painter, rect, QStringLiteral("ft"), kPanelInk);
            break;
        case ECompanionPicture::LevelSymbols:
            PaintLevelSymbols(painter, rect);
            break;
    }
    painter.restore();
}

QColor BarColour(EBarColour colour) {
    switch (colour) {
        case EBarColour::Red:
            return {255, 0, 0};
        case EBarColour::Green:
            return {0, 255, 0};
        case EBarColour::Magenta:
            return {255, 0, 255};
    }
    return {0, 255, 0};
}

void PaintBarGauge(QPainter& painter, const QRectF& rect, int value, const QColor& colour) {
    const int v = std::clamp(value, 0, 100);
    painter.save();
    painter.setPen(QPen(QColor(128, 128, 128), 1));
    painter.setBrush(Qt::white);
    const QRectF frame = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    painter.drawRect(frame);
    const QRectF inner = frame.adjusted(1, 1, -1, -1);
    const double filled = inner.height() * v / 100.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRect(QRectF(inner.left(), inner.bottom() - filled, inner.width(), filled));
    painter.restore();
}

TNeedleGeometry NeedleGeometry(int width, int value, int max, TRot rotation) {
    TNeedleGeometry g;
    const int half = width / 2;
    g.Centre = QPoint(half, half);
    g.Radius = half;
    double angle = 0;
    switch (rotation) {
        case TRot::A0:
            angle = 0;
            break;
        case TRot::A90:
            angle = std::numbers::pi / 2;
            break;
        case TRot::A180:
            angle = std::numbers::pi;
            break;
        case TRot::A270:
            angle = 3 * std::numbers::pi / 2;
            break;
    }
    if (max != 0) angle += static_cast<double>(value) / max * 2 * std::numbers::pi;
    g.Tip = g.Centre + QPoint(static_cast<int>(std::nearbyint(std::cos(angle) * half)),
                              static_cast<int>(std::nearbyint(std::sin(angle) * half)));
    return g;
}
