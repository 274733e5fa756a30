// What the companion windows show at one point: tissue bars and their colours, the level
// bars of the five-point window, the consumption dial and needle, and the panel's texts
// and pictures, on hand-made points and on the replayed dives of the example logbook.

#include <QFile>
#include <memory>

#include <gtest/gtest.h>

#include "CompanionReadings.h"
#include "DiveAnalysis.h"
#include "Language.h"
#include "LogbookFile.h"
#include "TDiveRec.h"
#include "TParameterTables.h"
#include "TTissueModel.h"

namespace {

constexpr std::uint16_t Levels(int bubble, int work, int cold) {
    return static_cast<std::uint16_t>(bubble << 6 | work << 3 | cold);
}

// Depth word of a depth given in 1/64 bar.
constexpr std::uint16_t DepthWord(int sixtyFourths) { return static_cast<std::uint16_t>(sixtyFourths << 6); }

class Companions : public ::testing::Test {
protected:
    void SetUp() override {
        m_profile = std::make_unique<DiveProfile>();
        m_profile->Count = 30;
        m_dive.MaxDepth = 3050;
        m_dive.AltitudeRange = 1;
        m_dive.TankSize = 1200;
        m_dive.AirConsumption = 15000;
    }
    CompanionInput In(int replayed = 31, int units = kMetric) const {
        return {m_profile.get(), replayed, &m_dive, units};
    }
    ProfilePoint& Point(int i) { return m_profile->Points[static_cast<std::size_t>(i)]; }

    std::unique_ptr<DiveProfile> m_profile;
    TDiveRec m_dive;
};

TEST_F(Companions, TissueBarsAreFullRedOrGreenAtHundredAndMagentaAbove) {
    ProfilePoint& p = Point(4);
    p.Saturation = {100, 100, 101, 255, 0, 57, 99, 100};
    p.Loading = 0b0100'0101;  // compartments 1, 3 and 7 took up gas
    const TissueReadings r = ReadTissue(In(), 4);
    EXPECT_EQ(r.Bars[0], (TissueBar{100, EBarColour::Red}));
    EXPECT_EQ(r.Bars[1], (TissueBar{100, EBarColour::Green}));
    EXPECT_EQ(r.Bars[2], (TissueBar{100, EBarColour::Magenta}));  // loading does not matter above 100
    EXPECT_EQ(r.Bars[3], (TissueBar{100, EBarColour::Magenta}));
    EXPECT_EQ(r.Bars[4], (TissueBar{0, EBarColour::Green}));
    EXPECT_EQ(r.Bars[5], (TissueBar{57, EBarColour::Green}));
    EXPECT_EQ(r.Bars[6], (TissueBar{99, EBarColour::Red}));
    EXPECT_EQ(r.Bars[7], (TissueBar{100, EBarColour::Green}));
}

TEST_F(Companions, LevelWindowCountsThePointTwiceAndStopsAtTheEnds) {
    // Workload levels 4, 2, 2 at points 0..2; point 3 lies outside the window of point 0.
    Point(0).Levels = Levels(0, 4, 0);
    Point(1).Levels = Levels(0, 2, 0);
    Point(2).Levels = Levels(0, 2, 0);
    Point(3).Levels = Levels(0, 7, 0);
    // (4 + 4 + 2 + 2) / 4 = 3 -> 37.5 -> 38 (halves to even)
    EXPECT_DOUBLE_EQ(LevelMean(*m_profile, 0, WorkLevel), 3.0);
    EXPECT_EQ(ReadPhysio(In(), 0).Work, 38);

    // Inside the dive: points 8..12 with point 10 twice, divided by 6.
    for (int k = 8; k <= 12; ++k) Point(k).Levels = Levels(1, 0, 1);
    Point(10).Levels = Levels(1, 0, 1);
    const PhysioReadings mid = ReadPhysio(In(), 10);
    EXPECT_EQ(mid.Bubble, 12);  // mean 1 -> 12.5 -> 12
    EXPECT_EQ(mid.Temp, 12);
    EXPECT_EQ(mid.Work, 0);

    // Last point: points Count-2..Count, point Count twice, divided by 4.
    Point(28).Levels = Levels(0, 0, 7);
    Point(29).Levels = Levels(0, 0, 7);
    Point(30).Levels = Levels(0, 0, 6);
    EXPECT_EQ(ReadPhysio(In(), 30).Temp, 81);  // (7 + 7 + 6 + 6) / 4 = 6.5 -> 81.25
}

TEST_F(Companions, ConsumptionDialNeedsTankSizeAndPressureUsed) {
    for (int k = 0; k <= 6; ++k) Point(k).Levels = Levels(0, 3, 0);
    m_profile->WorkFactor = 4.3;
    // 4.3 * 3 + 8 = 20.9 -> 21 litres per minute
    PhysioReadings r = ReadPhysio(In(), 3);
    EXPECT_EQ(r.Dial, EDial::Metric);
    EXPECT_EQ(r.Needle, 21);
    EXPECT_EQ(ReadPhysio(In(31, kImperial), 3).Dial, EDial::Imperial);

    m_dive.TankSize = 0;  // a known, if odd, tank size
    EXPECT_EQ(ReadPhysio(In(), 3).Dial, EDial::Metric);

    for (const auto& [tank, used] : {std::pair<int, int>{kNotSet, 15000}, {1200, 0}, {1200, kNotSet}}) {
        m_dive.TankSize = static_cast<std::int16_t>(tank);
        m_dive.AirConsumption = static_cast<std::uint16_t>(used);
        r = ReadPhysio(In(), 3);
        EXPECT_EQ(r.Dial, EDial::Empty) << tank << " " << used;
        EXPECT_EQ(r.Needle, 0);
    }
}

TEST_F(Companions, RebreatherNeedleShowsGasConsumptionAndBeyondTheProfileZero) {
    m_dive.DiveType = DiveTypeFlag::kSCR;
    m_profile->GasConsumption = 12.5;
    m_profile->WorkFactor = 10;
    Point(5).Levels = Levels(0, 7, 0);
    EXPECT_EQ(ReadPhysio(In(), 5).Needle, 12);  // 12.5 to the even neighbour
    const PhysioReadings beyond = ReadPhysio(In(), 31);
    EXPECT_EQ(beyond.Dial, EDial::Metric);
    EXPECT_EQ(beyond.Needle, 0);
}

TEST_F(Companions, PointAheadOfTheReplayShowsDepthAndTimeOnly) {
    m_profile->Family = ProfileFamily::A;
    ProfilePoint& p = Point(7);
    p.DepthWord = DepthWord(12);  // 0.1875 bar = 187.5 cm
    p.StopIndex = 2;
    p.StopTime = 3;
    p.AscentTime = 9;
    p.CNSPercent = 15;
    const PanelReadings r = ReadPanel(In(7), 7);
    EXPECT_FALSE(r.Replayed);
    EXPECT_EQ(r.Depth, "1.9 m");
    EXPECT_EQ(r.Time, "  2:");
    EXPECT_EQ(r.Max, "30.5 m");
    EXPECT_EQ(r.Symbol, EStopSymbol::None);
    EXPECT_FALSE(r.AscentArrow);
    EXPECT_EQ(r.Unit, EUnitSymbol::None);
    EXPECT_FALSE(r.LowerRow);
    EXPECT_TRUE(r.CnsMark);
    for (const QString& cleared : {r.Deco, r.Asc, r.Level, r.oTox, r.O2, r.pO2})
        EXPECT_TRUE(cleared.isEmpty());

    EXPECT_TRUE(ReadPanel(In(8), 7).Replayed);
}

TEST_F(Companions, StopPointShowsStopAscentAndStopDepthInTheUnitSystem) {
    m_dive.AltitudeRange = 2;
    ProfilePoint& p = Point(20);
    p.DepthWord = DepthWord(64);
    p.StopIndex = 4;
    p.StopTime = 3;
    p.AscentTime = 12;
    p.NoStopTime = 99;
    const PanelReadings metric = ReadPanel(In(), 20);
    EXPECT_EQ(metric.Symbol, EStopSymbol::Stop);
    EXPECT_TRUE(metric.AscentArrow);
    EXPECT_EQ(metric.Unit, EUnitSymbol::Metre);
    EXPECT_EQ(metric.Level, "9");  // stop 4 of altitude range 2
    EXPECT_EQ(metric.Deco, "3:");
    EXPECT_EQ(metric.Asc, "12:");
    EXPECT_EQ(metric.Depth, "10.0 m");

    const PanelReadings imperial = ReadPanel(In(31, kImperial), 20);
    EXPECT_EQ(imperial.Unit, EUnitSymbol::Feet);
    EXPECT_EQ(imperial.Level, "30");
    EXPECT_EQ(imperial.Depth, "33 ft");
    EXPECT_EQ(imperial.Max, "101 ft");
}

TEST_F(Companions, NoStopPointAndTheFamiliesLowerRow) {
    ProfilePoint& p = Point(9);
    p.DepthWord = DepthWord(100);
    p.NoStopTime = 42;
    p.CNSPercent = 15;
    p.O2Fraction = 0.32;
    p.PO2 = 0.4416;
    m_dive.MaxDepth = kNotSet;

    const PanelReadings basic = ReadPanel(In(), 9);
    EXPECT_FALSE(basic.Compact);
    EXPECT_EQ(basic.Symbol, EStopSymbol::NoStop);
    EXPECT_EQ(basic.Deco, "42:");
    EXPECT_TRUE(basic.Asc.isEmpty());
    EXPECT_TRUE(basic.Level.isEmpty());
    EXPECT_EQ(basic.Unit, EUnitSymbol::None);
    EXPECT_FALSE(basic.LowerRow);
    EXPECT_FALSE(basic.CnsMark);
    EXPECT_TRUE(basic.oTox.isEmpty());
    EXPECT_TRUE(basic.O2.isEmpty());
    EXPECT_EQ(basic.Max, "-");

    for (ProfileFamily family : {ProfileFamily::A, ProfileFamily::F}) {
        m_profile->Family = family;
        const PanelReadings compact = ReadPanel(In(), 9);
        EXPECT_TRUE(compact.Compact);
        EXPECT_TRUE(compact.LowerRow);
        EXPECT_EQ(compact.oTox, "15%");
        EXPECT_EQ(compact.O2, " 32%");
        EXPECT_EQ(compact.pO2, "0.44bar");
    }
    Point(9).O2Fraction = 0.20703125;  // air of family F: shown as 21 %
    EXPECT_EQ(ReadPanel(In(), 9).O2, " 21%");
}

TEST_F(Companions, IndicesOutsideThePointBlockReadAsEmptyPoints) {
    for (int i : {-1, kPointCapacity, 100000}) {
        EXPECT_EQ(ReadTissue(In(), i).Bars[0].Value, 0);
        EXPECT_EQ(ReadPanel(In(), i).Depth, "0.0 m");
        EXPECT_FALSE(ReadPanel(In(100000), i).Replayed);
        EXPECT_EQ(ReadPhysio(In(), i).Needle, 0);
    }
}

// The example logbook replayed with the delivered tables, as the profile window does.
TEST(CompanionExampleDives, ReadingsFollowTheReplayedModel) {
    const QString example = QStringLiteral(KV_SOURCE_DIR "/data/EXAMPLE.LOG");
    if (!QFile::exists(example)) GTEST_SKIP() << "no example logbook in data/";
    LogbookLoadResult loaded = LoadLogbookFile(example, false);
    ASSERT_TRUE(loaded.Ok());
    TParameterTables tables(QStringLiteral(KV_SOURCE_DIR "/data/"));
    tables.OpenParameterTables();
    auto profile = std::make_unique<DiveProfile>();
    int stopPoints = 0;
    int lowerRows = 0;
    int dials = 0;
    for (const auto& dive : loaded.Collection->Dives()) {
        if (!dive->HasProfile()) continue;
        TTissueModel model(tables);
        ASSERT_TRUE(ReplayDive(*dive, *profile, model));
        const CompanionInput in{profile.get(), profile->Count + 1, dive.get(), kMetric};
        for (int i = 0; i <= profile->Count; ++i) {
            const ProfilePoint& p = profile->Points[static_cast<std::size_t>(i)];
            const PanelReadings panel = ReadPanel(in, i);
            ASSERT_TRUE(panel.Replayed);
            if (p.StopIndex != 0) {
                ++stopPoints;
                EXPECT_EQ(panel.Symbol, EStopSymbol::Stop);
                EXPECT_EQ(panel.Level.toInt(), model.State().StopLabel[p.StopIndex]);
            } else {
                EXPECT_EQ(panel.Symbol, EStopSymbol::NoStop);
                EXPECT_EQ(panel.Deco, QString::number(p.NoStopTime) + ":");
            }
            lowerRows += panel.LowerRow ? 1 : 0;
            const PhysioReadings physio = ReadPhysio(in, i);
            for (int bar : {physio.Bubble, physio.Temp, physio.Work}) {
                EXPECT_GE(bar, 0);
                EXPECT_LE(bar, 88);  // level 7 at most
            }
            if (physio.Dial != EDial::Empty) {
                ++dials;
                EXPECT_GE(physio.Needle, 8);  // never below the resting rate
            }
        }
    }
    EXPECT_GT(stopPoints, 0) << "the example logbook holds a decompression dive";
    EXPECT_GT(lowerRows, 0) << "the example logbook holds a nitrox computer's dive";
    EXPECT_GT(dials, 0);
}

}  // namespace
