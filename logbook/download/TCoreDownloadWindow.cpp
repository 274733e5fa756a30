#include "TCoreDownloadWindow.h"

#include <algorithm>

void SendRequest(TTransferCore& core, TDiveChoice choice, std::uint32_t reference) {
    const auto request = BuildDiveRequest(RequestReference(choice, reference));
    core.SendCommand(request);
}

bool TCoreDownloadWindow::FindInterface(std::uint16_t& interfacePort, bool raiseRts) {
    m_raiseRts = raiseRts;
    const bool found = m_core.FindInterface(interfacePort, true, raiseRts);
    m_interfacePort = interfacePort;
    return found;
}

void TCoreDownloadWindow::SendRequest(TDiveChoice choice, std::uint32_t reference) {
    m_choice = choice;
    m_reference = reference;
    ::SendRequest(m_core, choice, reference);
}

ModalResult TCoreDownloadWindow::ShowModal(TDiveChoice& choice) {
    const ModalResult result = m_core.RunModal();
    m_core.FormClose();
    choice = m_choice;
    return result;
}

std::span<const std::uint8_t> TCoreDownloadWindow::Image() const {
    return m_core.Image().first(std::min<std::size_t>(m_core.ReceivedCount(), m_core.Image().size()));
}

void TCoreDownloadWindow::DivesClick(TDiveChoice choice) {
    if (choice == m_choice) return;
    m_core.SetShowProgress(false);
    m_core.Com().TakeError();
    m_core.FindInterface(m_interfacePort, false, m_raiseRts);
    SendRequest(choice, m_reference);
}
