#pragma once
// The needle of a round instrument: a hub and a line from the centre of the widget's upper
// square, turning clockwise as Value grows from the zero that Rotation gives. The widget
// is transparent around the needle, so it lies on the dial picture beneath it.
//
//   auto* needle = new TNeedle(panel);
//   needle->SetMax(60);
//   needle->SetRotation(TRot::A90);   // 0 points straight down
//   needle->SetValue(21);             // repaints

#include <QColor>
#include <QWidget>

#include "CompanionPictures.h"

class TNeedle : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor Color READ Color WRITE SetColor)
    Q_PROPERTY(int Max READ Max WRITE SetMax)
    Q_PROPERTY(int Value READ Value WRITE SetValue)
    Q_PROPERTY(int Rotation READ RotationIndex WRITE SetRotationIndex)
public:
    explicit TNeedle(QWidget* parent = nullptr);

    QColor Color() const { return m_color; }
    void SetColor(const QColor& color);
    int Max() const { return m_max; }
    void SetMax(int max);
    int Value() const { return m_value; }
    void SetValue(int value);
    TRot Rotation() const { return m_rotation; }
    void SetRotation(TRot rotation);

    // Where the needle points now, in widget coordinates.
    TNeedleGeometry Geometry() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int RotationIndex() const { return static_cast<int>(m_rotation); }
    void SetRotationIndex(int index) { SetRotation(static_cast<TRot>(index & 3)); }

    QColor m_color = Qt::black;
    int m_max = 100;
    int m_value = 0;
    TRot m_rotation = TRot::A0;
};
