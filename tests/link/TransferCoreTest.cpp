#include <chrono>

#include "LinkFixture.h"

namespace {

// The image of a reply with the given data, cut into packets of `size` payload bytes.
std::vector<Bytes> ReplyPackets(const Bytes& data, std::size_t size = kMaxPayload) {
    return SplitIntoPackets(BuildImage(data), size);
}

Bytes WithBadXor(Bytes packet) {
    packet.back() ^= 0x01;
    return packet;
}

struct Variant {
    const char* name;
    TTransferConfig config;
};
const Variant kVariants[] = {{"Kelwin", TTransferConfig::Kelwin()}, {"Teswin", TTransferConfig::Teswin()}};

class BothPrograms : public ::testing::TestWithParam<Variant> {};

}  // namespace

TEST(TransferCore, CommandGoesOutMirrored) {
    LinkRig rig(TTransferConfig::Kelwin());
    std::uint16_t setting = 0;
    ASSERT_TRUE(rig.core.FindInterface(setting, true));
    rig.port.ClearWritten();
    ASSERT_TRUE(rig.core.SendCommand(BuildPacket(Bytes{0x05, 0x00})));
    EXPECT_EQ(rig.port.Written(), (Bytes{0x40, 0xA0, 0x00, 0xE0}));
    EXPECT_EQ(rig.port.WrittenLogical(), (Bytes{0x02, 0x05, 0x00, 0x07}));
    EXPECT_FALSE(rig.core.Armed());  // the reply is assembled from scratch
    EXPECT_EQ(rig.core.ReceivedCount(), 0);
}

TEST_P(BothPrograms, WholeReplyEndsWithOkAndAcksEveryPacket) {
    LinkRig rig(GetParam().config);
    rig.Connect();
    Bytes data{0x4C};
    for (int i = 0; i < 300; ++i) data.push_back(static_cast<std::uint8_t>(i));
    const auto packets = ReplyPackets(data, 100);
    int at = 30;
    for (const auto& p : packets) rig.FeedPacket(p, at += 150);
    EXPECT_EQ(rig.core.RunModal(100000), mrOk);
    EXPECT_EQ(rig.ControlsSent(), Bytes(packets.size(), kAck));
    EXPECT_TRUE(rig.core.ImageValid());
    EXPECT_FALSE(rig.core.Failed());
    EXPECT_EQ(rig.core.ImageLength(), data.size());
    EXPECT_TRUE(std::equal(data.begin(), data.end(), rig.core.Image().begin() + 2));
}

TEST(TransferCore, LengthByteAbove128IsNakedWhenItsBytesAreIn) {
    LinkRig rig(TTransferConfig::Kelwin());
    rig.Connect();
    Bytes bogus(131, 0x11);
    bogus[0] = 129;
    bogus[130] = XorBytes(std::span<const std::uint8_t>(bogus).first(130));  // XOR would even be right
    rig.port.Feed(Bytes(bogus.begin(), bogus.end() - 1), 10);
    rig.clock.Advance(20);
    EXPECT_EQ(rig.Naks(), 0);  // 130 of the 131 bytes: not yet
    rig.port.Feed({bogus.back()}, 0);
    rig.clock.Advance(1);
    EXPECT_EQ(rig.ControlsSent(), (Bytes{kNak}));
    EXPECT_EQ(rig.core.ReceivedCount(), 0);
}

TEST(TransferCore, LengthByteAbove128IsNakedAtTheLatestWhenTheTimerRunsOut) {
    LinkRig rig(TTransferConfig::Kelwin());
    rig.Connect();
    rig.FeedPacket({0x10, 0x00, 0x01}, 10);  // a good first packet starts the 600 ms timer
    rig.clock.Advance(20);
    rig.port.ClearWritten();
    rig.port.Feed({0xC8, 0x01, 0x02, 0x03}, 0);  // says 200 bytes, then nothing
    rig.clock.Advance(580);
    EXPECT_EQ(rig.Naks(), 0);
    rig.clock.Advance(20);
    EXPECT_EQ(rig.ControlsSent(), (Bytes{kNak}));
    EXPECT_EQ(rig.core.NakCount(), 1);
}

TEST_P(BothPrograms, WrongXorIsNakedAndTheRepetitionAccepted) {
    LinkRig rig(GetParam().config);
    rig.Connect();
    const auto packets = ReplyPackets(Bytes(200, 0x47), 100);
    rig.FeedPacket(packets[0], 10);
    rig.port.Feed(WithBadXor(BuildPacket(packets[1])), 100);
    rig.clock.Advance(120);
    EXPECT_EQ(rig.ControlsSent(), (Bytes{kAck, kNak}));
    EXPECT_EQ(rig.core.NakCount(), 1);
    EXPECT_EQ(rig.core.ReceivedCount(), 100);
    rig.FeedPacket(packets[1], 10);
    rig.clock.Advance(20);
    EXPECT_EQ(rig.ControlsSent(), (Bytes{kAck, kNak, kAck}));
    EXPECT_EQ(rig.core.NakCount(), 0);
    EXPECT_EQ(rig.core.ReceivedCount(), 200);
}

TEST_P(BothPrograms, FiveBadPacketsEndWithNoWhileFourAndAGoodOneDoNot) {
    for (int bad : {4, 5}) {
        LinkRig rig(GetParam().config);
        rig.Connect();
        const auto packets = ReplyPackets(Bytes(150, 0x33), 100);
        int at = 10;
        for (int i = 0; i < bad; ++i) rig.port.Feed(WithBadXor(BuildPacket(packets[0])), at += 50);
        rig.FeedPacket(packets[0], at += 50);
        rig.FeedPacket(packets[1], at + 50);
        const ModalResult r = rig.core.RunModal(100000);
        if (bad == 5) {
            EXPECT_EQ(r, mrNo);
            EXPECT_TRUE(rig.core.Failed());
            EXPECT_EQ(rig.Naks(), 5);
            EXPECT_FALSE(rig.core.TimerActive());
        } else {
            EXPECT_EQ(r, mrOk) << bad;
            EXPECT_FALSE(rig.core.Failed());
            EXPECT_TRUE(rig.core.ImageValid());
        }
    }
}

TEST(TransferCore, KelwinNaksMissingPacketsEvery600ms) {
    LinkRig rig(TTransferConfig::Kelwin());
    rig.Connect();
    rig.FeedPacket({0x20, 0x00, 0x55}, 10);
    rig.clock.Advance(10);
    const auto t0 = rig.clock.NowMs();
    EXPECT_EQ(rig.core.RunModal(100000), mrNo);
    EXPECT_EQ(rig.clock.NowMs() - t0, 5 * 600);
    EXPECT_EQ(rig.Naks(), 5);
}

TEST(TransferCore, TeswinSendsNothingForMissingPacketsAfterACommand) {
    LinkRig rig(TTransferConfig::Teswin());
    rig.core.FormCreate();
    rig.Connect();
    rig.FeedPacket({0x20, 0x00, 0x4C}, 10);
    rig.clock.Advance(10000);
    EXPECT_EQ(rig.ControlsSent(), (Bytes{kAck}));
    EXPECT_TRUE(rig.core.TimedOut());  // the timer ran out but the window is not armed
    EXPECT_EQ(rig.core.Result(), mrNone);
}

TEST_P(BothPrograms, ReplyLongerThanTheImageBufferIsRefused) {
    LinkRig rig(GetParam().config);
    rig.Connect();
    const std::size_t capacity = GetParam().config.ImageCapacity;
    const auto packets = ReplyPackets(Bytes(capacity + 200, 0x5A));
    const std::size_t fitting = capacity / kMaxPayload;  // whole packets that still fit
    int at = 10;
    for (std::size_t i = 0; i < fitting; ++i) rig.FeedPacket(packets[i], at += 20);
    for (int i = 0; i < 5; ++i) rig.FeedPacket(packets[fitting], at += 20);  // the box repeats it
    EXPECT_EQ(rig.core.RunModal(100000), mrNo);
    EXPECT_TRUE(rig.core.Failed());
    EXPECT_EQ(rig.core.ReceivedCount(), fitting * kMaxPayload);
    EXPECT_EQ(rig.Naks(), 5);
    EXPECT_FALSE(rig.core.ImageValid());
}

TEST(TransferCore, GaugeFollowsTheImageAndSurvivesAnEmptyLength) {
    LinkRig rig(TTransferConfig::Kelwin());
    rig.Connect();
    rig.core.SetShowProgress(true);
    // L = 0 arrives in a first packet that leaves the image incomplete: no division by 0.
    rig.FeedPacket({0x00, 0x00}, 10);
    rig.clock.Advance(20);
    EXPECT_EQ(rig.core.Gauge(), 100);
    EXPECT_EQ(rig.core.Result(), mrNone);
    rig.FeedPacket({0x00}, 10);
    EXPECT_EQ(rig.core.RunModal(1000), mrOk);
    EXPECT_TRUE(rig.core.ImageValid());

    LinkRig half(TTransferConfig::Kelwin());
    half.Connect();
    half.core.SetShowProgress(true);
    const auto packets = ReplyPackets(Bytes(397, 1), 100);  // L = 397, 400 bytes
    half.FeedPacket(packets[0], 10);
    half.clock.Advance(20);
    EXPECT_EQ(half.core.Gauge(), 25);  // 100 / 397, rounded
    half.FeedPacket(packets[1], 10);
    half.clock.Advance(20);
    EXPECT_EQ(half.core.Gauge(), 50);
}

TEST(TransferCore, AutoSearchOrderStartsWithTheRememberedPort) {
    std::array<bool, kMaxComNumber + 1> present{};
    present[1] = present[3] = true;
    std::vector<int> expected{3, 1, 2};
    for (int n = 4; n <= 32; ++n) expected.push_back(n);
    EXPECT_EQ(TTransferCore::CandidatePorts(0x0003, true, 0, present), expected);

    expected = {1, 3, 2};
    for (int n = 4; n <= 32; ++n) expected.push_back(n);
    EXPECT_EQ(TTransferCore::CandidatePorts(0x0000, true, 0, present), expected);
    EXPECT_EQ(TTransferCore::CandidatePorts(0x0500, true, 0, present), std::vector<int>{5});
    EXPECT_EQ(TTransferCore::CandidatePorts(0x0503, false, 7, present), std::vector<int>{7});
    present = {};
    EXPECT_EQ(TTransferCore::CandidatePorts(0, true, 0, present).front(), 1);
    EXPECT_EQ(TTransferCore::CandidatePorts(0, true, 0, present).size(), 32u);
}

TEST(TransferCore, AutoSearchTriesThePortsInOrderAndRemembersTheFoundOne) {
    LinkRig rig(TTransferConfig::Kelwin());
    rig.port.SetPresent(3, true);
    rig.answerDtr = false;
    rig.port.OnLine = [&](LineControl f) {
        if (f == LineControl::SetDtr && rig.port.Port() == 4) rig.port.Feed(rig.identification, 200);
    };
    std::uint16_t setting = 0x0003;
    ASSERT_TRUE(rig.core.FindInterface(setting, true));
    EXPECT_EQ(rig.port.OpenAttempts(), (std::vector<int>{3, 1, 2, 4}));
    EXPECT_EQ(setting, 0x0004);
    EXPECT_EQ(rig.port.Port(), 4);
    EXPECT_TRUE(rig.port.Dtr());
}

TEST(TransferCore, FixedPortThatCannotOpenLeavesTheSettingWhileAutoClearsIt) {
    LinkRig fixed(TTransferConfig::Kelwin());
    fixed.port.SetOpenable(5, false);
    std::uint16_t setting = 0x0503;
    EXPECT_FALSE(fixed.core.FindInterface(setting, true));
    EXPECT_EQ(setting, 0x0503);
    EXPECT_EQ(fixed.port.OpenAttempts(), std::vector<int>{5});

    LinkRig automatic(TTransferConfig::Teswin());
    for (int n = 1; n <= 32; ++n) automatic.port.SetOpenable(n, n == 9);
    setting = 0x0003;
    ASSERT_TRUE(automatic.core.FindInterface(setting));
    EXPECT_EQ(setting, 0x0009);  // cleared by COM3, then set to where the box answered
    EXPECT_EQ(automatic.port.OpenAttempts().size(), 9u);
}

TEST_P(BothPrograms, CompleteValidWrongIdentificationFailsTheProbe) {
    LinkRig rig(GetParam().config);
    rig.identification = BuildPacket(TSimBox::IdentificationImage("IFV1.01"));
    std::uint16_t setting = 0x0100;
    EXPECT_FALSE(rig.core.FindInterface(setting, true));
    EXPECT_TRUE(rig.core.Complete());
    EXPECT_TRUE(rig.core.ImageValid());
    ASSERT_FALSE(rig.port.LineChanges().empty());
    EXPECT_EQ(rig.port.LineChanges().back(), LineControl::ClrDtr);
    EXPECT_FALSE(rig.port.Dtr());
    EXPECT_FALSE(rig.core.TimerActive());  // nothing left to NAK the next port
}

TEST_P(BothPrograms, ProbeOfAPortWithoutBoxTakesAbout3Seconds) {
    LinkRig rig(GetParam().config);
    rig.answerDtr = false;
    std::uint16_t setting = 0x0100;
    const auto t0 = rig.clock.NowMs();
    EXPECT_FALSE(rig.core.FindInterface(setting, true));
    const auto took = rig.clock.NowMs() - t0;
    EXPECT_GE(took, 3150);
    EXPECT_LE(took, 3160);
    EXPECT_EQ(rig.Naks(), 5);
    EXPECT_TRUE(rig.core.Failed());
}

TEST_P(BothPrograms, FullSearchTakesAbout100sOfVirtualTimeInWellUnderASecond) {
    LinkRig rig(GetParam().config);
    rig.answerDtr = false;
    std::uint16_t setting = 0;
    const auto real0 = std::chrono::steady_clock::now();
    const auto t0 = rig.clock.NowMs();
    EXPECT_FALSE(rig.core.FindInterface(setting));
    const auto took = rig.clock.NowMs() - t0;
    const auto real = std::chrono::steady_clock::now() - real0;
    EXPECT_EQ(rig.port.OpenAttempts().size(), 32u);
    EXPECT_GE(took, 32 * 3150);
    EXPECT_LE(took, 32 * 3160);
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(real).count(), 1000);
    EXPECT_EQ(setting, 0);
}

TEST(TransferCore, CountdownOf60sEndsWithAbort) {
    LinkRig rig(TTransferConfig::Kelwin());
    rig.Connect();
    const auto t0 = rig.clock.NowMs();
    EXPECT_EQ(rig.core.RunModal(200000), mrAbort);
    // The countdown began with the successful probe, before the command went out.
    EXPECT_LE(rig.clock.NowMs() - t0, 60000);
    EXPECT_GE(rig.clock.NowMs() - t0, 59000);
    EXPECT_EQ(rig.core.Countdown(), 0);
    EXPECT_FALSE(rig.core.CountdownActive());
}

TEST(TransferCore, TeswinCountdownIsResetByTheProbeAndNeverStopped) {
    LinkRig rig(TTransferConfig::Teswin());
    rig.core.FormCreate();
    rig.clock.Advance(5000);
    rig.Connect();
    EXPECT_EQ(rig.core.RunModal(200000), mrAbort);
    EXPECT_TRUE(rig.core.CountdownActive());
}

TEST(TransferCore, AcceptedPacketStopsTheKelwinCountdown) {
    LinkRig rig(TTransferConfig::Kelwin());
    rig.Connect();
    EXPECT_TRUE(rig.core.CountdownActive());
    rig.FeedPacket({0x40, 0x00, 0x55}, 10);
    rig.clock.Advance(20);
    EXPECT_FALSE(rig.core.CountdownActive());
}

TEST(TransferCore, ReprobeDoesNotEndTheShownWindow) {
    // Changing the dive choice probes again while the window shows; the identification
    // that comes back must not count as the reply of the command sent before.
    LinkRig rig(TTransferConfig::Kelwin());
    rig.Connect();
    rig.core.FormShow();
    std::uint16_t setting = 0x0001;
    rig.port.TakeError();
    ASSERT_TRUE(rig.core.FindInterface(setting, false));
    EXPECT_EQ(rig.port.OpenAttempts().size(), 1u);  // the open port, not reopened
    EXPECT_EQ(rig.core.Result(), mrNone);
    ASSERT_TRUE(rig.core.SendCommand(BuildPacket(Bytes{0x05, 0x00, 0x55, 0, 0, 0, 0})));
    rig.FeedPacket({0x01, 0x00, 0x55}, 10);
    rig.FeedPacket({0x54}, 50);
    EXPECT_EQ(rig.core.RunModal(10000), mrOk);
}

TEST(TransferCore, CountdownRunningOutDuringTheReprobeEndsAsAbort) {
    // The 60 s run out while the changed dive choice is probed again: the request that
    // follows must not wipe the Abort, or the window would wait for Cancel.
    LinkRig rig(TTransferConfig::Kelwin());
    rig.Connect();
    rig.core.FormShow();
    rig.clock.Advance(59500);
    ASSERT_EQ(rig.core.Result(), mrNone);
    std::uint16_t setting = 0x0001;
    rig.port.TakeError();
    ASSERT_TRUE(rig.core.FindInterface(setting, false));
    ASSERT_EQ(rig.core.Result(), mrAbort);
    ASSERT_TRUE(rig.core.SendCommand(BuildPacket(Bytes{0x05, 0x00, 0x55, 0, 0, 0, 0})));
    EXPECT_EQ(rig.core.Result(), mrAbort);
    EXPECT_EQ(rig.core.RunModal(10000), mrAbort);

    // The next transfer starts afresh.
    ASSERT_TRUE(rig.core.FindInterface(setting, true));
    EXPECT_EQ(rig.core.Result(), mrNone);
    ASSERT_TRUE(rig.core.SendCommand(BuildPacket(Bytes{0x05, 0x00, 0x55, 0, 0, 0, 0})));
    EXPECT_EQ(rig.core.Result(), mrNone);
}

TEST(TransferCore, BytesArrivingDuringAWriteAreHandledAfterIt) {
    // A platform's write may wait for the line and handle events meanwhile: the box's
    // repetition arriving during the NAK must not be processed inside that NAK.
    LinkRig rig(TTransferConfig::Kelwin());
    rig.Connect();
    const Bytes payload{0x40, 0x00, 0x55};
    bool repeated = false;
    rig.port.OnWrite = [&](std::span<const std::uint8_t> w) {
        if (w.size() == 1 && w[0] == kNak && !repeated) {
            repeated = true;
            rig.FeedPacket(payload);
            rig.clock.Delay(1);  // the write's own wait
        }
    };
    rig.port.Feed(WithBadXor(BuildPacket(payload)), 10);
    rig.clock.Advance(50);
    EXPECT_EQ(rig.ControlsSent(), (Bytes{kNak, kAck}));
    EXPECT_EQ(rig.core.NakCount(), 0);  // the good repetition cleared it
    EXPECT_EQ(rig.core.ReceivedCount(), payload.size());
    EXPECT_TRUE(rig.core.TimerActive());
    EXPECT_EQ(rig.core.Result(), mrNone);
}

TEST(TransferCore, StaleLengthByteSixIsNotTakenForTheAck) {
    LinkRig rig(TTransferConfig::Teswin());
    rig.identification = BuildPacket(BuildImage(Bytes{'I', 'F', 'V', '1', '.', '0', '0'}));
    std::uint16_t setting = 0;
    ASSERT_TRUE(rig.core.FindInterface(setting));
    rig.FeedPacket({1, 2, 3, 4, 5, 6});  // leaves 6 in byte 0 of the receive buffer
    rig.clock.Advance(5);
    rig.ackCommands = false;
    const auto t0 = rig.clock.NowMs();
    ASSERT_TRUE(rig.core.SendCommand(BuildPacket(Bytes{0x01, 0x00, 0xE7})));
    EXPECT_GE(rig.clock.NowMs() - t0, 500);  // it waited for an ACK that never came
}

TEST(TransferCore, CancelAndClose) {
    LinkRig rig(TTransferConfig::Kelwin());
    rig.Connect();
    rig.clock.Post([&] { rig.core.Cancel(); }, 1000);
    EXPECT_EQ(rig.core.RunModal(), mrCancel);
    rig.core.FormClose();
    EXPECT_EQ(rig.port.Port(), 0);
    EXPECT_FALSE(rig.port.Dtr());
    EXPECT_FALSE(rig.core.TimerActive());
}

TEST(TransferCore, SendCommandRefusesWhatDoesNotFit) {
    LinkRig rig(TTransferConfig::Teswin());
    rig.Connect();
    EXPECT_FALSE(rig.core.SendCommand(Bytes(2000, 1)));
    EXPECT_FALSE(rig.core.SendCommand(Bytes{}));
    EXPECT_TRUE(rig.port.Written().empty());
}

INSTANTIATE_TEST_SUITE_P(Programs, BothPrograms, ::testing::ValuesIn(kVariants),
                         [](const auto& info) { return std::string(info.param.name); });
