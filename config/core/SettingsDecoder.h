#pragma once
// A settings block as the window shows it: title, control positions (clamped to their
// ranges), battery gauge, number of dives and which groups the model offers.
//
//   TBlockView v = DecodeSettingsBlock(block);
//   window.setWindowTitle(v.Title);     // "Tessoral [01E240]"

#include <QString>
#include <cstdint>

#include "TCfPositions.h"
#include "TSettingsBlock.h"

struct TBlockView {
    QString Title;
    TCfPositions Positions;
    int Battery = 0;  // 0 ... 99 percent
    int Dives = 0;
    std::uint8_t ModelCode = 0;
    bool BreathShown = false;
    bool NitroxShown = false;
    bool ScrShown = false;
    bool PremixShown = false;  // the premix reset controls, SCR models only
};

TBlockView DecodeSettingsBlock(const TSettingsBlock& block);

// Title of the window: "Tessoral", after a read "Tessoral [" + 6 hex digits + "]".
inline const char* const kCfCaption = "Tessoral";
QString CfTitle(std::uint32_t serialNumber);
