#include "SettingsDecoder.h"

#include <algorithm>

#include "BreathWarning.h"
#include "ModelClass.h"

QString CfTitle(std::uint32_t serialNumber) {
    return QString::fromLatin1(kCfCaption) + QStringLiteral(" [") +
           QStringLiteral("%1").arg(serialNumber & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper() +
           QStringLiteral("]");
}

TBlockView DecodeSettingsBlock(const TSettingsBlock& b) {
    TBlockView v;
    v.Title = CfTitle(b.SerialNumber());
    TCfPositions& p = v.Positions;
    p.Units = b.UnitSystem();
    p.Buzzer = b.Buzzer();
    p.Res = std::clamp(14 - (b.TankReserveBar() - 30) / 5, 0, TCfPositions::kResMax);
    p.Lung = BreathPositionOfCode(b.BreathCode());
    p.PpO2 = 15 - b.PpO2Code();
    p.TIniO2 = 15 - b.PremixCode();
    p.VO2Limit = 3 - b.WorkLoadCode();
    p.SensVO2 = b.ScrSensitivity();
    v.Battery = b.BatteryEmpty() ? 0 : b.BatteryLevel() * 100 / 256;
    v.Dives = b.NumberOfDives();
    v.ModelCode = b.ModelCode();
    v.BreathShown = IsBreathModel(v.ModelCode);
    v.NitroxShown = IsNitroxModel(v.ModelCode);
    v.ScrShown = IsScrModel(v.ModelCode);
    v.PremixShown = v.ScrShown;
    return v;
}
