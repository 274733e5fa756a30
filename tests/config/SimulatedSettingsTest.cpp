// The settings side of the simulated dive computer.
#include <gtest/gtest.h>

#include "EncodeSettings.h"
#include "SettingsDecoder.h"
#include "SimulatedSettings.h"
#include "TSimPort.h"
#include "TTransferCore.h"
#include "TVirtualClock.h"
#include "TeswinCommand.h"

TEST(SimulatedSettings, ModelsAndScenarioCompletion) {
    for (auto [model, code] : {std::pair{TSimModel::Breath, 0x04}, std::pair{TSimModel::Nitrox, 0xF1},
                               std::pair{TSimModel::Scr, 0xA4}}) {
        TSimMemory m;
        LoadSimulatedSettings(m, model);
        EXPECT_EQ(m.Setting(2, 0x07BC), code);
        for (std::uint16_t a : kReadAddresses) EXPECT_EQ(m.Settings().count({2, a}), 1u) << a;
    }
    TSimMemory scenario;
    scenario.Serial = 0x123456;
    scenario.SetSetting(2, 0x07BC, 0x04);
    scenario.SetSetting(2, 0x07DE, 40);
    CompleteSimulatedSettings(scenario);
    EXPECT_EQ(scenario.Setting(2, 0x07BC), 0x04);
    EXPECT_EQ(scenario.Setting(2, 0x07DE), 40);
    EXPECT_EQ(scenario.Setting(2, 0x07D3), 0x36);
    EXPECT_EQ(scenario.Setting(2, 0x07ED), 0x56);
    EXPECT_EQ(scenario.Setting(2, 0x07F5), 0x12);
}

TEST(SimulatedSettings, ReadAndWriteThroughTheTeswinLink) {
    TVirtualClock clock;
    TSimPort sim(clock);
    sim.SetMirrorBytes(true);
    LoadSimulatedSettings(sim.Box().Memory(), TSimModel::Nitrox);
    TTransferCore core(clock, sim, TTransferConfig::Teswin());
    core.FormCreate();
    std::uint16_t port = 0;
    ASSERT_TRUE(core.FindInterface(port));
    ASSERT_TRUE(core.SendCommand(ReadCommand()));
    ASSERT_EQ(core.RunModal(), mrOk);
    core.FormClose();
    ASSERT_TRUE(core.ImageValid());
    const auto block = TSettingsBlock::FromImage(core.Image());
    ASSERT_TRUE(block.has_value());
    EXPECT_EQ(block->ResponseCode(), 0x4C);
    EXPECT_EQ(block->ModelCode(), 0xF1);
    EXPECT_EQ(block->NumberOfDives(), 123);
    EXPECT_EQ(ReplyMessage(core.Image()), 0);

    // The write list lands in the simulated memory.
    TCfPositions p = DecodeSettingsBlock(*block).Positions;
    p.PpO2 = 0;  // 1.95 bar
    ASSERT_TRUE(core.FindInterface(port));
    ASSERT_TRUE(core.SendCommand(WriteCommand(EncodeSettings(p, 0xF1))));
    ASSERT_EQ(core.RunModal(), mrOk);
    core.FormClose();
    EXPECT_EQ(ReplyMessage(core.Image()), 0);
    EXPECT_EQ(sim.Box().Memory().Setting(2, 0x07D3), 15);
    EXPECT_EQ(sim.Box().Memory().Setting(0, 0x032B), 15);
}
