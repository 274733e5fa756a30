// The needle's geometry and the companion pictures rendered into images at normal and high
// screen density.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "CompanionPictures.h"

namespace {

// Text needs the font database of a GUI application; one is made when no test made it yet.
void EnsureGuiApplication() {
    if (QGuiApplication::instance()) return;
    static int argc = 1;
    static char name[] = "kv_presentation_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

TEST(Needle, TurnsClockwiseFromItsRotation) {
    // A90, value 0: straight down from the centre.
    TNeedleGeometry g = NeedleGeometry(40, 0, 60, TRot::A90);
    EXPECT_EQ(g.Centre, QPoint(20, 20));
    EXPECT_EQ(g.Radius, 20);
    EXPECT_EQ(g.Tip, QPoint(20, 40));
    // A quarter of the scale further: pointing left (screen y grows downward).
    EXPECT_EQ(NeedleGeometry(40, 15, 60, TRot::A90).Tip, QPoint(0, 20));
    EXPECT_EQ(NeedleGeometry(40, 30, 60, TRot::A90).Tip, QPoint(20, 0));
    EXPECT_EQ(NeedleGeometry(40, 0, 100, TRot::A0).Tip, QPoint(40, 20));
    EXPECT_EQ(NeedleGeometry(40, 0, 100, TRot::A180).Tip, QPoint(0, 20));
    EXPECT_EQ(NeedleGeometry(40, 0, 100, TRot::A270).Tip, QPoint(20, 0));
    // Odd widths use integer halves for centre and radius.
    g = NeedleGeometry(41, 0, 60, TRot::A90);
    EXPECT_EQ(g.Centre, QPoint(20, 20));
    EXPECT_EQ(g.Tip, QPoint(20, 40));
    // A scale of 0 leaves the needle at its zero instead of dividing by it.
    EXPECT_EQ(NeedleGeometry(40, 25, 0, TRot::A90).Tip, QPoint(20, 40));
}

QImage Render(ECompanionPicture picture, double dpr) {
    const QSize logical(60, 60);
    QImage image(logical * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
    QPainter p(&image);
    PaintCompanionPicture(p, QRectF(QPointF(0, 0), logical), picture);
    return image;
}

int InkedPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0) ++n;
    return n;
}

TEST(CompanionPictures, EveryPictureDrawsAtAnyDensity) {
    EnsureGuiApplication();
    for (auto picture : {ECompanionPicture::DialEmpty, ECompanionPicture::DialMetric,
                         ECompanionPicture::DialImperial, ECompanionPicture::NoStop, ECompanionPicture::Stop,
                         ECompanionPicture::Ascent, ECompanionPicture::Cns, ECompanionPicture::Metre,
                         ECompanionPicture::Feet, ECompanionPicture::LevelSymbols}) {
        const int normal = InkedPixels(Render(picture, 1));
        const int dense = InkedPixels(Render(picture, 3));
        EXPECT_GT(normal, 0) << static_cast<int>(picture);
        // Drawn as shapes, so three times the density inks about nine times the pixels.
        EXPECT_GT(dense, normal * 6) << static_cast<int>(picture);
    }
    // The scales differ: litres and cubic feet are not the same picture.
    EXPECT_NE(Render(ECompanionPicture::DialMetric, 1), Render(ECompanionPicture::DialImperial, 1));
    EXPECT_NE(Render(ECompanionPicture::DialMetric, 1), Render(ECompanionPicture::DialEmpty, 1));
    EXPECT_EQ(DialPicture(EDial::Imperial), ECompanionPicture::DialImperial);
}

TEST(CompanionPictures, BarGaugeFillsFromTheBottom) {
    QImage image(10, 102, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        PaintBarGauge(p, QRectF(0, 0, 10, 102), 50, BarColour(EBarColour::Magenta));
    }
    EXPECT_EQ(QColor(image.pixel(5, 90)), QColor(255, 0, 255));
    EXPECT_EQ(QColor(image.pixel(5, 10)), QColor(Qt::white));
    {
        QPainter p(&image);
        PaintBarGauge(p, QRectF(0, 0, 10, 102), 250, BarColour(EBarColour::Red));  // clamped to full
    }
    EXPECT_EQ(QColor(image.pixel(5, 3)), QColor(255, 0, 0));
}

}  // namespace
