#include "TTransferCore.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "LinkFraming.h"

namespace {
constexpr int kPacketGapMs = 600;    // longest pause between the packets of an image
constexpr int kAckWaitMs = 500;      // longest wait for the ACK of a command
constexpr int kNakLimit = 5;         // consecutive NAKs that end the transfer
constexpr int kCountdownStart = 60;  // seconds without data before the transfer is given up
constexpr char kIdentification[] = "IFV1.00";
}  // namespace

TTransferCore::TTransferCore(IClock& clock, IComPort& port, TTransferConfig config)
    : m_clock(clock), m_port(port), m_config(config) {
    // An image needs at least its length and XOR bytes, a receive buffer one whole packet.
    m_config.ImageCapacity = std::max<std::size_t>(m_config.ImageCapacity, 3);
    m_config.RxCapacity = std::max<std::size_t>(m_config.RxCapacity, kMaxPayload + 2);
    m_image.assign(m_config.ImageCapacity, 0);
    m_rxBuffer.assign(m_config.RxCapacity, 0);
    m_timer = m_clock.CreateTimer([this] { TimerTimer(); });
    m_sTimer = m_clock.CreateTimer([this] { sTimerTimer(); });
    m_port.SetOnRxChar([this] { ComRxChar(); });
    ResetImage();
    ResetReceiver();
}

TTransferCore::~TTransferCore() { m_port.SetOnRxChar(nullptr); }

std::vector<int> TTransferCore::CandidatePorts(std::uint16_t interfacePort, bool search, int openPort,
                                               const std::array<bool, kMaxComNumber + 1>& present) {
    if (!search) return {openPort};
    const int fixed = interfacePort >> 8;
    if (fixed != 0) return {fixed};

    int first = interfacePort & 0xFF;
    if (first == 0) {
        first = 1;
        for (int n = 1; n <= kMaxComNumber; ++n)
            if (present[n]) {
                first = n;
                break;
            }
    }
    std::vector<int> order{first};
    for (int n = 1; n <= kMaxComNumber; ++n)
        if (present[n] && n != first) order.push_back(n);
    for (int n = 1; n <= kMaxComNumber; ++n)
        if (!present[n] && n != first) order.push_back(n);
    if (order.size() > static_cast<std::size_t>(kMaxComNumber)) order.resize(kMaxComNumber);
    return order;
}

bool TTransferCore::FindInterface(std::uint16_t& interfacePort, bool search, bool raiseRts) {
    if (!m_config.HasSearchFlag) search = true;
    std::array<bool, kMaxComNumber + 1> present{};
    for (int n = 1; n <= kMaxComNumber; ++n) present[n] = m_port.PortPresent(n);

    for (int c : CandidatePorts(interfacePort, search, m_port.Port(), present)) {
        if (search) m_port.SetPort(c);
        if (m_port.TakeError() || c == 0) {
            // In AUTO a port that cannot be opened is forgotten; a fixed port stays.
            if ((interfacePort >> 8) == 0) interfacePort = 0;
            continue;
        }
        if (Probe(c, search, interfacePort, raiseRts)) return true;
    }
    return false;
}

bool TTransferCore::Probe(int com, bool search, std::uint16_t& interfacePort, bool raiseRts) {
    ResetReceiver();
    ResetImage();
    // A new transfer begins with a search; a re-probe while the window shows keeps an
    // Abort of a countdown that has run out.
    if (search) m_timeUp = false;
    if (!m_timeUp) m_result = mrNone;  // a new exchange begins
    // A probe is not a command: its identification image must not end a window that is
    // already showing (the re-probe after a change of the dive choice).
    m_commandSent = false;
    if (search) m_clock.Delay(50);
    m_port.EscapeCommFunction(LineControl::ClrRts);
    m_port.EscapeCommFunction(LineControl::ClrDtr);
    m_clock.Delay(search ? 100 : m_config.ReprobeDelayMs);

    m_armed = true;
    m_port.PurgeInput();
    m_port.ClearErrors();
    m_port.EscapeCommFunction(LineControl::SetDtr);  // wakes the box up
    if (m_config.UsesRaiseRts && raiseRts) m_port.EscapeCommFunction(LineControl::SetRts);
    m_port.ClearErrors();
    StartTimer(kPacketGapMs);

    while (!m_timedOut && !m_complete) m_clock.Delay(2);

    if (m_complete && std::memcmp(m_image.data() + 2, kIdentification, 7) == 0) {
        m_failed = false;
        m_timer->Stop();
        if (search && (interfacePort >> 8) == 0) interfacePort = static_cast<std::uint16_t>(com & 0xFF);
        if (m_view) m_view->ShowFound(m_config.FoundMessage, com);
        m_countdown = kCountdownStart;
        if (m_config.HasGaugeAndChoice) {
            m_sTimer->Start(1000);
            m_showProgress = true;
            if (m_view) m_view->SetChoiceEnabled(true);
        }
        return true;
    }
    // A wrong identification leaves the packet timer running; it must not send NAKs to
    // the next candidate port.
    m_timer->Stop();
    if (m_port.Port() != 0) m_port.EscapeCommFunction(LineControl::ClrDtr);
    return false;
}

void TTransferCore::SendAndWaitAck(std::span<std::uint8_t> buffer) {
    m_port.PurgeInput();
    ResetReceiver();
    // Byte 0 still holds the length byte of the last packet; one that happened to be 0x06
    // would pass for the ACK.
    m_rxBuffer[0] = 0;
    m_waitingForAck = true;
    Write(buffer.data(), static_cast<std::uint16_t>(buffer.size()));
    StartTimer(kAckWaitMs);
    while (m_rxBuffer[0] != kAck && !m_timedOut) m_clock.Delay(1);
    m_timer->Stop();
    m_waitingForAck = false;
    m_commandSent = true;
}

bool TTransferCore::SendCommand(std::span<const std::uint8_t> packet) {
    if (packet.empty() || packet.size() > m_image.size() || packet.size() > 0xFFFF) return false;
    // The window's time is over: the request still goes out, but the Abort stands.
    if (!m_timeUp) m_result = mrNone;
    m_clock.Delay(2);
    std::copy(packet.begin(), packet.end(), m_image.begin());
    SendAndWaitAck(std::span<std::uint8_t>(m_image.data(), packet.size()));
    m_armed = false;
    ResetImage();
    ResetReceiver();
    return true;
}

void TTransferCore::ComRxChar() {
    // Bytes that arrive while a write waits for the line (a platform's write may handle
    // events) are taken once the write is over, from the event loop: handling them inside
    // the write would run a packet inside the NAK of the one before it.
    if (m_writing) {
        m_rxDuringWrite = true;
        return;
    }
    const std::size_t at = m_receiveCount;
    const auto room = static_cast<std::uint16_t>(m_rxBuffer.size() - at);
    const std::uint16_t n = m_port.ReadData(m_rxBuffer.data() + at, room);
    m_receiveCount = static_cast<std::uint8_t>(m_receiveCount + n);
    if (m_config.ReceptionArms) m_armed = true;
    if (m_waitingForAck) {
        if (n > 0 && m_rxBuffer[at] == kAck) m_rxBuffer[0] = kAck;
        return;
    }
    if (m_receiveCount > m_rxBuffer[0] + 1) ProcessPacket();
}

void TTransferCore::ProcessPacket() {
    const std::size_t n = m_rxBuffer[0];
    bool good = n <= kMaxPayload && m_receiveCount >= n + 2 &&
                XorBytes(std::span<const std::uint8_t>(m_rxBuffer.data(), n + 2)) == 0;
    // A reply longer than the image buffer is refused packet by packet, like a damaged
    // one, so the NAK limit ends it; nothing is written beyond the buffer.
    if (good && m_receivedCount + n > m_image.size()) good = false;

    if (good) {
        std::copy_n(m_rxBuffer.begin() + 1, n, m_image.begin() + m_receivedCount);
        m_receivedCount = static_cast<std::uint16_t>(m_receivedCount + n);
        const std::uint32_t length = ImageLength();
        m_complete = m_receivedCount >= length + 3;
        if (m_config.HasGaugeAndChoice) {
            m_sTimer->Stop();
            if (m_view) m_view->SetChoiceEnabled(false);
        }
        ResetReceiver();
        SendControl(kAck);
        if (m_complete && m_commandSent) {
            m_timer->Stop();
            if (m_config.HasGaugeAndChoice) {
                SetGauge(100);
                m_sTimer->Start(1000);
            }
            SetResult(mrOk);
            return;
        }
        if (m_config.HasGaugeAndChoice && m_showProgress) {
            // An image that says it holds no data is as complete as it gets.
            const double percent = length == 0 ? 100.0 : std::nearbyint(m_receivedCount * 100.0 / length);
            SetGauge(static_cast<int>(std::min(percent, 100.0)));
        }
        m_nakCount = 0;
    } else {
        m_port.PurgeInput();
        ResetReceiver();
        SendControl(kNak);
        m_nakCount = static_cast<std::uint8_t>(m_nakCount + 1);
        if (m_config.ClearErrorsAfterNak) m_port.ClearErrors();
        if (m_nakCount >= kNakLimit) {
            m_timer->Stop();
            SetResult(mrNo);
            m_failed = true;
            if (m_config.HasGaugeAndChoice) m_sTimer->Start(1000);
            return;
        }
    }
    m_timer->Stop();
    StartTimer(kPacketGapMs);
}

void TTransferCore::TimerTimer() {
    m_timedOut = true;
    if (m_armed) ProcessPacket();
}

void TTransferCore::sTimerTimer() {
    m_countdown = static_cast<std::uint8_t>(m_countdown - 1);
    if (m_view) m_view->SetCountdown(m_countdown);
    if (m_countdown == 0) {
        m_timeUp = true;
        SetResult(mrAbort);
        if (m_config.HasGaugeAndChoice) m_sTimer->Stop();
    }
    if (m_config.HasGaugeAndChoice && (m_failed || m_gauge > 99)) m_sTimer->Stop();
}

void TTransferCore::StartTimer(int ms) {
    m_timedOut = false;
    m_timer->Start(ms);
}

void TTransferCore::ResetReceiver() {
    m_receiveCount = 0;
    m_rxBuffer[1] = 0xAA;
}

void TTransferCore::ResetImage() {
    m_complete = false;
    m_receivedCount = 0;
    m_image[0] = kResetImageLength & 0xFF;
    m_image[1] = kResetImageLength >> 8;
    m_nakCount = 0;
    if (m_config.HasGaugeAndChoice) SetGauge(0);
}

bool TTransferCore::ImageValid() const { return ::ImageValid(m_image); }

std::uint16_t TTransferCore::ImageLength() const { return ::ImageLength(m_image); }

void TTransferCore::FormCreate() {
    if (m_config.CountdownFromCreation) m_sTimer->Start(1000);
}

void TTransferCore::FormShow() {
    m_timeUp = false;
    if (m_view) m_view->SetCountdown(kCountdownStart);
}

void TTransferCore::Cancel() { SetResult(mrCancel); }

void TTransferCore::FormClose() {
    m_port.EscapeCommFunction(LineControl::ClrDtr);
    m_port.ClosePort();
    // With the port closed the packet timer has nothing left to time.
    m_timer->Stop();
}

ModalResult TTransferCore::RunModal(std::int64_t limitMs) {
    FormShow();
    const std::int64_t end = m_clock.NowMs() + limitMs;
    while (m_result == mrNone) {
        if (limitMs >= 0 && m_clock.NowMs() >= end) {
            SetResult(mrCancel);
            break;
        }
        m_clock.Delay(2);
    }
    return m_result;
}

bool TTransferCore::TimerActive() const { return m_timer->IsActive(); }
bool TTransferCore::CountdownActive() const { return m_sTimer->IsActive(); }

void TTransferCore::SetResult(ModalResult r) {
    m_result = r;
    if (m_view) m_view->ResultSet(r);
}

void TTransferCore::SetGauge(int percent) {
    m_gauge = percent;
    if (m_view) m_view->SetGauge(percent);
}

void TTransferCore::Write(std::uint8_t* bytes, std::uint16_t count) {
    m_writing = true;
    m_port.WriteData(bytes, count);
    m_writing = false;
    if (m_rxDuringWrite) {
        m_rxDuringWrite = false;
        std::weak_ptr<int> alive = m_alive;
        m_clock.Post([this, alive] {
            if (!alive.expired()) ComRxChar();
        });
    }
}

void TTransferCore::SendControl(std::uint8_t byte) {
    std::uint8_t b = byte;  // WriteData mirrors in place
    Write(&b, 1);
    if (byte == kAck)
        ++m_acksSent;
    else
        ++m_naksSent;
}
