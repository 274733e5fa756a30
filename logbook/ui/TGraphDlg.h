#pragma once
// The profile window: a child window of the main window that shows the current dive's
// depth profile with a cursor, and replays the profile through the tissue model in the
// program's idle time, one point per turn, recolouring the depth line from grey to white.
// At the last point it stores the dive's analysis (Analysed, StopInfo). Without a dive that
// has a profile it saves its placement, leaves the main window's child area and hides.
//
//   TGraphDlg graph(*main.MdiArea(), settings, tables, main.IdleHook());
//   graph.UpdateCompanions = [&](int point) { tissue.ShowPoint(point); ... };
//   graph.ProfileWindowStateChanged = [&](bool shown, bool minimised) { ... };
//   main.AddCurrentDiveListener([&](TDiveRec* d) { graph.ShowDive(d); });
//   main.SetProfileKeyHandler([&](int key, Qt::KeyboardModifiers m) { graph.CursorKey(key, m); });
//
// The chart is drawn once into a picture; a cursor move repaints only the strips of the old
// and the new cursor line, and a replay step only its new segment.

#include <QImage>
#include <QMdiSubWindow>
#include <QPointer>
#include <functional>
#include <memory>

#include "DiveProfile.h"
#include "ProfilePlot.h"
#include "TIdleHook.h"

class QLabel;
class QMdiArea;
class QScrollBar;
class TDiveRec;
class TParameterTables;
class TTissueModel;
struct SettingsRecord;

class TGraphDlg : public QMdiSubWindow {
    Q_OBJECT
public:
    // Height of the readout panel over the chart.
    static constexpr int kPanelHeight = 25;
    // Gap between the chart's rectangle and the window's client edges.
    static constexpr int kChartGap = 10;

    TGraphDlg(QMdiArea& area, SettingsRecord& settings, TParameterTables& tables, TIdleHook& idle);
    ~TGraphDlg() override;

    // Called with the cursor's point index whenever the companion windows must show it: the
    // cursor moved, the replay reached the cursor, the dive changed. Only while a dive with
    // a profile is shown.
    std::function<void(int point)> UpdateCompanions;
    // The profile window was shown, hidden, minimised or restored.
    std::function<void(bool shown, bool minimised)> ProfileWindowStateChanged;
    // The replay stored the dive's analysis; the data window shows the dive again.
    std::function<void(TDiveRec* dive)> DiveAnalysed;
    // A failure the user must see (a parameter table went missing); a message box when unset.
    std::function<void(const QString& text)> ReportError;

    // The decoded profile of the dive shown, with the model columns the replay has filled.
    const DiveProfile& Profile() const { return *m_profile; }
    int CursorIndex() const { return m_plot.CursorIndex; }
    // Points the replay has reached: 0 before the first step, Count + 1 at the end.
    int ReplayedCount() const;
    const TDiveRec* Dive() const { return m_dive; }
    const TTissueModel& Model() const { return *m_model; }
    const ProfilePlot& Plot() const { return m_plot; }
    bool Replaying() const;
    // True while the window is out of the main window (no dive with a profile).
    bool TakenOut() const { return m_takenOut; }

    // Binds the window to a dive (the main window's current dive) or, without a dive that
    // has a profile, takes it out of the main window.
    void ShowDive(TDiveRec* dive);
    // The Profile command: shown, restored when minimised, keyboard focus on the scroll bar.
    void ShowWindow();
    // Moves the cursor to a point; an index outside 0..Count leaves it where it is.
    bool MoveCursor(int index);
    // The cursor keys of the window and of the dive list: Left/Right one point, Ctrl+Left/
    // Ctrl+Right three, Home/End the first and last point. True when the key is one of them.
    bool CursorKey(int key, Qt::KeyboardModifiers modifiers);
    // One idle turn of the replay; true while points remain.
    bool ReplayTurn();

    QLabel* GrPanel() const { return m_panel; }
    QScrollBar* Scroller() const { return m_scroller; }
    // The client area the chart is drawn on.
    QWidget* Chart() const { return m_client; }
    // The chart's rectangle in the client area (left, top, width, height).
    QRect PlotArea() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    class TClient;
    friend class TClient;

    void FormCreate();
    void FormPaint(QPainter& painter, const QRegion& region);
    void FormResize();
    void FormClick();
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void FormMouseDown(int x);
    void FormMouseMove(int x);
    void FormMouseUp();

    void RenderChart();
    void NotifyCompanions();
    void NotifyState();
    void FinishReplay();
    void KeepPlacement();
    void TakeOut();
    void BringBack();
    void StateChanged(Qt::WindowStates oldState, Qt::WindowStates newState);
    void ShowError(const QString& text);

    QMdiArea& m_area;
    SettingsRecord& m_settings;
    // The main window's hook; it may be gone first when the main window is destroyed.
    QPointer<TIdleHook> m_idle;
    std::unique_ptr<DiveProfile> m_profile;
    std::unique_ptr<TTissueModel> m_model;
    ProfilePlot m_plot;
    TDiveRec* m_dive = nullptr;
    bool m_modelReady = false;
    bool m_stepping = false;
    bool m_dragging = false;
    bool m_takenOut = false;
    bool m_restoring = false;
    bool m_destroying = false;
    bool m_chartDirty = true;
    bool m_keyNoticePending = false;
    QImage m_chart;               // the chart without cursor, as last drawn
    QWidget* m_client = nullptr;  // a TClient
    QLabel* m_panel = nullptr;
    QScrollBar* m_scroller = nullptr;
};
