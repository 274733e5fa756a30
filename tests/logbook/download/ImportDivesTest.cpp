#include <gtest/gtest.h>

#include "DayNumber.h"
#include "DownloadTestData.h"
#include "ImportDives.h"
#include "TScriptedPrompts.h"

namespace {

const QDateTime kNow(QDate(2024, 3, 10), QTime(10, 0));
constexpr std::uint32_t kClock = 100'000'000;  // dive computer clock at the download
constexpr std::uint32_t kSerial = 0x123456;

// A block for a dive `hoursAgo` before the download.
TBytes DiveAgo(double hoursAgo, std::uint8_t hwSw = 0x10, std::uint32_t serial = kSerial) {
    return MakeBlock(
        {.Serial = serial, .HwSw = hwSw, .DeviceTime = kClock - static_cast<std::uint32_t>(hoursAgo * 7200)});
}

// A logbook holding dives downloaded from `serial` with the given device times.
TDiveCollection Logbook(const std::vector<std::uint32_t>& deviceTimes, std::uint32_t serial = kSerial) {
    TDiveCollection log;
    log.DiveComputerId = serial;
    log.StartNumber = 1;
    for (auto t : deviceTimes) {
        std::size_t used = 0;
        auto rec = TDiveRec::CreateFromDevice(MakeBlock({.DeviceTime = t}), kClock, kNow, &used);
        log.AddDive(std::move(rec), 0, 1);
    }
    log.SortAndRenumber();
    return log;
}

std::vector<std::uint32_t> DeviceTimes(const TDiveCollection& log) {
    std::vector<std::uint32_t> out;
    for (const auto& d : log.Dives()) out.push_back(d->DeviceTime);
    return out;
}

TImportReport Import(const TBytes& image, TDiveCollection& log, TDiveChoice choice,
                     TScriptedPrompts& prompts) {
    return ImportDives(TReplyImage(image), log, choice, log.LastDeviceTime(), kNow, prompts);
}

TEST(ImportDives, NoDiveAsksNothingAndChangesNothing) {
    auto log = Logbook({});
    TScriptedPrompts p;
    const auto r = Import(MakeDiveReply(kClock, {}), log, TDiveChoice::OnlyNewer, p);
    EXPECT_EQ(r.Added, 0u);
    EXPECT_FALSE(r.Modified);
    EXPECT_EQ(p.StartNumberAsked, 0);
    EXPECT_TRUE(p.Messages.empty());
    // ...but says that nothing new came.
    EXPECT_TRUE(r.NoNewDive);
    EXPECT_EQ(p.NoNewDive, 1);
}

TEST(ImportDives, UnsupportedCodeInTheFirstBlockRefusesEverything) {
    auto log = Logbook({});
    TScriptedPrompts p;
    const auto r =
        Import(MakeDiveReply(kClock, {DiveAgo(5, 0x01), DiveAgo(3, 0x10)}), log, TDiveChoice::All, p);
    EXPECT_EQ(r.Added, 0u);
    EXPECT_EQ(log.Count(), 0u);
    EXPECT_EQ(p.Messages, (std::vector<int>{1}));
    EXPECT_EQ(p.Boxes, (std::vector<TMessageBox>{TMessageBox::Information}));
    EXPECT_EQ(p.StartNumberAsked, 0);
    EXPECT_EQ(log.DiveComputerId, kSerial);
}

TEST(ImportDives, EmptyLogbookAsksTheStartNumberAndTakesTheSerialSilently) {
    TDiveCollection log;
    TScriptedPrompts p;
    p.StartNumber = 100;
    const auto r =
        Import(MakeDiveReply(kClock, {DiveAgo(30), DiveAgo(5), DiveAgo(2)}), log, TDiveChoice::OnlyNewer, p);
    EXPECT_EQ(p.StartNumberAsked, 1);
    EXPECT_EQ(p.Proposed, (std::vector<std::uint16_t>{1}));
    EXPECT_EQ(p.NewComputerAsked, 0);
    EXPECT_EQ(log.DiveComputerId, kSerial);
    EXPECT_EQ(r.Added, 3u);
    EXPECT_TRUE(r.Modified);
    ASSERT_EQ(log.Count(), 3u);
    EXPECT_EQ(log.At(0).DiveNumber, 100);
    EXPECT_EQ(log.At(2).DiveNumber, 102);
}

TEST(ImportDives, CancelledStartNumberImportsNothingAndKeepsTheHeader) {
    TDiveCollection log;
    log.StartNumber = 7;
    TScriptedPrompts p;
    p.StartNumber = std::nullopt;
    const auto r = Import(MakeDiveReply(kClock, {DiveAgo(5)}), log, TDiveChoice::All, p);
    EXPECT_EQ(r.Added, 0u);
    EXPECT_FALSE(r.Modified);
    EXPECT_EQ(log.Count(), 0u);
    EXPECT_EQ(log.StartNumber, 7u);
    EXPECT_EQ(log.DiveComputerId, 0u);
}

struct TSerialCase {
    const char* Name;
    bool Accept;
    std::size_t Count;
    std::uint32_t Id;
};

class OtherComputer : public ::testing::TestWithParam<TSerialCase> {};

TEST_P(OtherComputer, AsksBeforeImporting) {
    auto log = Logbook({kClock - 900'000});
    TScriptedPrompts p;
    p.AcceptNewComputer = GetParam().Accept;
    const auto r =
        Import(MakeDiveReply(kClock, {DiveAgo(5, 0x10, 0x654321)}), log, TDiveChoice::OnlyNewer, p);
    EXPECT_EQ(p.NewComputerAsked, 1);
    EXPECT_EQ(p.StartNumberAsked, 0);
    EXPECT_EQ(log.Count(), GetParam().Count);
    EXPECT_EQ(log.DiveComputerId, GetParam().Id);
    EXPECT_EQ(r.Modified, GetParam().Accept);
}

INSTANTIATE_TEST_SUITE_P(Answers, OtherComputer,
                         ::testing::Values(TSerialCase{"No", false, 1, kSerial},
                                           TSerialCase{"Yes", true, 2, 0x654321}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(ImportDives, SameComputerIsNotQuestioned) {
    auto log = Logbook({kClock - 900'000});
    TScriptedPrompts p;
    Import(MakeDiveReply(kClock, {DiveAgo(5)}), log, TDiveChoice::OnlyNewer, p);
    EXPECT_EQ(p.NewComputerAsked, 0);
    EXPECT_EQ(log.Count(), 2u);
}

// Which dives of a reply "only newer dives" and "all dives" take into a logbook that
// already holds the dives at 400 and 600 of the newest-first time line.
struct TMergeCase {
    const char* Name;
    TDiveChoice Choice;
    std::vector<std::uint32_t> Reply;
    std::vector<std::uint32_t> After;  // device times of the logbook afterwards, in date order
};

class Merge : public ::testing::TestWithParam<TMergeCase> {};

TEST_P(Merge, AddsWhatTheRuleAccepts) {
    const std::uint32_t a = kClock - 600 * 7200, b = kClock - 400 * 7200;
    auto log = Logbook({a, b});
    std::vector<TBytes> blocks;
    for (auto t : GetParam().Reply)
        blocks.push_back(MakeBlock({.DeviceTime = t == 0 ? 0 : kClock - t * 7200}));
    TScriptedPrompts p;
    const auto r = Import(MakeDiveReply(kClock, blocks), log, GetParam().Choice, p);
    log.SortAndRenumber();
    std::vector<std::uint32_t> expected;
    for (auto t : GetParam().After) expected.push_back(t == 0 ? 0 : kClock - t * 7200);
    EXPECT_EQ(DeviceTimes(log), expected);
    EXPECT_EQ(r.Added, expected.size() - 2);
    EXPECT_EQ(r.Modified, r.Added > 0);
    // Told exactly when nothing was added.
    EXPECT_EQ(p.NoNewDive, r.Added == 0 ? 1 : 0);
    EXPECT_EQ(r.NoNewDive, r.Added == 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Merge,
    ::testing::Values(
        TMergeCase{"NewerOnlyTakesTheNewDive", TDiveChoice::OnlyNewer, {600, 400, 100}, {600, 400, 100}},
        TMergeCase{"AgainAddsNothing", TDiveChoice::OnlyNewer, {600, 400}, {600, 400}},
        TMergeCase{"AllAgainAddsNothing", TDiveChoice::All, {600, 400}, {600, 400}},
        TMergeCase{"MissingOlderDiveOnlyWithAll", TDiveChoice::OnlyNewer, {500}, {600, 400}},
        TMergeCase{"MissingOlderDiveWithAll", TDiveChoice::All, {500, 100}, {600, 500, 400, 100}},
        TMergeCase{"SameDiveTwiceInOneReply", TDiveChoice::All, {100, 100}, {600, 400, 100}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ImportDives, DiveWithoutDeviceTimeIsAddedEveryTime) {
    auto log = Logbook({kClock - 7200});
    TScriptedPrompts p;
    const auto reply = MakeDiveReply(kClock, {MakeBlock({.DeviceTime = 0})});
    for (int i = 1; i <= 3; ++i) {
        const auto r = Import(reply, log, TDiveChoice::OnlyNewer, p);
        EXPECT_EQ(r.Added, 1u);
        EXPECT_EQ(log.Count(), 1u + i);
    }
}

TEST(ImportDives, DateAndStartTimeFollowTheElapsedTimeAcrossMidnight) {
    TDiveCollection log;
    TScriptedPrompts p;
    const QDateTime now(QDate(2024, 3, 10), QTime(0, 30));
    const std::uint32_t clock = 50'000'000;
    const std::vector<TBytes> blocks{
        MakeBlock({.DeviceTime = clock - 2 * 3600 * 1}),            // 1 h before: 9 March 23:30
        MakeBlock({.DeviceTime = clock - 2 * (3 * 86400 + 1800)}),  // 3 days 30 min: 7 March 00:00
        MakeBlock({.DeviceTime = clock - 2 * (86400 + 20 * 60)})};  // 1 day 20 min: 9 March 00:10
    ImportDives(TReplyImage(MakeDiveReply(clock, blocks)), log, TDiveChoice::All, 0, now, p);
    log.SortAndRenumber();
    ASSERT_EQ(log.Count(), 3u);
    EXPECT_EQ(log.At(0).DayNo, DayNoFromDate(QDate(2024, 3, 7)));
    EXPECT_EQ(log.At(0).StartTime, 0);
    EXPECT_EQ(log.At(1).DayNo, DayNoFromDate(QDate(2024, 3, 9)));
    EXPECT_EQ(log.At(1).StartTime, 10);
    EXPECT_EQ(log.At(2).DayNo, DayNoFromDate(QDate(2024, 3, 9)));
    EXPECT_EQ(log.At(2).StartTime, 23 * 60 + 30);
}

TEST(ImportDives, DamagedReplyImportsNothingAndSaysSo) {
    auto log = Logbook({});
    auto block = MakeBlock({.DeviceTime = kClock - 100, .ProfileLength = 50});
    block.resize(18 + 20);
    TScriptedPrompts p;
    const auto r = Import(MakeDiveReply(kClock, {MakeBlock({.DeviceTime = kClock - 200}), block}), log,
                          TDiveChoice::All, p);
    EXPECT_EQ(r.Added, 0u);
    EXPECT_EQ(log.Count(), 0u);
    EXPECT_EQ(p.Messages, (std::vector<int>{44}));
}

TEST(ImportDives, FullLogbookSaysHowManyDivesWereNotAdded) {
    TDiveCollection log;
    log.DiveComputerId = kSerial;
    for (std::size_t i = 0; i + 1 < TDiveCollection::kMaxDives; ++i) {
        auto rec = std::make_unique<TDiveRec>();
        rec->DayNo = DayNoFromDate(QDate(2000, 1, 1));
        log.AddDive(std::move(rec), 0, 1);
    }
    TScriptedPrompts p;
    const auto r =
        Import(MakeDiveReply(kClock, {DiveAgo(3), DiveAgo(2), DiveAgo(1)}), log, TDiveChoice::OnlyNewer, p);
    EXPECT_EQ(r.Added, 1u);
    EXPECT_EQ(r.NotAdded, 2u);
    EXPECT_EQ(log.Count(), TDiveCollection::kMaxDives);
    EXPECT_EQ(p.NotAdded, (std::vector<int>{2}));
}

}  // namespace
