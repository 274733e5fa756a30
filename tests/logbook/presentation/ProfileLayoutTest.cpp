// Chart geometry without painting: grids, margins, rows and mappings, with a fixed-pitch
// text measure so that every width is known.

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include "ProfileLayout.h"

namespace {

constexpr int kCharWidth = 6;

// A chart of `count` points in a canvas wide enough to give PlotWidth `plotWidth` for a
// left margin of the 5-character text "260 m" (30 pixels).
ProfileLayoutInput Input(int count, double maxDepth, int width = 530, int height = 400) {
    ProfileLayoutInput in;
    in.Right = width;
    in.Bottom = height;
    in.Count = count;
    in.ProfileMaxDepth = maxDepth;
    in.LineHeight = 11;
    in.LabelWidth = 30;
    in.TextWidth = [](const QString& text) { return static_cast<int>(text.size()) * kCharWidth; };
    return in;
}

std::vector<int> Rows(const ProfileLayout& l) { return {l.RowY.begin(), l.RowY.begin() + l.RowCount}; }

TEST(RoundEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundEven(2.5), 2);
    EXPECT_EQ(RoundEven(3.5), 4);
    EXPECT_EQ(RoundEven(-2.5), -2);
    EXPECT_EQ(RoundEven(16.5), 16);
    EXPECT_EQ(RoundEven(2.4999), 2);
    EXPECT_EQ(RoundEven(2.5001), 3);
}

TEST(TimeGrid, FortyFiveMinutesIn500PixelsTakeFiveMinuteSteps) {
    // 500 / 30 x 1 and x 2 fall short of 46 minutes, x 5 covers them.
    EXPECT_EQ(ChooseTimeStep(500, 30, 46), 5);
    EXPECT_EQ(TimeTicksFor(46, 5), 10);  // 9.7 rounded

    const ProfileLayout l = ComputeProfileLayout(Input(135, 1.8));
    EXPECT_EQ(l.TimeExtent, 46);
    EXPECT_EQ(l.LeftMargin, 30);  // "190 m"
    EXPECT_EQ(l.PlotWidth, 500);
    EXPECT_EQ(l.TimeStep, 5);
    EXPECT_EQ(l.TimeTicks, 10);
    EXPECT_DOUBLE_EQ(l.PixelsPerMinute, 10.0);
    // Grid lines 5' .. 45' lie inside the chart, the last one 50 pixels before its edge.
    EXPECT_EQ(TimeToX(l, 5), 80);
    EXPECT_EQ(TimeToX(l, 45), 480);
    EXPECT_EQ(TimeToX(l, 50), l.LeftMargin + l.PlotWidth);
}

TEST(TimeGrid, TicksRoundAsWrittenAndTheWidestStepWhenNothingFits) {
    EXPECT_EQ(TimeTicksFor(10, 1), 10);  // 10.5 -> 10
    EXPECT_EQ(TimeTicksFor(11, 1), 12);  // 11.5 -> 12
    EXPECT_EQ(TimeTicksFor(1, 50), 1);
    EXPECT_EQ(ChooseTimeStep(20, 30, 200), 50);  // too narrow even for 50-minute steps
    EXPECT_EQ(ChooseTimeStep(300, 30, 10), 1);   // exactly enough: 10 labels of 1 minute
    EXPECT_EQ(ChooseTimeStep(299, 30, 10), 2);
}

TEST(DepthGrid, TwoAndAHalfBarChoosesByHeight) {
    // Depth extent 26: step 1 with 50 divisions needs 50 label widths of height.
    EXPECT_EQ(ChooseDepthGrid(26, 1500, 30).Step, 1);
    EXPECT_EQ(ChooseDepthGrid(26, 1500, 30).Divisions, 50);
    EXPECT_EQ(ChooseDepthGrid(26, 1499, 30).Step, 2);
    EXPECT_EQ(ChooseDepthGrid(26, 1499, 30).Divisions, 15);
    EXPECT_EQ(ChooseDepthGrid(26, 450, 30).Step, 2);  // 450 / 15 = 30 still fits
    EXPECT_EQ(ChooseDepthGrid(26, 449, 30).Step, 5);
    EXPECT_EQ(ChooseDepthGrid(26, 449, 30).Divisions, 8);
    EXPECT_EQ(ChooseDepthGrid(26, 239, 30).Step, 10);
    EXPECT_EQ(ChooseDepthGrid(26, 239, 30).Divisions, 4);
    EXPECT_EQ(ChooseDepthGrid(26, 119, 30).Step, 20);
    EXPECT_EQ(ChooseDepthGrid(26, 119, 30).Divisions, 2);
    // Too low for any pair: the first pair that covers the depth, however crowded.
    EXPECT_EQ(ChooseDepthGrid(26, 59, 30).Step, 1);
    EXPECT_EQ(ChooseDepthGrid(26, 59, 30).Divisions, 50);

    ProfileLayoutInput in = Input(135, 2.5, 530, 400);
    const ProfileLayout l = ComputeProfileLayout(in);
    EXPECT_EQ(l.DepthExtent, 26);
    // 400 - 16 (1.5 x 11, halves to even) - 55 = 329 high; full height 384 -> 8 divisions of 5.
    EXPECT_EQ(l.DepthHeight, 329);
    EXPECT_EQ(l.FullHeight, 384);
    EXPECT_EQ(l.DepthStep, 5);
    EXPECT_EQ(l.DepthDivisions, 8);
    EXPECT_DOUBLE_EQ(l.DepthRange, 40);
    EXPECT_DOUBLE_EQ(l.PixelsPerDepthUnit, 329.0 / 8 / 5);
    EXPECT_EQ(DepthToY(l, 40), 329);
}

TEST(DepthGrid, HeightUsesHalfLinesRoundedToEven) {
    ProfileLayoutInput in = Input(30, 1.0, 530, 300);
    in.LineHeight = 13;  // 19.5 -> 20
    EXPECT_EQ(ComputeProfileLayout(in).DepthHeight, 300 - 20 - 65);
    in.LineHeight = -11;  // a font height given as a character height counts by its size
    EXPECT_EQ(ComputeProfileLayout(in).LineHeight, 11);
    EXPECT_EQ(ComputeProfileLayout(in).DepthHeight, 300 - 16 - 55);
}

TEST(Units, ImperialChartsCount33FeetPerBar) {
    ProfileLayoutInput in = Input(135, 2.5);
    QStringList measured;
    in.TextWidth = [&measured](const QString& t) {
        measured << t;
        return static_cast<int>(t.size()) * kCharWidth;
    };
    in.UnitSystem = 1;
    const ProfileLayout l = ComputeProfileLayout(in);
    EXPECT_DOUBLE_EQ(l.DepthFactor, 33);
    EXPECT_EQ(l.DepthExtent, 83);  // 82.5 truncated + 1
    EXPECT_TRUE(measured.contains(QStringLiteral("830 ft")));
    EXPECT_EQ(l.LeftMargin, 36);
    EXPECT_EQ(DepthUnitText(1), QStringLiteral(" ft"));
    EXPECT_EQ(DepthUnitText(0), QStringLiteral(" m"));
}

TEST(Rows, AirNitroxAndRebreatherDivesHaveTheirRows) {
    using R = EWarningRow;
    ProfileLayoutInput in = Input(90, 1.5);
    const ProfileLayout air = ComputeProfileLayout(in);
    ASSERT_EQ(air.RowCount, 4);
    EXPECT_EQ((std::vector<R>{air.RowKind.begin(), air.RowKind.begin() + 4}),
              (std::vector<R>{R::Descent, R::Ascent, R::Rbt, R::Work}));
    EXPECT_EQ(Rows(air), (std::vector<int>{air.DepthHeight + 11, air.DepthHeight + 22, air.DepthHeight + 33,
                                           air.DepthHeight + 44}));
    EXPECT_EQ(air.BandHeight, 55);
    EXPECT_EQ(air.PercentWidth, 0);

    in.DiveType = kNitroxDiveBit;
    const ProfileLayout nitrox = ComputeProfileLayout(in);
    ASSERT_EQ(nitrox.RowCount, 5);
    EXPECT_EQ(nitrox.RowKind[3], R::PO2);
    EXPECT_EQ(nitrox.BandHeight, 66);

    in.DiveType = kRebreatherDiveBit;
    const ProfileLayout scr = ComputeProfileLayout(in);
    ASSERT_EQ(scr.RowCount, 4);
    EXPECT_EQ((std::vector<R>{scr.RowKind.begin(), scr.RowKind.begin() + 4}),
              (std::vector<R>{R::Descent, R::Ascent, R::PO2, R::Work}));
    EXPECT_EQ(scr.BandHeight, 55);
    EXPECT_EQ(scr.PercentWidth, 8 * kCharWidth);  // " M00.0 %"
    EXPECT_EQ(scr.PlotWidth, air.PlotWidth - 8 * kCharWidth);

    // Both bits: the rebreather's rows with the nitrox band height.
    in.DiveType = kNitroxDiveBit | kRebreatherDiveBit;
    const ProfileLayout both = ComputeProfileLayout(in);
    EXPECT_EQ(both.RowCount, 4);
    EXPECT_EQ(both.BandHeight, 66);
    EXPECT_GT(both.PercentWidth, 0);
}

TEST(NitroxMod, AMODJustBelowTheDeepestPointStretchesTheScale) {
    ProfileLayoutInput in = Input(120, 2.6);
    in.DiveType = kNitroxDiveBit;
    in.NitroxMOD = 2.9;  // 0.3 bar deeper
    ProfileLayout l = ComputeProfileLayout(in);
    EXPECT_DOUBLE_EQ(l.ProfileMaxDepth, 2.9);
    EXPECT_EQ(l.DepthExtent, 30);  // the MOD line at 29 m lies inside
    EXPECT_LT(in.NitroxMOD * l.DepthFactor, l.DepthExtent);

    in.NitroxMOD = 3.1;  // exactly 0.5 bar deeper: not stretched, the line is off the scale
    l = ComputeProfileLayout(in);
    EXPECT_DOUBLE_EQ(l.ProfileMaxDepth, 2.6);
    EXPECT_EQ(l.DepthExtent, 27);
    EXPECT_FALSE(in.NitroxMOD * l.DepthFactor < l.DepthExtent);

    in.NitroxMOD = 2.9;
    in.DiveType = kRebreatherDiveBit;  // only nitrox dives stretch
    EXPECT_DOUBLE_EQ(ComputeProfileLayout(in).ProfileMaxDepth, 2.6);
}

TEST(Mappings, MinutesDepthsAndFractionsToPixelsAndBack) {
    ProfileLayoutInput in = Input(135, 1.8);
    in.OriginX = 10;
    in.OriginY = 35;
    in.Right = 540;
    const ProfileLayout l = ComputeProfileLayout(in);
    ASSERT_DOUBLE_EQ(l.PixelsPerMinute, 10.0);
    EXPECT_EQ(TimeToX(l, 0.25), 32);  // 2.5 -> 2
    EXPECT_EQ(TimeToX(l, 0.75), 38);  // 7.5 -> 8
    EXPECT_EQ(PointToX(l, 3), 40);
    EXPECT_EQ(FractionToY(l, 1.0), 0);
    EXPECT_EQ(FractionToY(l, 0.0), l.DepthHeight);
    // Window x includes the origin.
    EXPECT_DOUBLE_EQ(XToTime(l, 10 + 30 + 100), 10.0);
    EXPECT_EQ(XToPointIndex(l, 10 + 30 + 100), 30);
    EXPECT_EQ(XToPointIndex(l, 10 + 30 + 5), 2);  // 1.5 points -> 2
    EXPECT_LT(XToPointIndex(l, 0), 0);            // left of the chart
}

TEST(Layout, DegenerateInputsStayFinite) {
    ProfileLayoutInput in = Input(0, 0, 40, 30);
    in.TextWidth = nullptr;
    const ProfileLayout l = ComputeProfileLayout(in);
    EXPECT_EQ(l.TimeExtent, 1);
    EXPECT_EQ(l.DepthExtent, 1);
    EXPECT_GE(l.TimeTicks, 1);
    EXPECT_GT(l.DepthDivisions, 0);
    EXPECT_EQ(XToTime(ProfileLayout{}, 100), 0);
}

}  // namespace
