#pragma once
// The configuration tool's transfer window: the link protocol core in its Teswin
// configuration, shown modally while a command's reply comes in. Cancel button
// CancelBtn, countdown label vTimeout, status panel ComPanel; no close box; the caption
// is set by each command. The countdown runs from the window's creation.
//
//   TCfTransferWin win(clock, port, this);
//   win.Core().FindInterface(settings.InterfacePort);
//   win.Core().SendCommand(packet);
//   ModalResult r = win.ShowModal();

#include <QDialog>
#include <memory>

#include "ITransferView.h"
#include "ModalResult.h"

class IClock;
class IComPort;
class QLabel;
class QPushButton;
class TTransferCore;

class TCfTransferWin : public QDialog, public ITransferView {
    Q_OBJECT
public:
    TCfTransferWin(IClock& clock, IComPort& port, QWidget* parent = nullptr);
    ~TCfTransferWin() override;

    TTransferCore& Core() { return *m_core; }
    // Shows the window modally until the core sets a result.
    ModalResult ShowModal();

    QLabel* vTimeout() const { return m_timeout; }
    QLabel* ComPanel() const { return m_comPanel; }
    QPushButton* CancelBtn() const { return m_cancel; }

    // ITransferView
    void SetCountdown(int seconds) override;
    void ShowFound(int messageNo, int com) override;
    void ResultSet(ModalResult result) override;

protected:
    void reject() override;  // Escape: the same as Cancel

private:
    std::unique_ptr<TTransferCore> m_core;
    QLabel* m_timeout;
    QLabel* m_comPanel;
    QPushButton* m_cancel;
};
