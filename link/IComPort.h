#pragma once
// The serial port as the link protocol sees it: open by COM number, bounded reads and
// writes of logical bytes (bit mirroring is done below this line when MirrorBytes is
// set), purge, error flag, DTR/RTS and the received-data notification. Implemented by
// the real port (TCate), the simulated interface box (TSimPort), the switch between
// the two that the programs use (TLinkPort) and the test double TRecordingPort.
//
//   port.SetOnRxChar([&] { core.ComRxChar(); });   // called from the event loop
//   port.SetPort(3);                               // COM3; Port() == 0 when it failed
//   if (port.TakeError()) { ... }
//   port.EscapeCommFunction(LineControl::SetDtr);
//   std::uint8_t buf[16]; auto n = port.ReadData(buf, sizeof buf);

#include <cstdint>
#include <functional>

// Line-control codes of the DTR/RTS operations.
enum class LineControl : int { SetRts = 3, ClrRts = 4, SetDtr = 5, ClrDtr = 6 };

constexpr int kMaxComNumber = 32;

class IComPort {
public:
    virtual ~IComPort() = default;

    // Closes the port and opens COM `com` (1 ... 32); 0 only closes. Clears the error
    // flag first; a failed open leaves Port() == 0 and the error flag set.
    virtual void SetPort(int com) = 0;
    // The COM number of the open port, 0 when closed.
    virtual int Port() const = 0;
    virtual void ClosePort() = 0;

    // Both return the number of bytes moved, 0 on a closed port (error flag untouched).
    // WriteData mirrors the caller's buffer in place when MirrorBytes is set.
    virtual std::uint16_t ReadData(std::uint8_t* buffer, std::uint16_t count) = 0;
    virtual std::uint16_t WriteData(std::uint8_t* buffer, std::uint16_t count) = 0;
    void WriteChar(std::uint8_t byte) {
        if (Port() != 0) WriteData(&byte, 1);
    }

    // Clears the port's communication error state; false when closed.
    virtual bool ClearErrors() = 0;
    // Discards received and buffered input; false when closed.
    virtual bool PurgeInput() = 0;
    // Returns the sticky error flag and clears it.
    virtual bool TakeError() = 0;
    // Raises or lowers DTR or RTS on the open port; false when that failed.
    virtual bool EscapeCommFunction(LineControl function) = 0;

    // Looks for the system's COM ports; returns the highest number found (0 ... 32).
    virtual int EnumComPorts() = 0;
    // After EnumComPorts: whether COM `com` exists.
    virtual bool PortPresent(int com) const = 0;

    // Reverse the bit order of every byte written and read.
    virtual void SetMirrorBytes(bool on) = 0;
    virtual bool MirrorBytes() const = 0;

    // Handler for received data; called in the main thread from the event loop.
    virtual void SetOnRxChar(std::function<void()> handler) = 0;
};
