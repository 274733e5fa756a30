// The configuration window against the simulated interface box (or a scripted port), in
// virtual time: exchanges, the block cases, messages, history, settings file, printing.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <cerrno>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "LinkFraming.h"
#include "Messages.h"
#include "ReadHistory.h"
#include "SaveFaultSeam.h"
#include "SimulatedSettings.h"
#include "TAboutBox.h"
#include "TCf.h"
#include "TLinkPort.h"
#include "TOptions.h"
#include "TRadioGroup.h"
#include "TRecordingPort.h"
#include "TShownMessages.h"
#include "TSimPort.h"
#include "TTitleFit.h"
#include "TTransferCore.h"
#include "TTransferWin.h"
#include "TVirtualClock.h"
#include "TeswinCommand.h"
#include "WindowTexts.h"

using Bytes = std::vector<std::uint8_t>;

namespace {

class QtApp : public ::testing::Environment {
public:
    void SetUp() override {
        // Window tests never need a screen.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        if (!QApplication::instance()) m_app = std::make_unique<QApplication>(m_argc, m_argv);
    }

    // Before the end of main: a QApplication must not outlive Qt's own statics.
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[8] = "tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};
const auto* const kQtApp = ::testing::AddGlobalTestEnvironment(new QtApp);

// Passes everything to the simulated box and keeps the command packets the program
// wrote (logical bytes, before the line's bit mirror).
class TapPort : public IComPort {
public:
    explicit TapPort(IComPort& inner) : m_inner(inner) {}
    std::vector<Bytes> Commands;

    void SetPort(int com) override { m_inner.SetPort(com); }
    int Port() const override { return m_inner.Port(); }
    void ClosePort() override { m_inner.ClosePort(); }
    std::uint16_t ReadData(std::uint8_t* b, std::uint16_t n) override { return m_inner.ReadData(b, n); }
    std::uint16_t WriteData(std::uint8_t* b, std::uint16_t n) override {
        if (n > 1) Commands.emplace_back(b, b + n);
        return m_inner.WriteData(b, n);
    }
    bool ClearErrors() override { return m_inner.ClearErrors(); }
    bool PurgeInput() override { return m_inner.PurgeInput(); }
    bool TakeError() override { return m_inner.TakeError(); }
    bool EscapeCommFunction(LineControl f) override { return m_inner.EscapeCommFunction(f); }
    int EnumComPorts() override { return m_inner.EnumComPorts(); }
    bool PortPresent(int com) const override { return m_inner.PortPresent(com); }
    void SetMirrorBytes(bool on) override { m_inner.SetMirrorBytes(on); }
    bool MirrorBytes() const override { return m_inner.MirrorBytes(); }
    void SetOnRxChar(std::function<void()> h) override { m_inner.SetOnRxChar(std::move(h)); }

private:
    IComPort& m_inner;
};

// A control of the window by its objectName, as the caption lists name it. Exactly one
// control of the type carries the name; otherwise the test stops here, with the name,
// rather than on a null pointer or on a namesake in one of the window's dialogs.
template <typename T>
T* Control(const QObject& window, const char* name) {
    const QList<T*> found = window.findChildren<T*>(QString::fromLatin1(name));
    if (found.size() != 1)
        throw std::runtime_error(std::string(T::staticMetaObject.className()) + " \"" + name + "\": " +
                                 (found.isEmpty() ? std::string("none in the window")
                                                  : std::to_string(found.size()) + " in the window"));
    return found.front();
}

// A window on a fresh data folder with the simulated box (SCR model unless changed).
class CfWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.path() + "/";
        LoadSimulatedSettings(m_sim.Box().Memory(), TSimModel::Scr);
        m_sim.SetMirrorBytes(true);
    }

    TCf& Window(IComPort* port = nullptr) {
        m_cf = std::make_unique<TCf>(TCfEnvironment{m_path, m_path, &m_clock, port ? port : &m_tap});
        m_cf->SetPrompts(&m_messages);
        m_cf->SetModalRunner([this] { return m_cf->Core().RunModal(); });
        return *m_cf;
    }

    void SetSetting(std::uint16_t address, std::uint8_t value) {
        m_sim.Box().Memory().SetSetting(2, address, value);
    }
    std::uint8_t Setting(std::uint16_t address) { return m_sim.Box().Memory().Setting(2, address); }
    Bytes LastCommand() const { return m_tap.Commands.empty() ? Bytes{} : m_tap.Commands.back(); }
    qint64 HistorySize() const { return QFileInfo(m_path + kHistoryFileName).size(); }

    QTemporaryDir m_dir;
    QString m_path;
    TVirtualClock m_clock;
    TSimPort m_sim{m_clock};
    TapPort m_tap{m_sim};
    TShownMessages m_messages;
    std::unique_ptr<TCf> m_cf;
};

}  // namespace

TEST_F(CfWindow, BeforeAReadOnlyFramesAndPicturesShow) {
    TCf& cf = Window();
    EXPECT_EQ(cf.windowTitle(), "Tessoral");
    EXPECT_FALSE(Control<QToolButton>(cf, "WriteBtn")->isEnabled());
    EXPECT_FALSE(Control<QAction>(cf, "WriteItem")->isEnabled());
    EXPECT_FALSE(Control<TRadioGroup>(cf, "Units")->isEnabled());
    EXPECT_FALSE(Control<TRadioGroup>(cf, "Buzzer")->isEnabled());
    for (const char* name : {"ResScroller", "Lung", "ppo2Scroller", "VO2Limit", "V1", "Bat", "Dives"})
        EXPECT_TRUE(Control<QWidget>(cf, name)->isHidden()) << name;
    for (const char* picture : {"TankPicture", "ComputerPicture"})
        EXPECT_FALSE(Control<QLabel>(cf, picture)->isHidden()) << picture;
    // The clock panel of the print-out must not swallow clicks meant for the buttons.
    auto* panel = Control<QWidget>(cf, "Panel1");
    for (const char* name : {"ReadBtn", "WakeUpBtn", "PrintBtn"}) {
        auto* b = Control<QToolButton>(cf, name);
        EXPECT_EQ(panel->childAt(b->geometry().center()), b) << name;
    }
}

TEST_F(CfWindow, WakeUpSendsItsPacketWithoutCaptionOrBusyCheck) {
    TCf& cf = Window();
    const QString caption = cf.TransferWin().windowTitle();
    cf.WakeUpBtnClick();
    EXPECT_EQ(LastCommand(), (Bytes{0x04, 0x01, 0x00, 0xE7, 0xE6, 0x04}));
    EXPECT_EQ(cf.TransferWin().windowTitle(), caption);
    EXPECT_TRUE(m_messages.Empty());
    EXPECT_EQ(m_sim.Box().LastCommandCode(), 0xE7);
}

TEST_F(CfWindow, ReadSendsTheReadListShowsTheBlockAndAppendsHistory) {
    TCf& cf = Window();
    SetSetting(0x07ED, 0x40);
    SetSetting(0x07F4, 0xE2);
    SetSetting(0x07F5, 0x01);
    cf.ReadBtnClick();
    const Bytes p = LastCommand();
    ASSERT_EQ(p.size(), 66u);
    EXPECT_EQ((Bytes(p.begin(), p.begin() + 4)), (Bytes{0x40, 0x3D, 0x00, 0x4C}));
    EXPECT_EQ(p[64], XorBytes(std::span(p).subspan(1, 63)));
    EXPECT_EQ(p[65], 0x40);
    EXPECT_TRUE(m_messages.Empty()) << m_messages.Joined();
    EXPECT_EQ(cf.TransferWin().windowTitle(), GetTesMessage(1));
    EXPECT_EQ(cf.windowTitle(), "Tessoral [01E240]");
    EXPECT_TRUE(Control<QToolButton>(cf, "WriteBtn")->isEnabled());
    EXPECT_TRUE(Control<TRadioGroup>(cf, "Units")->isEnabled());
    EXPECT_EQ(Control<QLabel>(cf, "Dives")->text(), "123");
    EXPECT_FALSE(Control<QProgressBar>(cf, "Bat")->isHidden());
    EXPECT_FALSE(cf.Busy());
    EXPECT_EQ(HistorySize(), 28);
    Control<QToolButton>(cf, "ReadBtn")->click();  // the tool button and the menu entry run the same command
    EXPECT_EQ(HistorySize(), 56);
    Control<QAction>(cf, "ReadItem")->trigger();
    EXPECT_EQ(HistorySize(), 84);
}

TEST_F(CfWindow, ReadPressedDuringAReadDoesNothing) {
    TCf& cf = Window();
    bool nestedRan = false;
    m_clock.Post(
        [&] {
            EXPECT_TRUE(cf.Busy());
            cf.ReadBtnClick();
            nestedRan = true;
        },
        20);
    cf.ReadBtnClick();
    EXPECT_TRUE(nestedRan);
    EXPECT_EQ(m_tap.Commands.size(), 1u);
    EXPECT_EQ(m_sim.Box().CommandsReceived(), 1);
    EXPECT_EQ(HistorySize(), 28);
}

TEST_F(CfWindow, WriteForABreathModelWithoutNitrox) {
    SetSetting(0x07BC, 0x04);
    SetSetting(0x07DE, 45);
    TCf& cf = Window();
    cf.ReadBtnClick();
    ASSERT_TRUE(m_messages.Empty());
    EXPECT_FALSE(Control<QScrollBar>(cf, "ResScroller")->isHidden());
    EXPECT_TRUE(Control<QScrollBar>(cf, "ppo2Scroller")->isHidden());
    EXPECT_TRUE(Control<QScrollBar>(cf, "VO2Limit")->isHidden());
    Control<QScrollBar>(cf, "Lung")->setValue(20);
    cf.WriteBtnClick();
    const Bytes p = LastCommand();
    ASSERT_EQ(p.size(), 46u);
    EXPECT_EQ((Bytes(p.begin(), p.begin() + 4)), (Bytes{0x2C, 0x29, 0x00, 0x47}));
    EXPECT_TRUE(m_messages.Empty()) << m_messages.Joined();
    EXPECT_EQ(cf.TransferWin().windowTitle(), GetTesMessage(2));
    EXPECT_FALSE(Control<QToolButton>(cf, "WriteBtn")->isEnabled());
    EXPECT_TRUE(Control<QAction>(cf, "WriteItem")->isEnabled());
    EXPECT_EQ(Setting(0x07DE), 45);
    EXPECT_EQ(Setting(0x07EB), 80);
    EXPECT_EQ(Setting(0x07D3), 6);
    EXPECT_EQ(m_sim.Box().Memory().Setting(0, 0x02E2), 0);  // 80 = 0x50
    EXPECT_EQ(m_sim.Box().Memory().Setting(0, 0x02E3), 5);
}

struct ModelCase {
    std::uint8_t Code;
    bool Breath, Nitrox, Scr, Premix;
    std::size_t ListBytes;
};
class CfModels : public CfWindow, public ::testing::WithParamInterface<ModelCase> {};

TEST_P(CfModels, GroupsAndWriteList) {
    const ModelCase c = GetParam();
    SetSetting(0x07BC, c.Code);
    TCf& cf = Window();
    cf.ReadBtnClick();
    EXPECT_EQ(!Control<QScrollBar>(cf, "ResScroller")->isHidden(), c.Breath);
    EXPECT_EQ(!Control<QScrollBar>(cf, "Lung")->isHidden(), c.Breath);
    EXPECT_EQ(!Control<QScrollBar>(cf, "ppo2Scroller")->isHidden(), c.Nitrox);
    EXPECT_EQ(!Control<QScrollBar>(cf, "tIniO2")->isHidden(), c.Premix);
    EXPECT_EQ(!Control<QLabel>(cf, "tIniO2Panel")->isHidden(), c.Premix);
    EXPECT_EQ(!Control<QLabel>(cf, "LPremixReset")->isHidden(), c.Premix);
    EXPECT_EQ(!Control<QScrollBar>(cf, "VO2Limit")->isHidden(), c.Scr);
    EXPECT_EQ(!Control<QLabel>(cf, "EAN4")->isHidden(), c.Scr);
    cf.WriteBtnClick();
    EXPECT_EQ(LastCommand().size(), c.ListBytes + 6);
    EXPECT_TRUE(m_messages.Empty()) << m_messages.Joined();
}

INSTANTIATE_TEST_SUITE_P(Codes, CfModels,
                         ::testing::Values(ModelCase{0x00, true, false, false, false, 40},
                                           ModelCase{0xA4, true, true, true, true, 52},
                                           ModelCase{0xF1, false, true, false, false, 20}),
                         [](const auto& info) { return "Model" + std::to_string(info.param.Code); });

TEST_F(CfWindow, TankReserveLimitsRoundTripAndUnitsSwitchOnlyTheText) {
    TCf& cf = Window();
    for (auto [byte, pos, text] : {std::tuple{30, 14, "30 bar"}, std::tuple{100, 0, "100 bar"}}) {
        SetSetting(0x07DE, static_cast<std::uint8_t>(byte));
        cf.ReadBtnClick();
        EXPECT_EQ(Control<QScrollBar>(cf, "ResScroller")->value(), pos);
        EXPECT_EQ(Control<QLabel>(cf, "ResTxt")->text(), text);
        SetSetting(0x07DE, 0);
        cf.WriteBtnClick();
        EXPECT_EQ(Setting(0x07DE), byte);
    }
    auto* reserve = Control<QScrollBar>(cf, "ResScroller");
    auto* reserveText = Control<QLabel>(cf, "ResTxt");
    auto* units = Control<TRadioGroup>(cf, "Units");
    reserve->setValue(10);
    EXPECT_EQ(reserveText->text(), "50 bar");
    units->Button(1)->click();
    EXPECT_EQ(reserveText->text(), "725 psi");
    EXPECT_EQ(reserve->value(), 10);
    units->Button(0)->click();
    EXPECT_EQ(reserveText->text(), "50 bar");
    EXPECT_TRUE(m_messages.Empty());
}

TEST_F(CfWindow, BreathWarningTableRoundTripsThroughTheWindow) {
    TCf& cf = Window();
    const int w[25] = {25, 27, 29, 31, 33, 35, 37, 39, 42, 44, 47, 49, 52,
                       55, 58, 61, 65, 68, 72, 76, 80, 84, 88, 92, 97};
    for (int pos = 0; pos <= 24; ++pos) {
        SetSetting(0x07EB, static_cast<std::uint8_t>(w[pos]));
        cf.ReadBtnClick();
        ASSERT_EQ(Control<QScrollBar>(cf, "Lung")->value(), pos);
        EXPECT_EQ(Control<QLabel>(cf, "BWNum")->text(), QString("[%1]").arg(pos - 12));
        SetSetting(0x07EB, 0);
        cf.WriteBtnClick();
        EXPECT_EQ(Setting(0x07EB), w[pos]);
    }
    EXPECT_TRUE(m_messages.Empty());
}

TEST_F(CfWindow, PpO2AndPremixOfByte5) {
    SetSetting(0x07D3, 0x36);
    TCf& cf = Window();
    cf.ReadBtnClick();
    EXPECT_EQ(Control<QLabel>(cf, "ppO2Txt")->text(), "1.50 bar");
    EXPECT_EQ(Control<QScrollBar>(cf, "tIniO2")->value(), 12);
    EXPECT_EQ(Control<QLabel>(cf, "tIniO2Panel")->text(), "4 h");
    EXPECT_EQ(Control<QLabel>(cf, "VO2panel")->text(), GetTesMessage(11) + " (2.25 l/min O2)");
    EXPECT_EQ(Control<QLabel>(cf, "EAN1")->text(), " 30.8 % O2");  // 2.25 * 81 / 15.5 + 19
}

TEST_F(CfWindow, MinimumNitroxFollowsFlowAndWorkLoad) {
    TCf& cf = Window();
    cf.ReadBtnClick();
    Control<QScrollBar>(cf, "VO2Limit")->setValue(0);
    EXPECT_EQ(Control<QLabel>(cf, "EAN1")->text(), " 32.1 % O2");
    auto* flow2 = Control<QLineEdit>(cf, "V2");
    auto* ean2 = Control<QLabel>(cf, "EAN2");
    for (const char* bad : {"0", "-1", "x"}) {
        flow2->setText(bad);
        cf.RecalcEANs();
        EXPECT_EQ(ean2->text(), "") << bad;
    }
    flow2->setText("10.4");
    cf.RecalcEANs();
    EXPECT_EQ(ean2->text(), " 38.5 % O2");
    Control<QScrollBar>(cf, "SensVO2")->setValue(0);
    EXPECT_EQ(Control<QLabel>(cf, "SNum")->text(), "[-2]");
}

TEST(CfReplies, ResponseCodes47AndE7ToAReadShowTheBlock) {
    for (std::uint8_t code : {std::uint8_t{0x47}, std::uint8_t{0xE7}}) {
        QTemporaryDir dir;
        TVirtualClock clock;
        TRecordingPort port(clock);
        port.SetPresent(1, true);
        Bytes block(21, 0);
        block[0] = code;
        block[1] = 0xA4;
        block[3] = 60;
        block[6] = 7;
        port.OnLine = [&](LineControl f) {
            if (f == LineControl::SetDtr)
                port.Feed(BuildPacket(BuildImage(Bytes{'I', 'F', 'V', '1', '.', '0', '0'})), 100);
        };
        port.OnWrite = [&](std::span<const std::uint8_t> logical) {
            if (logical.size() < 2) return;
            port.Feed({0x06}, 20);
            port.Feed(BuildPacket(BuildImage(block)), 150);
        };
        TCf cf({dir.path() + "/", dir.path() + "/", &clock, &port});
        TShownMessages messages;
        cf.SetPrompts(&messages);
        cf.SetModalRunner([&] { return cf.Core().RunModal(); });
        cf.ReadBtnClick();
        EXPECT_TRUE(messages.Empty()) << messages.Joined();
        EXPECT_EQ(Control<QLabel>(cf, "Dives")->text(), "7") << int(code);
        EXPECT_EQ(Control<QLabel>(cf, "ResTxt")->text(), "60 bar");
        EXPECT_EQ(QFileInfo(dir.filePath(kHistoryFileName)).size(), 28);

        // A reply shorter than the settings block: a communication error, nothing shown.
        block.resize(20);
        block[6] = 9;
        cf.ReadBtnClick();
        EXPECT_EQ(messages.Texts(), QStringList{GetTesMessage(7)});
        EXPECT_EQ(Control<QLabel>(cf, "Dives")->text(), "7");
        EXPECT_EQ(QFileInfo(dir.filePath(kHistoryFileName)).size(), 28);
    }
}

struct ErrorCase {
    int Code;
    int Message;
};
class CfErrors : public CfWindow, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(CfErrors, ErrorCodeShowsItsMessageAndKeepsTheWindow) {
    TCf& cf = Window();
    cf.ReadBtnClick();
    ASSERT_TRUE(m_messages.Empty());
    const QString title = cf.windowTitle();
    m_sim.Box().Faults().Add({TSimFaultKind::ErrorCode, 0, 1, GetParam().Code});
    SetSetting(0x07F3, 99);
    cf.ReadBtnClick();
    cf.WriteBtnClick();
    if (GetParam().Message < 0) {
        EXPECT_TRUE(m_messages.Empty());
    } else {
        ASSERT_EQ(m_messages.Shown.size(), 2u);
        EXPECT_EQ(m_messages.Shown[0].Kind, TShownMessages::EKind::Error);
        EXPECT_EQ(m_messages.Shown[0].Text, GetTesMessage(GetParam().Message));
    }
    EXPECT_EQ(Control<QLabel>(cf, "Dives")->text(), "123");
    EXPECT_EQ(cf.windowTitle(), title);
    EXPECT_TRUE(Control<QToolButton>(cf, "WriteBtn")->isEnabled());
    EXPECT_EQ(HistorySize(), 28);
    EXPECT_FALSE(cf.Busy());
}

INSTANTIATE_TEST_SUITE_P(Codes, CfErrors,
                         ::testing::Values(ErrorCase{1, 3}, ErrorCase{2, 4}, ErrorCase{3, 5}, ErrorCase{4, 6},
                                           ErrorCase{5, 14}, ErrorCase{9, -1}),
                         [](const auto& info) { return "Code" + std::to_string(info.param.Code); });

TEST_F(CfWindow, BoxNotFound) {
    m_sim.Box().Faults().Add({TSimFaultKind::NoIdentification});
    TCf& cf = Window();
    cf.Settings().InterfacePort = 0x0100;  // COM1 fixed: one candidate
    cf.ReadBtnClick();
    EXPECT_EQ(m_messages.Texts(), QStringList{GetTesMessage(8)});
    EXPECT_EQ(cf.windowTitle(), "Tessoral");
    EXPECT_FALSE(cf.Busy());
    EXPECT_FALSE(QFile::exists(m_path + kHistoryFileName));
}

TEST_F(CfWindow, NakLimitIsACommunicationError) {
    TCf& cf = Window();
    m_sim.Box().Faults().Add({TSimFaultKind::CorruptXor, 1, 5});
    cf.ReadBtnClick();
    EXPECT_EQ(m_messages.Texts(), QStringList{GetTesMessage(7)});
    const auto* write = Control<QToolButton>(cf, "WriteBtn");
    EXPECT_TRUE(write->isHidden() || !write->isEnabled());
}

TEST_F(CfWindow, SilentBoxIsACommunicationError) {
    TCf& cf = Window();
    m_sim.Box().Faults().Add({TSimFaultKind::Silence});
    cf.ReadBtnClick();
    EXPECT_EQ(m_messages.Texts(), QStringList{GetTesMessage(7)});
}

TEST_F(CfWindow, ReplyLaterThanTheCountdownEndsWithTheBatteryMessage) {
    TCf& cf = Window();
    m_sim.Box().Faults().Add({TSimFaultKind::LatePacket, 1, 1, 65000});
    const auto start = m_clock.NowMs();
    cf.ReadBtnClick();
    ASSERT_EQ(m_messages.Shown.size(), 1u);
    EXPECT_EQ(m_messages.Shown[0].Kind, TShownMessages::EKind::Information);
    EXPECT_EQ(m_messages.Shown[0].Text, GetTesMessage(0));
    EXPECT_GE(m_clock.NowMs() - start, 59000);
}

TEST_F(CfWindow, CancelShowsNothing) {
    TCf& cf = Window();
    m_sim.Box().Faults().Add({TSimFaultKind::LatePacket, 1, 1, 30000});
    m_cf->SetModalRunner([this] {
        m_clock.Post([this] { m_cf->Core().Cancel(); }, 1000);
        return m_cf->Core().RunModal();
    });
    cf.ReadBtnClick();
    EXPECT_TRUE(m_messages.Empty());
    EXPECT_FALSE(cf.Busy());
}

TEST_F(CfWindow, UnwritableHistoryIsReportedAndTheBlockStays) {
    ASSERT_TRUE(QDir(m_path).mkdir(kHistoryFileName));
    TCf& cf = Window();
    cf.ReadBtnClick();
    ASSERT_EQ(m_messages.Shown.size(), 1u);
    EXPECT_TRUE(m_messages.Shown[0].Text.contains(kHistoryFileName));
    EXPECT_EQ(Control<QLabel>(cf, "Dives")->text(), "123");
    EXPECT_TRUE(Control<QToolButton>(cf, "WriteBtn")->isEnabled());
}

TEST_F(CfWindow, SettingsFileWrittenAtCloseAndReadAtStart) {
    {
        TCf& cf = Window();
        cf.Settings().InterfacePort = 0x0203;
        cf.move(120, 80);
        cf.TransferWin().SetKeptPosition(QPoint(33, 44));
        cf.FormClose();
    }
    const TCfRecord r = TCfRecord::Load(m_path + "CF.DSK");
    EXPECT_EQ(r.InterfacePort, 0x0203);
    EXPECT_EQ(r.TransferLeft, 33);
    EXPECT_EQ(r.TransferTop, 44);
    TCf& again = Window();
    EXPECT_EQ(again.Settings().InterfacePort, 0x0203);
}

TEST_F(CfWindow, MarkerFileOnlyOnTheFirstStart) {
    QFile marker(m_path + "DEU.CFG");
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    {
        TCf& cf = Window();
        EXPECT_EQ(cf.Settings().LanguageIndex, 1);
        EXPECT_EQ(Control<QToolButton>(cf, "ReadBtn")->toolTip(), "Lesen");
        cf.FormClose();
    }
    SetCurrentLanguage(0);
    // An invalid settings file is deleted and the marker file applies again.
    QFile bad(m_path + "CF.DSK");
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("garbage");
    bad.close();
    ASSERT_TRUE(QFile::remove(m_path + "DEU.CFG"));
    TCf& cf = Window();
    EXPECT_FALSE(QFile::exists(m_path + "CF.DSK"));
    EXPECT_EQ(cf.Settings().LanguageIndex, 0);
    EXPECT_EQ(Control<QToolButton>(cf, "ReadBtn")->toolTip(), "Read");
}

TEST_F(CfWindow, LanguageChangeRecaptionsAndKeepsTheChoices) {
    TCf& cf = Window();
    cf.ReadBtnClick();
    const int units = Control<TRadioGroup>(cf, "Units")->ItemIndex();
    cf.ApplyLanguage(1);
    EXPECT_EQ(Control<QToolButton>(cf, "ReadBtn")->toolTip(), "Lesen");
    EXPECT_EQ(Control<TRadioGroup>(cf, "Units")->Items(), (QStringList{"Metrisch", "Imperial"}));
    EXPECT_EQ(Control<TRadioGroup>(cf, "Units")->ItemIndex(), units);
    SetCurrentLanguage(1);
    cf.VO2LimitChange();
    const int workLoad = Control<QScrollBar>(cf, "VO2Limit")->value();
    EXPECT_TRUE(Control<QLabel>(cf, "VO2panel")->text().startsWith(GetTesMessage(10 + workLoad, 1)));
    cf.ApplyLanguage(7);  // outside the tables: nothing changes
    EXPECT_EQ(Control<QToolButton>(cf, "ReadBtn")->toolTip(), "Lesen");
    SetCurrentLanguage(0);
}

// In every language each caption of the window shows whole, inside its group and off its
// neighbours' fields, and every window of the program shows its whole title.
class CfCaptionFit : public CfWindow, public ::testing::WithParamInterface<int> {};

TEST_P(CfCaptionFit, CaptionsAndTitlesAreNotClipped) {
    const int lang = GetParam();
    TCf& cf = Window();
    SetCurrentLanguage(lang);
    cf.ApplyLanguage(lang);
    cf.ReadBtnClick();  // every group with its fields, and the transfer window's read title
    cf.show();
    QCoreApplication::processEvents();
    for (QLabel* label : cf.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&cf) || label->text().isEmpty()) continue;
        const std::string name =
            label->objectName().toStdString() + " \"" + label->text().toStdString() + "\"";
        const QRect r = label->geometry();
        if (label->wordWrap()) {
            EXPECT_GE(r.height(), label->heightForWidth(r.width())) << name;
        } else {
            EXPECT_GE(r.width(), label->sizeHint().width()) << name;
        }
        QWidget* parent = label->parentWidget();
        if (qobject_cast<QGroupBox*>(parent)) {
            EXPECT_TRUE(parent->rect().adjusted(2, 2, -2, -2).contains(r)) << name;
        }
        for (QWidget* field : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            auto* fieldLabel = qobject_cast<QLabel*>(field);
            const bool isField = !fieldLabel || fieldLabel->frameShape() != QFrame::NoFrame;
            if (field != label && isField && field->isVisibleTo(&cf)) {
                EXPECT_FALSE(r.intersects(field->geometry()))
                    << name << " over " << field->objectName().toStdString();
            }
        }
    }
    for (QAbstractButton* button : cf.findChildren<QAbstractButton*>()) {
        // The tool buttons show pictures only.
        if (button->isVisibleTo(&cf) && !button->text().isEmpty() && !qobject_cast<QToolButton*>(button)) {
            EXPECT_GE(button->width(), button->sizeHint().width()) << button->objectName().toStdString();
        }
    }

    EXPECT_EQ(cf.TransferWin().windowTitle(), GetTesMessage(kMsgReadCaption, lang));
    int windows = 0;
    for (QWidget* window : cf.findChildren<QWidget*>()) {
        if (!window->isWindow() || window->windowType() != Qt::Dialog) continue;  // menus are popups
        ++windows;
        window->show();
        QCoreApplication::processEvents();
        EXPECT_GE(window->width(), TitleBarWidth(window->windowTitle()))
            << window->objectName().toStdString() << " \"" << window->windowTitle().toStdString() << "\"";
        window->hide();
    }
    EXPECT_GE(windows, 4);  // transfer window, serial port, language and information dialogs
    cf.ApplyLanguage(0);
    SetCurrentLanguage(0);
}

INSTANTIATE_TEST_SUITE_P(Languages, CfCaptionFit, ::testing::Values(0, 1, 2, 3, 4));

TEST_F(CfWindow, PdfPrintIsSavedWholeOrReportsWhyAndKeepsTheOldFile) {
    TCf& cf = Window();
    cf.ReadBtnClick();
    const QString pdf = m_path + "teswin-page.pdf";
    const TResult made = cf.PrintToPdf(pdf);
    ASSERT_TRUE(made.Ok()) << made.ErrorText.toStdString();
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    const QByteArray first = printed.readAll();
    printed.close();
    EXPECT_TRUE(first.startsWith("%PDF"));
    EXPECT_TRUE(first.trimmed().endsWith("%%EOF"));

    QString reason;
    {
        TSaveFaultScope full(ESaveStep::Write, ENOSPC, "teswin-page.pdf");
        const TResult failed = cf.PrintToPdf(pdf);
        EXPECT_FALSE(failed.Ok());
        reason = failed.ErrorText;
    }
    EXPECT_TRUE(reason.startsWith(pdf + ": ")) << reason.toStdString();
    EXPECT_TRUE(reason.contains("No space left on device")) << reason.toStdString();
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_EQ(printed.readAll(), first);  // the earlier print stays as it was
}

TEST_F(CfWindow, PrintsOnePagePdfAndRestoresTheToolBar) {
    TCf& cf = Window();
    cf.ReadBtnClick();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = m_path + "page.pdf";
    printer.setOutputFileName(pdf);
    ASSERT_TRUE(cf.PrintTo(printer));
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 1);
    EXPECT_FALSE(Control<QToolButton>(cf, "ReadBtn")->isHidden());
    EXPECT_FALSE(Control<QToolButton>(cf, "PrintBtn")->isHidden());
    EXPECT_TRUE(Control<QLabel>(cf, "ClockPanel")->text().isEmpty());

    // The page shows the client area: tool bar and groups, no menu bar.
    const QImage image = cf.PrintImage();
    EXPECT_EQ(image.size() / image.devicePixelRatio(), QSize(740, 410));
    EXPECT_EQ(image.size() / image.devicePixelRatio(), cf.centralWidget()->size());
}

// The program's own port: real serial ports until the Options menu chooses the simulated box.
class CfProgramPort : public ::testing::Test {
protected:
    void SetUp() override {
        m_cf = std::make_unique<TCf>(TCfEnvironment{m_dir.path() + "/", m_dir.path() + "/", &m_clock});
        m_cf->SetPrompts(&m_messages);
        m_cf->SetModalRunner([this] { return m_cf->Core().RunModal(); });
        m_cf->Settings().InterfacePort = 0x2000;  // COM32 fixed: no real device answers there
    }
    QTemporaryDir m_dir;
    TVirtualClock m_clock;
    TShownMessages m_messages;
    std::unique_ptr<TCf> m_cf;
};

TEST_F(CfProgramPort, SimulatedBoxIsOffAtStartAndAnScrModelWhenChosen) {
    auto* simulator = Control<QAction>(*m_cf, "SimulatorItem");
    ASSERT_NE(simulator, nullptr);
    EXPECT_FALSE(simulator->isChecked());
    simulator->setChecked(true);
    EXPECT_TRUE(m_cf->LinkPort()->UseSimulatedBox());
    m_cf->ReadBtnClick();
    EXPECT_TRUE(m_messages.Empty()) << m_messages.Joined();
    EXPECT_EQ(m_cf->ModelCode(), 0xA4);
    for (const char* name : {"Lung", "tIniO2", "SensVO2"})
        EXPECT_FALSE(Control<QScrollBar>(*m_cf, name)->isHidden()) << name;
}

TEST_F(CfProgramPort, SimulatorItemsFollowTheLanguage) {
    auto* simulator = Control<QAction>(*m_cf, "SimulatorItem");
    auto* scenario = Control<QAction>(*m_cf, "ScenarioItem");
    ASSERT_NE(simulator, nullptr);
    m_cf->ApplyLanguage(1);
    EXPECT_EQ(simulator->text(), "Simulierte &Box");
    m_cf->ApplyLanguage(2);
    EXPECT_EQ(scenario->text(), QString::fromUtf8("S&cénario du simulateur..."));
    m_cf->ApplyLanguage(9);  // outside the tables: nothing changes
    EXPECT_EQ(scenario->text(), QString::fromUtf8("S&cénario du simulateur..."));
    m_cf->ApplyLanguage(0);
    EXPECT_EQ(simulator->text(), "Simulated &box");
}

TEST_F(CfProgramPort, ScenarioChoosesAnotherModel) {
    ASSERT_TRUE(m_cf->LoadScenario(QString(KV_SOURCE_DIR) + "/config/scenarios/breath-model.sim"));
    EXPECT_TRUE(Control<QAction>(*m_cf, "SimulatorItem")->isChecked());
    m_cf->ReadBtnClick();
    EXPECT_EQ(m_cf->ModelCode(), 0x04);
    EXPECT_EQ(Control<QLabel>(*m_cf, "ResTxt")->text(), "40 bar");
    EXPECT_TRUE(Control<QScrollBar>(*m_cf, "ppo2Scroller")->isHidden());

    ASSERT_TRUE(m_cf->LoadScenario(QString(KV_SOURCE_DIR) + "/config/scenarios/blocked.sim"));
    m_cf->ReadBtnClick();
    EXPECT_EQ(m_messages.Texts(), QStringList{GetTesMessage(4)});
    EXPECT_EQ(m_cf->ModelCode(), 0x04);  // the failed read changed nothing

    QFile bad(m_dir.filePath("bad.sim"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("setting 2 nonsense\n");
    bad.close();
    m_messages.Clear();
    EXPECT_FALSE(m_cf->LoadScenario(bad.fileName()));
    EXPECT_EQ(m_messages.Shown.size(), 1u);
}

TEST_F(CfWindow, LanguageDialogStoresTheChoice) {
    TCf& cf = Window();
    QTimer::singleShot(0, [] {
        auto* dlg = qobject_cast<TOptions*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(dlg->LangSel()->ItemIndex(), 0);
        dlg->LangSel()->SetItemIndex(2);
        dlg->OKBtn()->click();
    });
    cf.LanguageClick();
    EXPECT_EQ(cf.Settings().LanguageIndex, 2);
    EXPECT_EQ(CurrentLanguage(), 2);
    EXPECT_NE(Control<QGroupBox>(cf, "BreathBox")->title(), "Breath settings");
    QTimer::singleShot(0, [] {
        auto* dlg = qobject_cast<TOptions*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(dlg->LangSel()->ItemIndex(), 2);
        dlg->LangSel()->SetItemIndex(4);
        dlg->CancelBtn()->click();
    });
    cf.LanguageClick();
    EXPECT_EQ(cf.Settings().LanguageIndex, 2);
    cf.ApplyLanguage(0);
    SetCurrentLanguage(0);
    EXPECT_EQ(Control<QGroupBox>(cf, "BreathBox")->title(), "Breath settings");
}

TEST_F(CfWindow, InfoBoxVersionAndSplash) {
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(m_path + "Teswin.BMP", "BMP"));
    auto* box = Window().findChild<TAboutBox*>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->Version()->text(), " Version 3.06");
    QWidget* splash = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "Splash" && w->isVisible()) splash = w;
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(splash->size(), QSize(40, 30));
    splash->close();
}

// Every word of Teswin's window and dialogs comes from the caption lists or the message
// table: a text that stays the same in English, French and German was left as built.
TEST_F(CfProgramPort, EveryWordInTeswinsWindowsFollowsTheLanguage) {
    auto texts = [this](int language) {
        SetCurrentLanguage(language);
        m_cf->ApplyLanguage(language);
        return WindowTexts();
    };
    const QMap<QString, QString> english = texts(kEnglish);
    const QMap<QString, QString> french = texts(kFrench);
    const QMap<QString, QString> german = texts(kGerman);
    texts(kEnglish);
    // The same in every language: units, names, the program's own name; the transfer
    // window and the information box keep the texts they are built with.
    const QStringList neutral = {"Info",      "Info...", "AppleTalk", "pO2 max",
                                 "EANx min.", "l/min",   "V(Premix)", "Tessoral"};
    QStringList unchanged;
    for (auto it = english.begin(); it != english.end(); ++it) {
        const QString& address = it.key();
        if (!IsWord(it.value()) || neutral.contains(it.value()) || address.contains("/ComPort item") ||
            address.contains("/LangSel/") || address.contains("/AboutBox") ||
            address.contains("/TransferWin") || address.startsWith("TTransferWin "))
            continue;
        if (french.value(address) == it.value() && german.value(address) == it.value())
            unchanged << address + " = \"" + it.value() + "\"";
    }
    EXPECT_TRUE(unchanged.isEmpty()) << unchanged.join("\n").toStdString();
    EXPECT_GT(english.size(), 100);
    EXPECT_NE(english.key("Breath settings"), QString());
}
