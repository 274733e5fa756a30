#pragma once
// The port choice dialog of both programs: drop-down list `ComPort` with "AUTO" and
// one "COM%d" item per port found at start (the device file beside it), OK and Cancel.
// OK stores the chosen port as the fixed port of InterfacePort (high byte, 0 = AUTO) and,
// in Kelwin, the never visible check box `AppleTalk` in RaiseRts.
//
//   TComOpt dlg(transferWin.Core().Com(), TTransferVariant::Kelwin, mainWindow);  // at start
//   dlg.Execute(settings.InterfacePort, &settings.RaiseRts);                     // menu command

#include <cstdint>

#include "TOkCancelDialog.h"
#include "TPortChoice.h"
#include "TTransferConfig.h"

class IComPort;
class QCheckBox;
class QComboBox;

class TComOpt : public TOkCancelDialog {
    Q_OBJECT
public:
    TComOpt(IComPort& port, TTransferVariant variant, QWidget* parent = nullptr);

    // Enumerates the ports and fills the list (done once by the constructor).
    void FormCreate();
    // Shows the setting, runs the dialog modally; on OK stores and returns true.
    bool Execute(std::uint16_t& interfacePort, bool* raiseRts = nullptr);
    // The steps of Execute without the modal run (for the windows' tests).
    void ShowSetting(std::uint16_t interfacePort, bool raiseRts);
    void StoreSetting(std::uint16_t& interfacePort, bool* raiseRts) const;

    QComboBox* ComPort() const { return m_comPort; }
    QCheckBox* AppleTalk() const { return m_appleTalk; }
    const TPortChoice& Choice() const { return m_choice; }

private:
    IComPort& m_port;
    TTransferVariant m_variant;
    TPortChoice m_choice;
    QComboBox* m_comPort;
    QCheckBox* m_appleTalk;
};
