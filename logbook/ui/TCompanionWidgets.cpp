#include "TCompanionWidgets.h"

#include <QPainter>
#include <algorithm>

TBarGauge::TBarGauge(QWidget* parent, QColor colour) : QWidget(parent), m_colour(colour) {}

void TBarGauge::SetValue(int value) {
    value = std::clamp(value, 0, 100);
    if (value == m_value) return;
    m_value = value;
    update();
}

void TBarGauge::SetColour(const QColor& colour) {
    if (colour == m_colour) return;
    m_colour = colour;
    update();
}

void TBarGauge::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintBarGauge(p, QRectF(rect()), m_value, m_colour);
}

TPictureBox::TPictureBox(QWidget* parent, ECompanionPicture picture) : QWidget(parent), m_picture(picture) {}

void TPictureBox::paintEvent(QPaintEvent*) {
    // The picture is drawn once per size and screen density and then only copied: the
    // windows repaint at every step of the cursor.
    const qreal ratio = devicePixelRatioF();
    if (m_drawn.isNull() || m_drawnSize != size() || m_drawn.devicePixelRatio() != ratio) {
        m_drawn = QPixmap((QSizeF(size()) * ratio).toSize());
        m_drawn.setDevicePixelRatio(ratio);
        m_drawn.fill(Qt::transparent);
        QPainter picture(&m_drawn);
        PaintCompanionPicture(picture, QRectF(QPointF(0, 0), QSizeF(size())), m_picture);
        m_drawnSize = size();
    }
    QPainter p(this);
    p.drawPixmap(0, 0, m_drawn);
}
