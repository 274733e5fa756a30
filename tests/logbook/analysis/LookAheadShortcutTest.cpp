// The no-stop look-ahead skips minutes no compartment can use and, without bubbles, follows
// the compartments on their own. Both shortcuts must leave every replay as the plain
// minute-by-minute look-ahead has it: the same figures at every point and the same model
// state (cold levels, record in hand, limits) after every step, with sound tables and with
// tables whose rates or weights rule the shortcuts out.

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "AnalysisTestSupport.h"
#include "ProfileDecoder.h"
#include "Real48.h"
#include "TProfileBlockBuilder.h"
#include "TTissueModel.h"

namespace {

struct TDiveCase {
    std::string Name;
    TProfileBlockBuilder Block{ProfileFamily::F};
    ProfileDiveInfo Info;
};

ProfileDiveInfo InfoOf(int waterTemp, int altitude) {
    ProfileDiveInfo info;
    info.HwSw = 0xF2;
    info.DiveType = 1;
    info.AltitudeRange = altitude;
    info.TankSize = 1200;
    info.AirConsumption = 16000;
    info.DiveTime = 45;
    info.MinWaterTemp = static_cast<std::int16_t>(waterTemp);
    return info;
}

// Square dives over depths, water temperatures, bubbles left from an earlier dive and skin
// temperatures, with a stop on the way up; a few repetitive, hard-working, bubbly or high
// dives and one with a deep and a shallow level.
std::vector<TDiveCase> Dives() {
    std::vector<TDiveCase> dives;
    const double depths[] = {0.9, 1.6, 2.4, 3.3, 4.5};
    const int waters[] = {400, 1600, 2800};
    const double bubbles[] = {0, 0.04, 0.28};
    for (double depth : depths) {
        for (int water : waters) {
            for (double bubble : bubbles) {
                for (double skin : {34.0, 27.5}) {
                    TDiveCase d;
                    d.Name = "depth " + std::to_string(depth) + " water " + std::to_string(water) +
                             " bubbles " + std::to_string(bubble) + " skin " + std::to_string(skin);
                    d.Info = InfoOf(water, 1);
                    d.Block.SetSurfaceTemp(water / 100.0 + 4)
                        .SetInitialSkinTemp(skin)
                        .SetInitialBubbleVolume(bubble);
                    d.Block.SetInitialCold(ColdLevelOf(skin));
                    d.Block.AddWaypoint(0, 0).AddWaypoint(2, depth).AddWaypoint(30, depth);
                    d.Block.AddWaypoint(33, 0.3).AddWaypoint(36, 0.3).AddWaypoint(37, 0);
                    dives.push_back(std::move(d));
                }
            }
        }
    }
    auto add = [&dives](const std::string& name, int water, int altitude,
                        const std::function<void(TProfileBlockBuilder&)>& build) {
        TDiveCase d;
        d.Name = name;
        d.Info = InfoOf(water, altitude);
        d.Block.SetSurfaceTemp(20).SetInitialSkinTemp(33);
        build(d.Block);
        dives.push_back(std::move(d));
    };
    add("repetitive", 1200, 1, [](TProfileBlockBuilder& b) {
        b.SetInitialTissue(1.5).SetInitialTissue(8, 1.2).SetInitialBubbleVolume(0.01);
        b.AddWaypoint(0, 0).AddWaypoint(2, 2.6).AddWaypoint(25, 2.6).AddWaypoint(28, 0);
    });
    add("hard work, microbubbles, colder on the way", 800, 1, [](TProfileBlockBuilder& b) {
        b.SetWorkload(4).SetMicrobubbles(2).AddWaypoint(0, 0).AddWaypoint(2, 2.0).AddWaypoint(12, 2.0);
        b.StepCold(1).AddWaypoint(20, 2.0).StepCold(1).AddWaypoint(35, 2.0);
        b.SetWorkload(1).AddWaypoint(38, 0.3).AddWaypoint(41, 0.3).AddWaypoint(42, 0);
    });
    add("bubbles growing in a yo-yo", 1800, 1, [](TProfileBlockBuilder& b) {
        b.SetInitialTissue(2.2).SetInitialBubbleVolume(0.3);
        for (int k = 0; k < 4; ++k) b.AddWaypoint(10 * k + 2, 2.8).AddWaypoint(10 * k + 8, 0.7);
        b.AddWaypoint(42, 0);
    });
    add("altitude range 3, deep then shallow", 600, 3, [](TProfileBlockBuilder& b) {
        b.AddWaypoint(0, 0).AddWaypoint(3, 3.6).AddWaypoint(15, 3.6).AddWaypoint(18, 1.2).AddWaypoint(60,
                                                                                                      1.2);
        b.AddWaypoint(62, 0);
    });
    add("deep, then long at 7 m", 2000, 1, [](TProfileBlockBuilder& b) {
        b.AddWaypoint(0, 0).AddWaypoint(2, 3.0).AddWaypoint(12, 3.0).AddWaypoint(14.5, 0.7).AddWaypoint(50,
                                                                                                        0.7);
        b.AddWaypoint(51, 0);
    });
    return dives;
}

void ExpectSameState(const TTissueModel& plain, const TTissueModel& fast, const std::string& where) {
    const TModelState& a = plain.State();
    const TModelState& b = fast.State();
    EXPECT_EQ(a.StopIndex, b.StopIndex) << where;
    EXPECT_EQ(a.DecoFlag, b.DecoFlag) << where;
    EXPECT_EQ(a.RefCold, b.RefCold) << where;
    EXPECT_EQ(a.LastCold, b.LastCold) << where;
    EXPECT_EQ(a.Tissue, b.Tissue) << where;
    EXPECT_EQ(a.BubbleVolume, b.BubbleVolume) << where;
    EXPECT_EQ(a.SkinTemp, b.SkinTemp) << where;
    EXPECT_EQ(a.Limit, b.Limit) << where;
    EXPECT_EQ(a.SurfaceLimit, b.SurfaceLimit) << where;
    EXPECT_EQ(a.CNS, b.CNS) << where;
    for (int j = 0; j < 8; ++j) {
        EXPECT_EQ(plain.FiktRecord().Compartments[j].k, fast.FiktRecord().Compartments[j].k) << where;
        EXPECT_EQ(plain.FiktRecord().Compartments[j].a, fast.FiktRecord().Compartments[j].a) << where;
    }
}

void ExpectSamePoint(const ProfilePoint& a, const ProfilePoint& b, const std::string& where) {
    EXPECT_EQ(a.NoStopTime, b.NoStopTime) << where;
    EXPECT_EQ(a.StopIndex, b.StopIndex) << where;
    EXPECT_EQ(a.StopTime, b.StopTime) << where;
    EXPECT_EQ(a.AscentTime, b.AscentTime) << where;
    EXPECT_EQ(a.Saturation, b.Saturation) << where;
    EXPECT_EQ(a.CNSPercent, b.CNSPercent) << where;
}

// Replays every dive with and without the shortcuts, one model each carried from dive to
// dive as in a window, and returns how many points have a no-stop time below 99 (so that a
// table set that never reaches a limit does not pass unnoticed).
int ExpectSameReplays(TParameterTables& tables) {
    TTissueModel plain(tables);
    TTissueModel fast(tables);
    plain.UseLookAheadShortcuts(false);
    int limited = 0;
    for (TDiveCase& d : Dives()) {
        DiveProfile a;
        DiveProfile b;
        const std::vector<std::uint8_t> block = d.Block.Build();
        if (!DecodeProfile(a, block, d.Info) || !DecodeProfile(b, block, d.Info)) {
            ADD_FAILURE() << d.Name << ": not decoded";
            continue;
        }
        plain.ModelReset(a, d.Info);
        fast.ModelReset(b, d.Info);
        for (int i = 0; i <= a.Count; ++i) {
            plain.ModelStep(i);
            fast.ModelStep(i);
            const std::string where = d.Name + ", point " + std::to_string(i);
            ExpectSamePoint(a.Points[static_cast<std::size_t>(i)], b.Points[static_cast<std::size_t>(i)],
                            where);
            ExpectSameState(plain, fast, where);
            if (a.Points[static_cast<std::size_t>(i)].NoStopTime < 99) ++limited;
            if (testing::Test::HasFailure()) return limited;  // one difference says enough
        }
    }
    return limited;
}

void PutReal(QByteArray& image, qsizetype index, double value) {
    const auto bytes = DoubleToReal48(value);
    image.replace(index * 6, 6, reinterpret_cast<const char*>(bytes.data()), 6);
}

// The images of the default tables, changed by `change`.
TTableImages Changed(const std::function<void(TTableImages&)>& change) {
    TTableImages images = GenerateTables(DefaultTableSettings());
    change(images);
    return images;
}

TEST(LookAheadShortcuts, ReplayAsTheMinuteByMinuteLookAheadWithSoundTables) {
    for (bool alternative : {false, true}) {
        SCOPED_TRACE(alternative ? "alternative tables" : "default tables");
        TGeneratedTables generated(alternative ? AlternativeTableSettings() : DefaultTableSettings());
        EXPECT_GT(ExpectSameReplays(generated.Tables()), 1000);
    }
}

TEST(LookAheadShortcuts, ReplayAsTheMinuteByMinuteLookAheadAtTheEdgesOfTheRates) {
    // Compartments that take up the whole gap in a minute, and none at all.
    TGeneratedTables edges(Changed([](TTableImages& t) {
        for (int r = 0; r < 64; ++r) {
            PutReal(t.Fikt, r * 24 + 0, 1.0);
            PutReal(t.Fikt, r * 24 + 7 * 3, 0.0);
        }
    }));
    EXPECT_GT(ExpectSameReplays(edges.Tables()), 100);
    // The mixed tension is the fastest compartment's, which holds its tension through the
    // look-ahead: after a deep stretch it stands above the ambient pressure at a shallow
    // depth, the bubbles grow and raise the arterial tension, and a compartment that
    // follows the arterial tension at once reaches its limit because of them.
    TGeneratedTables bubbly(Changed([](TTableImages& t) {
        for (int j = 0; j < 8; ++j) PutReal(t.Weights, j * 8 + 1, j == 0 ? 1.0 : 0.0);
        for (int r = 0; r < 64; ++r) {
            PutReal(t.Fikt, r * 24 + 0, 0.0);
            PutReal(t.Fikt, r * 24 + 5 * 3, 1.0);
        }
    }));
    EXPECT_GT(ExpectSameReplays(bubbly.Tables()), 100);
}

TEST(LookAheadShortcuts, ReplayAsTheMinuteByMinuteLookAheadWithTablesThatRuleThemOut) {
    // Compartments that overshoot: a rate above 1 swings past the arterial tension, here
    // past the limits of the middle compartments.
    for (double rate : {1.3, 1.9}) {
        SCOPED_TRACE(rate);
        TGeneratedTables overshoot(Changed([rate](TTableImages& t) {
            for (int r = 0; r < 64; ++r) {
                for (int c = 3; c < 5; ++c) PutReal(t.Fikt, r * 24 + c * 3, rate);
            }
        }));
        EXPECT_GT(ExpectSameReplays(overshoot.Tables()), 100);
    }
    // Weights that add up to more than the compartments: the mixed tension outgrows them.
    TGeneratedTables heavy(Changed([](TTableImages& t) {
        for (int j = 0; j < 8; ++j) PutReal(t.Weights, j * 8 + 1, 0.6);
    }));
    ExpectSameReplays(heavy.Tables());
    // A record file cut inside the record of bubble level 0 and cold level 5: that record
    // and the ones after it take what they lack from the record read before them.
    TGeneratedTables cut(Changed([](TTableImages& t) { t.Fikt.truncate(qsizetype{5 * 24 + 12} * 6); }));
    ExpectSameReplays(cut.Tables());
}

}  // namespace
