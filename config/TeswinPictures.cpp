#include "TeswinPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

QPixmap Blank(QSize size) {
    QPixmap p(size);
    p.fill(Qt::transparent);
    return p;
}

// An arrow between the dive computer (left) and the computer (right).
void DrawTransferGlyph(QPainter& g, bool toComputer) {
    g.setPen(QPen(Qt::black, 1));
    g.setBrush(QColor(40, 40, 40));
    g.drawRoundedRect(QRectF(1, 6, 6, 10), 2, 2);  // dive computer
    g.setBrush(QColor(120, 160, 220));
    g.drawRect(QRectF(15, 5, 8, 7));  // screen
    g.drawRect(QRectF(17, 13, 4, 3));
    const QColor arrow = toComputer ? QColor(0, 140, 0) : QColor(200, 0, 0);
    g.setPen(Qt::NoPen);
    g.setBrush(arrow);
    QPolygonF head;
    if (toComputer)
        head << QPointF(14, 11) << QPointF(10, 7) << QPointF(10, 15);
    else
        head << QPointF(8, 11) << QPointF(12, 7) << QPointF(12, 15);
    g.drawRect(toComputer ? QRectF(8, 10, 3, 2) : QRectF(11, 10, 3, 2));
    g.drawPolygon(head);
}

}  // namespace

QPixmap TankPicture(QSize size) {
    QPixmap p = Blank(size);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    const QRectF body(w * 0.2, h * 0.18, w * 0.6, h * 0.78);
    QLinearGradient shade(body.topLeft(), body.topRight());
    shade.setColorAt(0, QColor(230, 200, 40));
    shade.setColorAt(0.4, QColor(255, 240, 150));
    shade.setColorAt(1, QColor(170, 140, 20));
    g.setPen(QPen(QColor(90, 70, 0), 1));
    g.setBrush(shade);
    g.drawRoundedRect(body, w * 0.28, w * 0.28);
    g.setBrush(QColor(90, 90, 90));
    g.drawRect(QRectF(w * 0.42, h * 0.08, w * 0.16, h * 0.1));  // valve
    g.drawRect(QRectF(w * 0.3, h * 0.04, w * 0.4, h * 0.05));
    return p;
}

QPixmap DiveComputerPicture(QSize size) {
    QPixmap p = Blank(size);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(60, 60, 60));
    g.drawRect(QRectF(w * 0.3, 0, w * 0.4, h));  // strap
    g.setBrush(QColor(30, 30, 30));
    g.drawRoundedRect(QRectF(w * 0.05, h * 0.2, w * 0.9, h * 0.6), w * 0.15, w * 0.15);
    g.setBrush(QColor(170, 200, 160));
    const QRectF screen(w * 0.17, h * 0.3, w * 0.66, h * 0.4);
    g.drawRect(screen);
    g.setPen(QColor(20, 40, 20));
    QFont f = g.font();
    f.setPixelSize(std::max(6, static_cast<int>(h * 0.14)));
    g.setFont(f);
    g.drawText(screen, Qt::AlignCenter, QStringLiteral("12.3"));
    return p;
}

QIcon ToolIcon(TToolGlyph glyph) {
    QPixmap p = Blank(QSize(24, 22));
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    switch (glyph) {
        case TToolGlyph::Read:
            DrawTransferGlyph(g, true);
            break;
        case TToolGlyph::Write:
            DrawTransferGlyph(g, false);
            break;
        case TToolGlyph::WakeUp: {
            g.setPen(QPen(QColor(200, 120, 0), 2));
            for (int i = 0; i < 8; ++i) {
                g.save();
                g.translate(12, 11);
                g.rotate(45.0 * i);
                g.drawLine(QPointF(6, 0), QPointF(9, 0));
                g.restore();
            }
            g.setPen(QPen(QColor(150, 80, 0), 1));
            g.setBrush(QColor(255, 200, 0));
            g.drawEllipse(QPointF(12, 11), 4.5, 4.5);
            break;
        }
        case TToolGlyph::Print: {
            g.setPen(QPen(Qt::black, 1));
            g.setBrush(Qt::white);
            g.drawRect(QRectF(7, 2, 10, 7));  // paper
            g.setBrush(QColor(150, 150, 150));
            g.drawRoundedRect(QRectF(3, 8, 18, 8), 2, 2);
            g.setBrush(Qt::white);
            g.drawRect(QRectF(7, 14, 10, 6));
            break;
        }
    }
    return {p};
}
