#pragma once
// A port that passes everything to another port and writes every byte that crosses the
// line to a trace, in its wire form (bit-reversed when the port mirrors), with the
// clock's time stamps, one line per write or read:
//
//         150 ms  DTR low
//        1327 ms  PC -> box  E0 A0 00 AA 00 00 00 00 EA
//        1349 ms  box -> PC  60
//
// Bytes that a purge throws away are traced as received and marked "(purged)".
//
//   TWireTrace trace(clock, simPort, file);      // file: an open QIODevice
//   TTransferCore core(clock, trace, TTransferConfig::Kelwin());

#include <QIODevice>
#include <cstdint>
#include <span>

#include "IClock.h"
#include "IComPort.h"

class TWireTrace : public IComPort {
public:
    TWireTrace(IClock& clock, IComPort& port, QIODevice& out) : m_clock(clock), m_port(port), m_out(out) {}

    void SetPort(int com) override;
    int Port() const override { return m_port.Port(); }
    void ClosePort() override;
    std::uint16_t ReadData(std::uint8_t* buffer, std::uint16_t count) override;
    std::uint16_t WriteData(std::uint8_t* buffer, std::uint16_t count) override;
    bool ClearErrors() override { return m_port.ClearErrors(); }
    bool PurgeInput() override;
    bool TakeError() override { return m_port.TakeError(); }
    bool EscapeCommFunction(LineControl function) override;
    int EnumComPorts() override { return m_port.EnumComPorts(); }
    bool PortPresent(int com) const override { return m_port.PortPresent(com); }
    void SetMirrorBytes(bool on) override { m_port.SetMirrorBytes(on); }
    bool MirrorBytes() const override { return m_port.MirrorBytes(); }
    void SetOnRxChar(std::function<void()> handler) override { m_port.SetOnRxChar(std::move(handler)); }

private:
    void Line(const char* what, std::span<const std::uint8_t> bytes = {}, const char* note = nullptr);

    IClock& m_clock;
    IComPort& m_port;
    QIODevice& m_out;
};
