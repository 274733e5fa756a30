#include "TWireTrace.h"

#include <vector>

#include "LinkFraming.h"

void TWireTrace::Line(const char* what, std::span<const std::uint8_t> bytes, const char* note) {
    const std::int64_t ms = m_clock.NowMs();
    QByteArray line = QByteArray::number(static_cast<qlonglong>(ms)).rightJustified(10, ' ');
    line += " ms  ";
    line += what;
    if (!bytes.empty()) {
        line += ' ';
        for (auto b : bytes) {
            line += ' ';
            line += QByteArray::number(b, 16).rightJustified(2, '0').toUpper();
        }
    }
    if (note) {
        line += "  ";
        line += note;
    }
    line += '\n';
    m_out.write(line);
}

void TWireTrace::SetPort(int com) {
    const bool wasOpen = m_port.Port() != 0;
    m_port.SetPort(com);
    if (com == 0) {
        if (wasOpen) Line("close");
        return;
    }
    const QByteArray what = "open COM" + QByteArray::number(com) + (m_port.Port() == com ? "" : " failed");
    Line(what.constData());
}

void TWireTrace::ClosePort() {
    if (m_port.Port() != 0) Line("close");
    m_port.ClosePort();
}

std::uint16_t TWireTrace::ReadData(std::uint8_t* buffer, std::uint16_t count) {
    const std::uint16_t n = m_port.ReadData(buffer, count);
    if (n > 0) {
        std::vector<std::uint8_t> wire(buffer, buffer + n);
        if (m_port.MirrorBytes()) ::MirrorBytes(wire);
        Line("box -> PC", wire);
    }
    return n;
}

std::uint16_t TWireTrace::WriteData(std::uint8_t* buffer, std::uint16_t count) {
    const bool open = m_port.Port() != 0;
    const std::uint16_t n = m_port.WriteData(buffer, count);  // mirrors the buffer in place
    if (open && count > 0) Line("PC -> box", std::span<const std::uint8_t>(buffer, count));
    return n;
}

bool TWireTrace::PurgeInput() {
    // What is waiting would be thrown away unread: put it into the trace first.
    std::uint8_t buf[256];
    std::vector<std::uint8_t> wire;
    for (std::uint16_t n; (n = m_port.ReadData(buf, sizeof buf)) > 0;) wire.insert(wire.end(), buf, buf + n);
    if (!wire.empty()) {
        if (m_port.MirrorBytes()) ::MirrorBytes(wire);
        Line("box -> PC", wire, "(purged)");
    }
    return m_port.PurgeInput();
}

bool TWireTrace::EscapeCommFunction(LineControl function) {
    const bool ok = m_port.EscapeCommFunction(function);
    const char* what = "";
    switch (function) {
        case LineControl::SetRts:
            what = "RTS high";
            break;
        case LineControl::ClrRts:
            what = "RTS low";
            break;
        case LineControl::SetDtr:
            what = "DTR high";
            break;
        case LineControl::ClrDtr:
            what = "DTR low";
            break;
    }
    Line(what, {}, ok ? nullptr : "(failed)");
    return ok;
}
