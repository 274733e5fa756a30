#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "Language.h"
#include "TCaptionRegistry.h"
#include "TComOpt.h"
#include "TRecordingPort.h"
#include "TVirtualClock.h"

namespace {
struct ComOptRig {
    TVirtualClock clock;
    TRecordingPort port{clock};
    std::unique_ptr<TComOpt> dlg;
    explicit ComOptRig(TTransferVariant v) {
        for (int n : {1, 3, 4}) port.SetPresent(n, true);
        dlg = std::make_unique<TComOpt>(port, v);
    }
};
}  // namespace

TEST(TComOpt, ListsAutoAndTheFoundPortsWithTheirDevices) {
    ComOptRig rig(TTransferVariant::Kelwin);
    QComboBox* c = rig.dlg->ComPort();
    ASSERT_EQ(c->count(), 4);
    EXPECT_EQ(c->itemText(0), "AUTO");
    EXPECT_TRUE(c->itemText(1).startsWith("COM1"));
    EXPECT_TRUE(c->itemText(1).endsWith("/dev/ttyS0"));
    EXPECT_TRUE(c->itemText(3).startsWith("COM4"));
    EXPECT_EQ(rig.dlg->objectName(), "TComOpt");
    EXPECT_EQ(rig.dlg->windowTitle(), QString::fromUtf8("Schnittstelle"));
    EXPECT_FALSE(rig.dlg->AppleTalk()->isVisibleTo(rig.dlg.get()));
    ComOptRig tes(TTransferVariant::Teswin);
    EXPECT_EQ(tes.dlg->windowTitle(), "Serial Port");
}

TEST(TComOpt, OkStoresTheFixedPortAndKeepsTheRememberedOne) {
    ComOptRig rig(TTransferVariant::Kelwin);
    std::uint16_t setting = 0x0003;
    bool raiseRts = true;
    rig.dlg->ShowSetting(setting, raiseRts);
    EXPECT_EQ(rig.dlg->ComPort()->currentIndex(), 0);
    EXPECT_TRUE(rig.dlg->AppleTalk()->isChecked());
    rig.dlg->ComPort()->setCurrentIndex(3);  // COM4
    rig.dlg->AppleTalk()->setChecked(false);
    rig.dlg->StoreSetting(setting, &raiseRts);
    EXPECT_EQ(setting, 0x0403);
    EXPECT_FALSE(raiseRts);
    rig.dlg->ShowSetting(setting, raiseRts);
    EXPECT_EQ(rig.dlg->ComPort()->currentIndex(), 3);
    rig.dlg->ComPort()->setCurrentIndex(0);
    rig.dlg->StoreSetting(setting, &raiseRts);
    EXPECT_EQ(setting, 0x0003);
}

TEST(TComOpt, ExecuteOkAndCancel) {
    ComOptRig rig(TTransferVariant::Teswin);
    std::uint16_t setting = 0x0100;
    QTimer::singleShot(0, rig.dlg.get(), [&] {
        rig.dlg->ComPort()->setCurrentIndex(2);  // COM3
        rig.dlg->reject();
    });
    EXPECT_FALSE(rig.dlg->Execute(setting));
    EXPECT_EQ(setting, 0x0100);
    QTimer::singleShot(0, rig.dlg.get(), [&] {
        rig.dlg->ComPort()->setCurrentIndex(2);
        rig.dlg->accept();
    });
    EXPECT_TRUE(rig.dlg->Execute(setting));
    EXPECT_EQ(setting, 0x0300);
}

TEST(TComOpt, FixedPortNotFoundShowsNoSelectionAndOkMakesItAuto) {
    ComOptRig rig(TTransferVariant::Kelwin);
    std::uint16_t setting = 0x0702;
    rig.dlg->ShowSetting(setting, false);
    EXPECT_EQ(rig.dlg->ComPort()->currentIndex(), -1);
    rig.dlg->StoreSetting(setting, nullptr);
    EXPECT_EQ(setting, 0x0002);
}

TEST(TComOpt, FollowsTheLanguage) {
    ComOptRig rig(TTransferVariant::Kelwin);
    ASSERT_TRUE(TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(kEnglish));
    EXPECT_EQ(rig.dlg->windowTitle(), "Serial Port");
    EXPECT_EQ(rig.dlg->CancelBtn()->text(), "Cancel");
    ASSERT_TRUE(TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(kGerman));
    EXPECT_EQ(rig.dlg->windowTitle(), "Schnittstelle");
    EXPECT_EQ(rig.dlg->CancelBtn()->text(), "Abbrechen");
}
