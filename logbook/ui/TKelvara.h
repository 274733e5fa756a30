#pragma once
// Kelwin's main window: a frame holding the other windows (the MDI area), the tool bar
// with its clock, and on the left the dive list of the open logbook. It shows a logbook
// session (TLogbookSession: the logbook, the current dive, the "unsaved changes" state and
// the logbook commands) and runs the session's commands from its menus and tool bar.
//
//   TKelvara main(settings, paths);            // prompts: message boxes and file dialogs
//   main.RestoreFromSettings();                 // placement, caption, marks, clock
//   main.LoadStartLogbook();                    // LogbookName, last dive current
//   main.show();
//
// Windows of other parts plug in without changing the commands:
//   main.SetCommandHandler(ECommand::Edit, [&] { EditDive(); });  // enables the command
//   main.AddCurrentDiveListener([&](TDiveRec* dive) { dataWindow.ShowDive(dive); });
//   main.RegisterPlacedWindow(&SettingsRecord::DataPlacement, dataSubWindow);
// A command without a handler stays disabled.

#include <QMainWindow>
#include <QString>
#include <QTimer>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "IKelwinPrompts.h"
#include "ILogbookView.h"
#include "SettingsRecord.h"
#include "TFileDialogSettings.h"
#include "TIdleHook.h"
#include "TLogbookSession.h"

class QAction;
class QLabel;
class QListView;
class QMdiArea;
class QMenu;
class QToolBar;
class TDiveCollection;
class TDiveListModel;
class TDiveRec;
class TOptions;
class TRecoveryKeeper;
class TStartDlg;
class TWidgetCaptions;

// Every command of the menus and the tool bar.
enum class ECommand {
    New,
    Open,
    Save,
    SaveAs,
    Import,
    Export,
    Renumber,
    Print,
    Exit,
    Transfer,
    Insert,
    Delete,
    Edit,
    Statistics,
    Select,
    TimeZone,
    DiveList,
    Data,
    Profile,
    DiveComputer,
    Physiological,
    Tissue,
    CountrySettings,
    SerialPort,
    Info,
};
inline constexpr int kCommandCount = 25;

// What a command needs to be enabled besides its handler.
enum class ECommandNeeds { Nothing, Dive, Profile };

class TKelvara : public QMainWindow, private ILogbookView {
    Q_OBJECT
public:
    // `settings` outlives the window. Without prompts the window asks with message boxes,
    // file dialogs and its start number dialog.
    TKelvara(SettingsRecord& settings, TKelwinPaths paths, std::unique_ptr<IKelwinPrompts> prompts = nullptr,
             QWidget* parent = nullptr);
    ~TKelvara() override;

    // Start-up: placement restored, caption from LogbookName, the marks of the three window
    // toggles from the stored states, the clock set up for the unit system.
    void RestoreFromSettings();
    // Start-up: loads LogbookName when it can be opened for reading and writing and makes
    // the last dive current. A damaged file is reported and an empty "NONAME.LOG" opened.
    // Then a recovery copy of unsaved changes left by a run that did not close is offered.
    void LoadStartLogbook();

    // The logbook state.
    TLogbookSession& Session() { return *m_session; }
    TDiveCollection& Logbook() { return m_session->Logbook(); }
    const TDiveCollection& Logbook() const { return m_session->Logbook(); }
    TDiveRec* CurrentDive() const { return m_session->CurrentDive(); }
    bool HasProfile() const { return m_session->HasProfile(); }
    bool Modified() const { return m_session->Modified(); }
    // Unsaved changes are kept in a recovery copy within 2 s; false removes the copy.
    void SetModified(bool modified);
    bool Busy() const { return m_session->Busy(); }
    void SetBusy(bool busy) { m_session->SetBusy(busy); }
    bool Ready() const { return m_session->Ready(); }
    void SetReady(bool ready) { m_session->SetReady(ready); }
    bool HandSelection() const { return m_session->HandSelection(); }
    void SetHandSelection(bool hand) { m_session->SetHandSelection(hand); }
    SettingsRecord& Settings() { return m_settings; }
    const TKelwinPaths& Paths() const { return m_paths; }
    IKelwinPrompts& Prompts() { return *m_prompts; }

    void SetLogbookName(const QString& path);
    // Refills the dive list from the logbook and selects line min(index, count - 1).
    void FillDiveList(int index) override;
    // Makes the dive at `index` current (none for an index outside the logbook).
    void MakeCurrent(int index) override;
    // Makes the dive at `index` current and tells every window to show it again even when
    // it is the same dive (after an edit or printing), without passing through "no dive".
    void ShowCurrentAgain(int index) override;
    void SelectLines(const std::vector<bool>& lines) override;
    // True while the current dive is let go because another one follows at once (Delete,
    // Open, a new logbook): windows drop the dive but need not leave or hide.
    bool ReplacingCurrent() const { return m_replacingCurrent; }
    EAnswer CloseQuery();
    // Before Insert and a transfer: asks for a start number when the numbering is broken.
    bool EnsureNumbering();

    // Selected lines of the dive list, ascending; the focused line.
    std::vector<std::size_t> SelectedIndices() const override;
    int FocusedIndex() const;
    void SelectLine(int index, bool alsoKeepOthers = false) override;

    // Commands (menu items, tool buttons, shortcuts).
    void NewClick();
    void OpenClick();
    void SaveClick();
    void SaveAsClick();
    void ImportClick();
    void ExportClick();
    void RenumberClick();
    void DeleteClick();
    void ExitClick();
    void DiveListClick();
    void InfoClick();
    void CountrySettingsClick();
    // The language dialog's OK: language and units stored, clock, captions, unit texts
    // rebuilt, pending events run, the current dive shown again.
    void ApplyOptions(int languageIndex, int unitSystem);
    // Has the windows that show values with units rebuild those texts (the edit dialog's
    // altitude list, the statistics window's units).
    void RebuildUnitTexts();
    // Sets the clock's format and width for the unit system.
    void SetupClock();

    // Plug-in points for the windows of other parts.
    void SetCommandHandler(ECommand command, std::function<void()> handler);
    bool CommandAvailable(ECommand command) const;
    void AddCurrentDiveListener(std::function<void(TDiveRec*)> listener);
    void AddUnitsChangedListener(std::function<void()> listener);
    // Called after the dive list was refilled: numbers may have changed (renumbering,
    // download, import), also those of the current dive.
    void AddDiveListFilledListener(std::function<void()> listener);
    // Keys of the dive list that move the profile cursor (Home, End, Left, Right, Ctrl+Left,
    // Ctrl+Right) go here; they are consumed either way.
    void SetProfileKeyHandler(std::function<void(int key, Qt::KeyboardModifiers modifiers)> handler);
    // The check mark of a window toggle (dive computer panel, physiological or tissue data):
    // set while that window is not minimised.
    void SetToggleMark(ECommand command, bool checked);
    // A window whose placement the settings record keeps; saved when the program closes.
    void RegisterPlacedWindow(WindowPlacement SettingsRecord::*placement, QWidget* window);
    // Replaces the open logbook (the old one is released) and shows its last dive.
    void ReplaceLogbook(std::unique_ptr<TDiveCollection> logbook);

    QAction* Action(ECommand command) const;
    QAction* Button(ECommand command) const;
    QMenu* Menu(int index) const;
    QListView* DiveList() const { return m_diveList; }
    QMdiArea* MdiArea() const { return m_mdiArea; }
    QToolBar* ToolBar() const { return m_toolBar; }
    QLabel* Clock() const { return m_clock; }
    TStartDlg* StartDlg() const { return m_startDlg; }
    TOptions* Options() const { return m_options; }
    TIdleHook& IdleHook() { return m_idleHook; }
    TRecoveryKeeper& Recovery() { return m_session->Recovery(); }
    TFileDialogSettings& OpenDialog() { return m_session->OpenDialog(); }
    TFileDialogSettings& SaveDialog() { return m_session->SaveDialog(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TCommandSlot {
        QAction* MenuItem = nullptr;
        QAction* ToolButton = nullptr;
        std::function<void()> Handler;
        ECommandNeeds MenuNeeds = ECommandNeeds::Nothing;
        ECommandNeeds ButtonNeeds = ECommandNeeds::Nothing;
    };

    void CreateMenusAndToolBar();
    void UpdateCommandStates();
    void NotifyCurrentDive();
    void DiveListCurrentChanged(int row);
    void TickClock();
    void ToggleMark(ECommand command, WindowPlacement SettingsRecord::*placement);
    // The view of the session.
    void ReleaseCurrent() override;
    void LogbookReplaced(TDiveCollection& logbook) override;
    void LogbookNameChanged(const QString& name) override;
    TCommandSlot& Slot(ECommand command) { return m_commands[static_cast<std::size_t>(command)]; }
    const TCommandSlot& Slot(ECommand command) const { return m_commands[static_cast<std::size_t>(command)]; }

    SettingsRecord& m_settings;
    TKelwinPaths m_paths;
    std::unique_ptr<IKelwinPrompts> m_prompts;
    // Declared after the prompts it asks.
    std::unique_ptr<TLogbookSession> m_session;
    bool m_filling = false;
    bool m_replacingCurrent = false;
    // Maximised or minimised state of the stored placement, applied once the window is shown.
    WindowShowState m_pendingState = WindowShowState::Normal;
    // The stored normal rectangle of a window that came up maximised or minimised: the
    // first restore returns to it (some platforms only know the rectangle of the moment
    // the window was shown).
    QRect m_restoreRect;

    std::array<TCommandSlot, kCommandCount> m_commands;
    std::vector<QMenu*> m_menus;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_clock = nullptr;
    QTimer m_clockTimer;
    QListView* m_diveList = nullptr;
    TDiveListModel* m_model = nullptr;
    QMdiArea* m_mdiArea = nullptr;
    TStartDlg* m_startDlg = nullptr;
    TOptions* m_options = nullptr;
    TIdleHook m_idleHook;
    std::unique_ptr<TWidgetCaptions> m_captions;

    std::vector<std::function<void(TDiveRec*)>> m_currentDiveListeners;
    std::vector<std::function<void()>> m_unitsChangedListeners;
    std::vector<std::function<void()>> m_listFilledListeners;
    std::function<void(int, Qt::KeyboardModifiers)> m_profileKeys;
    std::vector<std::pair<WindowPlacement SettingsRecord::*, QWidget*>> m_placedWindows;
};
