#pragma once
// The data window: a read-only child window of the main window that always shows the
// current dive, titled "Data Dive 12". Without a current dive it saves its placement,
// leaves the main window's child area and hides; the next dive brings it back at that
// placement. It is at most 532 x 390 pixels and is never maximised.
//
//   TDispDlg data(*main.MdiArea(), settings, editDlg);   // list texts from the edit dialog
//   main.AddCurrentDiveListener([&](TDiveRec* d) { data.ShowDive(d); });

#include <QMdiSubWindow>
#include <memory>

class QLabel;
class QMdiArea;
class QPlainTextEdit;
class TDiveRec;
class TEditDlg;
class TWidgetCaptions;
struct SettingsRecord;

class TDispDlg : public QMdiSubWindow {
    Q_OBJECT
public:
    static constexpr int kMaxWidth = 532;
    static constexpr int kMaxHeight = 390;

    TDispDlg(QMdiArea& area, SettingsRecord& settings, const TEditDlg& lists);
    ~TDispDlg() override;

    void ShowDive(const TDiveRec* dive);
    // Lets go of the dive without leaving the main window (another dive follows at once).
    void ForgetDive() { m_dive = nullptr; }
    // "Data Dive 12" for the dive shown; its number may have changed.
    void ShowTitle();
    const TDiveRec* Dive() const { return m_dive; }
    // True while the window is out of the main window (no current dive).
    bool TakenOut() const { return m_takenOut; }
    // The Data command: shown, and restored when minimised.
    void ShowWindow();

    QLabel* Value(const QString& name) const;  // vDate, vImmers, ...
    QPlainTextEdit* VRemarks() const { return m_remarks; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void KeepPlacement();
    // Into the main window at the saved placement and state.
    void ComeBack();
    void StateChanged(Qt::WindowStates oldState, Qt::WindowStates newState);

    QMdiArea& m_area;
    SettingsRecord& m_settings;
    const TEditDlg& m_lists;
    const TDiveRec* m_dive = nullptr;
    bool m_takenOut = false;
    bool m_restoring = false;
    QPlainTextEdit* m_remarks = nullptr;
    std::unique_ptr<TWidgetCaptions> m_captions;
};
