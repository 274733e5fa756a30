#pragma once
// The simulated interface box with its dive computer, on the far end of a TSimLine.
// It speaks the line's wire bytes (bit-reversed): when DTR rises it sends the
// identification image; it answers a good command packet with ACK and then sends the
// reply image in packets of at most 128 payload bytes, each after the ACK of the one
// before, repeats a packet after a NAK and gives the exchange up after five NAKs in a
// row or 2 s without an answer. Faults come from its TSimFaultPlan.
//
//   TSimLine line(clock);  TSimBox box(clock, line);
//   box.Memory().DiveBlocks = blocks;   box.Faults().Add({TSimFaultKind::CorruptXor, 1});
//   box.SetDtr(true);                   // normally done through TSimPort

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "IClock.h"
#include "TSimFaultPlan.h"
#include "TSimLine.h"
#include "TSimMemory.h"

struct TSimTiming {
    int IdentificationDelayMs = 200;  // DTR high -> first byte of the identification
    int AckDelayMs = 20;              // command received -> ACK
    int ReplyDelayMs = 100;           // ACK -> first reply packet
    int PacketGapMs = 5;              // ACK of a packet -> next packet
    int GiveUpMs = 2000;              // no ACK/NAK for a packet -> exchange ended
    bool LineDelay = true;            // 9600 baud on the line
};

class TSimBox {
public:
    static constexpr const char* kIdentification = "IFV1.00";

    TSimBox(IClock& clock, TSimLine& line);
    TSimBox(const TSimBox&) = delete;
    TSimBox& operator=(const TSimBox&) = delete;

    TSimMemory& Memory() { return m_memory; }
    const TSimMemory& Memory() const { return m_memory; }
    TSimFaultPlan& Faults() { return m_faults; }
    TSimTiming& Timing() { return m_timing; }
    void SetTiming(const TSimTiming& t);

    // Signals from the program's side.
    void SetDtr(bool high);
    void SetRts(bool high) { m_rts = high; }
    void OnWireBytes(std::vector<std::uint8_t> wire);  // what the line delivers

    // Back to the state after power-up (a disconnected box comes back).
    void Reset();

    // Counters and state for tests and the scenario's log.
    bool Dtr() const { return m_dtr; }
    bool Rts() const { return m_rts; }
    bool Disconnected() const { return m_dead; }
    int CommandsReceived() const { return m_commands; }
    int AcksReceived() const { return m_acks; }
    int NaksReceived() const { return m_naks; }
    int PacketsSent() const { return m_packetsSent; }
    std::uint8_t LastCommandCode() const { return m_lastCode; }
    // The identification image the box sends (bytes 2 ... 8 are its identification).
    static std::vector<std::uint8_t> IdentificationImage(const std::string& text = kIdentification);

private:
    enum class State { Idle, Sending };
    void StartSending(std::vector<std::uint8_t> image, int firstDelayMs, bool isReply);
    void SendCurrent(int delayMs);
    void OnCommand(std::span<const std::uint8_t> packet);
    void SendLogical(std::vector<std::uint8_t> logical, int extraDelayMs);

    IClock& m_clock;
    TSimLine& m_line;
    TSimMemory m_memory;
    TSimFaultPlan m_faults;
    TSimTiming m_timing;

    bool m_dtr = false;
    bool m_rts = false;
    bool m_dead = false;
    State m_state = State::Idle;
    std::uint64_t m_generation = 0;    // invalidates scheduled sends after a reset
    std::uint64_t m_sendSequence = 0;  // the give-up time-out belongs to the last send
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
    std::int64_t m_lastByteMs = 0;
    std::vector<std::uint8_t> m_rx;                    // command bytes being received (logical)
    std::vector<std::vector<std::uint8_t>> m_packets;  // payloads of the image being sent
    bool m_sendingReply = false;
    std::size_t m_current = 0;
    int m_attempt = 0;
    int m_nakRun = 0;
    int m_commands = 0;
    int m_acks = 0;
    int m_naks = 0;
    int m_packetsSent = 0;
    std::uint8_t m_lastCode = 0;
};
