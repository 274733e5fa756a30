#pragma once
// Test double of the serial port: records every open, write and DTR/RTS change, and
// feeds received bytes that arrive through the clock's event loop (an RxChar call is
// posted for each fed chunk). It keeps the bit mirror: Written() holds the bytes as
// they went on the wire, WrittenLogical() as the program meant them; Feed() takes
// logical bytes and puts them on the wire mirrored when MirrorBytes is set.
//
//   TVirtualClock clock;  TRecordingPort port(clock);
//   port.SetPresent(1, true); port.SetPresent(3, true);   // what EnumComPorts finds
//   port.SetOpenable(5, false);                           // COM5 cannot be opened
//   port.OnLine = [&](LineControl f) { if (f == LineControl::SetDtr) port.Feed(id, 40); };
//   port.OnWrite = [&](std::span<const std::uint8_t> logical) { port.Feed({0x06}); };

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <span>
#include <vector>

#include "IClock.h"
#include "IComPort.h"

class TRecordingPort : public IComPort {
public:
    explicit TRecordingPort(IClock& clock);

    void SetPort(int com) override;
    int Port() const override { return m_port; }
    void ClosePort() override;
    std::uint16_t ReadData(std::uint8_t* buffer, std::uint16_t count) override;
    std::uint16_t WriteData(std::uint8_t* buffer, std::uint16_t count) override;
    bool ClearErrors() override;
    bool PurgeInput() override;
    bool TakeError() override;
    bool EscapeCommFunction(LineControl function) override;
    int EnumComPorts() override;
    bool PortPresent(int com) const override;
    void SetMirrorBytes(bool on) override { m_mirror = on; }
    bool MirrorBytes() const override { return m_mirror; }
    void SetOnRxChar(std::function<void()> handler) override { m_onRxChar = std::move(handler); }

    // Set-up.
    void SetPresent(int com, bool present);
    void SetOpenable(int com, bool openable);  // all are openable by default
    // Logical bytes that arrive after afterMs (one RxChar notification for them).
    void Feed(std::vector<std::uint8_t> logical, int afterMs = 0);
    // Bytes exactly as they come off the wire (not mirrored here).
    void FeedWire(std::vector<std::uint8_t> wire, int afterMs = 0);

    // Hooks: called after each write (logical bytes) and each DTR/RTS change.
    std::function<void(std::span<const std::uint8_t>)> OnWrite;
    std::function<void(LineControl)> OnLine;

    // Records.
    const std::vector<std::uint8_t>& Written() const { return m_wire; }
    std::vector<std::uint8_t> WrittenLogical() const;
    void ClearWritten() { m_wire.clear(); }
    const std::vector<int>& OpenAttempts() const { return m_openAttempts; }
    const std::vector<LineControl>& LineChanges() const { return m_lines; }
    bool Dtr() const { return m_dtr; }
    bool Rts() const { return m_rts; }
    int PurgeCount() const { return m_purges; }
    int ClearErrorsCount() const { return m_clearErrors; }
    std::size_t Pending() const { return m_rx.size(); }

private:
    IClock& m_clock;
    int m_port = 0;
    bool m_error = false;
    bool m_mirror = false;
    bool m_dtr = false;
    bool m_rts = false;
    int m_purges = 0;
    int m_clearErrors = 0;
    std::uint64_t m_generation = 0;  // bytes fed for an earlier open are dropped
    std::array<bool, kMaxComNumber + 1> m_present{};
    std::array<bool, kMaxComNumber + 1> m_openable{};
    std::deque<std::uint8_t> m_rx;
    std::vector<std::uint8_t> m_wire;
    std::vector<int> m_openAttempts;
    std::vector<LineControl> m_lines;
    std::function<void()> m_onRxChar;
};
