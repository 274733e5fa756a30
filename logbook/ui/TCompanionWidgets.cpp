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
    QPainter p(this);
    PaintCompanionPicture(p, QRectF(rect()), m_picture);
}
