#pragma once
// The port of a transfer window ("Com"): the real serial port component, set up with
// the link's line settings, or - while the user has chosen it in the Options menu - the
// simulated interface box. The choice is off at every start (it is not stored), so the
// AUTO search only ever reaches the simulated box when the user asked for it.
//
//   TLinkPort com(clock);                         // real ports; 9600 8N1, mirrored
//   TTransferCore core(clock, com, TTransferConfig::Teswin());
//   com.SetUseSimulatedBox(true);                 // Options menu item checked
//   com.Simulator().Box().Memory().SetSetting(2, 0x07BC, 1);

#include <memory>

#include "IClock.h"
#include "IComPort.h"
#include "TCate.h"
#include "TSimPort.h"

class TLinkPort : public IComPort {
public:
    explicit TLinkPort(IClock& clock);
    ~TLinkPort() override;

    // Switching closes the port that is open now.
    void SetUseSimulatedBox(bool on);
    bool UseSimulatedBox() const { return m_useSim; }
    TCate& Cate() { return *m_cate; }
    TSimPort& Simulator() { return *m_sim; }

    // Applies the link's line settings to a serial port component: 9600 baud, no
    // parity, 8 data bits, 1 stop bit, only fBinary (DTR and RTS are driven by the
    // program), read time-out 150 ms, write time-out 2 ms, read interval 15 ms,
    // mirrored bytes.
    static void ApplyLinkSettings(TCate& cate);

    void SetPort(int com) override { Active().SetPort(com); }
    int Port() const override { return Active().Port(); }
    void ClosePort() override { Active().ClosePort(); }
    std::uint16_t ReadData(std::uint8_t* b, std::uint16_t n) override { return Active().ReadData(b, n); }
    std::uint16_t WriteData(std::uint8_t* b, std::uint16_t n) override { return Active().WriteData(b, n); }
    bool ClearErrors() override { return Active().ClearErrors(); }
    bool PurgeInput() override { return Active().PurgeInput(); }
    bool TakeError() override { return Active().TakeError(); }
    bool EscapeCommFunction(LineControl f) override { return Active().EscapeCommFunction(f); }
    // The system's ports, also while the simulated box is chosen (the port choice
    // dialog lists the real ports; the box answers on whichever is tried).
    int EnumComPorts() override { return m_cate->EnumComPorts(); }
    bool PortPresent(int com) const override;
    void SetMirrorBytes(bool on) override;
    bool MirrorBytes() const override { return Active().MirrorBytes(); }
    void SetOnRxChar(std::function<void()> handler) override;

private:
    IComPort& Active() { return m_useSim ? static_cast<IComPort&>(*m_sim) : *m_cate; }
    const IComPort& Active() const { return m_useSim ? static_cast<const IComPort&>(*m_sim) : *m_cate; }

    std::unique_ptr<TCate> m_cate;
    std::unique_ptr<TSimPort> m_sim;
    bool m_useSim = false;
};
