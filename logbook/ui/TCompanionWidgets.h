#pragma once
// Small controls of the companion windows: a vertical bar gauge (0..100 without text) and a
// picture box that draws one of the companion pictures at any screen density.
//
//   auto* bar = new TBarGauge(panel, BarColour(EBarColour::Green));
//   bar->SetValue(75);
//   auto* nostop = new TPictureBox(panel, ECompanionPicture::NoStop);

#include <QColor>
#include <QPixmap>
#include <QWidget>

#include "CompanionPictures.h"

class TBarGauge : public QWidget {
    Q_OBJECT
public:
    explicit TBarGauge(QWidget* parent, QColor colour = BarColour(EBarColour::Green));

    int Value() const { return m_value; }
    void SetValue(int value);
    QColor Colour() const { return m_colour; }
    void SetColour(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_value = 0;
    QColor m_colour;
};

class TPictureBox : public QWidget {
    Q_OBJECT
public:
    TPictureBox(QWidget* parent, ECompanionPicture picture);
    ECompanionPicture Picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ECompanionPicture m_picture;
    QPixmap m_drawn;  // the picture at the size and density it was last painted
    QSize m_drawnSize;
};
