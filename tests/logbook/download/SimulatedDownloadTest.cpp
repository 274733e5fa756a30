// The whole transfer command against the simulated interface box and dive computer, in
// virtual time: probe, dive request, packets with ACK/NAK, evaluation, import and sort.

#include <QBuffer>
#include <set>

#include <gtest/gtest.h>

#include "DayNumber.h"
#include "DownloadTestData.h"
#include "LinkFraming.h"
#include "SimulatedDiveComputer.h"
#include "TCoreDownloadWindow.h"
#include "TScriptedPrompts.h"
#include "TSimPort.h"
#include "TTransferCommand.h"
#include "TVirtualClock.h"
#include "TWireTrace.h"

namespace {

const QDateTime kNow(QDate(2024, 3, 10), QTime(10, 0));
constexpr std::uint32_t kClock = 100'000'000;
constexpr std::uint32_t kSerial = 0x0A1B2C;

std::uint32_t HoursAgo(int hours) { return kClock - static_cast<std::uint32_t>(hours) * 7200; }

// Passes everything through, but flips the XOR byte of the reply image on its way in
// (and mends the XOR of the packet that carries it), so the packets are good and the
// image is not.
class TImageXorSpoiler : public IComPort {
public:
    explicit TImageXorSpoiler(IComPort& port) : m_port(port) {}
    bool Armed = false;  // set once the dive request has gone out

    std::uint16_t ReadData(std::uint8_t* b, std::uint16_t n) override {
        const std::uint16_t got = m_port.ReadData(b, n);
        for (std::uint16_t i = 0; i < got; ++i) Feed(b[i]);
        return got;
    }
    std::uint16_t WriteData(std::uint8_t* b, std::uint16_t n) override {
        if (n == 9 && b[0] == 0x07) Armed = true, m_image.clear(), m_inPacket = 0;
        return m_port.WriteData(b, n);
    }
    void SetPort(int com) override { m_port.SetPort(com); }
    int Port() const override { return m_port.Port(); }
    void ClosePort() override { m_port.ClosePort(); }
    bool ClearErrors() override { return m_port.ClearErrors(); }
    bool PurgeInput() override { return m_port.PurgeInput(); }
    bool TakeError() override { return m_port.TakeError(); }
    bool EscapeCommFunction(LineControl f) override { return m_port.EscapeCommFunction(f); }
    int EnumComPorts() override { return m_port.EnumComPorts(); }
    bool PortPresent(int com) const override { return m_port.PortPresent(com); }
    void SetMirrorBytes(bool on) override { m_port.SetMirrorBytes(on); }
    bool MirrorBytes() const override { return m_port.MirrorBytes(); }
    void SetOnRxChar(std::function<void()> h) override { m_port.SetOnRxChar(std::move(h)); }

private:
    // Follows the packets of the reply: length byte, payload, XOR byte.
    void Feed(std::uint8_t& b) {
        if (!Armed || b == kAck) return;
        if (m_inPacket == 0) {
            m_inPacket = b + 2;
            m_payloadLeft = b;
            m_flip = false;
        } else if (m_payloadLeft > 0) {
            m_image.push_back(b);
            --m_payloadLeft;
            const std::size_t len = m_image.size() >= 2 ? (m_image[0] | (m_image[1] << 8)) : 0;
            if (m_image.size() >= 2 && m_image.size() == len + 3) {
                b ^= 0x5A;
                m_flip = true;
            }
        } else if (m_flip) {
            b ^= 0x5A;  // the packet stays good
        }
        --m_inPacket;
    }

    IComPort& m_port;
    std::vector<std::uint8_t> m_image;
    int m_inPacket = 0;
    int m_payloadLeft = 0;
    bool m_flip = false;
};

class SimulatedDownload : public ::testing::Test {
protected:
    SimulatedDownload() {
        sim.Box().Memory().Serial = kSerial;
        sim.Box().Memory().DeviceClock = kClock;
    }

    void SetDives(const std::vector<TBytes>& blocks) { sim.Box().Memory().DiveBlocks = blocks; }
    TBytes Dive(std::uint32_t deviceTime, std::uint8_t hwSw = 0x10) {
        return MakeBlock({.Serial = kSerial, .HwSw = hwSw, .DeviceTime = deviceTime, .ProfileLength = 200});
    }

    TTransferOutcome Download(IComPort* through = nullptr) {
        IComPort& port = through ? *through : static_cast<IComPort&>(trace);
        if (!m_core) {
            m_core = std::make_unique<TTransferCore>(clock, port, TTransferConfig::Kelwin());
            m_window = std::make_unique<TCoreDownloadWindow>(*m_core);
            port.SetMirrorBytes(true);  // the link's line settings
            port.EnumComPorts();
        }
        prompts.Messages.clear();
        return command.Run(true, logbook, settings, *m_window, prompts, [] { return kNow; });
    }
    TCoreDownloadWindow& Window() { return *m_window; }
    // The window, created on first use.
    TCoreDownloadWindow& Window0() {
        if (!m_core) {
            m_core = std::make_unique<TTransferCore>(clock, trace, TTransferConfig::Kelwin());
            m_window = std::make_unique<TCoreDownloadWindow>(*m_core);
            trace.SetMirrorBytes(true);
            trace.EnumComPorts();
        }
        return *m_window;
    }

    // The dive requests that went out, in their logical bytes.
    std::vector<TBytes> Requests() const {
        std::vector<TBytes> out;
        for (const QByteArray& line : wire.data().split('\n')) {
            const qsizetype at = line.indexOf("PC -> box  ");
            if (at < 0) continue;
            TBytes bytes;
            for (const QByteArray& hex : line.mid(at + 11).split(' '))
                if (!hex.isEmpty())
                    bytes.push_back(MirrorByte(static_cast<std::uint8_t>(hex.toUInt(nullptr, 16))));
            if (bytes.size() == 9) out.push_back(bytes);
        }
        return out;
    }

    std::vector<std::uint32_t> DeviceTimes() const {
        std::vector<std::uint32_t> out;
        for (const auto& d : logbook.Dives()) out.push_back(d->DeviceTime);
        return out;
    }

    TVirtualClock clock;
    TSimPort sim{clock};
    QBuffer wire;
    bool m_open = wire.open(QIODevice::ReadWrite);
    TWireTrace trace{clock, sim, wire};
    TDiveCollection logbook;
    TDownloadSettings settings;
    TScriptedPrompts prompts;
    TTransferCommand command;
    TImageXorSpoiler spoiler{trace};  // outlives the core that may talk through it

private:
    std::unique_ptr<TTransferCore> m_core;
    std::unique_ptr<TCoreDownloadWindow> m_window;
};

TEST_F(SimulatedDownload, OnlyNewerIntoAnEmptyLogbookSendsReferenceZeroAndTakesEveryDive) {
    SetDives({Dive(HoursAgo(50)), Dive(HoursAgo(30)), Dive(HoursAgo(2))});
    const auto out = Download();
    EXPECT_EQ(out.Result, mrOk);
    ASSERT_EQ(Requests().size(), 1u);
    EXPECT_EQ(Requests()[0], (TBytes{0x07, 0x05, 0x00, 0x55, 0x00, 0x00, 0x00, 0x00, 0x57}));
    EXPECT_EQ(DeviceTimes(), (std::vector<std::uint32_t>{HoursAgo(50), HoursAgo(30), HoursAgo(2)}));
    EXPECT_EQ(logbook.DiveComputerId, kSerial);
    EXPECT_EQ(prompts.NewComputerAsked, 0);
    EXPECT_TRUE(out.Modified);
    EXPECT_TRUE(out.RebuildList);
    EXPECT_TRUE(prompts.Messages.empty());
    EXPECT_EQ(logbook.At(2).ProfileLength(), 200);
}

TEST_F(SimulatedDownload, SecondRequestCarriesTheNewestDeviceTime) {
    SetDives({Dive(HoursAgo(50)), Dive(HoursAgo(2))});
    Download();
    Download();
    ASSERT_EQ(Requests().size(), 2u);
    const auto ref = BuildDiveRequest(HoursAgo(2));
    EXPECT_EQ(Requests()[1], TBytes(ref.begin(), ref.end()));
}

class TwiceInARow : public SimulatedDownload, public ::testing::WithParamInterface<int> {};

TEST_P(TwiceInARow, SecondDownloadAddsNothing) {
    settings.DiveChoice = static_cast<std::uint8_t>(GetParam());
    SetDives({Dive(HoursAgo(50)), Dive(HoursAgo(30)), Dive(HoursAgo(2))});
    Download();
    ASSERT_EQ(logbook.Count(), 3u);
    const auto out = Download();
    EXPECT_EQ(out.Result, mrOk);
    EXPECT_EQ(out.Import.Added, 0u);
    EXPECT_FALSE(out.Modified);
    EXPECT_EQ(logbook.Count(), 3u);
}

INSTANTIATE_TEST_SUITE_P(Choices, TwiceInARow, ::testing::Values(0, 1));

TEST_F(SimulatedDownload, ReplyWithoutDivesImportsNothingQuietlyAndRebuildsTheList) {
    logbook.DiveComputerId = kSerial;
    SetDives({});
    const auto out = Download();
    EXPECT_EQ(out.Result, mrOk);
    EXPECT_TRUE(prompts.Messages.empty());
    EXPECT_EQ(prompts.StartNumberAsked, 0);
    EXPECT_TRUE(out.RebuildList);
    EXPECT_FALSE(out.Modified);
}

TEST_F(SimulatedDownload, DiveWithoutDeviceTimeArrivesAtEveryDownload) {
    SetDives({Dive(HoursAgo(20)), Dive(0)});
    Download();
    Download();
    Download();
    EXPECT_EQ(logbook.Count(), 4u);
    std::size_t zero = 0;
    for (auto t : DeviceTimes()) zero += t == 0;
    EXPECT_EQ(zero, 3u);
}

TEST_F(SimulatedDownload, OlderMissingDiveComesOnlyWithAllDives) {
    SetDives({Dive(HoursAgo(50)), Dive(HoursAgo(2))});
    Download();
    SetDives({Dive(HoursAgo(50)), Dive(HoursAgo(30)), Dive(HoursAgo(2))});
    Download();
    EXPECT_EQ(logbook.Count(), 2u);
    settings.DiveChoice = 1;
    const auto out = Download();
    EXPECT_EQ(out.Import.Added, 1u);
    EXPECT_EQ(DeviceTimes(), (std::vector<std::uint32_t>{HoursAgo(50), HoursAgo(30), HoursAgo(2)}));
    EXPECT_EQ(logbook.At(1).DiveNumber, logbook.At(0).DiveNumber + 1);
}

TEST_F(SimulatedDownload, LogbookOfAnotherComputerAsksFirst) {
    SetDives({Dive(HoursAgo(50))});
    Download();
    sim.Box().Memory().Serial = 0x777777;
    SetDives({MakeBlock({.Serial = 0x777777, .DeviceTime = HoursAgo(1)})});
    prompts.AcceptNewComputer = false;
    auto out = Download();
    EXPECT_EQ(prompts.NewComputerAsked, 1);
    EXPECT_EQ(logbook.Count(), 1u);
    EXPECT_EQ(logbook.DiveComputerId, kSerial);
    EXPECT_FALSE(out.Modified);
    prompts.AcceptNewComputer = true;
    out = Download();
    EXPECT_EQ(logbook.Count(), 2u);
    EXPECT_EQ(logbook.DiveComputerId, 0x777777u);
    EXPECT_TRUE(out.Modified);
}

TEST_F(SimulatedDownload, UnsupportedComputerRefusesTheWholeDownload) {
    SetDives({Dive(HoursAgo(5), 0x01), Dive(HoursAgo(3))});
    const auto out = Download();
    EXPECT_EQ(prompts.Messages, (std::vector<int>{1}));
    EXPECT_EQ(logbook.Count(), 0u);
    EXPECT_TRUE(out.RebuildList);
}

TEST_F(SimulatedDownload, CancelledRenumberingLeavesTheCommandUsable) {
    SetDives({Dive(HoursAgo(50)), Dive(HoursAgo(30))});
    Download();
    logbook.At(1).DiveNumber = 99;
    prompts.Renumber = std::nullopt;
    auto out = Download();
    EXPECT_TRUE(out.Ran);
    EXPECT_EQ(out.Result, mrNone);
    EXPECT_EQ(Requests().size(), 1u);
    EXPECT_FALSE(command.Busy());
    prompts.Renumber = 5;
    out = Download();
    EXPECT_EQ(out.Result, mrOk);
    EXPECT_EQ(logbook.At(0).DiveNumber, 5);
    EXPECT_EQ(logbook.At(1).DiveNumber, 6);
}

TEST_F(SimulatedDownload, SwitchingTheChoiceBeforeTheFirstPacketProbesAndSendsAgain) {
    SetDives({Dive(HoursAgo(50)), Dive(HoursAgo(2))});
    Download();
    SetDives({Dive(HoursAgo(50)), Dive(HoursAgo(30)), Dive(HoursAgo(2))});
    TSimTiming t = sim.Box().Timing();
    t.ReplyDelayMs = 4000;  // the user has time to change his mind
    sim.Box().SetTiming(t);
    clock.Post([&] { Window().DivesClick(TDiveChoice::All); }, 2500);
    const auto out = Download();
    EXPECT_EQ(out.Result, mrOk);
    const auto reqs = Requests();
    ASSERT_EQ(reqs.size(), 3u);
    EXPECT_EQ(reqs[1][4] | (reqs[1][5] << 8) | (reqs[1][6] << 16) | (std::uint32_t{reqs[1][7]} << 24),
              HoursAgo(2));
    EXPECT_EQ(reqs[2], (TBytes{0x07, 0x05, 0x00, 0x55, 0x00, 0x00, 0x00, 0x00, 0x57}));
    EXPECT_EQ(settings.DiveChoice, 1);
    EXPECT_EQ(out.Import.Added, 1u);
    EXPECT_EQ(logbook.Count(), 3u);
    EXPECT_NE(wire.data().count("DTR high"), 0);
}

TEST_F(SimulatedDownload, NakLimitIsACommunicationError) {
    SetDives({Dive(HoursAgo(5))});
    sim.Box().Faults().Add({TSimFaultKind::CorruptXor, 1, 5});
    const auto out = Download();
    EXPECT_EQ(out.Result, mrNo);
    EXPECT_EQ(prompts.Messages, (std::vector<int>{44}));
    EXPECT_EQ(logbook.Count(), 0u);
    EXPECT_TRUE(out.RebuildList);
}

TEST_F(SimulatedDownload, FourBadPacketsAndAGoodOneStillImport) {
    SetDives({Dive(HoursAgo(5)), Dive(HoursAgo(4)), Dive(HoursAgo(3))});
    sim.Box().Faults().Add({TSimFaultKind::CorruptXor, 2, 4});
    const auto out = Download();
    EXPECT_EQ(out.Result, mrOk);
    EXPECT_TRUE(prompts.Messages.empty());
    EXPECT_EQ(logbook.Count(), 3u);
}

TEST_F(SimulatedDownload, WrongImageChecksumIsACommunicationError) {
    SetDives({Dive(HoursAgo(5)), Dive(HoursAgo(4))});
    const auto out = Download(&spoiler);
    EXPECT_EQ(out.Result, mrOk);
    EXPECT_EQ(prompts.Messages, (std::vector<int>{44}));
    EXPECT_EQ(logbook.Count(), 0u);
}

TEST_F(SimulatedDownload, ReplyThatNeverComesRunsTheCountdownOut) {
    SetDives({Dive(HoursAgo(5))});
    sim.Box().Faults().Add({TSimFaultKind::LatePacket, 1, 1, 65'000});
    const std::int64_t start = clock.NowMs();
    const auto out = Download();
    EXPECT_EQ(out.Result, mrAbort);
    EXPECT_EQ(prompts.Messages, (std::vector<int>{43}));
    EXPECT_EQ(prompts.Boxes, (std::vector<TMessageBox>{TMessageBox::Information}));
    EXPECT_FALSE(out.RebuildList);
    EXPECT_EQ(logbook.Count(), 0u);
    EXPECT_GE(clock.NowMs() - start, 60'000);
    EXPECT_LT(clock.NowMs() - start, 62'000);
}

TEST_F(SimulatedDownload, UnansweredRequestIsACommunicationError) {
    SetDives({Dive(HoursAgo(5))});
    sim.Box().Faults().Add({TSimFaultKind::Silence});
    const auto out = Download();
    EXPECT_EQ(out.Result, mrNo);
    EXPECT_EQ(prompts.Messages, (std::vector<int>{44}));
    EXPECT_EQ(logbook.Count(), 0u);
}

TEST_F(SimulatedDownload, MissingBoxIsReportedWithoutAWindow) {
    sim.Box().Faults().Add({TSimFaultKind::NoIdentification});
    const auto out = Download();
    EXPECT_EQ(prompts.Messages, (std::vector<int>{48}));
    EXPECT_EQ(out.Result, mrNone);
}

struct TErrorCase {
    int Code;
    std::optional<int> Message;
};

class ErrorCode : public SimulatedDownload, public ::testing::WithParamInterface<TErrorCase> {};

TEST_P(ErrorCode, ShowsItsMessage) {
    SetDives({Dive(HoursAgo(5))});
    sim.Box().Faults().Add({TSimFaultKind::ErrorCode, 0, 1, GetParam().Code});
    const auto out = Download();
    EXPECT_EQ(out.Result, mrOk);
    EXPECT_EQ(out.Message, GetParam().Message);
    EXPECT_EQ(logbook.Count(), 0u);
    EXPECT_TRUE(out.RebuildList);
}

INSTANTIATE_TEST_SUITE_P(Codes, ErrorCode,
                         ::testing::Values(TErrorCase{1, 45}, TErrorCase{2, 51}, TErrorCase{3, 46},
                                           TErrorCase{4, 47}, TErrorCase{5, 50},
                                           TErrorCase{6, std::nullopt}));

TEST_F(SimulatedDownload, BlockRunningPastTheDataImportsNothing) {
    auto cut = Dive(HoursAgo(1));
    cut.resize(cut.size() - 60);  // the header promises 200 profile bytes, 140 follow
    SetDives({Dive(HoursAgo(5)), Dive(HoursAgo(3)), cut});
    const auto out = Download();
    EXPECT_EQ(out.Result, mrOk);
    EXPECT_EQ(prompts.Messages, (std::vector<int>{44}));
    EXPECT_EQ(logbook.Count(), 0u);
    EXPECT_FALSE(out.Modified);
}

TEST_F(SimulatedDownload, DivesAreDatedByTheElapsedTimeAcrossMidnight) {
    // kNow is 10:00; 10 h 30 min earlier is 23:30 of the day before.
    SetDives({Dive(kClock - 2 * (10 * 3600 + 1800)), Dive(kClock - 2 * (2 * 86400 + 9 * 3600 + 59 * 60))});
    Download();
    ASSERT_EQ(logbook.Count(), 2u);
    EXPECT_EQ(logbook.At(0).DayNo, DayNoFromDate(QDate(2024, 3, 8)));
    EXPECT_EQ(logbook.At(0).StartTime, 1);
    EXPECT_EQ(logbook.At(1).DayNo, DayNoFromDate(QDate(2024, 3, 9)));
    EXPECT_EQ(logbook.At(1).StartTime, 23 * 60 + 30);
}

TEST_F(SimulatedDownload, TraceShowsTheWireBytesWithTimes) {
    SetDives({Dive(HoursAgo(5))});
    Download();
    const QByteArray t = wire.data();
    EXPECT_TRUE(t.contains("DTR low"));
    EXPECT_TRUE(t.contains("PC -> box  E0 A0 00 AA 00 00 00 00 EA"));
    EXPECT_TRUE(t.contains("box -> PC"));
    EXPECT_TRUE(t.contains(" ms  "));
}

TEST_F(SimulatedDownload, DefaultMemoryBringsRecentDivesOfAllThreeFamilies) {
    QDateTime now = QDateTime::currentDateTime();
    sim.Box().Memory() = SimulatedDiveComputerMemory(now);
    const std::size_t blocks = sim.Box().Memory().DiveBlocks.size();
    ASSERT_GE(blocks, 6u);
    const auto out = command.Run(true, logbook, settings, Window0(), prompts, [&] { return now; });
    EXPECT_EQ(out.Result, mrOk);
    EXPECT_TRUE(prompts.Messages.empty());
    EXPECT_EQ(logbook.Count(), blocks);
    EXPECT_EQ(logbook.DiveComputerId, kSimulatedComputerSerial);
    std::set<int> families;
    for (const auto& d : logbook.Dives()) {
        families.insert(d->FamilyNibble() == 0xA ? 'A' : d->FamilyNibble() == 0xF ? 'F' : 'B');
        EXPECT_TRUE(d->HasProfile());
        EXPECT_GT(d->MaxDepth, 0);
        EXPECT_GT(d->DiveTime, 0);
        EXPECT_LT(d->DayNo, DayNoFromDate(now.date()));
        EXPECT_GE(d->DayNo, DayNoFromDate(now.date().addDays(-30)));
    }
    EXPECT_EQ(families, (std::set<int>{'A', 'F', 'B'}));
    const auto again = command.Run(true, logbook, settings, Window0(), prompts, [&] { return now; });
    EXPECT_EQ(again.Import.Added, 0u);
}

}  // namespace
