#include "TRecordingPort.h"

#include "LinkFraming.h"

TRecordingPort::TRecordingPort(IClock& clock) : m_clock(clock) { m_openable.fill(true); }

void TRecordingPort::SetPort(int com) {
    m_error = false;
    ClosePort();
    if (com == 0) return;
    m_openAttempts.push_back(com);
    if (com < 1 || com > kMaxComNumber || !m_openable[com]) {
        m_error = true;
        return;
    }
    m_port = com;
}

void TRecordingPort::ClosePort() {
    m_port = 0;
    m_dtr = m_rts = false;
    m_rx.clear();
    ++m_generation;
}

std::uint16_t TRecordingPort::ReadData(std::uint8_t* buffer, std::uint16_t count) {
    if (m_port == 0) return 0;
    std::uint16_t n = 0;
    while (n < count && !m_rx.empty()) {
        buffer[n++] = m_mirror ? MirrorByte(m_rx.front()) : m_rx.front();
        m_rx.pop_front();
    }
    if (n == 0) m_error = true;
    return n;
}

std::uint16_t TRecordingPort::WriteData(std::uint8_t* buffer, std::uint16_t count) {
    if (m_port == 0) return 0;
    std::vector<std::uint8_t> logical(buffer, buffer + count);
    if (m_mirror) ::MirrorBytes(std::span<std::uint8_t>(buffer, count));
    m_wire.insert(m_wire.end(), buffer, buffer + count);
    if (OnWrite) OnWrite(logical);
    return count;
}

bool TRecordingPort::ClearErrors() {
    if (m_port == 0) return false;
    ++m_clearErrors;
    return true;
}

bool TRecordingPort::PurgeInput() {
    if (m_port == 0) return false;
    ++m_purges;
    m_rx.clear();
    return true;
}

bool TRecordingPort::TakeError() {
    const bool e = m_error;
    m_error = false;
    return e;
}

bool TRecordingPort::EscapeCommFunction(LineControl function) {
    if (m_port == 0) return false;
    switch (function) {
        case LineControl::SetDtr:
            m_dtr = true;
            break;
        case LineControl::ClrDtr:
            m_dtr = false;
            break;
        case LineControl::SetRts:
            m_rts = true;
            break;
        case LineControl::ClrRts:
            m_rts = false;
            break;
    }
    m_lines.push_back(function);
    if (OnLine) OnLine(function);
    return true;
}

int TRecordingPort::EnumComPorts() {
    int highest = 0;
    for (int n = 1; n <= kMaxComNumber; ++n)
        if (m_present[n]) highest = n;
    return highest;
}

bool TRecordingPort::PortPresent(int com) const { return com >= 1 && com <= kMaxComNumber && m_present[com]; }

void TRecordingPort::SetPresent(int com, bool present) {
    if (com >= 1 && com <= kMaxComNumber) m_present[com] = present;
}

void TRecordingPort::SetOpenable(int com, bool openable) {
    if (com >= 1 && com <= kMaxComNumber) m_openable[com] = openable;
}

void TRecordingPort::Feed(std::vector<std::uint8_t> logical, int afterMs) {
    if (m_mirror) ::MirrorBytes(logical);
    FeedWire(std::move(logical), afterMs);
}

void TRecordingPort::FeedWire(std::vector<std::uint8_t> wire, int afterMs) {
    const std::uint64_t generation = m_generation;
    m_clock.Post(
        [this, generation, bytes = std::move(wire)] {
            if (generation != m_generation || m_port == 0) return;  // port closed meanwhile
            m_rx.insert(m_rx.end(), bytes.begin(), bytes.end());
            if (m_onRxChar) m_onRxChar();
        },
        afterMs);
}

std::vector<std::uint8_t> TRecordingPort::WrittenLogical() const {
    std::vector<std::uint8_t> v = m_wire;
    if (m_mirror) ::MirrorBytes(v);
    return v;
}
