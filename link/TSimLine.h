#pragma once
// The serial line between the program and the simulated box: bytes written in one
// direction arrive at the other end after their transmission time at 9600 baud
// (10 bits a byte, one byte at a time per direction), scheduled on the clock; what was
// sent in one go arrives in one go. With the
// line delay off they arrive at the next turn of the event loop.
//
//   TSimLine line(clock);
//   line.SetHostReceiver([&](std::vector<std::uint8_t> b) { ... });
//   line.SetDeviceReceiver([&](std::vector<std::uint8_t> b) { ... });
//   line.SendToDevice(bytes);   // the program's writes
//   line.SendToHost(bytes);     // the box's answers
//   line.Cut();                 // drops everything under way (DTR low, unplugged)

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "IClock.h"

class TSimLine {
public:
    using Receiver = std::function<void(std::vector<std::uint8_t>)>;
    explicit TSimLine(IClock& clock);
    ~TSimLine();
    TSimLine(const TSimLine&) = delete;
    TSimLine& operator=(const TSimLine&) = delete;

    void SetHostReceiver(Receiver r) { m_toHost.receiver = std::move(r); }
    void SetDeviceReceiver(Receiver r) { m_toDevice.receiver = std::move(r); }
    // Line delay on: 9600 baud; off: bytes arrive at once (benchmarks).
    void SetLineDelay(bool on) { m_delay = on; }
    bool LineDelay() const { return m_delay; }
    // Transmission time of n bytes in ms (rounded up), 0 with the delay off.
    std::int64_t TransmitMs(std::size_t n) const;

    void SendToHost(std::vector<std::uint8_t> bytes, int extraDelayMs = 0);
    void SendToDevice(std::vector<std::uint8_t> bytes);
    // Forget everything under way in both directions.
    void Cut();

private:
    struct Direction {
        Receiver receiver;
        std::int64_t busyUntil = 0;
    };
    void Send(Direction& d, std::vector<std::uint8_t> bytes, int extraDelayMs);

    IClock& m_clock;
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);  // scheduled bytes check it
    bool m_delay = true;
    std::uint64_t m_generation = 0;
    Direction m_toHost;
    Direction m_toDevice;
};
