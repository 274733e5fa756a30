#include <QDir>
#include <QFile>
#include <algorithm>
#include <memory>

#include <gtest/gtest.h>

#include "AnalysisTestSupport.h"
#include "ProfileDecoder.h"
#include "Real48.h"
#include "TProfileBlockBuilder.h"
#include "TTissueModel.h"

namespace {

ProfileDiveInfo InfoFor(ProfileFamily family, std::uint16_t diveType = 1) {
    ProfileDiveInfo info;
    info.HwSw = family == ProfileFamily::A ? 0xA2 : family == ProfileFamily::F ? 0xF2 : 0x32;
    info.DiveType = diveType;
    info.AltitudeRange = 1;
    info.TankSize = 1200;
    info.AirConsumption = 16000;
    info.DiveTime = 45;
    info.MinWaterTemp = 1600;
    return info;
}

// 18 m for 40 minutes, a safety stop at 3 m.
TProfileBlockBuilder NoStopDive(ProfileFamily family) {
    TProfileBlockBuilder b(family);
    b.AddWaypoint(0, 0).AddWaypoint(2, 1.8).AddWaypoint(40, 1.8).AddWaypoint(42.5, 0.3).AddWaypoint(45.5,
                                                                                                    0.3);
    b.AddWaypoint(46, 0);
    return b;
}

// 40 m for 25 minutes, then stops at 9, 6 and 3 m long enough to clear.
TProfileBlockBuilder DecoDive() {
    TProfileBlockBuilder b(ProfileFamily::F);
    b.SetWorkload(2).AddWaypoint(0, 0).AddWaypoint(4, 4.0).AddWaypoint(25, 4.0);
    b.SetWorkload(1).AddWaypoint(28.5, 0.9).AddWaypoint(32, 0.9).AddWaypoint(32.5, 0.6).AddWaypoint(40, 0.6);
    b.AddWaypoint(40.5, 0.3).AddWaypoint(60, 0.3).AddWaypoint(61, 0);
    return b;
}

// 32 % nitrox at 28 m for 35 minutes.
TProfileBlockBuilder NitroxDive() {
    TProfileBlockBuilder b(ProfileFamily::F);
    b.SetOxygenIndex(6).SetPO2LimitIndex(8);
    b.AddWaypoint(0, 0).AddWaypoint(3, 2.8).AddWaypoint(35, 2.8).AddWaypoint(39, 0.3).AddWaypoint(42, 0.3);
    b.AddWaypoint(42.5, 0);
    return b;
}

struct Replay {
    std::unique_ptr<DiveProfile> profile = std::make_unique<DiveProfile>();
    std::unique_ptr<TTissueModel> model;

    Replay(TParameterTables& tables, const TProfileBlockBuilder& b, const ProfileDiveInfo& info,
           TTissueModel* shared = nullptr) {
        EXPECT_TRUE(DecodeProfile(*profile, b.Build(), info));
        TTissueModel* m = shared;
        if (m == nullptr) {
            model = std::make_unique<TTissueModel>(tables);
            m = model.get();
        }
        m->ModelReset(*profile, info);
        m->ReplayAll();
        decoFlag = m->State().DecoFlag;
    }
    const ProfilePoint& operator[](int i) const { return profile->Points[static_cast<std::size_t>(i)]; }
    int Count() const { return profile->Count; }
    bool decoFlag = false;
};

bool SamePointResults(const ProfilePoint& a, const ProfilePoint& b) {
    return a.StopIndex == b.StopIndex && a.NoStopTime == b.NoStopTime && a.StopTime == b.StopTime &&
           a.AscentTime == b.AscentTime && a.Saturation == b.Saturation && a.Loading == b.Loading &&
           a.CNSPercent == b.CNSPercent;
}

TEST(ColdLevels, TemperaturesOfTheLevels) {
    EXPECT_EQ(ColdTemp(7), 21);
    EXPECT_EQ(ColdTemp(6), 22);
    EXPECT_EQ(ColdTemp(0), 36);
    EXPECT_EQ(ColdTemp(8), 21);
    const double bounds[] = {30.7, 28, 26, 24, 23, 22, 21};
    for (int level = 0; level < 7; ++level) {
        EXPECT_EQ(ColdLevelOf(bounds[level]), level);
        EXPECT_EQ(ColdLevelOf(bounds[level] - 0.01), level + 1);
        EXPECT_EQ(ColdTemp(level + 1), bounds[level]);
    }
}

TEST(AscentTable, IndexIsKeptWithinTheTable) {
    EXPECT_EQ(AscentTableIndex(0), 0);
    EXPECT_EQ(AscentTableIndex(-0.3), 0);
    EXPECT_EQ(AscentTableIndex(0.09), 0);
    EXPECT_EQ(AscentTableIndex(3.25), 32);
    EXPECT_EQ(AscentTableIndex(12.79), 127);
    EXPECT_EQ(AscentTableIndex(12.8), 127);
    EXPECT_EQ(AscentTableIndex(15.9), 127);
}

class TissueModel : public ::testing::TestWithParam<bool> {
protected:
    TissueModel() : m_tables(GetParam() ? AlternativeTableSettings() : DefaultTableSettings()) {}
    TParameterTables& Tables() { return m_tables.Tables(); }
    TGeneratedTables m_tables;
};

TEST_P(TissueModel, NoStopDiveHasFallingNoStopTimes) {
    const Replay r(Tables(), NoStopDive(ProfileFamily::Basic), InfoFor(ProfileFamily::Basic));
    EXPECT_FALSE(r.decoFlag);
    int previous = 99;
    int bottomPoints = 0;
    for (int i = 0; i <= r.Count(); ++i) {
        EXPECT_EQ(r[i].StopIndex, 0) << i;
        if (i >= 9 && i <= 120) {  // on the bottom, 18 m
            ++bottomPoints;
            EXPECT_LE(r[i].NoStopTime, previous) << i;
            previous = r[i].NoStopTime;
        }
    }
    EXPECT_GT(bottomPoints, 100);
    EXPECT_LT(r[9].NoStopTime, 99);
    EXPECT_GT(r[9].NoStopTime, 30);                      // a fresh diver has long at 18 m
    EXPECT_LT(r[120].NoStopTime, r[9].NoStopTime - 20);  // and it runs down on the bottom
    EXPECT_EQ(r[r.Count()].NoStopTime, 99);              // at the surface
    std::uint16_t type = 1;
    const std::uint8_t info = SummariseProfile(*r.profile, type, r.decoFlag);
    int shortest = 255;
    for (int i = 0; i <= r.Count(); ++i) shortest = std::min<int>(shortest, r[i].NoStopTime);
    EXPECT_EQ(info, shortest);
    EXPECT_LE(shortest, r[120].NoStopTime);
    EXPECT_EQ(type, 1 | 0x04);
}

TEST_P(TissueModel, DecompressionStopsClearOnTheWayUp) {
    const Replay r(Tables(), DecoDive(), InfoFor(ProfileFamily::F));
    ASSERT_TRUE(r.decoFlag);
    // at the end of the bottom time a stop is required, with its minutes and the ascent
    const ProfilePoint& bottom = r[74];
    EXPECT_GE(bottom.StopIndex, 2);
    EXPECT_GT(bottom.StopTime, 0);
    EXPECT_GT(bottom.AscentTime, bottom.StopTime);
    EXPECT_EQ(bottom.NoStopTime, 99);
    // during the stops the required stop moves up and finally clears before the surface
    int deepest = 0;
    int clearedAt = -1;
    for (int i = 0; i <= r.Count(); ++i) {
        deepest = std::max<int>(deepest, r[i].StopIndex);
        if (i > 96 && r[i].StopIndex > 0) {
            EXPECT_LE(r[i].StopIndex, r[i - 1].StopIndex + 1) << i;  // down by at most one step
        }
        if (clearedAt < 0 && i > 96 && r[i].StopIndex == 0) clearedAt = i;
    }
    EXPECT_GE(deepest, 2);
    ASSERT_GT(clearedAt, 0) << "the stops never cleared";
    EXPECT_LT(clearedAt, 180);  // before the end of the 3 m stop
    EXPECT_EQ(r[r.Count() - 1].StopIndex, 0);
    std::uint16_t type = 1;
    int longest = 0;
    for (int i = 0; i <= r.Count(); ++i) longest = std::max<int>(longest, r[i].AscentTime);
    EXPECT_EQ(SummariseProfile(*r.profile, type, r.decoFlag), 0x80 | longest);
    EXPECT_EQ(type, 1 | 0x08);
}

TEST_P(TissueModel, OxygenToxicityRisesOnANitroxDive) {
    const Replay r(Tables(), NitroxDive(), InfoFor(ProfileFamily::F, 0x100));
    int previous = 0;
    for (int i = 0; i <= 105; ++i) {  // until the end of the bottom time
        EXPECT_GE(r[i].CNSPercent, previous) << i;
        EXPECT_EQ(r[i].CNSPercent % 5, 0) << i;
        previous = r[i].CNSPercent;
    }
    EXPECT_GE(r[105].CNSPercent, 10);
    // the same dive on air accumulates less
    const Replay air(Tables(), NoStopDive(ProfileFamily::F), InfoFor(ProfileFamily::F));
    EXPECT_LT(air[105].CNSPercent, r[105].CNSPercent);
    // the basic family has no oxygen count
    const Replay basic(Tables(), NoStopDive(ProfileFamily::Basic), InfoFor(ProfileFamily::Basic));
    for (int i = 0; i <= basic.Count(); ++i) EXPECT_EQ(basic[i].CNSPercent, 0);
}

TEST_P(TissueModel, OxygenToxicityIsCappedAt125InStepsOfFive) {
    TProfileBlockBuilder b(ProfileFamily::F);
    b.SetOxygenIndex(15).SetPO2LimitIndex(15).SetInitialCNS(60).SetWorkload(7);
    b.AddWaypoint(0, 2.4).AddWaypoint(200, 2.4);
    const Replay r(Tables(), b, InfoFor(ProfileFamily::F, 0x100));
    EXPECT_EQ(r[0].CNSPercent, 60);
    bool capped = false;
    for (int i = 0; i <= r.Count(); ++i) {
        EXPECT_LE(r[i].CNSPercent, 125) << i;
        EXPECT_EQ(r[i].CNSPercent % 5, 0) << i;
        capped = capped || r[i].CNSPercent == 125;
    }
    EXPECT_TRUE(capped);
}

TEST_P(TissueModel, OxygenClockRecoversButNeverBelowZero) {
    TProfileBlockBuilder b(ProfileFamily::A);
    b.SetOxygenPercent(21).SetInitialCNS(10);
    b.AddWaypoint(0, 0.1).AddWaypoint(150, 0.1);
    const Replay r(Tables(), b, InfoFor(ProfileFamily::A));
    EXPECT_EQ(r[0].CNSPercent, 10);
    EXPECT_EQ(r[r.Count()].CNSPercent, 0);
}

TEST_P(TissueModel, ShallowPointsHaveTheFullNoStopTime) {
    TProfileBlockBuilder b(ProfileFamily::Basic);
    b.AddWaypoint(0, 0.5).AddWaypoint(60, 0.5);
    const Replay r(Tables(), b, InfoFor(ProfileFamily::Basic));
    for (int i = 0; i <= r.Count(); ++i) {
        EXPECT_EQ(r[i].StopIndex, 0);
        EXPECT_EQ(r[i].NoStopTime, 99) << i;
    }
}

TEST_P(TissueModel, WarningBitThreeFreezesTheTissues) {
    TProfileBlockBuilder b(ProfileFamily::Basic);
    b.AddWaypoint(0, 0).AddWaypoint(3, 3.0);
    b.SetWarnings(0x08).AddPoint(3.0).AddPoint(3.0).AddPoint(3.0);
    b.SetWarnings(0).AddWaypoint(8, 3.0).AddWaypoint(10, 0);
    auto block = b.Build();
    DiveProfile profile;
    ASSERT_TRUE(DecodeProfile(profile, block, InfoFor(ProfileFamily::Basic)));
    TTissueModel model(Tables());
    model.ModelReset(profile, InfoFor(ProfileFamily::Basic));
    const int first = 11;  // first point with the warning, after the start point and 10 points
    ASSERT_TRUE(HasWarning(profile.Points[first], 0x08));
    ASSERT_FALSE(HasWarning(profile.Points[first - 1], 0x08));
    std::array<double, 8> before{};
    for (int i = 0; i <= profile.Count; ++i) {
        if (i == first + 1) before = model.State().Tissue;
        model.ModelStep(i);
        if (i == first) {
            EXPECT_NE(profile.Points[i].Loading, 0);  // a lone warning point still takes up gas
        }
        if (i == first + 1 || i == first + 2) {
            EXPECT_EQ(model.State().Tissue, before) << i;
            EXPECT_EQ(profile.Points[i].Loading, profile.Points[first].Loading) << i;
            // saturation is still computed: the pressure is the same, so it equals the frozen one
            EXPECT_GT(profile.Points[i].Saturation[0], 0) << i;
        }
        if (i == first + 3) {
            EXPECT_NE(model.State().Tissue, before);
        }
    }
}

TEST_P(TissueModel, RefColdAndLastColdOutliveAReset) {
    TProfileBlockBuilder cold(ProfileFamily::Basic);
    cold.SetInitialCold(2).SetInitialSkinTemp(27);
    cold.AddWaypoint(0, 0).AddWaypoint(2, 2.0);
    cold.StepCold(+1).AddWaypoint(4, 2.0).StepCold(+1).AddWaypoint(6, 2.0).StepCold(+1).AddWaypoint(30, 2.0);
    cold.AddWaypoint(33, 0.9);  // ends deep enough for a no-stop evaluation
    auto info = InfoFor(ProfileFamily::Basic);
    info.MinWaterTemp = 800;
    TTissueModel model(Tables());
    EXPECT_EQ(model.State().RefCold, 0);
    EXPECT_EQ(model.State().LastCold, 0);
    const Replay first(Tables(), cold, info, &model);
    const int ref = model.State().RefCold;
    const int last = model.State().LastCold;
    EXPECT_GT(ref + last, 0);
    DiveProfile other;
    ASSERT_TRUE(
        DecodeProfile(other, NoStopDive(ProfileFamily::Basic).Build(), InfoFor(ProfileFamily::Basic)));
    model.ModelReset(other, InfoFor(ProfileFamily::Basic));
    EXPECT_EQ(model.State().RefCold, ref);
    EXPECT_EQ(model.State().LastCold, last);
}

TEST_P(TissueModel, ReplaysAreReproducible) {
    const Replay a(Tables(), DecoDive(), InfoFor(ProfileFamily::F));
    const Replay b(Tables(), DecoDive(), InfoFor(ProfileFamily::F));
    for (int i = 0; i <= a.Count(); ++i) EXPECT_TRUE(SamePointResults(a[i], b[i])) << i;
}

TEST_P(TissueModel, AltitudeRangesOutsideTheTableCountAsRangeOne) {
    auto info = InfoFor(ProfileFamily::F);
    const Replay one(Tables(), DecoDive(), info);
    for (int range : {0, 5, 255}) {
        info.AltitudeRange = static_cast<std::uint8_t>(range);
        const Replay other(Tables(), DecoDive(), info);
        for (int i = 0; i <= one.Count(); ++i) {
            ASSERT_TRUE(SamePointResults(one[i], other[i])) << range << " at " << i;
        }
        EXPECT_EQ(other.model->State().StopLabel[10], 30);
    }
    info.AltitudeRange = 3;
    const Replay high(Tables(), DecoDive(), info);
    EXPECT_EQ(high.model->State().StopLabel[10], 27);
    EXPECT_EQ(high.model->State().StopDepth[11], 3.3);
    bool differs = false;
    for (int i = 0; i <= one.Count(); ++i) differs = differs || !SamePointResults(one[i], high[i]);
    EXPECT_TRUE(differs);
}

TEST_P(TissueModel, VeryDeepPointsUseTheLastAscentEntry) {
    TProfileBlockBuilder b(ProfileFamily::Basic);
    b.AddWaypoint(0, 0).AddWaypoint(3, 15.5).AddWaypoint(6, 15.5).AddWaypoint(20, 0);
    const Replay r(Tables(), b, InfoFor(ProfileFamily::Basic));
    EXPECT_TRUE(r.decoFlag);
    for (int i = 0; i <= r.Count(); ++i) {
        EXPECT_LE(r[i].StopIndex, 10);
        EXPECT_LE(r[i].AscentTime, 99);
        EXPECT_LE(r[i].StopTime, 99);
    }
}

INSTANTIATE_TEST_SUITE_P(Tables, TissueModel, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Alternative" : "Default"; });

TEST(TissueModelLimits, StopsThatNeverClearAreBoundedAndEndBeyondTheTable) {
    // Tables whose tolerated tension is far below any tissue: every stop stays blocked.
    QTemporaryDir dir;
    TTableImages images = GenerateTables(DefaultTableSettings());
    for (int r = 0; r < 64; ++r) {
        for (int c = 0; c < 8; ++c) {
            const auto a = DoubleToReal48(0.0);
            const auto b = DoubleToReal48(1e6);
            images.Fikt.replace(static_cast<qsizetype>(r * 24 + c * 3 + 1) * 6, 6,
                                reinterpret_cast<const char*>(a.data()), 6);
            images.Fikt.replace(static_cast<qsizetype>(r * 24 + c * 3 + 2) * 6, 6,
                                reinterpret_cast<const char*>(b.data()), 6);
        }
    }
    const TResult written = WriteTables(images, dir.path());
    ASSERT_TRUE(written.Ok()) << written.ErrorText.toStdString();
    TParameterTables tables(dir.path());
    tables.OpenParameterTables();
    TProfileBlockBuilder b(ProfileFamily::Basic);
    b.AddWaypoint(0, 0).AddWaypoint(1, 1.0).AddWaypoint(10, 1.0);
    const Replay r(tables, b, InfoFor(ProfileFamily::Basic));
    EXPECT_TRUE(r.decoFlag);
    // the search moves down one stop per point; each stop is held at most 99 minutes
    EXPECT_EQ(r[0].StopIndex, 1);
    EXPECT_EQ(r[0].StopTime, 99);
    EXPECT_EQ(r[0].AscentTime, 99);
    EXPECT_EQ(r[1].StopIndex, 2);
    EXPECT_EQ(r[1].StopTime, 99);
    for (int i = 10; i < r.Count(); ++i) {
        EXPECT_EQ(r[i].StopIndex, 10) << i;
        EXPECT_EQ(r[i].StopTime, 99) << i;
        EXPECT_EQ(r[i].AscentTime, 99) << i;
    }
}

TEST(TissueModelLimits, MissingAscentTableStopsTheReset) {
    TGeneratedTables generated(DefaultTableSettings());
    ASSERT_TRUE(QFile::remove(QDir(generated.Path()).filePath(kAscentTableName)));
    DiveProfile profile;
    ASSERT_TRUE(
        DecodeProfile(profile, NoStopDive(ProfileFamily::Basic).Build(), InfoFor(ProfileFamily::Basic)));
    TTissueModel model(generated.Tables());
    EXPECT_THROW(model.ModelReset(profile, InfoFor(ProfileFamily::Basic)), EMissingTabFile);
    // a failed reset leaves nothing to replay
    model.ReplayAll();
    model.ModelStep(3);
    EXPECT_EQ(profile.Points[3].Saturation, (std::array<std::uint8_t, 8>{}));
    EXPECT_EQ(profile.Points[3].NoStopTime, 0);
}

TEST(TissueModelLimits, StopLabelsFollowUnitsAndAltitude) {
    TGeneratedTables generated(DefaultTableSettings());
    DiveProfile profile;
    auto info = InfoFor(ProfileFamily::Basic);
    ASSERT_TRUE(DecodeProfile(profile, NoStopDive(ProfileFamily::Basic).Build(), info));
    TTissueModel model(generated.Tables());
    model.ModelReset(profile, info, true);
    EXPECT_EQ(model.State().StopLabel[10], 99);
    EXPECT_EQ(model.State().StopLabel[1], 10);
    info.AltitudeRange = 2;
    model.ModelReset(profile, info, true);
    EXPECT_EQ(model.State().StopLabel[2], 13);
    EXPECT_EQ(model.State().StopThreshold[11], 2.95);
}

}  // namespace
