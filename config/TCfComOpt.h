#pragma once
// The port choice dialog: "AUTO" and the COM ports found at start, OK and Cancel. OK
// stores the chosen port as the fixed port of InterfacePort (high byte; 0 = AUTO).
//
//   TCfComOpt dlg(port, this);
//   dlg.Execute(settings.InterfacePort);

#include <QDialog>
#include <cstdint>

#include "TPortChoice.h"

class IComPort;
class QComboBox;

class TCfComOpt : public QDialog {
    Q_OBJECT
public:
    TCfComOpt(IComPort& port, QWidget* parent = nullptr);
    // Shows the dialog modally; true (and interfacePort changed) on OK.
    bool Execute(std::uint16_t& interfacePort);
    QComboBox* ComPort() const { return m_combo; }
    const TPortChoice& Choice() const { return m_choice; }

private:
    TPortChoice m_choice;
    QComboBox* m_combo;
};
