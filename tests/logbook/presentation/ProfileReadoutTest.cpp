// The readout over the chart: gas, water temperature, consumption and the stored analysis,
// in both unit systems.

#include <gtest/gtest.h>

#include "DiveProfile.h"
#include "Language.h"
#include "ProfileLayout.h"
#include "ProfileReadout.h"
#include "TDiveRec.h"

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}
bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

struct ReadoutCase : ::testing::Test {
    ReadoutCase() {
        dive.MinWaterTemp = 1800;
        dive.TankSize = 1200;
        dive.AirConsumption = 14000;
        profile.GasConsumption = 15.25;  // a binary tie at one decimal
        profile.WorkFactor = 2.0;
        profile.MaxWork = 4;  // peak 2 x 4 + 8 = 16
        profile.O2Percent = 32;
    }
    // As std::string, so that failures print readable texts.
    std::string Metric(int language = kEnglish) const {
        return ProfileReadout(dive, profile, kMetric, language).toStdString();
    }
    std::string Imperial() const { return ProfileReadout(dive, profile, kImperial, kEnglish).toStdString(); }

    TDiveRec dive;
    DiveProfile profile;
};

TEST_F(ReadoutCase, AirDiveInMetricUnits) {
    EXPECT_EQ(Metric(), "Gas: Air  -  Min. water temp.: 18 °C  -  Air cons.: 15.2 l/min (max. 16.0)");
    EXPECT_EQ(Metric(kGerman),
              "Atemgas: Luft  -  Min. Wassertemp.: 18 °C  -  Luftverbrauch: 15.2 l/min (max. 16.0)");
    // At least four characters; the peak never falls below the mean.
    profile.GasConsumption = 5.0;
    profile.WorkFactor = 0;
    profile.MaxWork = 0;
    EXPECT_TRUE(EndsWith(Metric(), "Air cons.:  5.0 l/min (max. 8.0)")) << Metric();
    profile.GasConsumption = 31.0;
    EXPECT_TRUE(EndsWith(Metric(), "31.0 l/min (max. 31.0)")) << Metric();
}

TEST_F(ReadoutCase, NitroxDiveInImperialUnitsReversesTheGasAndShowsCubicFeet) {
    dive.DiveType = kNitroxDiveBit;
    // 15.25 / 28.3 = 0.539, peak 16 / 28.3 = 0.565; 18 degrees Celsius are 64 degrees Fahrenheit.
    EXPECT_EQ(Imperial(),
              "Gas: Nitrox 68/32  -  Min. water temp.: 64 °F  -  Gas cons: 0.54 cft/min (max. 0.57)");
    EXPECT_TRUE((Metric().rfind("Gas: Nitrox 32/68  -  ", 0) == 0)) << Metric();
}

TEST_F(ReadoutCase, RebreatherDiveHasNoPeakRate) {
    dive.DiveType = kRebreatherDiveBit;
    profile.O2Percent = 40;
    EXPECT_EQ(Metric(), "Gas: Nitrox 40/60  -  Min. water temp.: 18 °C  -  Gas cons: 15.2 l/min");
    dive.DiveType = kRebreatherDiveBit | kNitroxDiveBit;  // both bits: still no peak
    EXPECT_FALSE(Contains(Metric(), "max."));
}

TEST_F(ReadoutCase, MissingValuesLeaveTheirPartsOut) {
    dive.MinWaterTemp = 32767;
    dive.AirConsumption = 0;
    EXPECT_EQ(Metric(), "Gas: Air  -  Min. water temp.: ");
    dive.AirConsumption = 32767;
    EXPECT_FALSE(Contains(Metric(), "cons"));
    dive.AirConsumption = 14000;
    dive.TankSize = 32767;
    EXPECT_FALSE(Contains(Metric(), "cons"));
    dive.TankSize = 1200;
    EXPECT_EQ(Metric(), "Gas: Air  -  Min. water temp.:   -  Air cons.: 15.2 l/min (max. 16.0)");
}

TEST_F(ReadoutCase, AnalysedDivesShowNoStopOrAscentTime) {
    dive.AirConsumption = 0;
    EXPECT_FALSE(Contains(Metric(), "time:"));
    dive.Analysed = 1;
    dive.StopInfo = 12;
    EXPECT_TRUE(EndsWith(Metric(), "18 °C  -  Min. no stop time: 12'")) << Metric();
    dive.StopInfo = 0x80 | 17;
    EXPECT_TRUE(EndsWith(Metric(), "  -  Max. ascent time: 17'")) << Metric();
    EXPECT_TRUE(EndsWith(Metric(kGerman), "  -  Max. Aufstiegszeit: 17'"));
}

}  // namespace
