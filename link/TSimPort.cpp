#include "TSimPort.h"

#include "LinkFraming.h"
#include "TSimScenario.h"

TSimPort::TSimPort(IClock& clock) : m_line(clock), m_box(clock, m_line) {
    m_line.SetDeviceReceiver([this](std::vector<std::uint8_t> wire) { m_box.OnWireBytes(std::move(wire)); });
    m_line.SetHostReceiver([this](std::vector<std::uint8_t> wire) { OnHostBytes(std::move(wire)); });
}

TSimPort::~TSimPort() {
    m_line.SetDeviceReceiver(nullptr);
    m_line.SetHostReceiver(nullptr);
}

void TSimPort::LoadScenario(const TSimScenario& scenario) {
    ClosePort();
    m_box.Reset();
    m_box.Memory() = scenario.Memory;
    m_box.Faults() = scenario.Faults;
    m_box.SetTiming(scenario.Timing);
}

bool TSimPort::Connected() const { return m_port != 0 && (m_boxPort == 0 || m_boxPort == m_port); }

void TSimPort::SetPort(int com) {
    m_error = false;
    ClosePort();
    if (com == 0) return;
    if (com < 1 || com > kMaxComNumber) {
        m_error = true;
        return;
    }
    m_port = com;
}

void TSimPort::ClosePort() {
    if (Connected()) {
        m_box.SetDtr(false);  // closing the port drops DTR: the box goes to sleep
        m_box.SetRts(false);
    }
    m_port = 0;
    m_rx.clear();
}

void TSimPort::OnHostBytes(std::vector<std::uint8_t> wire) {
    if (!Connected()) return;
    m_rx.insert(m_rx.end(), wire.begin(), wire.end());
    if (m_onRxChar) m_onRxChar();  // the line delivers from the event loop already
}

std::uint16_t TSimPort::ReadData(std::uint8_t* buffer, std::uint16_t count) {
    if (m_port == 0) return 0;
    std::uint16_t n = 0;
    while (n < count && !m_rx.empty()) {
        buffer[n++] = m_mirror ? MirrorByte(m_rx.front()) : m_rx.front();
        m_rx.pop_front();
    }
    if (n == 0) m_error = true;
    return n;
}

std::uint16_t TSimPort::WriteData(std::uint8_t* buffer, std::uint16_t count) {
    if (m_port == 0) return 0;
    if (m_mirror) ::MirrorBytes(std::span<std::uint8_t>(buffer, count));
    if (Connected()) m_line.SendToDevice(std::vector<std::uint8_t>(buffer, buffer + count));
    return count;
}

bool TSimPort::ClearErrors() { return m_port != 0; }

bool TSimPort::PurgeInput() {
    if (m_port == 0) return false;
    m_rx.clear();
    return true;
}

bool TSimPort::TakeError() {
    const bool e = m_error;
    m_error = false;
    return e;
}

bool TSimPort::EscapeCommFunction(LineControl function) {
    if (m_port == 0) return false;
    if (!Connected()) return true;
    switch (function) {
        case LineControl::SetDtr:
            m_box.SetDtr(true);
            break;
        case LineControl::ClrDtr:
            m_box.SetDtr(false);
            break;
        case LineControl::SetRts:
            m_box.SetRts(true);
            break;
        case LineControl::ClrRts:
            m_box.SetRts(false);
            break;
    }
    return true;
}

int TSimPort::EnumComPorts() { return m_boxPort == 0 ? 1 : m_boxPort; }

bool TSimPort::PortPresent(int com) const { return com == (m_boxPort == 0 ? 1 : m_boxPort); }
