#pragma once
// The tissue data window: the saturation of the eight compartments as bars (fastest on
// the left), red while a compartment takes up gas, bright green while it releases or holds,
// magenta above 100 % of its tolerated pressure.
//
//   TTissData tissue(&main, settings);   // then as every TCompanionWindow
//   tissue.ShowPoint(i);

#include <array>

#include "TCompanionWindow.h"

class TBarGauge;

class TTissData : public TCompanionWindow {
    Q_OBJECT
public:
    TTissData(QWidget* parent, SettingsRecord& settings);

    void ShowPoint(int i) override;
    const TissueReadings& Readings() const { return m_readings; }
    TBarGauge* Bar(int j) const { return m_bars[static_cast<std::size_t>(j)]; }

private:
    std::array<TBarGauge*, 8> m_bars{};
    TissueReadings m_readings;
};
