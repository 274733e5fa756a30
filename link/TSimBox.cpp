#include "TSimBox.h"

#include <algorithm>

#include "LinkFraming.h"
#include "TSimCommands.h"

namespace {
constexpr int kNakLimit = 5;
constexpr int kCommandGapMs = 600;  // a command whose bytes stop for longer is forgotten
}  // namespace

TSimBox::TSimBox(IClock& clock, TSimLine& line) : m_clock(clock), m_line(line) {
    m_line.SetLineDelay(m_timing.LineDelay);
}

void TSimBox::SetTiming(const TSimTiming& t) {
    m_timing = t;
    m_line.SetLineDelay(t.LineDelay);
}

std::vector<std::uint8_t> TSimBox::IdentificationImage(const std::string& text) {
    std::vector<std::uint8_t> data(text.begin(), text.end());
    return BuildImage(data);
}

void TSimBox::Reset() {
    ++m_generation;
    m_line.Cut();
    m_state = State::Idle;
    m_rx.clear();
    m_packets.clear();
    m_dead = false;
    m_dtr = m_rts = false;
    m_commands = m_acks = m_naks = m_packetsSent = 0;
    m_lastCode = 0;
}

void TSimBox::SetDtr(bool high) {
    if (high == m_dtr) return;
    m_dtr = high;
    // Any change of DTR restarts the box: what was under way is lost.
    ++m_generation;
    m_line.Cut();
    m_state = State::Idle;
    m_rx.clear();
    if (!high || m_dead || m_faults.Has(TSimFaultKind::NoIdentification)) return;
    const bool wrong = m_faults.Has(TSimFaultKind::WrongIdentification);
    StartSending(IdentificationImage(wrong ? "IFV0.99" : kIdentification), m_timing.IdentificationDelayMs,
                 false);
}

void TSimBox::OnWireBytes(std::vector<std::uint8_t> wire) {
    if (m_dead || !m_dtr) return;
    MirrorBytes(wire);
    const std::int64_t now = m_clock.NowMs();
    for (std::uint8_t b : wire) {
        if (m_state == State::Sending) {
            if (b == kAck) {
                ++m_acks;
                m_nakRun = 0;
                m_attempt = 0;
                if (++m_current < m_packets.size())
                    SendCurrent(m_timing.PacketGapMs);
                else
                    m_state = State::Idle;
                continue;
            }
            if (b == kNak) {
                ++m_naks;
                if (++m_nakRun >= kNakLimit) {
                    m_state = State::Idle;  // the program has given the exchange up
                } else {
                    ++m_attempt;
                    SendCurrent(m_timing.PacketGapMs);
                }
                continue;
            }
            m_state = State::Idle;  // a new command cuts the reply short
        }
        if (!m_rx.empty() && now - m_lastByteMs > kCommandGapMs) m_rx.clear();
        m_lastByteMs = now;
        // A lone ACK or NAK between exchanges (the program's packet timer) is no command.
        if (m_rx.empty() && (b == kAck || b == kNak)) continue;
        m_rx.push_back(b);
        if (m_rx[0] > kMaxPayload) {
            m_rx.clear();
            continue;
        }
        if (m_rx.size() >= std::size_t{m_rx[0]} + 2) {
            std::vector<std::uint8_t> packet;
            packet.swap(m_rx);
            if (PacketValid(packet))
                OnCommand(packet);
            else
                SendLogical({kNak}, m_timing.AckDelayMs);
        }
    }
}

void TSimBox::OnCommand(std::span<const std::uint8_t> packet) {
    ++m_commands;
    if (m_faults.Has(TSimFaultKind::Silence)) return;
    if (!m_faults.Has(TSimFaultKind::NoAck)) SendLogical({kAck}, m_timing.AckDelayMs);

    // The payload is itself an image: 16-bit length, code and arguments, and (from the
    // configuration tool) the image's XOR byte.
    const auto payload = packet.subspan(1, packet[0]);
    std::vector<std::uint8_t> reply;
    const std::size_t length = ImageLength(payload);
    if (payload.size() < 3 || length == 0 || length + 2 > payload.size()) {
        reply = TSimCommands::ErrorReply(TSimCommands::kUnknownCommand);
    } else {
        const auto data = payload.subspan(2, length);
        m_lastCode = data[0];
        reply = TSimCommands::Execute(data, m_memory, m_faults.ValueOf(TSimFaultKind::ErrorCode, 0));
    }
    StartSending(BuildImage(reply), m_timing.AckDelayMs + m_timing.ReplyDelayMs, true);
}

void TSimBox::StartSending(std::vector<std::uint8_t> image, int firstDelayMs, bool isReply) {
    m_packets = SplitIntoPackets(image);
    m_current = 0;
    m_attempt = 0;
    m_nakRun = 0;
    m_sendingReply = isReply;
    m_state = State::Sending;
    SendCurrent(firstDelayMs);
}

void TSimBox::SendCurrent(int delayMs) {
    if (m_current >= m_packets.size()) {
        m_state = State::Idle;
        return;
    }
    std::vector<std::uint8_t> packet = BuildPacket(m_packets[m_current]);
    const TSimFault* fault =
        m_sendingReply ? m_faults.PacketFault(static_cast<int>(m_current) + 1, m_attempt) : nullptr;
    bool send = true;
    int delay = delayMs;
    if (fault) {
        switch (fault->Kind) {
            case TSimFaultKind::CorruptXor:
                packet.back() ^= 0x5A;
                break;
            case TSimFaultKind::LengthAbove128:
                packet[0] = 0xC8;
                break;
            case TSimFaultKind::DropPacket:
                send = false;
                break;
            case TSimFaultKind::LatePacket:
                delay += fault->Value;
                break;
            case TSimFaultKind::Disconnect:
                m_dead = true;
                m_state = State::Idle;
                return;
            default:
                break;
        }
    }
    if (send) {
        SendLogical(packet, delay);
        ++m_packetsSent;
    }
    // Without an answer the box gives up after a while.
    const std::uint64_t generation = m_generation;
    const std::uint64_t sequence = ++m_sendSequence;
    std::weak_ptr<int> alive = m_alive;
    const auto wait = delay + m_line.TransmitMs(packet.size()) + m_timing.GiveUpMs;
    m_clock.Post(
        [this, alive, generation, sequence] {
            if (alive.expired() || generation != m_generation || sequence != m_sendSequence) return;
            if (m_state == State::Sending) m_state = State::Idle;
        },
        static_cast<int>(wait));
}

void TSimBox::SendLogical(std::vector<std::uint8_t> logical, int extraDelayMs) {
    if (m_dead) return;
    MirrorBytes(logical);
    m_line.SendToHost(std::move(logical), extraDelayMs);
}
