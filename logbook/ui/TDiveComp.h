#pragma once
// The dive computer panel: what the dive computer's display showed at the point, laid out
// like that display. Depth, dive time and maximum depth always; once the replay has
// reached the point also the no-stop time, or the required stop with its depth, stop time
// and total ascent time; for nitrox computers (families A and F) the oxygen toxicity and
// a lower row with the oxygen percentage and partial pressure.
//
//   TDiveComp panel(&main, settings);   // then as every TCompanionWindow
//   panel.ShowPoint(i);

#include "TCompanionWindow.h"

class QFrame;
class QLabel;
class TPictureBox;

class TDiveComp : public TCompanionWindow {
    Q_OBJECT
public:
    TDiveComp(QWidget* parent, SettingsRecord& settings);

    void ShowPoint(int i) override;
    const PanelReadings& Readings() const { return m_readings; }

private:
    void ApplyLayout(bool compact);
    void SetTop(QWidget* control, int top);

    QFrame* m_panel = nullptr;
    QLabel* m_depth = nullptr;
    QLabel* m_time = nullptr;
    QLabel* m_max = nullptr;
    QLabel* m_deco = nullptr;
    QLabel* m_asc = nullptr;
    QLabel* m_level = nullptr;
    QLabel* m_oTox = nullptr;
    QLabel* m_o2 = nullptr;
    QLabel* m_o2Label = nullptr;
    QLabel* m_pO2Label = nullptr;
    TPictureBox* m_nostopImg = nullptr;
    TPictureBox* m_decoStopImg = nullptr;
    TPictureBox* m_ascImg = nullptr;
    TPictureBox* m_cnsImg = nullptr;
    TPictureBox* m_mImg = nullptr;
    TPictureBox* m_ftImg = nullptr;
    QFrame* m_line = nullptr;
    PanelReadings m_readings;
};
