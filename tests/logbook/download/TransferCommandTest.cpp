#include <gtest/gtest.h>

#include "DownloadTestData.h"
#include "TScriptedPrompts.h"
#include "TTransferCommand.h"

namespace {

const QDateTime kNow(QDate(2024, 3, 10), QTime(10, 0));
constexpr std::uint32_t kClock = 100'000'000;

// The transfer window reduced to its outcome: a found or missing box, the requests it
// was asked to send, and a scripted result with its image.
class TFakeWindow : public IDownloadWindow {
public:
    bool BoxPresent = true;
    ModalResult Result = mrOk;
    bool NakLimit = false;
    TBytes Reply;
    std::optional<TDiveChoice> UserChoice;  // what the user selects in the window

    int Searches = 0;
    std::vector<std::pair<TDiveChoice, std::uint32_t>> Requests;

    bool FindInterface(std::uint16_t& interfacePort, bool) override {
        ++Searches;
        if (BoxPresent) interfacePort = 3;
        return BoxPresent;
    }
    void SendRequest(TDiveChoice choice, std::uint32_t reference) override {
        Requests.emplace_back(choice, reference);
    }
    ModalResult ShowModal(TDiveChoice& choice) override {
        if (UserChoice) choice = *UserChoice;
        return Result;
    }
    bool Failed() const override { return NakLimit; }
    std::span<const std::uint8_t> Image() const override { return Reply; }
};

TDiveCollection LogbookWithDive(std::uint32_t deviceTime, std::uint16_t number = 1) {
    TDiveCollection log;
    log.DiveComputerId = 0x123456;
    log.StartNumber = number;
    std::size_t used = 0;
    log.AddDive(TDiveRec::CreateFromDevice(MakeBlock({.DeviceTime = deviceTime}), kClock, kNow, &used), 0, 1);
    return log;
}

struct TRun {
    TTransferOutcome Out;
    TScriptedPrompts Prompts;
};

TRun RunTransfer(TDiveCollection& log, TFakeWindow& win, TDownloadSettings& settings, bool ready = true) {
    TRun r;
    TTransferCommand cmd;
    r.Out = cmd.Run(ready, log, settings, win, r.Prompts, [] { return kNow; });
    EXPECT_FALSE(cmd.Busy());
    return r;
}

TEST(TransferCommand, NotReadyDoesNothing) {
    TDiveCollection log;
    TFakeWindow win;
    TDownloadSettings s;
    const auto r = RunTransfer(log, win, s, false);
    EXPECT_FALSE(r.Out.Ran);
    EXPECT_EQ(win.Searches, 0);
}

TEST(TransferCommand, RequestCarriesTheLastDeviceTimeOrZeroForAll) {
    auto log = LogbookWithDive(kClock - 5000);
    TFakeWindow win;
    win.Reply = MakeDiveReply(kClock, {});
    TDownloadSettings s;
    RunTransfer(log, win, s);
    s.DiveChoice = 1;
    RunTransfer(log, win, s);
    ASSERT_EQ(win.Requests.size(), 2u);
    EXPECT_EQ(win.Requests[0], std::make_pair(TDiveChoice::OnlyNewer, kClock - 5000));
    EXPECT_EQ(win.Requests[1].first, TDiveChoice::All);
}

TEST(TransferCommand, ChoiceSelectedInTheWindowIsKept) {
    TDiveCollection log;
    TFakeWindow win;
    win.Reply = MakeDiveReply(kClock, {});
    win.UserChoice = TDiveChoice::All;
    TDownloadSettings s;
    RunTransfer(log, win, s);
    EXPECT_EQ(s.DiveChoice, 1);
    win.UserChoice = TDiveChoice::OnlyNewer;
    RunTransfer(log, win, s);
    EXPECT_EQ(s.DiveChoice, 0);
}

TEST(TransferCommand, MissingBoxGivesMessage48AndNoWindow) {
    TDiveCollection log;
    TFakeWindow win;
    win.BoxPresent = false;
    TDownloadSettings s;
    const auto r = RunTransfer(log, win, s);
    EXPECT_EQ(r.Prompts.Messages, (std::vector<int>{48}));
    EXPECT_TRUE(win.Requests.empty());
    EXPECT_EQ(r.Out.Result, mrNone);
    EXPECT_FALSE(r.Out.RebuildList);
}

TEST(TransferCommand, CancelledRenumberingEndsAtOnceAndTheCommandIsUsableAgain) {
    auto log = LogbookWithDive(kClock - 9000, 10);
    std::size_t used = 0;
    log.AddDive(TDiveRec::CreateFromDevice(MakeBlock({.DeviceTime = kClock - 5000}), kClock, kNow, &used), 0,
                1);
    log.At(1).DiveNumber = 30;  // numbering broken
    TFakeWindow win;
    win.Reply = MakeDiveReply(kClock, {});
    TDownloadSettings s;
    TTransferCommand cmd;
    TScriptedPrompts p;
    p.Renumber = std::nullopt;
    auto out = cmd.Run(true, log, s, win, p, [] { return kNow; });
    EXPECT_TRUE(out.Ran);
    EXPECT_FALSE(out.Modified);
    EXPECT_EQ(p.Proposed, (std::vector<std::uint16_t>{10}));
    EXPECT_EQ(win.Searches, 0);
    EXPECT_FALSE(cmd.Busy());

    p.Renumber = 20;
    out = cmd.Run(true, log, s, win, p, [] { return kNow; });
    EXPECT_TRUE(out.Renumbered);
    EXPECT_TRUE(out.Modified);
    EXPECT_EQ(win.Searches, 1);
    EXPECT_EQ(log.At(0).DiveNumber, 20);
    EXPECT_EQ(log.At(1).DiveNumber, 21);
}

TEST(TransferCommand, EmptyReplyStillRebuildsTheListWithoutMessage) {
    auto log = LogbookWithDive(kClock - 5000);
    TFakeWindow win;
    win.Reply = MakeDiveReply(kClock, {});
    TDownloadSettings s;
    const auto r = RunTransfer(log, win, s);
    EXPECT_TRUE(r.Out.RebuildList);
    EXPECT_FALSE(r.Out.Modified);
    EXPECT_TRUE(r.Prompts.Messages.empty());
}

TEST(TransferCommand, DownloadedDivesMarkTheLogbookModifiedOnlyWhenAdded) {
    auto log = LogbookWithDive(kClock - 50000);
    TFakeWindow win;
    win.Reply = MakeDiveReply(
        kClock, {MakeBlock({.DeviceTime = kClock - 9000}), MakeBlock({.DeviceTime = kClock - 50000})});
    TDownloadSettings s;
    auto r = RunTransfer(log, win, s);
    EXPECT_TRUE(r.Out.Modified);
    EXPECT_EQ(r.Out.Import.Added, 1u);
    EXPECT_EQ(log.Count(), 2u);
    r = RunTransfer(log, win, s);
    EXPECT_FALSE(r.Out.Modified);
    EXPECT_EQ(log.Count(), 2u);
}

TEST(TransferCommand, DiveEditedOutOfOrderIsSortedAndCountsAsAChange) {
    auto log = LogbookWithDive(kClock - 50000);
    std::size_t used = 0;
    log.AddDive(TDiveRec::CreateFromDevice(MakeBlock({.DeviceTime = kClock - 9000}), kClock, kNow, &used), 0,
                1);
    log.At(1).DayNo -= 10;  // a downloaded dive whose date was edited: not re-sorted then
    TFakeWindow win;
    win.Reply = MakeDiveReply(kClock, {});
    TDownloadSettings s;
    const auto r = RunTransfer(log, win, s);
    EXPECT_TRUE(r.Out.Modified);
    EXPECT_EQ(log.At(0).DeviceTime, kClock - 9000);
    EXPECT_EQ(log.At(0).DiveNumber, 1);
}

TEST(TransferCommand, ResultsWithoutImport) {
    struct TCase {
        ModalResult Result;
        bool Failed;
        TBytes Reply;
        std::vector<int> Messages;
        bool Rebuild;
    };
    const std::vector<TCase> cases{{mrCancel, false, {}, {}, false},
                                   {mrAbort, false, {}, {43}, false},
                                   {mrNo, true, {}, {44}, true},
                                   {mrOk, false, MakeErrorReply(2), {51}, true}};
    for (const auto& c : cases) {
        auto log = LogbookWithDive(kClock - 5000);
        TFakeWindow win;
        win.Result = c.Result;
        win.NakLimit = c.Failed;
        win.Reply = c.Reply;
        TDownloadSettings s;
        const auto r = RunTransfer(log, win, s);
        EXPECT_EQ(r.Prompts.Messages, c.Messages) << c.Result;
        EXPECT_EQ(r.Out.RebuildList, c.Rebuild) << c.Result;
        EXPECT_FALSE(r.Out.Modified);
        EXPECT_EQ(log.Count(), 1u);
    }
}

}  // namespace
