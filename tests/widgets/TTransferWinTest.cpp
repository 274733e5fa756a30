#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "Language.h"
#include "LinkFraming.h"
#include "Messages.h"
#include "TCaptionRegistry.h"
#include "TComOpt.h"
#include "TSimPort.h"
#include "TTransferCore.h"
#include "TTransferWin.h"
#include "TVirtualClock.h"

using Bytes = std::vector<std::uint8_t>;

namespace {

Bytes DiveRequest(int choice) {
    return BuildPacket(Bytes{0x05, 0x00, 0x55, 0, 0, 0, static_cast<std::uint8_t>(choice == 0 ? 0x10 : 0)});
}

struct WinRig {
    TVirtualClock clock;
    TSimPort sim{clock};
    std::unique_ptr<TTransferWin> win;
    std::uint16_t setting = 0;
    std::vector<int> requests;

    explicit WinRig(TTransferVariant v) {
        sim.SetMirrorBytes(true);
        TSimMemory& m = sim.Box().Memory();
        for (std::uint32_t t : {0x10000000u, 0x20000000u})
            m.DiveBlocks.push_back(TSimMemory::MakeDiveBlock(m.Serial, m.HwSw, t, Bytes(300, 0x21)));
        win = std::make_unique<TTransferWin>(clock, sim, v);
        win->SetLinkSettings(&setting, false);
        win->SendRequest = [this](int choice) {
            requests.push_back(choice);
            win->Core().SendCommand(DiveRequest(choice));
        };
    }
    // Runs the window modally while virtual time passes; `during` runs once the window is up.
    ModalResult Run(const std::function<void()>& during = {}) {
        QTimer::singleShot(0, win.get(), [this, during] {
            QCoreApplication::processEvents();  // what the window posted when it was shown
            if (during) during();
            clock.RunUntil([this] { return win->Core().Result() != mrNone; }, 200000);
        });
        return win->ShowModal();
    }
    void Shot(const QString& name) {
        const QString dir = qEnvironmentVariable("KV_SHOT_DIR");
        if (!dir.isEmpty()) win->grab().save(QDir(dir).filePath(name));
    }
};

}  // namespace

TEST(TTransferWin, KelwinControlsAndDefaults) {
    SetCurrentLanguage(kGerman);
    TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(kGerman);
    WinRig rig(TTransferVariant::Kelwin);
    TTransferWin& w = *rig.win;
    EXPECT_EQ(w.windowTitle(), QString::fromUtf8("Tauchgänge übertragen"));
    ASSERT_NE(w.Dives(), nullptr);
    EXPECT_EQ(w.Dives()->objectName(), "Dives");
    EXPECT_EQ(w.Gauge()->objectName(), "Gauge");
    EXPECT_EQ(w.Countdown()->objectName(), "vTimeOut");
    EXPECT_EQ(w.CancelButton()->objectName(), "BitBtn2");
    EXPECT_EQ(w.ComPanel()->objectName(), "ComPanel");
    EXPECT_FALSE(w.Dives()->isEnabled());
    EXPECT_TRUE(w.Gauge()->styleSheet().contains("red"));
}

TEST(TTransferWin, KelwinDownloadShowsProgressAndEndsWithOk) {
    SetCurrentLanguage(kEnglish);
    WinRig rig(TTransferVariant::Kelwin);
    ASSERT_TRUE(rig.win->Core().FindInterface(rig.setting, true));
    EXPECT_EQ(rig.win->ComPanel()->text(), GetMessage(42) + "1");
    EXPECT_TRUE(rig.win->Dives()->isEnabled());
    rig.win->SendRequest(0);
    std::vector<int> gauge;
    QObject::connect(rig.win->Gauge(), &QProgressBar::valueChanged, [&](int v) { gauge.push_back(v); });
    EXPECT_EQ(rig.Run(), mrOk);
    EXPECT_EQ(rig.win->Gauge()->value(), 100);
    EXPECT_GE(gauge.size(), 3u);
    EXPECT_TRUE(std::is_sorted(gauge.begin(), gauge.end()));
    EXPECT_FALSE(rig.win->Dives()->isEnabled());  // disabled by the first packet
    EXPECT_TRUE(rig.win->Core().ImageValid());
    EXPECT_EQ(rig.sim.Port(), 0);  // closed after the window
    EXPECT_FALSE(rig.sim.Box().Dtr());
    EXPECT_FALSE(rig.win->isVisible());
}

TEST(TTransferWin, RememberedChoiceIsRequestedAgainWhenShown) {
    WinRig rig(TTransferVariant::Kelwin);
    ASSERT_TRUE(rig.win->Core().FindInterface(rig.setting, true));
    rig.win->SendRequest(0);
    rig.win->SetDiveChoice(1);
    EXPECT_EQ(rig.Run(), mrOk);
    EXPECT_EQ(rig.requests, (std::vector<int>{0, 1}));
    EXPECT_EQ(rig.win->DiveChoice(), 1);
    EXPECT_EQ(rig.sim.Box().CommandsReceived(), 2);
}

TEST(TTransferWin, UserSwitchesTheChoiceBeforeTheFirstPacket) {
    WinRig rig(TTransferVariant::Kelwin);
    rig.sim.Box().Timing().ReplyDelayMs = 3000;  // a slow dive computer
    ASSERT_TRUE(rig.win->Core().FindInterface(rig.setting, true));
    rig.win->SendRequest(0);
    const ModalResult r = rig.Run([&] {
        rig.clock.Advance(500);
        EXPECT_TRUE(rig.win->Dives()->isEnabled());
        rig.win->Dives()->findChildren<QRadioButton*>()[1]->click();
    });
    EXPECT_EQ(r, mrOk);
    EXPECT_EQ(rig.requests, (std::vector<int>{0, 1}));
    EXPECT_EQ(rig.win->DiveChoice(), 1);
}

TEST(TTransferWin, CountdownRunsDownToAbort) {
    WinRig rig(TTransferVariant::Kelwin);
    rig.sim.Box().Faults().Add({TSimFaultKind::DropPacket, 1});
    ASSERT_TRUE(rig.win->Core().FindInterface(rig.setting, true));
    rig.win->SendRequest(0);
    QString at3s;
    const ModalResult r = rig.Run([&] {
        EXPECT_EQ(rig.win->Countdown()->text(), "60 s");
        rig.clock.Advance(3000);
        at3s = rig.win->Countdown()->text();
    });
    EXPECT_EQ(r, mrAbort);
    EXPECT_TRUE(at3s == "57 s" || at3s == "56 s") << at3s.toStdString();
    EXPECT_EQ(rig.win->Countdown()->text(), "0 s");
}

TEST(TTransferWin, CancelButtonEndsWithCancel) {
    WinRig rig(TTransferVariant::Teswin);
    std::uint16_t setting = 0;
    ASSERT_TRUE(rig.win->Core().FindInterface(setting));
    QTimer::singleShot(0, rig.win.get(), [&] { rig.win->CancelButton()->click(); });
    EXPECT_EQ(rig.win->ShowModal(), mrCancel);
}

TEST(TTransferWin, ResultBeforeTheWindowEndsItAtOnce) {
    WinRig rig(TTransferVariant::Teswin);
    rig.sim.Box().Faults().Add({TSimFaultKind::Silence});
    std::uint16_t setting = 0;
    ASSERT_TRUE(rig.win->Core().FindInterface(setting));
    rig.win->Core().SendCommand(BuildPacket(BuildImage(Bytes{0xE7})));
    ASSERT_EQ(rig.win->Core().Result(), mrNo);
    EXPECT_EQ(rig.win->ShowModal(), mrNo);
    EXPECT_TRUE(rig.win->Core().Failed());
}

TEST(TTransferWin, TeswinHasNoCloseBoxAndKeepsItsPosition) {
    SetCurrentLanguage(kEnglish);
    WinRig rig(TTransferVariant::Teswin);
    TTransferWin& w = *rig.win;
    EXPECT_EQ(w.Dives(), nullptr);
    EXPECT_EQ(w.Gauge(), nullptr);
    EXPECT_EQ(w.Countdown()->objectName(), "vTimeout");
    EXPECT_EQ(w.CancelButton()->objectName(), "CancelBtn");
    EXPECT_FALSE(w.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(w.Core().CountdownActive());  // runs from the creation of the window
    w.SetKeptPosition(QPoint(140, 90));
    std::uint16_t setting = 0;
    ASSERT_TRUE(w.Core().FindInterface(setting));
    EXPECT_EQ(w.ComPanel()->text(), GetTesMessage(9) + "1");
    w.Core().SendCommand(BuildPacket(BuildImage(Bytes{0xE7})));
    QPoint shownAt;
    EXPECT_EQ(rig.Run([&] { shownAt = w.pos(); }), mrOk);
    EXPECT_EQ(shownAt, QPoint(140, 90));
    EXPECT_EQ(w.KeptPosition(), QPoint(140, 90));
}

TEST(TTransferWin, KelwinFollowsTheLanguage) {
    WinRig rig(TTransferVariant::Kelwin);
    ASSERT_TRUE(TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(kEnglish));
    EXPECT_EQ(rig.win->windowTitle(), "Transfer dives");
    EXPECT_EQ(rig.win->CancelButton()->text(), "Cancel");
    EXPECT_EQ(rig.win->Dives()->title(), "Accept ...");
    const auto items = rig.win->Dives()->findChildren<QRadioButton*>();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0]->text(), "only newer dives");
    EXPECT_EQ(items[1]->text(), "all dives");
    ASSERT_TRUE(TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(kGerman));
    EXPECT_EQ(items[1]->text(), "alle TG");
    EXPECT_EQ(rig.win->Dives()->title(), QString::fromUtf8("Übernehme..."));
}

namespace {
// Share of clearly red pixels in a picture.
double RedShare(const QImage& img) {
    int red = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 60 && c.blue() < 60;
        }
    return img.isNull() ? 0.0 : double(red) / (img.width() * img.height());
}
}  // namespace

TEST(TTransferWin, GaugeIsPaintedRedAsTheImageComesIn) {
    // KV_SHOT_DIR names a folder for pictures of the windows in English and German.
    const QString dir = qEnvironmentVariable("KV_SHOT_DIR");
    for (int lang : {kEnglish, kGerman}) {
        SetCurrentLanguage(lang);
        TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(lang);
        const QString suffix = lang == kEnglish ? "en" : "de";
        WinRig rig(TTransferVariant::Kelwin);
        TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(lang);  // as at start: windows first
        ASSERT_TRUE(rig.win->Core().FindInterface(rig.setting, true));
        rig.win->SendRequest(0);
        QImage before, during;
        rig.Run([&] {
            before = rig.win->grab().toImage();
            rig.clock.RunUntil([&] { return rig.win->Gauge()->value() >= 40; }, 20000);
            during = rig.win->grab().toImage();
            if (!dir.isEmpty()) during.save(QDir(dir).filePath("kelwin-transfer-" + suffix + ".png"));
        });
        EXPECT_LT(RedShare(before), 0.001);
        EXPECT_GT(RedShare(during), 0.02);

        WinRig tes(TTransferVariant::Teswin);
        tes.win->setWindowTitle(lang == kEnglish ? "Read Data from Dive computer"
                                                 : "Daten vom Tauchcomputer lesen");
        std::uint16_t setting = 0;
        ASSERT_TRUE(tes.win->Core().FindInterface(setting));
        tes.win->Core().SendCommand(BuildPacket(BuildImage(Bytes{0xE7})));
        QImage teswin;
        tes.Run([&] { teswin = tes.win->grab().toImage(); });
        EXPECT_EQ(RedShare(teswin), 0.0);  // no gauge there
        if (!dir.isEmpty()) teswin.save(QDir(dir).filePath("teswin-transfer-" + suffix + ".png"));
        TComOpt opt(rig.sim, TTransferVariant::Kelwin);
        TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(lang);
        if (!dir.isEmpty()) opt.grab().save(QDir(dir).filePath("comopt-" + suffix + ".png"));
    }
}
