#include "ToolGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <array>

namespace {

// All glyphs are drawn on a 20 x 20 grid and scaled to the requested size.
constexpr double kGrid = 20.0;

const QColor kInk(40, 40, 48);
const QColor kPaper(250, 250, 246);
const QColor kSea(30, 110, 190);
const QColor kSeaLight(150, 200, 240);
const QColor kRed(200, 40, 40);
const QColor kGreen(40, 150, 60);
const QColor kYellow(235, 190, 40);

QPen Ink(double width = 1.2) { return {kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin}; }

// A sheet of paper with a folded top-right corner.
void Sheet(QPainter& p, double x, double y, double w, double h) {
    QPolygonF sheet{{x, y}, {x + w - 4, y}, {x + w, y + 4}, {x + w, y + h}, {x, y + h}};
    p.setPen(Ink());
    p.setBrush(kPaper);
    p.drawPolygon(sheet);
    p.drawPolyline(QPolygonF{{x + w - 4, y}, {x + w - 4, y + 4}, {x + w, y + 4}});
}

void TextLines(QPainter& p, double x, double y, double w, int lines) {
    p.setPen(QPen(kInk, 0.8));
    for (int i = 0; i < lines; ++i) p.drawLine(QPointF(x, y + i * 2.5), QPointF(x + w, y + i * 2.5));
}

void DepthLine(QPainter& p, const QRectF& r, const QColor& colour, double width) {
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.left() + r.width() * 0.15, r.bottom());
    path.lineTo(r.left() + r.width() * 0.45, r.bottom());
    path.lineTo(r.left() + r.width() * 0.55, r.top() + r.height() * 0.45);
    path.lineTo(r.left() + r.width() * 0.80, r.top() + r.height() * 0.45);
    path.lineTo(r.right(), r.top());
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

void Plus(QPainter& p, double cx, double cy, double r, const QColor& colour) {
    p.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(cx - r, cy), QPointF(cx + r, cy));
    p.drawLine(QPointF(cx, cy - r), QPointF(cx, cy + r));
}

void DrawNew(QPainter& p) {
    Sheet(p, 4, 2, 12, 16);
    Plus(p, 14.5, 14.5, 3, kGreen);
}

void DrawOpen(QPainter& p) {
    p.setPen(Ink());
    p.setBrush(kYellow.darker(115));
    p.drawPolygon(QPolygonF{{2, 5}, {7, 5}, {9, 7}, {17, 7}, {17, 16}, {2, 16}});
    p.setBrush(kYellow);
    p.drawPolygon(QPolygonF{{4, 9}, {19, 9}, {17, 16}, {2, 16}});
}

void DrawSave(QPainter& p) {
    p.setPen(Ink());
    p.setBrush(kSea);
    p.drawPolygon(QPolygonF{{3, 3}, {15, 3}, {17, 5}, {17, 17}, {3, 17}});
    p.setBrush(kPaper);
    p.drawRect(QRectF(6, 3, 8, 5));
    p.setBrush(kSeaLight);
    p.drawRect(QRectF(5.5, 11, 9, 6));
    p.setBrush(kInk);
    p.drawRect(QRectF(11, 4, 2, 3));
}

void DrawPrint(QPainter& p) {
    p.setPen(Ink());
    p.setBrush(kPaper);
    p.drawRect(QRectF(6, 2, 8, 6));
    p.setBrush(QColor(170, 170, 175));
    p.drawRoundedRect(QRectF(2, 8, 16, 7), 1.5, 1.5);
    p.setBrush(kPaper);
    p.drawRect(QRectF(6, 12, 8, 6));
    TextLines(p, 7.5, 14, 5, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(15.5, 10.5), 1, 1);
}

// A dive computer: a round watch face with straps.
void Watch(QPainter& p, double cx, double cy, double r) {
    p.setPen(Ink());
    p.setBrush(kInk);
    p.drawRect(QRectF(cx - r * 0.55, cy - r - 3, r * 1.1, 3));
    p.drawRect(QRectF(cx - r * 0.55, cy + r, r * 1.1, 3));
    p.setBrush(kSeaLight);
    p.drawEllipse(QPointF(cx, cy), r, r);
    p.setPen(QPen(kInk, 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(cx, cy), QPointF(cx, cy - r * 0.65));
    p.drawLine(QPointF(cx, cy), QPointF(cx + r * 0.5, cy + r * 0.2));
}

void DrawTransfer(QPainter& p) {
    Watch(p, 5.5, 10, 3.5);
    // Infrared rays from the computer to the logbook.
    p.setPen(QPen(kRed, 1.0, Qt::DotLine));
    p.drawLine(QPointF(10, 8), QPointF(14, 8));
    p.drawLine(QPointF(10, 12), QPointF(14, 12));
    p.setPen(QPen(kRed, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(10, 10), QPointF(17, 10));
    p.drawPolyline(QPolygonF{{14.5, 7.5}, {17.5, 10}, {14.5, 12.5}});
}

void DrawEdit(QPainter& p) {
    Sheet(p, 2, 2, 11, 15);
    TextLines(p, 4, 7, 6, 4);
    p.setPen(Ink(1.0));
    p.setBrush(kYellow);
    p.drawPolygon(QPolygonF{{9, 16}, {16, 6}, {18.5, 8}, {11.5, 18}, {8.5, 18.8}});
    p.setBrush(kRed);
    p.drawPolygon(QPolygonF{{16, 6}, {17.2, 4.3}, {19.7, 6.2}, {18.5, 8}});
}

void DrawInsert(QPainter& p) {
    Sheet(p, 2, 2, 11, 15);
    DepthLine(p, QRectF(3.5, 7, 8, 6), kSea, 1.2);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(15, 14.5), 4.2, 4.2);
    Plus(p, 15, 14.5, 3, kGreen);
}

void DrawDelete(QPainter& p) {
    Sheet(p, 2, 2, 11, 15);
    TextLines(p, 4, 7, 6, 4);
    p.setPen(QPen(kRed, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10, 10), QPointF(18, 18));
    p.drawLine(QPointF(18, 10), QPointF(10, 18));
}

void DrawStatistics(QPainter& p) {
    p.setPen(Ink());
    p.drawLine(QPointF(2.5, 2), QPointF(2.5, 17.5));
    p.drawLine(QPointF(2.5, 17.5), QPointF(18, 17.5));
    const std::array<double, 4> heights{6, 11, 8, 13};
    const std::array<QColor, 4> colours{kSea, kGreen, kYellow, kRed};
    for (std::size_t i = 0; i < heights.size(); ++i) {
        p.setBrush(colours[i]);
        p.drawRect(QRectF(4.5 + 3.5 * static_cast<double>(i), 17.5 - heights[i], 2.6, heights[i]));
    }
}

void DrawSelect(QPainter& p) {
    // A list with two ticked lines.
    p.setPen(Ink());
    p.setBrush(kPaper);
    p.drawRect(QRectF(2, 2, 16, 16));
    for (int i = 0; i < 4; ++i) {
        const double y = 5 + i * 3.6;
        p.setPen(QPen(kInk, 0.9));
        p.drawLine(QPointF(9, y), QPointF(16, y));
        if (i == 0 || i == 2) {
            p.setPen(QPen(kGreen, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPolyline(QPolygonF{{3.5, y}, {5, y + 1.4}, {7.5, y - 1.6}});
        }
    }
}

void DrawTimeZone(QPainter& p) {
    p.setPen(Ink());
    p.setBrush(kSeaLight);
    p.drawEllipse(QPointF(10, 10), 8, 8);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kSea, 0.9));
    p.drawEllipse(QPointF(10, 10), 3.5, 8);
    p.drawLine(QPointF(2, 10), QPointF(18, 10));
    p.drawLine(QPointF(10, 2), QPointF(10, 18));
    // Clock hands in front of the globe.
    p.setPen(QPen(kRed, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10, 10), QPointF(10, 5));
    p.drawLine(QPointF(10, 10), QPointF(14, 12));
}

void DrawData(QPainter& p) {
    p.setPen(Ink());
    p.setBrush(kPaper);
    p.drawRect(QRectF(2, 3, 16, 14));
    p.setBrush(kSea);
    p.drawRect(QRectF(2, 3, 16, 3));
    p.setPen(QPen(kInk, 0.8));
    for (int i = 0; i < 4; ++i) {
        const double y = 8.5 + i * 2.4;
        p.drawLine(QPointF(4, y), QPointF(8, y));
        p.drawLine(QPointF(10, y), QPointF(16, y));
    }
}

void DrawProfile(QPainter& p) {
    p.setPen(Ink());
    p.setBrush(kPaper);
    p.drawRect(QRectF(2, 3, 16, 14));
    p.setPen(Qt::NoPen);
    p.setBrush(kSeaLight);
    p.drawRect(QRectF(2.6, 5.5, 14.8, 10.9));
    DepthLine(p, QRectF(3.5, 5.5, 13, 9), kSea.darker(130), 1.6);
}

void DrawDiveComputer(QPainter& p) { Watch(p, 10, 10, 6); }

void DrawPhysiological(QPainter& p) {
    QPainterPath heart;
    heart.moveTo(10, 17);
    heart.cubicTo(2, 11, 1.5, 5, 6, 4);
    heart.cubicTo(8, 3.5, 9.5, 5, 10, 6.5);
    heart.cubicTo(10.5, 5, 12, 3.5, 14, 4);
    heart.cubicTo(18.5, 5, 18, 11, 10, 17);
    p.setPen(Ink());
    p.setBrush(kRed);
    p.drawPath(heart);
    p.setPen(QPen(kPaper, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF{{4.5, 10}, {7.5, 10}, {9, 7.5}, {11, 12.5}, {12.5, 10}, {15.5, 10}});
}

void DrawTissue(QPainter& p) {
    // Saturation of the tissue compartments: eight bars.
    p.setPen(Ink(0.8));
    const std::array<double, 8> levels{13, 12, 10, 8, 7, 5, 4, 3};
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const double x = 2 + 2 * static_cast<double>(i);
        p.setBrush(kPaper);
        p.drawRect(QRectF(x, 3, 1.6, 14));
        p.setBrush(i < 3 ? kYellow : kGreen);
        p.drawRect(QRectF(x, 17 - levels[i], 1.6, levels[i]));
    }
}

}  // namespace

QPixmap DrawToolGlyph(EToolGlyph glyph, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kGrid, size / kGrid);
    switch (glyph) {
        case EToolGlyph::New:
            DrawNew(p);
            break;
        case EToolGlyph::Open:
            DrawOpen(p);
            break;
        case EToolGlyph::Save:
            DrawSave(p);
            break;
        case EToolGlyph::Print:
            DrawPrint(p);
            break;
        case EToolGlyph::Transfer:
            DrawTransfer(p);
            break;
        case EToolGlyph::Edit:
            DrawEdit(p);
            break;
        case EToolGlyph::Insert:
            DrawInsert(p);
            break;
        case EToolGlyph::Delete:
            DrawDelete(p);
            break;
        case EToolGlyph::Statistics:
            DrawStatistics(p);
            break;
        case EToolGlyph::Select:
            DrawSelect(p);
            break;
        case EToolGlyph::TimeZone:
            DrawTimeZone(p);
            break;
        case EToolGlyph::Data:
            DrawData(p);
            break;
        case EToolGlyph::Profile:
            DrawProfile(p);
            break;
        case EToolGlyph::DiveComputer:
            DrawDiveComputer(p);
            break;
        case EToolGlyph::Physiological:
            DrawPhysiological(p);
            break;
        case EToolGlyph::Tissue:
            DrawTissue(p);
            break;
    }
    return pixmap;
}

QIcon ToolGlyph(EToolGlyph glyph) {
    QIcon icon;
    for (int size : {20, 40}) icon.addPixmap(DrawToolGlyph(glyph, size));
    return icon;
}
