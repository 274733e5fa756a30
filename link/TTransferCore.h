#pragma once
// The link protocol of both programs' transfer windows, without any window: wake-up
// and identification of the interface box, the port search, command packets with ACK,
// the received packets with ACK/NAK assembled into the memory image, the 600 ms packet
// timer, the 60 s countdown and the window result. Kelwin and Teswin differ only by
// their TTransferConfig. Every wait is a Delay of the clock, so received bytes and
// timer expiries are handled inside the waits, re-entrantly.
//
//   TTransferCore core(clock, port, TTransferConfig::Kelwin());
//   core.SetView(&window);                       // optional
//   if (!core.FindInterface(settings.InterfacePort, true, settings.RaiseRts)) ...
//   core.SendCommand(request);                   // wait 2 ms, send, wait for ACK, reset
//   ModalResult r = window.exec();               // or core.RunModal() without a window
//   if (!core.Failed() && core.ImageValid()) use(core.Image());
//   core.FormClose();                            // DTR low, port closed
//
// A reply longer than the image buffer (32770 bytes in Kelwin, 1026 in Teswin) is
// refused packet by packet: the packet that would not fit is answered with NAK like a
// damaged one and nothing is written beyond the buffer, so the box's repetitions run into
// the NAK limit and the window ends with mrNo and failed set. A length byte above 128 is
// never accepted. With L = 0 the gauge shows 100 instead of dividing by zero.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "IClock.h"
#include "IComPort.h"
#include "ITransferView.h"
#include "ModalResult.h"
#include "TTransferConfig.h"

class TTransferCore {
public:
    TTransferCore(IClock& clock, IComPort& port, TTransferConfig config);
    ~TTransferCore();
    TTransferCore(const TTransferCore&) = delete;
    TTransferCore& operator=(const TTransferCore&) = delete;

    void SetView(ITransferView* view) { m_view = view; }
    const TTransferConfig& Config() const { return m_config; }
    IComPort& Com() { return m_port; }

    // Candidate ports in trial order (see FindInterface); `present` is indexed by COM
    // number, entry 0 unused; openPort is the port open now (for a re-probe).
    static std::vector<int> CandidatePorts(std::uint16_t interfacePort, bool search, int openPort,
                                           const std::array<bool, kMaxComNumber + 1>& present);

    // Finds the box and leaves its port open with DTR raised. interfacePort is the
    // program's setting (low byte: last port found in AUTO, high byte: fixed port, 0 =
    // AUTO); an AUTO search updates it. Without search only the open port is probed.
    // raiseRts is used only where the configuration allows it (Kelwin).
    bool FindInterface(std::uint16_t& interfacePort, bool search, bool raiseRts = false);
    // The configuration tool's search: always searching, DTR only.
    bool FindInterface(std::uint16_t& interfacePort) { return FindInterface(interfacePort, true, false); }
    // Wake-up and identification on the open port `com`; true when "IFV1.00" came back.
    bool Probe(int com, bool search, std::uint16_t& interfacePort, bool raiseRts);

    // Sends one command packet (mirrored in place on the way out) and waits for ACK.
    void SendAndWaitAck(std::span<std::uint8_t> buffer);
    // Waits 2 ms, copies the packet to the start of the image buffer, sends it from there
    // with SendAndWaitAck, then disarms and resets image and receiver. False (nothing
    // sent) when the packet does not fit the image buffer.
    bool SendCommand(std::span<const std::uint8_t> packet);

    // Handlers.
    void ComRxChar();
    void ProcessPacket();
    void TimerTimer();
    void sTimerTimer();

    void StartTimer(int ms);
    void ResetReceiver();
    void ResetImage();
    bool ImageValid() const;

    // Window life cycle. FormCreate: the configuration tool's countdown starts running.
    // FormShow: a modal run begins (label "60 s"). The result is cleared by each probe
    // and command, not by FormShow: a command whose ACK wait already ended with the NAK
    // limit ends the window at once with mrNo instead of leaving it waiting for Cancel.
    // Cancel: the Cancel button. FormClose: DTR low, port closed.
    void FormCreate();
    void FormShow();
    void Cancel();
    void FormClose();
    // A modal run without a window: FormShow, then wait until a result is set. After
    // limitMs (never when negative) it ends as if the user had pressed Cancel.
    ModalResult RunModal(std::int64_t limitMs = -1);

    // State, read by the windows, the callers and tests.
    ModalResult Result() const { return m_result; }
    std::span<const std::uint8_t> Image() const { return m_image; }
    std::uint16_t ImageLength() const;  // L as the image reads now
    std::uint16_t ReceivedCount() const { return m_receivedCount; }
    std::span<const std::uint8_t> RxBuffer() const { return m_rxBuffer; }
    std::uint8_t ReceiveCount() const { return m_receiveCount; }
    std::uint8_t NakCount() const { return m_nakCount; }
    std::uint8_t Countdown() const { return m_countdown; }
    int Gauge() const { return m_gauge; }
    bool TimedOut() const { return m_timedOut; }
    bool Armed() const { return m_armed; }
    bool WaitingForAck() const { return m_waitingForAck; }
    bool CommandSent() const { return m_commandSent; }
    bool Complete() const { return m_complete; }
    bool Failed() const { return m_failed; }
    bool ShowProgress() const { return m_showProgress; }
    void SetShowProgress(bool on) { m_showProgress = on; }
    bool TimerActive() const;
    bool CountdownActive() const;
    // Number of ACKs and NAKs sent since construction (diagnostics and tests).
    std::uint32_t AcksSent() const { return m_acksSent; }
    std::uint32_t NaksSent() const { return m_naksSent; }

private:
    void SetResult(ModalResult r);
    void SetGauge(int percent);
    void SendControl(std::uint8_t byte);
    // Every write of the link: received bytes are not handled inside it.
    void Write(std::uint8_t* bytes, std::uint16_t count);

    IClock& m_clock;
    IComPort& m_port;
    TTransferConfig m_config;
    ITransferView* m_view = nullptr;
    std::unique_ptr<ITimer> m_timer;   // Timer: packet gap and ACK wait
    std::unique_ptr<ITimer> m_sTimer;  // sTimer: the countdown, 1000 ms

    std::vector<std::uint8_t> m_image;
    std::vector<std::uint8_t> m_rxBuffer;
    std::uint16_t m_receivedCount = 0;
    std::uint8_t m_receiveCount = 0;
    std::uint8_t m_nakCount = 0;
    std::uint8_t m_countdown = 0;
    int m_gauge = 0;
    bool m_timedOut = false;
    bool m_armed = false;
    bool m_waitingForAck = false;
    bool m_commandSent = false;
    bool m_complete = false;
    bool m_failed = false;
    bool m_showProgress = false;
    bool m_timeUp = false;
    bool m_writing = false;
    bool m_rxDuringWrite = false;
    std::shared_ptr<int> m_alive = std::make_shared<int>(
        0);  // posted calls check it  // the countdown reached 0 in this run; its Abort stands
    ModalResult m_result = mrNone;
    std::uint32_t m_acksSent = 0;
    std::uint32_t m_naksSent = 0;
};
