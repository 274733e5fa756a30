#pragma once
// The transfer window of the download without a screen: the protocol core alone, run
// modally on its clock. `kvlog download` and the tests use it; Kelwin's TTransferWin
// does the same with a window around the core.
//
//   TTransferCore core(clock, port, TTransferConfig::Kelwin());
//   TCoreDownloadWindow win(core);
//   cmd.Run(true, logbook, settings, win, prompts, now);

#include <cstdint>
#include <span>

#include "IDownloadWindow.h"
#include "TTransferCore.h"

// Waits 2 ms, then sends the dive request for the choice from the start of the core's
// image buffer and waits for the ACK; armed is cleared and image and receiver reset.
void SendRequest(TTransferCore& core, TDiveChoice choice, std::uint32_t reference);

class TCoreDownloadWindow : public IDownloadWindow {
public:
    explicit TCoreDownloadWindow(TTransferCore& core) : m_core(core) {}

    bool FindInterface(std::uint16_t& interfacePort, bool raiseRts) override;
    void SendRequest(TDiveChoice choice, std::uint32_t reference) override;
    ModalResult ShowModal(TDiveChoice& choice) override;
    bool Failed() const override { return m_core.Failed(); }
    std::span<const std::uint8_t> Image() const override;

    // The user selects the other item of the choice group (only possible until the
    // first packet of the reply; post it on the clock to do so while the window runs): probe the open port
    // again without searching and send the request for the new choice, whatever the probe gave.
    void DivesClick(TDiveChoice choice);

private:
    TTransferCore& m_core;
    std::uint16_t m_interfacePort = 0;
    bool m_raiseRts = false;
    std::uint32_t m_reference = 0;
    TDiveChoice m_choice = TDiveChoice::OnlyNewer;
};
