#pragma once
// The dive windows of Kelwin's main window and the commands that use them: the data window
// (follows the current dive), the edit dialog (Insert, Edit, double click on a list line),
// the dive type and activities dialogs they share with the selection dialog (Select), and
// the time zone dialog (Time zone). All are created once at start and live for the run.
//
//   TKelwinDiveWindows dives(mainWindow);   // after the main window, before ApplyLanguage
//   dives.InsertClick();                      // what F7 does

#include <QPointer>
#include <cstddef>

class TActivity;
class TDispDlg;
class TDiveRec;
class TDiveType;
class TEditDlg;
class TKelvara;
class TSelectDialog;
class TTimezone;

class TKelwinDiveWindows {
public:
    explicit TKelwinDiveWindows(TKelvara& main);
    ~TKelwinDiveWindows();
    TKelwinDiveWindows(const TKelwinDiveWindows&) = delete;
    TKelwinDiveWindows& operator=(const TKelwinDiveWindows&) = delete;

    void InsertClick();
    void EditClick();
    void DataClick();
    void SelectClick();
    void TimezoneClick();

    TDispDlg* DispDlg() const;
    TEditDlg* EditDlg() const;
    TDiveType* DiveType() const;
    TActivity* Activity() const;
    TSelectDialog* SelectDialog() const;
    TTimezone* Timezone() const;

private:
    // The edit dialog opens exactly over the data window.
    void PlaceEditDialog();

    TKelvara& m_main;
    QPointer<TDiveType> m_diveType;
    QPointer<TActivity> m_activity;
    QPointer<TEditDlg> m_edit;
    QPointer<TDispDlg> m_disp;
    QPointer<TSelectDialog> m_select;
    QPointer<TTimezone> m_timezone;
};
