#pragma once
// The logbook program's transfer command without its windows: numbering check, search
// of the interface box, the dive request, the modal transfer window, the evaluation of
// its result, ImportDives and the sort. The main window (F5 / Transfer) and
// `kvlog download` run the same code with their own window and prompts.
//
//   TTransferCommand cmd;
//   TTransferOutcome o = cmd.Run(ready, logbook, settings, window, prompts, clockNow);
//   if (o.Modified) Modified = true;   if (o.RebuildList) { FillDiveList(last); MakeCurrent(last); }

#include <QDateTime>
#include <cstdint>
#include <functional>
#include <optional>

#include "IDownloadPrompts.h"
#include "IDownloadWindow.h"
#include "ImportDives.h"
#include "TDiveCollection.h"

// The settings the transfer uses and keeps (Kelwin's settings record).
struct TDownloadSettings {
    std::uint16_t InterfacePort = 0;
    bool RaiseRts = false;
    std::uint8_t DiveChoice = 0;  // 0 only newer dives, 1 all dives
};

struct TTransferOutcome {
    bool Ran = false;             // false: a transfer was running, or start-up has not finished
    bool Renumbered = false;      // the numbering check renumbered the logbook
    bool Modified = false;        // the logbook changed (renumbering, dives, serial, start number)
    bool RebuildList = false;     // the list is to be rebuilt and its last dive selected
    ModalResult Result = mrNone;  // mrNone when the window was never shown
    std::optional<int> Message;   // the message the evaluation showed, if any
    TImportReport Import;
};

class TTransferCommand {
public:
    // `now` gives the local date and time when the reply is evaluated (the download's
    // "now" that dates the dives).
    TTransferOutcome Run(bool ready, TDiveCollection& logbook, TDownloadSettings& settings,
                         IDownloadWindow& window, IDownloadPrompts& prompts,
                         const std::function<QDateTime()>& now);

    bool Busy() const { return m_busy; }

private:
    bool m_busy = false;
};
