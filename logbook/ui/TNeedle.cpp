#include "TNeedle.h"

#include <QPainter>

TNeedle::TNeedle(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }

void TNeedle::SetColor(const QColor& color) {
    if (color == m_color) return;
    m_color = color;
    update();
}

void TNeedle::SetMax(int max) {
    if (max == m_max) return;
    m_max = max;
    update();
}

void TNeedle::SetValue(int value) {
    if (value == m_value) return;
    m_value = value;
    update();
}

void TNeedle::SetRotation(TRot rotation) {
    if (rotation == m_rotation) return;
    m_rotation = rotation;
    update();
}

TNeedleGeometry TNeedle::Geometry() const { return NeedleGeometry(width(), m_value, m_max, m_rotation); }

void TNeedle::paintEvent(QPaintEvent*) {
    const TNeedleGeometry g = Geometry();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(m_color, 2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(m_color);
    // The hub spans (cx - 2, cy - 2) to (cx + 3, cy + 3).
    p.drawEllipse(QRectF(g.Centre.x() - 2, g.Centre.y() - 2, 5, 5));
    p.drawLine(g.Centre, g.Tip);
}
