#pragma once
// The transfer window as the transfer command drives it: Kelwin's modal TTransferWin,
// or the protocol core alone (TCoreDownloadWindow) in `kvlog download` and in tests.
//
//   if (!win.FindInterface(settings.InterfacePort, settings.RaiseRts)) ... message 48
//   win.SendRequest(choice, reference);
//   ModalResult r = win.ShowModal(choice);   // the user may still switch the choice

#include <cstdint>
#include <span>

#include "DiveRequest.h"
#include "ModalResult.h"

class IDownloadWindow {
public:
    virtual ~IDownloadWindow() = default;
    // Searches the interface box (the port setting decides which ports are tried) and
    // leaves its port open; an AUTO search updates `interfacePort`.
    virtual bool FindInterface(std::uint16_t& interfacePort, bool raiseRts) = 0;
    // Sends the dive request for the choice; the window keeps `reference` for the
    // requests it sends again when the user switches the choice.
    virtual void SendRequest(TDiveChoice choice, std::uint32_t reference) = 0;
    // Runs the window modally with `choice` selected until one of its results; `choice`
    // receives the item selected at the end. The port is closed afterwards.
    virtual ModalResult ShowModal(TDiveChoice& choice) = 0;
    // The NAK limit was reached.
    virtual bool Failed() const = 0;
    // The bytes of the memory image received so far.
    virtual std::span<const std::uint8_t> Image() const = 0;
};
