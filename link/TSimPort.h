#pragma once
// The simulated box behind the port interface: the program opens it like a serial
// port, its writes go over a TSimLine to a TSimBox and the box's answers come back as
// received data. By default the box answers on every COM number, so whatever port the
// user has fixed or the search tries first finds it; SetBoxPort(n) plugs it into COM n
// only (the other numbers open, but nothing answers there).
//
//   TVirtualClock clock;  TSimPort sim(clock);
//   sim.Box().Memory().DiveBlocks = blocks;
//   TTransferCore core(clock, sim, TTransferConfig::Kelwin());
//   sim.LoadScenario(*TSimScenario::FromFile("bad-xor.sim").Scenario);

#include <cstdint>
#include <deque>
#include <functional>

#include "IClock.h"
#include "IComPort.h"
#include "TSimBox.h"
#include "TSimLine.h"

class TSimScenario;

class TSimPort : public IComPort {
public:
    explicit TSimPort(IClock& clock);
    ~TSimPort() override;

    TSimBox& Box() { return m_box; }
    TSimLine& Line() { return m_line; }
    // Memory, faults and timing of the scenario; the box is reset.
    void LoadScenario(const TSimScenario& scenario);
    // 0: the box answers on every COM number; otherwise only on that one.
    void SetBoxPort(int com) { m_boxPort = com; }
    int BoxPort() const { return m_boxPort; }

    void SetPort(int com) override;
    int Port() const override { return m_port; }
    void ClosePort() override;
    std::uint16_t ReadData(std::uint8_t* buffer, std::uint16_t count) override;
    std::uint16_t WriteData(std::uint8_t* buffer, std::uint16_t count) override;
    bool ClearErrors() override;
    bool PurgeInput() override;
    bool TakeError() override;
    bool EscapeCommFunction(LineControl function) override;
    // Reports the box's port (COM1 when it answers everywhere).
    int EnumComPorts() override;
    bool PortPresent(int com) const override;
    void SetMirrorBytes(bool on) override { m_mirror = on; }
    bool MirrorBytes() const override { return m_mirror; }
    void SetOnRxChar(std::function<void()> handler) override { m_onRxChar = std::move(handler); }

private:
    bool Connected() const;
    void OnHostBytes(std::vector<std::uint8_t> wire);

    TSimLine m_line;
    TSimBox m_box;
    int m_boxPort = 0;
    int m_port = 0;
    bool m_error = false;
    bool m_mirror = false;
    std::deque<std::uint8_t> m_rx;
    std::function<void()> m_onRxChar;
};
