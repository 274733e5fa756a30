// Which dives the selection criteria pick, and the time-zone shift of chosen dives.

#include <gtest/gtest.h>

#include "Selection.h"
#include "TDiveCollection.h"
#include "TDiveRec.h"
#include "TimeShift.h"

namespace {

std::unique_ptr<TDiveRec> MakeDive(int day, int depth = 1000, std::uint16_t type = 0, std::uint16_t act = 0,
                                   const char* other = "") {
    auto d = std::make_unique<TDiveRec>();
    d->DayNo = day;
    d->StartTime = 600;
    d->MaxDepth = static_cast<std::int16_t>(depth);
    d->DiveType = type;
    d->Activities = act;
    d->OtherActivity = QByteArray(other);
    return d;
}

TSelectionCriteria AllDays() {
    TSelectionCriteria c;
    c.Day1 = 0;
    c.Day2 = 1000000;
    return c;
}

TEST(SelectionTest, DateRangeIsInclusive) {
    TDiveCollection log;
    for (int day : {150000, 150001, 150001, 150002}) log.AddDive(MakeDive(day), 0, 1);
    TSelectionCriteria c = AllDays();
    EXPECT_EQ(ApplySelection(log, c), (std::vector<bool>{true, true, true, true}));
    c.Day1 = c.Day2 = 150001;
    EXPECT_EQ(ApplySelection(log, c), (std::vector<bool>{false, true, true, false}));
}

TEST(SelectionTest, GasGroupMatchesOnlyItsOwnChoice) {
    TDiveCollection log;
    log.AddDive(MakeDive(1, 1000, 0x0000), 0, 1);  // air
    log.AddDive(MakeDive(1, 1000, 0x0100), 0, 1);  // Nitrox
    log.AddDive(MakeDive(1, 1000, 0x0200), 0, 1);  // SCR
    TSelectionCriteria c = AllDays();
    c.DiveType = 0x0100;
    EXPECT_EQ(ApplySelection(log, c), (std::vector<bool>{false, true, false}));
    c.DiveType = 0x0200 | 0x0080;  // SCR in sea water: none is marked sea water
    EXPECT_EQ(ApplySelection(log, c), (std::vector<bool>{false, false, false}));
    c.DiveType = 0;
    EXPECT_EQ(ApplySelection(log, c), (std::vector<bool>{true, true, true}));
}

TEST(SelectionTest, EveryActivityOfTheCriterionIsNeeded) {
    TDiveCollection log;
    log.AddDive(MakeDive(1, 1000, 0, 0x0010), 0, 1);  // night
    log.AddDive(MakeDive(1, 1000, 0, 0x0100), 0, 1);  // wreck
    log.AddDive(MakeDive(1, 1000, 0, 0x0110), 0, 1);  // both
    log.AddDive(MakeDive(1, 1000, 0, 0x0111), 0, 1);  // both and more
    TSelectionCriteria c = AllDays();
    c.Activities = 0x0110;
    EXPECT_EQ(ApplySelection(log, c), (std::vector<bool>{false, false, true, true}));
}

TEST(SelectionTest, OtherTextIsContainedIgnoringCaseOfAtoZ) {
    TDiveCollection log;
    log.AddDive(MakeDive(1, 1000, 0, 0, "Steep Wall dive"), 0, 1);
    log.AddDive(MakeDive(1, 1000, 0, 0, ""), 0, 1);
    log.AddDive(MakeDive(1, 1000, 0, 0, "Reef"), 0, 1);
    log.AddDive(MakeDive(1, 1000, 0, 0,
                         "\xE9"
                         "cole"),
                0, 1);  // "école"
    TSelectionCriteria c = AllDays();
    c.Other = QStringLiteral("wall");
    EXPECT_EQ(ApplySelection(log, c), (std::vector<bool>{true, false, false, false}));
    // Only a-z are folded: "É" does not match "é".
    c.Other = QString::fromUtf8("ÉCOLE");
    EXPECT_EQ(ApplySelection(log, c), (std::vector<bool>{false, false, false, false}));
    c.Other = QString::fromUtf8("éCOLE");
    EXPECT_EQ(ApplySelection(log, c), (std::vector<bool>{false, false, false, true}));
}

TEST(SelectionTest, DepthRangeTakesItsStartButNotItsEnd) {
    TDiveCollection log;
    for (int depth : {0, 2990, 3000, kNotSet, -50}) log.AddDive(MakeDive(1, depth), 0, 1);
    TSelectionCriteria c = AllDays();
    c.Depth1 = 0;
    c.Depth2 = 3000;
    EXPECT_EQ(ApplySelection(log, c), (std::vector<bool>{true, true, true, true, true})) << "not enabled";
    c.DepthEnabled = true;
    EXPECT_EQ(ApplySelection(log, c), (std::vector<bool>{true, true, false, false, false}));
}

struct ShiftCase {
    int Start;
    int Amount;
    bool Plus;
    int Time;
    int Days;
};

class TimeShiftTest : public ::testing::TestWithParam<ShiftCase> {};

TEST_P(TimeShiftTest, CrossesMidnightIntoTheNeighbouringDays) {
    const ShiftCase& c = GetParam();
    TDiveRec d;
    d.DayNo = 150000;
    d.StartTime = static_cast<std::uint16_t>(c.Start);
    EXPECT_TRUE(ShiftDive(d, c.Amount, c.Plus));
    EXPECT_EQ(d.StartTime, c.Time);
    EXPECT_EQ(d.DayNo, 150000 + c.Days);
}

INSTANTIATE_TEST_SUITE_P(Cases, TimeShiftTest,
                         ::testing::Values(ShiftCase{1410, 60, true, 30, 1},
                                           ShiftCase{30, 60, false, 1410, -1},
                                           ShiftCase{600, 2880, true, 600, 2},
                                           ShiftCase{600, 2880, false, 600, -2}, ShiftCase{0, 0, false, 0, 0},
                                           ShiftCase{0, 5999, false, 1201, -5},
                                           ShiftCase{1439, 1, true, 0, 1}));

TEST(TimeShiftRulesTest, DiveWithoutStartTimeAndBadAmountsStayPut) {
    TDiveRec d;
    d.DayNo = 150000;
    d.StartTime = kNotSet;
    EXPECT_FALSE(ShiftDive(d, 60, false));
    EXPECT_EQ(d.StartTime, kNotSet);
    EXPECT_EQ(d.DayNo, 150000);
    d.StartTime = 1500;  // no time of day
    EXPECT_FALSE(ShiftDive(d, 60, true));
    EXPECT_EQ(d.StartTime, 1500);
    d.StartTime = 600;
    EXPECT_FALSE(ShiftDive(d, -60, true));
    EXPECT_FALSE(ShiftDive(d, 6000, true));
    EXPECT_EQ(d.StartTime, 600);
    EXPECT_EQ(d.DayNo, 150000);
}

TEST(TimeShiftRulesTest, OnlyTheChosenDivesMoveAndTheOrderStays) {
    TDiveCollection log;
    for (int day : {150000, 150001, 150002}) log.AddDive(MakeDive(day), 0, 1);
    const std::size_t chosen[] = {0, 7};
    EXPECT_EQ(ApplyShift(log, chosen, 2 * 1440, true), 1u);
    EXPECT_EQ(log.At(0).DayNo, 150002);
    EXPECT_EQ(log.At(1).DayNo, 150001);
    EXPECT_EQ(log.At(2).DayNo, 150002);
}

}  // namespace
