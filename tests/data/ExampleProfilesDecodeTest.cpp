// Every profile of the example logbook decodes into what its dive plan describes:
// the recorded depth words point for point, the header's start values, gas and
// oxygen, and sensible dive-wide figures.

#include <cmath>
#include <map>

#include <gtest/gtest.h>

#include "DiveAnalysis.h"
#include "EMissingTabFile.h"
#include "ExampleDives.h"
#include "ExampleLogbook.h"
#include "ProfileEncoder.h"
#include "TParameterTables.h"

namespace {

class ExampleProfilesDecodeTest : public ::testing::Test {
protected:
    void SetUp() override {
        log = BuildExampleLogbook();
        for (const TExampleTrip& trip : ExampleTrips()) {
            for (const TExampleDive& d : trip.Dives) {
                if (d.IsDownloaded()) {
                    plans[d.Plan.DeviceTime] = d.Plan;
                }
            }
        }
    }
    TDiveCollection log;
    std::map<std::uint32_t, TDivePlan> plans;
    DiveProfile profile;
};

TEST_F(ExampleProfilesDecodeTest, EveryProfileDecodesToItsPlan) {
    int decoded = 0;
    for (const auto& rec : log.Dives()) {
        if (!rec->HasProfile()) {
            continue;
        }
        SCOPED_TRACE(rec->DiveNumber);
        const TDivePlan& plan = plans.at(rec->DeviceTime);
        const std::vector<TPlanSample> samples = SamplePlan(plan);
        ASSERT_TRUE(DecodeProfile(profile, *rec));
        ++decoded;
        EXPECT_FALSE(profile.Truncated);
        ASSERT_EQ(profile.Count, static_cast<int>(samples.size()) + 1);
        for (std::size_t i = 0; i < samples.size(); ++i) {
            ASSERT_EQ(profile.Points[i + 1].DepthWord, samples[i].DepthWord()) << "point " << i + 1;
            ASSERT_EQ(WorkLevel(profile.Points[i + 1]) == samples[i].Work || i % 3 != 2, true)
                << "point " << i + 1;
        }
        EXPECT_EQ(profile.Points[profile.Count].DepthWord, 0);
        for (int j = 0; j < 8; ++j) {
            EXPECT_NEAR(profile.InitialTissue[j], plan.InitialTissue[j], 1.0 / 4096);
        }
        EXPECT_NEAR(profile.SurfaceTemp, plan.AirTemp, 0.25);
        EXPECT_NEAR(profile.InitialSkinTemp, plan.SkinTemp, 1.0 / 64);

        // Dive-wide figures agree with the record and look like a real dive.
        EXPECT_NEAR(profile.ProfileMaxDepth * 1000, rec->MaxDepth, 1.0);
        EXPECT_NEAR(profile.Count / 3.0, rec->DiveTime, 1.0);
        EXPECT_GT(profile.MeanDepth, 0.3);
        EXPECT_LT(profile.MeanDepth, profile.ProfileMaxDepth);
        EXPECT_GT(profile.GasConsumption, 5.0);
        EXPECT_LT(profile.GasConsumption, 35.0);

        const double breathed = profile.Points[profile.Count / 2].O2Fraction;
        if (plan.SCR) {
            EXPECT_LT(breathed, plan.O2Percent / 100.0);
            EXPECT_GT(breathed, 0.2);
        } else if (plan.Family() == PlanFamily::F && plan.O2Percent == 21) {
            EXPECT_DOUBLE_EQ(breathed, 53 / 256.0);
        } else {
            EXPECT_NEAR(breathed, plan.O2Percent / 100.0, 0.006);
        }
        if (rec->IsNitrox()) {
            EXPECT_GT(profile.NitroxMOD, profile.ProfileMaxDepth - 0.1) << "planned within the gas's depth";
        }
    }
    EXPECT_EQ(decoded, static_cast<int>(plans.size()));
}

// Only the EAN36 dive that went a little too deep crosses its pO2 limit.
TEST_F(ExampleProfilesDecodeTest, PO2MarkOnlyWhereTheGasWasTooDeep) {
    int marked = 0;
    for (const auto& rec : log.Dives()) {
        if (!rec->HasProfile()) {
            continue;
        }
        ASSERT_TRUE(DecodeProfile(profile, *rec));
        bool any = false;
        for (int i = 0; i <= profile.Count; ++i) {
            any = any || HasWarning(profile.Points[i], kMarkPO2);
        }
        if (any) {
            ++marked;
            EXPECT_EQ(plans.at(rec->DeviceTime).O2Percent, 36);
        }
    }
    EXPECT_EQ(marked, 1);
}

// Replayed through the logbook's own tissue model with the delivered tables, the dives
// planned with decompression stops need them and every other dive stays a no-stop dive.
TEST_F(ExampleProfilesDecodeTest, ModelAgreesWhichDivesNeedDecompression) {
    TParameterTables tables(QStringLiteral(KV_SOURCE_DIR "/data"));
    try {
        tables.OpenParameterTables();
    } catch (const EMissingTabFile&) {
        GTEST_SKIP() << "parameter tables not in data/ yet";
    }
    TTissueModel model(tables);
    std::map<std::uint32_t, bool> planned;
    for (const TExampleTrip& trip : ExampleTrips()) {
        for (const TExampleDive& d : trip.Dives) {
            planned[d.Plan.DeviceTime] = d.Decompression;
        }
    }
    int decompression = 0;
    for (const auto& rec : log.Dives()) {
        if (!rec->HasProfile()) {
            continue;
        }
        SCOPED_TRACE(rec->DiveNumber);
        TDiveRec dive = *rec;
        ASSERT_TRUE(AnalyseDive(dive, profile, model));
        EXPECT_TRUE(dive.Analysed);
        const bool needed = (dive.StopInfo & 0x80) != 0;
        EXPECT_EQ(needed, planned.at(dive.DeviceTime));
        EXPECT_EQ((dive.DiveType & 0x0C) == 0x08, needed);
        if (!needed) {
            EXPECT_GE(dive.StopInfo, 3) << "minimum no-stop time in minutes";
        }
        decompression += needed;
    }
    EXPECT_GE(decompression, 2);
}

}  // namespace
