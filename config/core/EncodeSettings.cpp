#include "EncodeSettings.h"

#include "BreathWarning.h"
#include "ModelClass.h"
#include "SettingsTexts.h"

namespace {

std::uint8_t Byte(int v) { return static_cast<std::uint8_t>(v & 0xFF); }

}  // namespace

TSettingsValues ValuesOfPositions(const TCfPositions& p) {
    TSettingsValues v;
    v.U = p.Units;
    v.B = p.Buzzer;
    v.R = ReserveBar(p.Res);
    v.W = BreathCodeOfPosition(p.Lung);
    v.P = 15 - p.PpO2;
    v.T = 15 - p.TIniO2;
    v.K = 3 - p.VO2Limit;
    v.S = p.SensVO2;
    return v;
}

std::array<TWriteEntry, 13> WriteEntries(const TSettingsValues& v, std::uint8_t modelCode) {
    const bool scr = IsScrModel(modelCode);
    const int flags = v.U + 2 * v.B + (scr ? (v.K * 4 + v.S) * 16 : 0);
    return {{
        {Byte(v.U * 4 + 8), 0, 0x0174},
        {Byte(v.U + 2 * v.B), 0, 0x031E},
        {Byte(flags), 2, 0x07D2},
        {Byte(v.R & 0x0F), 0, 0x02C0},
        {Byte(v.R >> 4), 0, 0x02C1},
        {Byte(v.R), 2, 0x07DE},
        {Byte(v.W & 0x0F), 0, 0x02E2},
        {Byte(v.W >> 4), 0, 0x02E3},
        {Byte(v.W), 2, 0x07EB},
        {Byte(v.P), 0, static_cast<std::uint16_t>(scr ? 0x0329 : 0x032B)},
        {Byte(v.P + (scr ? v.T * 16 : 0)), 2, 0x07D3},
        {Byte(v.T), 0, 0x0349},
        {Byte(v.K * 4 + v.S), 0, 0x0350},
    }};
}

std::vector<TWriteEntry> WriteListEntries(const TSettingsValues& v, std::uint8_t modelCode) {
    const auto e = WriteEntries(v, modelCode);
    std::vector<TWriteEntry> list = {e[0], e[1], e[2]};
    if (IsBreathModel(modelCode)) list.insert(list.end(), e.begin() + 3, e.begin() + 9);
    if (IsNitroxModel(modelCode)) {
        list.push_back(e[9]);
        list.push_back(e[10]);
    } else {
        TWriteEntry fixed = e[10];
        fixed.Value = 6;
        list.push_back(fixed);
    }
    if (IsScrModel(modelCode)) {
        list.push_back(e[11]);
        list.push_back(e[12]);
    }
    return list;
}

std::vector<std::uint8_t> EncodeSettings(const TCfPositions& positions, std::uint8_t modelCode) {
    std::vector<std::uint8_t> bytes;
    for (const TWriteEntry& e : WriteListEntries(ValuesOfPositions(positions), modelCode)) {
        bytes.push_back(e.Value);
        bytes.push_back(e.Area);
        bytes.push_back(static_cast<std::uint8_t>(e.Address & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(e.Address >> 8));
    }
    return bytes;
}
