#include <gtest/gtest.h>

#include "LinkFraming.h"
#include "TLinkPort.h"
#include "TTransferCore.h"
#include "TVirtualClock.h"

TEST(TLinkPort, RealPortsWithTheLinkSettingsAndTheSimulatorOffAtStart) {
    TVirtualClock clock;
    TLinkPort com(clock);
    EXPECT_FALSE(com.UseSimulatedBox());
    const TCate& cate = com.Cate();
    EXPECT_EQ(cate.BaudRate(), TBaudRate::br___9600);
    EXPECT_EQ(cate.Parity(), TParity::None);
    EXPECT_EQ(cate.DataBits(), TDataBits::db_8);
    EXPECT_EQ(cate.StopBits(), TStopBits::sb_1);
    EXPECT_EQ(DcbFlagWord(cate.DCBFlags()), 0x0001u);
    EXPECT_EQ(cate.ReadTimeout(), 150u);
    EXPECT_EQ(cate.WriteTimeout(), 2u);
    EXPECT_EQ(cate.CommTimeouts().ReadInterval, 15u);
    EXPECT_EQ(cate.CommTimeouts().ReadTotalConstant, 0u);
    EXPECT_TRUE(com.MirrorBytes());
    EXPECT_TRUE(com.Simulator().MirrorBytes());
}

TEST(TLinkPort, TheSimulatedBoxIsReachedOnlyWhenChosen) {
    TVirtualClock clock;
    TLinkPort com(clock);
    // Point every COM number at a device that does not exist, so the real search is
    // certain to find nothing on this machine.
    for (int n = 1; n <= kMaxComNumber; ++n) com.Cate().SetDeviceName(n, "/dev/kelvara-test-no-port");
    TTransferCore core(clock, com, TTransferConfig::Teswin());
    std::uint16_t setting = 0;
    EXPECT_FALSE(core.FindInterface(setting));
    EXPECT_EQ(com.Simulator().Box().CommandsReceived(), 0);
    EXPECT_FALSE(com.Simulator().Box().Dtr());

    com.SetUseSimulatedBox(true);
    setting = 0x0007;  // the remembered port is where the search starts, and the box answers there
    ASSERT_TRUE(core.FindInterface(setting));
    EXPECT_EQ(setting, 0x0007);
    EXPECT_EQ(com.Port(), 7);
    ASSERT_TRUE(core.SendCommand(BuildPacket(BuildImage(std::vector<std::uint8_t>{0xE7}))));
    EXPECT_EQ(core.RunModal(100000), mrOk);
    EXPECT_EQ(core.Image()[2], 0xE7);

    com.SetUseSimulatedBox(false);  // switching closes the simulated port
    EXPECT_EQ(com.Simulator().Port(), 0);
    EXPECT_FALSE(com.Simulator().Box().Dtr());
    EXPECT_EQ(com.Port(), 0);
}
