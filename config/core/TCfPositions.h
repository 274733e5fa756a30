#pragma once
// What the settings window's controls hold: the two radio groups and the six scroll
// bars. The block decoder fills it from a read, the encoder makes a write list of it.
//
//   TCfPositions pos = DecodeSettingsBlock(block).Positions;
//   pos.Res = 10;                       // 50 bar
//   auto list = EncodeSettings(pos, block.ModelCode());

struct TCfPositions {
    // Ranges of the scroll bars.
    static constexpr int kResMax = 14;
    static constexpr int kLungMax = 24;
    static constexpr int kPpO2Max = 15;
    static constexpr int kTIniO2Max = 15;
    static constexpr int kVO2LimitMax = 3;
    static constexpr int kSensVO2Max = 3;

    int Units = 0;     // 0 metric, 1 imperial
    int Buzzer = 0;    // 0 off, 1 on
    int Res = 0;       // tank reserve: 30 + 5 * (14 - Res) bar
    int Lung = 12;     // breath warning, 0 insensitive ... 24 sensitive
    int PpO2 = 0;      // pO2 max: 1.20 + 0.05 * (15 - PpO2) bar
    int TIniO2 = 0;    // premix reset: code 15 - TIniO2
    int VO2Limit = 0;  // work load: code 3 - VO2Limit
    int SensVO2 = 0;   // SCR sensitivity

    bool operator==(const TCfPositions&) const = default;
};
