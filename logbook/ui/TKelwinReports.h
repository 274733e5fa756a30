#pragma once
// The windows of Kelwin's main window that report on the logbook, and their commands: the
// statistics window (Statistics) and the print dialog (Print). Created once at start and kept
// for the run.
//
//   TKelwinReports reports(mainWindow, diveWindows.SelectDialog());   // after the dive windows
//   reports.PrintClick();                                              // what the Print button does

#include <QPointer>
#include <QString>

class TKelvara;
class TPrintDlg;
class TSelectDialog;
class TStatistic;

class TKelwinReports {
public:
    TKelwinReports(TKelvara& main, const TSelectDialog* selectDialog);
    ~TKelwinReports();
    TKelwinReports(const TKelwinReports&) = delete;
    TKelwinReports& operator=(const TKelwinReports&) = delete;

    // The print dialog, then on OK the print job with the dive list's selection, on the system
    // printer or into a PDF file the user chooses; afterwards every window shows the dive of
    // the focused line again.
    void PrintClick();
    // The print job with the dialog's choices; false (and the reason shown) when it failed.
    bool PrintJob();

    TStatistic* Statistic() const;
    TPrintDlg* PrintDlg() const;

private:
    // The documents folder and the logbook's name with ".pdf".
    QString SuggestedPdfFile() const;

    TKelvara& m_main;
    const TSelectDialog* m_selectDialog;
    QPointer<TStatistic> m_statistic;
    QPointer<TPrintDlg> m_printDlg;
};
