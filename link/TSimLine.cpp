#include "TSimLine.h"

#include <algorithm>

namespace {
// 9600 baud, 8N1: ten bit times a byte.
std::int64_t ArrivalMs(std::size_t bytes) { return static_cast<std::int64_t>((bytes * 25 + 23) / 24); }
}  // namespace

TSimLine::TSimLine(IClock& clock) : m_clock(clock) {}

TSimLine::~TSimLine() = default;

std::int64_t TSimLine::TransmitMs(std::size_t n) const { return m_delay ? ArrivalMs(n) : 0; }

void TSimLine::SendToHost(std::vector<std::uint8_t> bytes, int extraDelayMs) {
    Send(m_toHost, std::move(bytes), extraDelayMs);
}

void TSimLine::SendToDevice(std::vector<std::uint8_t> bytes) { Send(m_toDevice, std::move(bytes), 0); }

void TSimLine::Cut() {
    ++m_generation;
    m_toHost.busyUntil = m_toDevice.busyUntil = 0;
}

void TSimLine::Send(Direction& d, std::vector<std::uint8_t> bytes, int extraDelayMs) {
    if (bytes.empty()) return;
    const std::int64_t now = m_clock.NowMs();
    const std::uint64_t generation = m_generation;
    std::weak_ptr<int> alive = m_alive;
    Direction* dir = &d;
    auto deliver = [this, alive, generation, dir](std::vector<std::uint8_t> part) {
        if (alive.expired() || generation != m_generation || !dir->receiver) return;
        dir->receiver(std::move(part));
    };
    if (!m_delay) {
        m_clock.Post([deliver, b = std::move(bytes)]() mutable { deliver(std::move(b)); },
                     std::max(0, extraDelayMs));
        return;
    }
    // What is sent in one go arrives in one go, when the last stop bit is through - as a
    // read with a short read interval returns it. The line carries one byte at a time, so
    // sends queue up behind each other.
    const std::int64_t start = std::max(now + std::max(0, extraDelayMs), d.busyUntil);
    const std::int64_t at = start + ArrivalMs(bytes.size());
    m_clock.Post([deliver, b = std::move(bytes)]() mutable { deliver(std::move(b)); },
                 static_cast<int>(at - now));
    d.busyUntil = at;
}
