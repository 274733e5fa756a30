#include "SimulatedSettings.h"

#include "TeswinCommand.h"

std::uint8_t SimModelCode(TSimModel model) {
    switch (model) {
        case TSimModel::Breath:
            return 0x04;
        case TSimModel::Nitrox:
            return 0xF1;
        case TSimModel::Scr:
            break;
    }
    return 0xA4;
}

void LoadSimulatedSettings(TSimMemory& m, TSimModel model) {
    constexpr int area = 2;
    const std::uint32_t serial = m.Serial & 0xFFFFFF;
    const int dives = 123;
    m.SetSetting(area, 0x07BC, SimModelCode(model));
    // Metric, buzzer on, sensitivity code 2, work-load code 2 (high).
    m.SetSetting(area, 0x07D2, 0x02 | (2 << 4) | (2 << 6));
    m.SetSetting(area, 0x07DE, 50);
    m.SetSetting(area, 0x07EB, 52);
    m.SetSetting(area, 0x07D3, 0x36);
    m.SetSetting(area, 0x07F3, static_cast<std::uint8_t>(dives & 0xFF));
    m.SetSetting(area, 0x07F2, static_cast<std::uint8_t>(dives >> 8));
    m.SetSetting(area, 0x07F0, 230);
    m.SetSetting(area, 0x07F1, 0);
    m.SetSetting(area, 0x07EF, 0x11);
    m.SetSetting(area, 0x07EE, 0x22);
    m.SetSetting(area, 0x07ED, static_cast<std::uint8_t>(serial & 0xFF));
    m.SetSetting(area, 0x07F4, static_cast<std::uint8_t>((serial >> 8) & 0xFF));
    m.SetSetting(area, 0x07F5, static_cast<std::uint8_t>(serial >> 16));
    for (std::uint16_t a = 0x07F6; a <= 0x07FB; ++a)
        m.SetSetting(area, a, static_cast<std::uint8_t>(a & 0x0F));
}

void CompleteSimulatedSettings(TSimMemory& memory) {
    TSimMemory defaults;
    defaults.Serial = memory.Serial;
    LoadSimulatedSettings(defaults, TSimModel::Scr);
    for (std::uint16_t address : kReadAddresses)
        if (!memory.Settings().count({2, address}))
            memory.SetSetting(2, address, defaults.Setting(2, address));
}
