#pragma once
// The three companion windows of the profile window, created once at start in the order
// tissue data, physiological data, dive computer panel, with their window toggles in the
// main window's "Window" menu and tool bar. The profile window drives them:
//
//   TKelwinCompanions companions(mainWindow);
//   companions.ConnectProfileWindow(*graph);   // or, without the profile window:
//   companions.SetSource([&] { return CompanionInput{&profile, replayed, dive, units}; });
//   companions.FollowProfileWindow(shown, minimised);   // opening, closing, minimising
//   companions.UpdateCompanions(cursor);                  // tissue, physiological, panel

#include <QPointer>
#include <functional>

#include "CompanionReadings.h"

class TDiveComp;
class TFaktData;
class TGraphDlg;
class TKelvara;
class TTissData;
class TCompanionWindow;

class TKelwinCompanions {
public:
    explicit TKelwinCompanions(TKelvara& main);
    ~TKelwinCompanions();
    TKelwinCompanions(const TKelwinCompanions&) = delete;
    TKelwinCompanions& operator=(const TKelwinCompanions&) = delete;

    // The profile window's profile, replay and dive become the windows' source; its cursor
    // updates them and its showing, hiding and minimising moves them.
    void ConnectProfileWindow(TGraphDlg& graph);
    void SetSource(const std::function<CompanionInput()>& source);
    // Point i in every window, in the order tissue data, physiological data, panel.
    void UpdateCompanions(int i);
    // Shown while the profile window is shown and not minimised, hidden otherwise.
    void FollowProfileWindow(bool shown, bool minimised);

    // The window toggles.
    void DiveComputerClick();
    void PhysiologicalClick();
    void TissueClick();

    TTissData* Tissue() const;
    TFaktData* Physio() const;
    TDiveComp* Panel() const;

private:
    TKelvara& m_main;
    QPointer<TTissData> m_tissue;
    QPointer<TFaktData> m_physio;
    QPointer<TDiveComp> m_panel;
    QPointer<TGraphDlg> m_graph;
};
