#pragma once
// The transfer command of Kelwin's main window (`TransferButton` F5 and `TransferItem`),
// the serial port dialog, and the Options menu item that chooses the simulated interface
// box while the program runs. It owns the transfer window (created once at start, lives
// for the whole run) with its port, and runs the download's TTransferCommand through it.
//
//   TKelwinTransfer transfer(mainWindow);                 // at start, after the main window
//   transfer.TransferButtonClick();                       // what F5 does
//
//   TKelwinTransfer transfer(mainWindow, &virtualClock, &simPort);   // tests

#include <QAction>
#include <QPointer>
#include <memory>

#include "TComOpt.h"
#include "TKelvara.h"
#include "TTransferCommand.h"
#include "TTransferWin.h"

class IClock;
class IComPort;
class TLinkPort;

class TKelwinTransfer {
public:
    // Without clock and port the program's own: the Qt event loop's clock and the serial
    // port switch (real ports, or the simulated box while the menu item is checked).
    explicit TKelwinTransfer(TKelvara& main, IClock* clock = nullptr, IComPort* port = nullptr);
    ~TKelwinTransfer();
    TKelwinTransfer(const TKelwinTransfer&) = delete;
    TKelwinTransfer& operator=(const TKelwinTransfer&) = delete;

    void TransferButtonClick();
    // The Options menu item: the simulated box instead of the serial ports. Its dive
    // computer holds a realistic memory of dives the first time it is chosen.
    void SimBoxItemClick(bool checked);

    TTransferWin& TransferWin() { return *m_window; }
    TComOpt& ComOpt() { return *m_comOpt; }
    QAction* SimBoxItem() const { return m_simBoxItem.data(); }
    // Null when the port was given by the caller.
    TLinkPort* LinkPort() const { return m_linkPort.get(); }
    const TTransferOutcome& LastOutcome() const { return m_last; }

private:
    TKelvara& m_main;
    std::unique_ptr<IClock> m_ownClock;
    std::unique_ptr<TLinkPort> m_linkPort;
    // Children of the main window: released with it, or here when this goes first.
    QPointer<TTransferWin> m_window;
    QPointer<TComOpt> m_comOpt;
    QPointer<QAction> m_simBoxItem;
    QPointer<TKelvara> m_mainAlive;
    TTransferCommand m_command;
    TTransferOutcome m_last;
};
