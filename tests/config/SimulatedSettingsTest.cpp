// The settings side of the simulated dive computer.
#include <gtest/gtest.h>

#include "SimulatedSettings.h"
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
