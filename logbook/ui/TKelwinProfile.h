#pragma once
// The profile window of Kelwin's main window and what connects it: the Profile command
// (menu item and tool button, enabled while the current dive has a profile), the current
// dive, the dive list's cursor keys and the idle-time replay. When the replay has stored a
// dive's analysis the data window shows the dive again.
//
//   TKelwinProfile profile(mainWindow, tables, dataWindow);   // after the dive windows
//   profile.GraphDlg()->UpdateCompanions = [&](int point) { ... };

#include <QPointer>

class TDispDlg;
class TGraphDlg;
class TKelvara;
class TParameterTables;

class TKelwinProfile {
public:
    TKelwinProfile(TKelvara& main, TParameterTables& tables, TDispDlg* dataWindow);
    ~TKelwinProfile();
    TKelwinProfile(const TKelwinProfile&) = delete;
    TKelwinProfile& operator=(const TKelwinProfile&) = delete;

    // The Profile command: the window shown and restored, the focus on its scroll bar.
    void ProfileClick();

    TGraphDlg* GraphDlg() const;

private:
    QPointer<TGraphDlg> m_graph;
};
