#include <gtest/gtest.h>

#include "ReplayReport.h"

namespace {

TEST(ReplayReport, PointLineHasAllColumnsInOrder) {
    ProfilePoint p;
    p.DepthWord = 0x1234;
    p.Marks = 0x40;
    p.Levels = 0x1C9;
    p.O2Fraction = 0.20703125;
    p.PO2 = 0.1;
    p.MOD = 32766;
    p.StopIndex = 3;
    p.NoStopTime = 99;
    p.StopTime = 4;
    p.AscentTime = 12;
    p.Saturation = {1, 2, 3, 4, 5, 6, 7, 255};
    p.Loading = 0x81;
    p.CNSPercent = 125;
    EXPECT_EQ(ReplayPointLine(17, p).toStdString(),
              "17,4660,64,457,0.20703125,0.10000000000000001,32766,3,99,4,12,1,2,3,4,5,6,7,255,129,125");
}

TEST(ReplayReport, SummaryLine) {
    DiveProfile profile;
    profile.ProfileMaxDepth = 3.109375;
    profile.MeanDepth = 1.0 / 3;
    profile.GasConsumption = 17.5;
    profile.NitroxMOD = 0;
    profile.MaxWork = 4;
    EXPECT_EQ(ReplaySummaryLine(profile, true, 0x89).toStdString(),
              "summary,1,137,3.109375,0.33333333333333331,17.5,0,4");
    EXPECT_EQ(ReplaySummaryLine(profile, false, 7).toStdString(),
              "summary,0,7,3.109375,0.33333333333333331,17.5,0,4");
}

TEST(ReplayReport, RealsKeepSeventeenDigits) {
    EXPECT_EQ(ReplayReal(0.1).toStdString(), "0.10000000000000001");
    EXPECT_EQ(ReplayReal(-2.5).toStdString(), "-2.5");
    EXPECT_EQ(ReplayReal(1e-20).toStdString(), "9.9999999999999995e-21");
}

}  // namespace
