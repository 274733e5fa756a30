#pragma once
// What the protocol core shows: implemented by each program's transfer window (and by
// tests that watch it). All calls come from the main thread, often inside a wait.
//
//   class TTransferWin : public QDialog, public ITransferView { ... };
//   core.SetView(this);

#include "ModalResult.h"

class ITransferView {
public:
    virtual ~ITransferView() = default;
    // Progress gauge, 0 ... 100 (Kelwin).
    virtual void SetGauge(int percent) { (void)percent; }
    // Countdown label: the number of seconds followed by " s".
    virtual void SetCountdown(int seconds) { (void)seconds; }
    // Status panel: the found text (message number of the program's table) followed by
    // the decimal COM number.
    virtual void ShowFound(int messageNo, int com) {
        (void)messageNo;
        (void)com;
    }
    // Dive choice group enabled (Kelwin).
    virtual void SetChoiceEnabled(bool enabled) { (void)enabled; }
    // The window result was set; a shown window ends its modal run with it.
    virtual void ResultSet(ModalResult result) { (void)result; }
};
