#pragma once
// The physiological data window: microbubble, cold and workload levels as bars, each the
// mean of five points around the cursor, and the gas consumption dial whose needle shows
// the litres per minute at the point (the empty dial without tank data).
//
//   TFaktData physio(&main, settings);   // then as every TCompanionWindow
//   physio.ShowPoint(i);

#include <array>

#include "TCompanionWindow.h"

class TBarGauge;
class TNeedle;
class TPictureBox;

class TFaktData : public TCompanionWindow {
    Q_OBJECT
public:
    TFaktData(QWidget* parent, SettingsRecord& settings);

    void ShowPoint(int i) override;
    const PhysioReadings& Readings() const { return m_readings; }
    TBarGauge* BubbleBar() const { return m_bubble; }
    TBarGauge* TempBar() const { return m_temp; }
    TBarGauge* WorkBar() const { return m_work; }
    TNeedle* AirCons() const { return m_needle; }
    // The dial picture now visible: 0 without scale, 1 metric, 2 imperial.
    int VisibleDial() const;

private:
    TBarGauge* m_bubble = nullptr;
    TBarGauge* m_temp = nullptr;
    TBarGauge* m_work = nullptr;
    std::array<TPictureBox*, 3> m_dials{};
    TNeedle* m_needle = nullptr;
    PhysioReadings m_readings;
};
