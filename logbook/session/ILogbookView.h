#pragma once
// What a logbook session has the window that shows it do when the logbook, its dive list
// or its name change. Kelwin's main window implements it with its dive list; tests with a
// record of the calls.

#include <QString>
#include <cstddef>
#include <vector>

class TDiveCollection;

class ILogbookView {
public:
    virtual ~ILogbookView() = default;

    // The current dive is let go because it is deleted or its logbook replaced; the windows
    // showing it drop it at once.
    virtual void ReleaseCurrent() = 0;
    // The session holds another logbook object (New, Open, a restored copy).
    virtual void LogbookReplaced(TDiveCollection& logbook) = 0;
    // Refills the dive list and selects line `line` (clamped to the logbook).
    virtual void FillDiveList(int line) = 0;
    // Selects line `line`, also keeping the other selected lines when asked.
    virtual void SelectLine(int line, bool alsoKeepOthers) = 0;
    // Makes the dive at `line` current (none outside the logbook) and tells the windows.
    virtual void MakeCurrent(int line) = 0;
    // The same, and the windows show the dive again even if it was current already (its
    // fields changed).
    virtual void ShowCurrentAgain(int line) = 0;
    // Selects exactly the lines marked true.
    virtual void SelectLines(const std::vector<bool>& lines) = 0;
    // The selected lines, ascending.
    virtual std::vector<std::size_t> SelectedIndices() const = 0;
    // The logbook's name changed (the window's caption shows it).
    virtual void LogbookNameChanged(const QString& name) = 0;
};
