// The painter drawn into images: what lands where for air, nitrox and rebreather dives, the
// colours of print and screen, the replay segments, the cursor, and damaged profiles.

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <memory>

#include <gtest/gtest.h>

#include "PresentationTestSupport.h"
#include "ProfilePlot.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 500;

QImage WhiteImage(int w = kWidth, int h = kHeight) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

bool Has(const QImage& image, const QColor& colour, QRect within = {}) {
    if (within.isNull()) within = image.rect();
    within &= image.rect();
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            if (image.pixelColor(x, y) == colour) return true;
    return false;
}

// Text is smoothed: its pixels are shades between the text colour and the background.
bool HasText(const QImage& image, QRect within, const QColor& background = Qt::white) {
    within &= image.rect();
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            if (image.pixelColor(x, y) != background) return true;
    return false;
}

bool HasGreenish(const QImage& image, QRect within) {
    within &= image.rect();
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.green() > c.red() + 60 && c.green() > c.blue() + 60) return true;
        }
    return false;
}

// Bounding rectangle of the pixels that differ between two images.
QRect Difference(const QImage& a, const QImage& b) {
    QRect r;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) r |= QRect(x, y, 1, 1);
    return r;
}

struct PlotCase : ::testing::Test {
    PlotCase() { GuiApp(); }

    // Paints the dive; false when the painter refused it.
    bool Paint(const TDiveRec& d, EPlotMode mode, QImage& image, int replayIndex = -1) {
        if (!BeginPlot(plot, d, *profile, mode, units)) return false;
        plot.ReplayIndex = replayIndex;
        QPainter painter(&image);
        PaintPlot(plot, painter, image.rect(), false);
        return true;
    }
    QPoint PointPixel(int i) const {
        const ProfileLayout& l = plot.Layout;
        const ProfilePoint& p = profile->Points[static_cast<std::size_t>(i)];
        return {l.OriginX + PointToX(l, i), l.OriginY + DepthToY(l, PointDepth(p) * l.DepthFactor)};
    }
    QRect RowPixels(int row, int fromPoint, int toPoint) const {
        const ProfileLayout& l = plot.Layout;
        const int y = l.OriginY + l.RowY[static_cast<std::size_t>(row)] - 1;
        return {QPoint(l.OriginX + PointToX(l, fromPoint) + 1, y),
                QPoint(l.OriginX + PointToX(l, toPoint) - 1, y)};
    }

    std::unique_ptr<DiveProfile> profile = std::make_unique<DiveProfile>();
    ProfilePlot plot;
    int units = 0;
};

const std::vector<std::pair<double, double>> kSquare = {{0, 0}, {2, 1.8}, {30, 1.8}, {35, 0}};

TEST_F(PlotCase, DiveWithoutProfileNeverReachesThePainter) {
    TDiveRec none;
    QImage image = WhiteImage();
    const QImage before = image;
    EXPECT_FALSE(Paint(none, EPlotMode::Print, image));
    QPainter painter(&image);
    PaintPlot(plot, painter, image.rect(), true);  // an unbound plot draws nothing
    painter.end();
    EXPECT_EQ(image, before);
}

TEST_F(PlotCase, PrintedAirDiveHasFrameGridBlackLineAndNoReplayColours) {
    QImage image = WhiteImage();
    const TDiveRec d = ProfileDive(ProfileFamily::Basic, kSquare);
    ASSERT_TRUE(Paint(d, EPlotMode::Print, image));
    const ProfileLayout& l = plot.Layout;
    EXPECT_EQ(l.LineHeight, 11);  // 8 pt at 96 dpi
    EXPECT_EQ(l.RowCount, 4);
    // Frame edge inside the band (no row line there) and the bottom of the depth scale.
    EXPECT_EQ(image.pixelColor(l.LeftMargin, l.DepthHeight + 3), PlotColor::kAqua);
    EXPECT_TRUE(Has(image, PlotColor::kAqua, QRect(l.LeftMargin + 2, DepthToY(l, l.DepthRange), 20, 1)));
    // Depth line black at the bottom of the dive, from the surface start too.
    EXPECT_EQ(image.pixelColor(PointPixel(45)), PlotColor::kBlack);
    EXPECT_EQ(image.pixelColor(l.LeftMargin + 1, 1), PlotColor::kBlack);
    EXPECT_FALSE(Has(image, PlotColor::kGrey));
    EXPECT_FALSE(Has(image, PlotColor::kGreen));
    EXPECT_FALSE(Has(image, PlotColor::kBlue));
    // Time labels under the frame, depth labels in the margin.
    EXPECT_TRUE(HasText(image, QRect(l.LeftMargin, l.FullHeight + 2, l.PlotWidth, 14)));
    EXPECT_TRUE(HasText(image, QRect(0, 10, l.LeftMargin - 2, l.DepthHeight - 10)));
    EXPECT_FALSE(HasText(image, QRect(0, l.DepthHeight + 2, 3, l.FullHeight - l.DepthHeight)));
}

TEST_F(PlotCase, WarningsColourTheLineAndFillTheirRow) {
    TProfileBlockBuilder b(ProfileFamily::Basic);
    b.AddWaypoint(0, 0).AddWaypoint(2, 1.8).AddWaypoint(10, 1.8);
    b.SetWarnings(0x04);  // ascent warning for 2 minutes
    b.AddWaypoint(12, 1.2);
    b.SetWarnings(0);
    b.AddWaypoint(20, 1.2).AddWaypoint(22, 0);
    const TDiveRec d = DiveFromBuilder(ProfileFamily::Basic, b);
    QImage image = WhiteImage();
    ASSERT_TRUE(Paint(d, EPlotMode::Print, image));
    // The warned points' segments are magenta; the ascent row (second) is filled under them.
    EXPECT_EQ(image.pixelColor(PointPixel(33)), PlotColor::kMagenta);
    EXPECT_EQ(image.pixelColor(PointPixel(45)), PlotColor::kBlack);
    EXPECT_TRUE(Has(image, PlotColor::kMagenta, RowPixels(1, 32, 34)));
    EXPECT_FALSE(Has(image, PlotColor::kMagenta, RowPixels(1, 40, 50)));
    EXPECT_FALSE(Has(image, PlotColor::kMagenta, RowPixels(0, 32, 34)));  // descent row empty
}

TEST_F(PlotCase, ScreenModeShowsReplayedPointsWhiteAndTheRestGrey) {
    const TDiveRec d = ProfileDive(ProfileFamily::Basic, kSquare);
    QImage before = WhiteImage();
    ASSERT_TRUE(Paint(d, EPlotMode::Screen, before, -1));
    EXPECT_EQ(before.pixelColor(PointPixel(45)), PlotColor::kGrey);
    EXPECT_EQ(before.pixelColor(plot.Layout.LeftMargin + 1, 1), PlotColor::kWhite);  // surface start
    EXPECT_NE(before.pixelColor(plot.Layout.LeftMargin + 5, plot.Layout.DepthHeight - 5), PlotColor::kWhite);

    QImage after = WhiteImage();
    ASSERT_TRUE(Paint(d, EPlotMode::Screen, after, profile->Count + 1));
    EXPECT_EQ(after.pixelColor(PointPixel(45)), PlotColor::kWhite);
    EXPECT_FALSE(Has(after, PlotColor::kGrey,
                     QRect(plot.Layout.LeftMargin, 0, plot.Layout.PlotWidth, plot.Layout.DepthHeight)));
}

TEST_F(PlotCase, ReplaySegmentChangesOnlyItsRectangle) {
    const TDiveRec d = ProfileDive(ProfileFamily::Basic, kSquare);
    QImage image = WhiteImage();
    ASSERT_TRUE(Paint(d, EPlotMode::Screen, image, -1));
    const QImage before = image;
    QPainter painter(&image);
    EXPECT_TRUE(DrawReplaySegment(plot, painter, 0).isEmpty());  // no segment ends at point 0
    EXPECT_TRUE(DrawReplaySegment(plot, painter, profile->Count + 1).isEmpty());
    const QRect rect = DrawReplaySegment(plot, painter, 45);
    painter.end();
    const QRect changed = Difference(before, image);
    ASSERT_FALSE(changed.isEmpty());
    EXPECT_TRUE(rect.contains(changed)) << "changed pixels outside the reported rectangle";
    EXPECT_EQ(image.pixelColor(PointPixel(45)), PlotColor::kWhite);
    EXPECT_EQ(image.pixelColor(PointPixel(50)), PlotColor::kGrey);
}

TEST_F(PlotCase, CursorDrawnTwiceRestoresTheChartAndStaysInItsStrip) {
    const TDiveRec d = ProfileDive(ProfileFamily::Basic, kSquare);
    QImage image = WhiteImage();
    ASSERT_TRUE(Paint(d, EPlotMode::Screen, image, -1));
    const QImage chart = image;
    QPainter painter(&image);
    DrawCursor(plot, painter, 30);
    painter.end();
    const QRect changed = Difference(chart, image);
    ASSERT_FALSE(changed.isEmpty());
    EXPECT_TRUE(CursorStrip(plot, 30).contains(changed));
    EXPECT_EQ(changed.height(), plot.Layout.FullHeight + 1);
    painter.begin(&image);
    DrawCursor(plot, painter, 30);
    painter.end();
    EXPECT_EQ(image, chart);
}

TEST_F(PlotCase, WindowCursorInvertsTheChartUnderItOnADeviceWithAlpha) {
    const TDiveRec d = ProfileDive(ProfileFamily::Basic, kSquare);
    QImage chart = WhiteImage();
    ASSERT_TRUE(Paint(d, EPlotMode::Screen, chart, -1));
    // A window's backing store keeps an alpha channel; inverting it would punch a hole.
    QImage window(chart.size(), QImage::Format_ARGB32_Premultiplied);
    window.fill(Qt::black);
    QPainter painter(&window);
    painter.drawImage(0, 0, chart);
    DrawCursorOver(plot, painter, chart, 45);
    painter.end();
    const QRect strip = CursorStrip(plot, 45);
    for (int y = strip.top(); y <= strip.bottom(); ++y) {
        const QRgb under = chart.pixel(strip.x(), y);
        ASSERT_EQ(window.pixel(strip.x(), y), qRgb(qRed(under), 255 - qGreen(under), 255 - qBlue(under)))
            << y;
    }
    EXPECT_EQ(window.pixel(strip.x() + 1, strip.top() + 5), chart.pixel(strip.x() + 1, strip.top() + 5));
}

TEST_F(PlotCase, NitroxModLineShowsOnlyWhenTheScaleReachesIt) {
    // Family F, 32 % (index 6) with a limit of 1.4 bar (index 4): MOD = 1.4 / 0.3398 - 0.92 = 3.20 bar.
    const auto nitrox = [](double maxDepth) {
        TProfileBlockBuilder b(ProfileFamily::F);
        b.SetOxygenIndex(6).SetPO2LimitIndex(4);
        b.AddWaypoint(0, 0).AddWaypoint(3, maxDepth).AddWaypoint(30, maxDepth).AddWaypoint(35, 0);
        return DiveFromBuilder(ProfileFamily::F, b, kNitroxDiveBit);
    };
    QImage image = WhiteImage();
    ASSERT_TRUE(Paint(nitrox(3.0), EPlotMode::Print, image));
    const double mod = profile->NitroxMOD;
    ASSERT_GT(mod, 3.0);
    ASSERT_LT(mod - 3.0, 0.5);
    EXPECT_DOUBLE_EQ(profile->ProfileMaxDepth, mod);  // the profile's depth is raised
    const int y = DepthToY(plot.Layout, mod * plot.Layout.DepthFactor);
    EXPECT_EQ(image.pixelColor(plot.Layout.LeftMargin + 50, y), PlotColor::kGreen);
    EXPECT_TRUE(HasGreenish(image, QRect(plot.Layout.LeftMargin + plot.Layout.PlotWidth / 2, y - 25,
                                         plot.Layout.PlotWidth / 2, 20)));  // " ppO2=1.4bar"
    EXPECT_EQ(plot.Layout.RowCount, 5);

    image = WhiteImage();
    ASSERT_TRUE(Paint(nitrox(2.6), EPlotMode::Print, image));  // 0.6 bar short of the MOD
    EXPECT_FALSE(HasGreenish(image, image.rect()));
}

TEST_F(PlotCase, RebreatherDiveDrawsItsFractionCurveAndPercentScale) {
    TProfileBlockBuilder b(ProfileFamily::A);
    b.SetOxygenPercent(40).SetGasMode(2).SetGasByte(40);
    b.AddWaypoint(0, 0).AddWaypoint(3, 1.5).AddWaypoint(15, 1.5);
    b.SetGasByte(30);
    b.AddWaypoint(30, 1.5).AddWaypoint(35, 0);
    const TDiveRec d = DiveFromBuilder(ProfileFamily::A, b, kRebreatherDiveBit);
    QImage image = WhiteImage();
    ASSERT_TRUE(Paint(d, EPlotMode::Print, image));
    const ProfileLayout& l = plot.Layout;
    EXPECT_EQ(l.RowCount, 4);
    EXPECT_GT(l.PercentWidth, 0);
    // The curve at 40 % over the first part of the dive, the scale right of the chart.
    const int y40 = FractionToY(l, profile->Points[20].O2Fraction);
    EXPECT_TRUE(Has(image, PlotColor::kBlue, QRect(PointToX(l, 20) - 1, y40 - 1, 3, 3)));
    EXPECT_TRUE(Has(image, PlotColor::kBlue,
                    QRect(l.LeftMargin + l.PlotWidth + 2, 0, l.PercentWidth - 2, l.DepthHeight)));
}

TEST_F(PlotCase, PrinterResolutionScalesTheFont) {
    const TDiveRec d = ProfileDive(ProfileFamily::Basic, kSquare);
    QImage page = WhiteImage(2000, 1200);
    page.setDotsPerMeterX(23622);  // 600 dpi
    page.setDotsPerMeterY(23622);
    ASSERT_TRUE(Paint(d, EPlotMode::Print, page));
    EXPECT_EQ(plot.Layout.LineHeight, 67);  // 8 pt at 600 dpi
    EXPECT_GT(plot.Layout.LabelWidth, 100);
}

TEST_F(PlotCase, DamagedOrRandomProfileBlocksDrawWithoutFailing) {
    TDiveRec d = ProfileDive(ProfileFamily::F, kSquare, kNitroxDiveBit | kRebreatherDiveBit);
    d.ProfileBlock.resize(d.ProfileBlock.size() / 2);  // the length word claims more than is there
    QImage image = WhiteImage();
    ASSERT_TRUE(Paint(d, EPlotMode::Screen, image));
    EXPECT_TRUE(profile->Truncated);

    QRandomGenerator random(15);
    for (int round = 0; round < 40; ++round) {
        TDiveRec r;
        r.HwSw = static_cast<std::uint16_t>(random.bounded(0x100));
        r.DiveType = static_cast<std::uint16_t>(random.bounded(0x400));
        r.ProfileBlock.resize(static_cast<std::size_t>(random.bounded(2, 2000)));
        for (auto& byte : r.ProfileBlock) byte = static_cast<std::uint8_t>(random.bounded(256));
        QImage small = WhiteImage(200, 120);  // a cramped chart as well
        Paint(r, round % 2 ? EPlotMode::Print : EPlotMode::Screen, small, round);
        EXPECT_LE(profile->Count, kMaxPointIndex);
    }
}

}  // namespace
