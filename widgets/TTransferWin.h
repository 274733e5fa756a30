#pragma once
// The transfer window of both programs: a thin modal window over the link protocol
// core. Kelwin: caption "Tauchgänge übertragen", dive choice group `Dives`, red gauge
// `Gauge`, Cancel button `BitBtn2`, countdown label `vTimeOut`, status panel `ComPanel`,
// centred on the screen. Teswin: Cancel button `CancelBtn`, countdown label `vTimeout`,
// panel `ComPanel`, no close box, its position kept in the settings, caption set by each
// command.
//
//   TTransferWin win(clock, linkPort, TTransferVariant::Kelwin, mainWindow);   // at start
//   win.SetLinkSettings(&settings.InterfacePort, settings.RaiseRts);
//   win.SendRequest = [&](int choice) { SendDiveRequest(win.Core(), choice, reference); };
//   if (!win.Core().FindInterface(settings.InterfacePort, true, settings.RaiseRts)) ...
//   win.SendRequest(choice);
//   win.SetDiveChoice(settings.DiveChoice);
//   ModalResult r = win.ShowModal();           // DTR low and port closed afterwards
//   settings.DiveChoice = win.DiveChoice();

#include <QDialog>
#include <QPoint>
#include <cstdint>
#include <functional>
#include <memory>

#include "ITransferView.h"
#include "ModalResult.h"
#include "TTransferConfig.h"
#include "TWidgetCaptions.h"

class IClock;
class IComPort;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class TTransferCore;

class TTransferWin : public QDialog, public ITransferView {
    Q_OBJECT
public:
    TTransferWin(IClock& clock, IComPort& port, TTransferVariant variant, QWidget* parent = nullptr);
    ~TTransferWin() override;

    TTransferCore& Core() { return *m_core; }
    TTransferVariant Variant() const { return m_variant; }

    // The program's settings that a re-probe uses (Kelwin): InterfacePort and RaiseRts.
    void SetLinkSettings(std::uint16_t* interfacePort, bool raiseRts);
    // Sends the request for a dive choice (0 "only newer dives", 1 "all dives"); set by the
    // download, called again by DivesClick when the user switches the choice.
    std::function<void(int choice)> SendRequest;
    // The choice FormShow selects, and the one selected now.
    void SetDiveChoice(int choice) { m_rememberedChoice = choice; }
    int DiveChoice() const;

    // Teswin: the position kept in the settings; FormCreate places the window there and
    // FormClose stores it back.
    void SetKeptPosition(const QPoint& p);
    QPoint KeptPosition() const { return m_keptPosition; }

    // Shows the window modally until the core sets a result (at once when a result was
    // set before, such as the NAK limit while waiting for the ACK), then FormClose.
    // A window closed without a result counts as Cancel.
    ModalResult ShowModal();
    void FormClose();
    // The user chose another item of `Dives`: probe the open port again without
    // searching, send the request for the new choice whatever the probe gave, remember it.
    void DivesClick(int choice);

    // Controls.
    QGroupBox* Dives() const { return m_dives; }
    QProgressBar* Gauge() const { return m_gauge; }
    QLabel* Countdown() const { return m_countdown; }  // vTimeOut / vTimeout
    QLabel* ComPanel() const { return m_comPanel; }
    QPushButton* CancelButton() const { return m_cancel; }  // BitBtn2 / CancelBtn

    // ITransferView
    void SetGauge(int percent) override;
    void SetCountdown(int seconds) override;
    void ShowFound(int messageNo, int com) override;
    void SetChoiceEnabled(bool enabled) override;
    void ResultSet(ModalResult result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;  // Escape and the close box: Cancel

private:
    void SelectChoice(int choice);

    TTransferVariant m_variant;
    std::unique_ptr<TTransferCore> m_core;
    QGroupBox* m_dives = nullptr;
    QRadioButton* m_choiceButtons[2] = {nullptr, nullptr};
    QProgressBar* m_gauge = nullptr;
    QLabel* m_countdown = nullptr;
    QLabel* m_comPanel = nullptr;
    QPushButton* m_cancel = nullptr;
    TWidgetCaptions m_captions;
    std::uint16_t* m_interfacePort = nullptr;
    bool m_raiseRts = false;
    int m_rememberedChoice = 0;
    int m_shownChoice = 0;
    QPoint m_keptPosition;
    bool m_hasKeptPosition = false;
};
