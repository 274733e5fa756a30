#pragma once
// The open logbook of Kelwin without its windows: the logbook, its current dive, the
// "unsaved changes" state with its recovery copy, and the logbook commands (New, Open,
// Save, Save as, Import, Export, Renumber, Delete, the close query). Questions go to the
// prompts, changes of the list to the view; tests drive it without a screen.
//
//   TLogbookSession session(settings, paths, prompts);
//   session.SetView(&mainWindow);
//   session.LoadStartLogbook();
//   session.Open();                 // asks to save changes, chooses, loads, shows the last dive

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "IKelwinPrompts.h"
#include "ILogbookView.h"
#include "SettingsRecord.h"
#include "TFileDialogSettings.h"

class TDiveCollection;
class TDiveRec;
class TRecoveryKeeper;
struct TSelectionCriteria;

// The folders of the run (each ends in "/").
struct TKelwinPaths {
    QString ExeDir;
    QString DataDir;
    QString DocumentsDir;
};

class TLogbookSession {
public:
    // `settings` and `prompts` outlive the session. It starts with an empty logbook.
    TLogbookSession(SettingsRecord& settings, TKelwinPaths paths, IKelwinPrompts& prompts);
    ~TLogbookSession();
    TLogbookSession(const TLogbookSession&) = delete;
    TLogbookSession& operator=(const TLogbookSession&) = delete;

    // The view is told of every change from now on; null: nobody is.
    void SetView(ILogbookView* view) { m_view = view; }

    TDiveCollection& Logbook() { return *m_logbook; }
    const TDiveCollection& Logbook() const { return *m_logbook; }
    SettingsRecord& Settings() { return m_settings; }
    const TKelwinPaths& Paths() const { return m_paths; }
    IKelwinPrompts& Prompts() { return m_prompts; }
    TRecoveryKeeper& Recovery() { return *m_recovery; }
    TFileDialogSettings& OpenDialog() { return m_openDialog; }
    TFileDialogSettings& SaveDialog() { return m_saveDialog; }

    // The current dive: null when none; the pointer stays valid until it is released.
    TDiveRec* CurrentDive() const { return m_currentDive; }
    bool HasProfile() const { return m_hasProfile; }
    // Makes the dive at `index` current (none outside the logbook); true when another dive
    // (or none) became current.
    bool SetCurrent(int index);
    // Lets the current dive go (before it is deleted or its logbook replaced); true when
    // there was one.
    bool DropCurrent();

    bool Modified() const { return m_modified; }
    // Unsaved changes are kept in a recovery copy within 2 s; false removes the copy.
    void SetModified(bool modified);
    bool Busy() const { return m_busy; }
    void SetBusy(bool busy) { m_busy = busy; }
    bool Ready() const { return m_ready; }
    void SetReady(bool ready) { m_ready = ready; }
    bool HandSelection() const { return m_handSelection; }
    void SetHandSelection(bool hand) { m_handSelection = hand; }

    // An empty path names a logbook without a name ("NONAME.LOG").
    void SetLogbookName(const QString& path);

    // Start-up: loads LogbookName when it can be opened for reading and writing and makes
    // the last dive current. A damaged file is reported and an empty "NONAME.LOG" opened.
    // Then a recovery copy of unsaved changes left by a run that did not close is offered.
    void LoadStartLogbook();
    // Replaces the open logbook (the old one is released) and shows its last dive.
    void ReplaceLogbook(std::unique_ptr<TDiveCollection> logbook);
    // Refills the dive list and makes the last dive current (after dives were added or
    // renumbered in place, e.g. by a download).
    void ShowLastDive();

    // With unsaved changes: asks whether to save them. Yes saves (Cancel when that did not
    // happen, so nothing is lost), No gives them up; without changes: No.
    EAnswer CloseQuery();
    // Before Insert and a transfer: asks for a start number when the numbering is broken;
    // false when the user cancelled.
    bool EnsureNumbering();

    // The logbook commands. Each leaves the open logbook as it was when the user cancels
    // or the file cannot be read or written, and says why in the last case.
    void New();
    void Open();
    void Save();
    void SaveAs();
    void Import();
    void Export();
    void Renumber();
    void Delete();

    // The dive commands, once their dialog was accepted (the dialogs belong to the window).
    // Insert: adds a dive entered by hand, sorted in by date and numbered, and makes it
    // current. A full logbook refuses it with a message; the first dive of a logbook asks
    // for the start number, and Cancel there takes the dive out again. False when the dive
    // was not added (the logbook is then unchanged).
    bool InsertDive(std::unique_ptr<TDiveRec> dive);
    // Edit: the dive's fields were changed. A hand-entered dive may have a new date and so
    // another place; a downloaded one keeps its place.
    void DiveEdited(TDiveRec& dive);
    // Time zone: shifts the selected dives by `minutes` (later when `later`); the number of
    // dives shifted.
    std::size_t ShiftSelected(int minutes, bool later);
    // Select: selects the dives that meet the criteria; the selection is no longer one made
    // by hand.
    void SelectDives(const TSelectionCriteria& criteria);

    // Where the open, save, import and export dialogs start.
    QString DialogFolder() const;

private:
    // Lets the current dive go, through the view when there is one.
    void Release();
    // Takes `logbook` in place of the open one, which ends after the view let go of it.
    void Adopt(std::unique_ptr<TDiveCollection> logbook);
    bool WriteLogbook(const QString& path, bool selectedOnly);
    void OfferRecovery();
    std::vector<std::size_t> Selected() const;
    void Fill(int line);
    void Show(int line);
    int IndexOf(const TDiveRec& dive) const;

    SettingsRecord& m_settings;
    TKelwinPaths m_paths;
    IKelwinPrompts& m_prompts;
    ILogbookView* m_view = nullptr;
    std::unique_ptr<TDiveCollection> m_logbook;
    // Declared after the logbook: its copies are taken of the logbook until it ends.
    std::unique_ptr<TRecoveryKeeper> m_recovery;
    TDiveRec* m_currentDive = nullptr;
    bool m_hasProfile = false;
    bool m_modified = false;
    bool m_busy = false;
    bool m_ready = false;
    bool m_handSelection = false;
    TFileDialogSettings m_openDialog;
    TFileDialogSettings m_saveDialog;
};
