// The transfer command through Kelwin's main window and its transfer window, against the
// simulated interface box in virtual time: F5 / Transfer, the window's choice group, gauge,
// countdown and Cancel, the messages, the dive list afterwards.

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "DownloadTestData.h"
#include "FaultTexts.h"
#include "KelwinTestSupport.h"
#include "Language.h"
#include "LinkFraming.h"
#include "Messages.h"
#include "TCaptionRegistry.h"
#include "TKelvara.h"
#include "TKelwinTransfer.h"
#include "TLinkPort.h"
#include "TSimPort.h"
#include "TTransferCore.h"
#include "TTransferWin.h"
#include "TVirtualClock.h"
#include "TWireTrace.h"
#include "TestApplication.h"

namespace {

constexpr std::uint32_t kClock = 100'000'000;
constexpr std::uint32_t kSerial = 0x0A1B2C;
std::uint32_t HoursAgo(int hours) { return kClock - static_cast<std::uint32_t>(hours) * 7200; }
TBytes Dive(std::uint32_t t, std::uint8_t hwSw = 0x10, std::uint32_t serial = kSerial) {
    return MakeBlock({.Serial = serial, .HwSw = hwSw, .DeviceTime = t, .ProfileLength = 400});
}

const QString kPcLinkError = QStringLiteral("Communication error between Lumilink and PC!");

class KelwinTransfer : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        SetCurrentLanguage(kEnglish);
        ASSERT_TRUE(m_wire.open(QIODevice::ReadWrite));
        m_settings = SettingsRecord::Defaults();
        auto prompts = std::make_unique<TScriptedPrompts>();
        prompts_ = prompts.get();
        main_ = std::make_unique<TKelvara>(m_settings, TKelwinPaths{Dir("exe/"), Dir("data/"), Dir("docs/")},
                                           std::move(prompts));
        main_->SetReady(true);
        sim.SetMirrorBytes(true);
        sim.Box().Memory().Serial = kSerial;
        sim.Box().Memory().DeviceClock = kClock;
        transfer_ = std::make_unique<TKelwinTransfer>(*main_, &clock, &m_trace);
        TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(kEnglish);
    }
    void TearDown() override {
        EXPECT_TRUE(prompts_->Unexpected.isEmpty()) << prompts_->Unexpected.join(", ").toStdString();
        transfer_.reset();
        main_.reset();
    }
    QString Dir(const QString& name) const { return m_dir.path() + "/" + name; }
    TTransferWin& Win() { return transfer_->TransferWin(); }
    TTransferCore& Core() { return Win().Core(); }

    // F5. When the window comes up, `during` runs (after the window's own start-up
    // events), then virtual time passes until the window has its result.
    void PressF5(const std::function<void()>& during = {}, bool windowExpected = true) {
        bool ran = false;
        if (windowExpected) {
            QTimer::singleShot(0, &Win(), [&, during] {
                QTimer::singleShot(0, &Win(), [&, during] {
                    ran = true;
                    EXPECT_TRUE(Win().isVisible());
                    if (during) during();
                    clock.RunUntil([&] { return Core().Result() != mrNone; }, 200'000);
                });
            });
        }
        main_->Action(ECommand::Transfer)->trigger();
        EXPECT_EQ(ran, windowExpected);
        EXPECT_FALSE(main_->Busy());
    }
    void SetDives(const std::vector<TBytes>& blocks) { sim.Box().Memory().DiveBlocks = blocks; }
    std::vector<std::uint32_t> DeviceTimes() const {
        std::vector<std::uint32_t> out;
        for (const auto& d : main_->Logbook().Dives()) out.push_back(d->DeviceTime);
        return out;
    }
    bool LastDiveCurrent() const {
        const auto& log = main_->Logbook();
        return log.Count() > 0 && main_->CurrentDive() == &log.At(log.Count() - 1) &&
               main_->FocusedIndex() == static_cast<int>(log.Count()) - 1;
    }
    std::vector<TBytes> Requests() const {
        std::vector<TBytes> out;
        for (const QByteArray& line : m_wire.data().split('\n')) {
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
    QRadioButton* ChoiceButton(int i) {
        auto buttons = Win().Dives()->findChildren<QRadioButton*>();
        return i < buttons.size() ? buttons[i] : nullptr;
    }
    void Shot(QWidget* w, const QString& name) {
        const QString dir = qEnvironmentVariable("KV_SHOT_DIR");
        if (!dir.isEmpty()) w->grab().save(QDir(dir).filePath(name));
    }

    QTemporaryDir m_dir;
    SettingsRecord m_settings;
    TVirtualClock clock;
    TSimPort sim{clock};
    QBuffer m_wire;
    TWireTrace m_trace{clock, sim, m_wire};
    TScriptedPrompts* prompts_ = nullptr;
    std::unique_ptr<TKelvara> main_;
    std::unique_ptr<TKelwinTransfer> transfer_;
};

TEST_F(KelwinTransfer, EmptyLogbookOnlyNewerSendsZeroAndTakesEveryDive) {
    SetDives({Dive(HoursAgo(50)), Dive(HoursAgo(30)), Dive(HoursAgo(2))});
    prompts_->StartNumbers.push_back(1);
    PressF5();
    ASSERT_EQ(Requests().size(), 1u);
    EXPECT_EQ(Requests()[0], (TBytes{0x07, 0x05, 0x00, 0x55, 0x00, 0x00, 0x00, 0x00, 0x57}));
    EXPECT_EQ(DeviceTimes(), (std::vector<std::uint32_t>{HoursAgo(50), HoursAgo(30), HoursAgo(2)}));
    EXPECT_EQ(prompts_->StartNumberShown, (std::vector<std::uint16_t>{1}));
    EXPECT_TRUE(prompts_->Asked.isEmpty());  // the serial of an empty logbook is taken silently
    EXPECT_EQ(main_->Logbook().DiveComputerId, kSerial);
    EXPECT_TRUE(main_->Modified());
    EXPECT_TRUE(LastDiveCurrent());
    EXPECT_EQ(main_->DiveList()->model()->rowCount(), 3);
    EXPECT_FALSE(Win().isVisible());
    Shot(main_.get(), "kelwin-after-transfer.png");
}

class KelwinTwice : public KelwinTransfer, public ::testing::WithParamInterface<int> {};

TEST_P(KelwinTwice, SecondDownloadAddsNothing) {
    m_settings.DiveChoice = static_cast<std::uint8_t>(GetParam());
    SetDives({Dive(HoursAgo(50)), Dive(HoursAgo(30)), Dive(HoursAgo(2))});
    prompts_->StartNumbers.push_back(1);
    PressF5();
    ASSERT_EQ(main_->Logbook().Count(), 3u);
    main_->SetModified(false);
    PressF5();
    EXPECT_EQ(main_->Logbook().Count(), 3u);
    EXPECT_FALSE(main_->Modified());
    EXPECT_EQ(transfer_->LastOutcome().Result, mrOk);
    EXPECT_EQ(m_settings.DiveChoice, GetParam());
    EXPECT_TRUE(LastDiveCurrent());
}

INSTANTIATE_TEST_SUITE_P(Choices, KelwinTwice, ::testing::Values(0, 1));

TEST_F(KelwinTransfer, ReplyWithoutDivesSaysSoAndSelectsTheLastDive) {
    main_->ReplaceLogbook(Logbook({1, 2, 3}));
    main_->Logbook().DiveComputerId = kSerial;
    main_->MakeCurrent(0);
    SetDives({});
    PressF5();
    EXPECT_TRUE(prompts_->Errors.isEmpty());
    EXPECT_EQ(prompts_->Information, QStringList{NoNewDiveText(CurrentLanguage())});
    EXPECT_TRUE(LastDiveCurrent());
    EXPECT_FALSE(main_->Modified());
}

TEST_F(KelwinTransfer, DiveWithoutDeviceTimeIsAddedAtEveryDownload) {
    main_->ReplaceLogbook(Logbook({1}));
    main_->Logbook().DiveComputerId = kSerial;
    SetDives({Dive(0)});
    PressF5();
    PressF5();
    EXPECT_EQ(main_->Logbook().Count(), 3u);
}

TEST_F(KelwinTransfer, OlderMissingDiveOnlyWithAllDives) {
    SetDives({Dive(HoursAgo(50)), Dive(HoursAgo(2))});
    prompts_->StartNumbers.push_back(1);
    PressF5();
    SetDives({Dive(HoursAgo(50)), Dive(HoursAgo(30)), Dive(HoursAgo(2))});
    PressF5();
    EXPECT_EQ(main_->Logbook().Count(), 2u);
    m_settings.DiveChoice = 1;  // remembered; the window selects it when shown
    PressF5();
    EXPECT_EQ(DeviceTimes(), (std::vector<std::uint32_t>{HoursAgo(50), HoursAgo(30), HoursAgo(2)}));
    EXPECT_EQ(Requests().back(), (TBytes{0x07, 0x05, 0x00, 0x55, 0x00, 0x00, 0x00, 0x00, 0x57}));
}

TEST_F(KelwinTransfer, LogbookOfAnotherComputerAsksFirst) {
    main_->ReplaceLogbook(Logbook({1, 2}));
    main_->Logbook().DiveComputerId = 0x999999;
    SetDives({Dive(HoursAgo(2))});
    prompts_->YesNo.push_back(false);
    PressF5();
    ASSERT_EQ(prompts_->Asked.size(), 1);
    EXPECT_EQ(prompts_->Asked[0], GetMessage(0, kEnglish));
    EXPECT_EQ(main_->Logbook().Count(), 2u);
    EXPECT_EQ(main_->Logbook().DiveComputerId, 0x999999u);
    prompts_->YesNo.push_back(true);
    PressF5();
    EXPECT_EQ(main_->Logbook().Count(), 3u);
    EXPECT_EQ(main_->Logbook().DiveComputerId, kSerial);
}

TEST_F(KelwinTransfer, UnsupportedComputerRefusesWithMessage1) {
    SetDives({Dive(HoursAgo(5), 0x01), Dive(HoursAgo(3))});
    PressF5();
    EXPECT_EQ(prompts_->Information, QStringList{GetMessage(1, kEnglish)});
    EXPECT_EQ(main_->Logbook().Count(), 0u);
}

TEST_F(KelwinTransfer, CancelledRenumberingLeavesTheCommandUsable) {
    main_->ReplaceLogbook(Logbook({10, 20}));
    SetDives({Dive(HoursAgo(2))});
    main_->Logbook().DiveComputerId = kSerial;
    prompts_->StartNumbers.push_back(TScriptedPrompts::kCancel);
    PressF5({}, false);
    EXPECT_TRUE(Requests().empty());
    EXPECT_FALSE(main_->Busy());
    prompts_->StartNumbers.push_back(7);
    PressF5();
    EXPECT_EQ(Numbers(main_->Logbook()), (std::vector<std::uint16_t>{7, 8, 9}));
}

TEST_F(KelwinTransfer, SwitchingTheChoiceInTheWindowProbesAndSendsAgain) {
    SetDives({Dive(HoursAgo(50)), Dive(HoursAgo(2))});
    prompts_->StartNumbers.push_back(1);
    PressF5();
    SetDives({Dive(HoursAgo(50)), Dive(HoursAgo(30)), Dive(HoursAgo(2))});
    TSimTiming t = sim.Box().Timing();
    t.ReplyDelayMs = 3000;
    sim.Box().SetTiming(t);
    const auto before = m_wire.data().count("DTR high");
    PressF5([&] {
        clock.Advance(500);
        ASSERT_TRUE(Win().Dives()->isEnabled());
        ASSERT_NE(ChoiceButton(1), nullptr);
        ChoiceButton(1)->click();
    });
    const auto reqs = Requests();
    ASSERT_EQ(reqs.size(), 3u);
    EXPECT_EQ(reqs[2], (TBytes{0x07, 0x05, 0x00, 0x55, 0x00, 0x00, 0x00, 0x00, 0x57}));
    EXPECT_EQ(m_wire.data().count("DTR high"), before + 2);  // the search, then the re-probe
    EXPECT_EQ(m_settings.DiveChoice, 1);
    EXPECT_EQ(main_->Logbook().Count(), 3u);
}

TEST_F(KelwinTransfer, NakLimitGivesMessage44) {
    SetDives({Dive(HoursAgo(5))});
    sim.Box().Faults().Add({TSimFaultKind::CorruptXor, 1, 5});
    PressF5();
    EXPECT_EQ(prompts_->Errors, QStringList{kPcLinkError});
    EXPECT_EQ(main_->Logbook().Count(), 0u);
}

TEST_F(KelwinTransfer, DamagedBlockGivesMessage44AndNothingIsImported) {
    auto cut = Dive(HoursAgo(1));
    cut.resize(cut.size() - 100);
    SetDives({Dive(HoursAgo(5)), cut});
    PressF5();
    EXPECT_EQ(prompts_->Errors, QStringList{kPcLinkError});
    EXPECT_EQ(main_->Logbook().Count(), 0u);
    EXPECT_FALSE(main_->Modified());
}

struct TCodeCase {
    int Code;
    int Message;
};
class KelwinErrorCode : public KelwinTransfer, public ::testing::WithParamInterface<TCodeCase> {};

TEST_P(KelwinErrorCode, ShowsItsMessageInAnErrorBox) {
    SetDives({Dive(HoursAgo(5))});
    sim.Box().Faults().Add({TSimFaultKind::ErrorCode, 0, 1, GetParam().Code});
    PressF5();
    EXPECT_EQ(prompts_->Errors, QStringList{GetMessage(GetParam().Message, kEnglish)});
    EXPECT_EQ(main_->Logbook().Count(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Codes, KelwinErrorCode,
                         ::testing::Values(TCodeCase{1, 45}, TCodeCase{2, 51}, TCodeCase{3, 46},
                                           TCodeCase{4, 47}, TCodeCase{5, 50}));

TEST_F(KelwinTransfer, CountdownGivesMessage43AndShowsSeconds) {
    SetDives({Dive(HoursAgo(5))});
    sim.Box().Faults().Add({TSimFaultKind::LatePacket, 1, 1, 65'000});
    QString label;
    PressF5([&] {
        EXPECT_EQ(Win().Countdown()->text(), QStringLiteral("60 s"));
        clock.Advance(10'000);
        label = Win().Countdown()->text();
    });
    EXPECT_TRUE(label == "50 s" || label == "51 s") << label.toStdString();
    EXPECT_EQ(transfer_->LastOutcome().Result, mrAbort);
    EXPECT_EQ(prompts_->Information, QStringList{GetMessage(43, kEnglish)});
    EXPECT_TRUE(prompts_->Errors.isEmpty());
}

TEST_F(KelwinTransfer, GaugeFollowsTheImageAndCancelEndsAtOnce) {
    std::vector<TBytes> blocks;
    blocks.reserve(12);
    for (int i = 0; i < 12; ++i) blocks.push_back(Dive(HoursAgo(100 - i)));
    SetDives(blocks);
    int gaugeHalfway = -1, expected = -2;
    std::int64_t cancelledAt = 0;
    PressF5([&] {
        ASSERT_TRUE(
            clock.RunUntil([&] { return Core().ReceivedCount() > Core().ImageLength() / 2; }, 60'000));
        gaugeHalfway = Win().Gauge()->value();
        expected = static_cast<int>(std::lround(100.0 * Core().ReceivedCount() / Core().ImageLength()));
        Shot(&Win(), "transfer-window.png");
        cancelledAt = clock.NowMs();
        Win().CancelButton()->click();
    });
    EXPECT_EQ(gaugeHalfway, expected);
    EXPECT_GT(gaugeHalfway, 45);
    EXPECT_LT(gaugeHalfway, 80);
    EXPECT_EQ(clock.NowMs(), cancelledAt);
    EXPECT_EQ(transfer_->LastOutcome().Result, mrCancel);
    EXPECT_EQ(main_->Logbook().Count(), 0u);
    EXPECT_TRUE(prompts_->Errors.isEmpty());
    EXPECT_TRUE(prompts_->Information.isEmpty());
    EXPECT_EQ(prompts_->StartNumberShown.size(), 0u);
}

TEST(KelwinTransferMenu, SimulatedBoxItemIsOffAtStartAndBringsRealisticDives) {
    TestApplication();
    SettingsRecord settings = SettingsRecord::Defaults();
    QTemporaryDir dir;
    TKelvara main(settings, TKelwinPaths{dir.path() + "/", dir.path() + "/", dir.path() + "/"},
                  std::make_unique<TScriptedPrompts>());
    TKelwinTransfer transfer(main);
    QAction* item = transfer.SimBoxItem();
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(main.Menu(3)->actions().contains(item));
    EXPECT_FALSE(item->isChecked());
    ASSERT_NE(transfer.LinkPort(), nullptr);
    EXPECT_FALSE(transfer.LinkPort()->UseSimulatedBox());
    const QStringList captions{"Si&mulated interface box", "Si&mulierte Schnittstellenbox",
                               QString::fromUtf8("Boîtier d'interface si&mulé"), "Caja de interfaz si&mulada",
                               "Box di interfaccia si&mulato"};
    for (int lang = 0; lang < kLanguageCount; ++lang) {
        TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(lang);
        EXPECT_EQ(item->text(), captions[lang]);
    }
    TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(kEnglish);
    item->trigger();
    EXPECT_TRUE(transfer.LinkPort()->UseSimulatedBox());
    EXPECT_GE(transfer.LinkPort()->Simulator().Box().Memory().DiveBlocks.size(), 6u);
    item->trigger();
    EXPECT_FALSE(transfer.LinkPort()->UseSimulatedBox());
}

}  // namespace
