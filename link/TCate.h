#pragma once
// The serial port component: one serial port opened by COM number, its line settings,
// bounded reads and writes with optional bit mirroring, purge, a sticky error flag,
// DTR/RTS and the event handlers, called in the main thread in a fixed order. Built on
// QSerialPort; COM numbers map to device files by the fixed table of ComNumbers.h.
//
//   TCate com;                                   // defaults: NoPort, 9600 8N1, ...
//   com.SetMirrorBytes(true);
//   com.SetHandler(TCommEvent::RxCharMask, [&](TCate&, TCommEvents) { ... });
//   com.Loaded();                                // from now on SetPort opens
//   com.SetPort(Com_3);                          // Port() == NoPort when it failed
//
// Line properties that a Linux serial port cannot express (XonLim, XoffLim, XonChar,
// XoffChar, ErrorChar, EofChar, 4 data bits, 1.5 stop bits, the DCB flags other than
// the flow-control and DTR/RTS-enable ones, the write part of CommTimeouts, and the
// Break, Cts, Dsr, Ring, Rlsd, Rx80Full, Event1 and Event2 events) are stored and read
// back but have no effect on the line.

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

#include "IComPort.h"

class QSerialPort;

enum TPort : int {
    NoPort = 0,
    Com_1,
    Com_2,
    Com_3,
    Com_4,
    Com_5,
    Com_6,
    Com_7,
    Com_8,
    Com_9,
    Com10,
    Com11,
    Com12,
    Com13,
    Com14,
    Com15,
    Com16,
    Com17,
    Com18,
    Com19,
    Com20,
    Com21,
    Com22,
    Com23,
    Com24,
    Com25,
    Com26,
    Com27,
    Com28,
    Com29,
    Com30,
    Com31,
    Com32
};

// The rates keep their established names, padded with underscores to one width.
// NOLINTBEGIN(bugprone-reserved-identifier)
enum class TBaudRate : int {
    br____110,
    br____300,
    br____600,
    br___1200,
    br___2400,
    br___4800,
    br___9600,
    br__14400,
    br__19200,
    br__38400,
    br__56000,
    br__57600,
    br_115200,
    br_128000,
    br_256000
};
// NOLINTEND(bugprone-reserved-identifier)

int BaudValue(TBaudRate rate);

enum class TParity : int { None = 0, Odd = 1, Even = 2, Mark = 3, Space = 4 };
enum class TDataBits : int { db_4 = 4, db_5 = 5, db_6 = 6, db_7 = 7, db_8 = 8 };
enum class TStopBits : int { sb_1 = 0, sb_1_5 = 1, sb_2 = 2 };

enum class TDCBFlag : int {
    fBinary,
    fParity,
    fOutxCtsFlow,
    fOutxDsrFlow,
    fDtrControlEnable,
    fDtrControlHandshake,
    fDsrSensitivity,
    fTXContinueOnXoff,
    fOutX,
    fInX,
    fErrorChar,
    fNull,
    fRtsControlEnable,
    fRtsControlHandshake,
    fRtsControlToggle,
    fAbortOnError
};
// A set of TDCBFlag: bit (1 << ordinal).
using TDCBFlags = std::uint32_t;
constexpr TDCBFlags DcbSet(TDCBFlag f) { return TDCBFlags{1} << static_cast<int>(f); }
// The device control block's flag word of the set: OR of the flags' masks.
std::uint32_t DcbFlagWord(TDCBFlags flags);

enum class TCommEvent : std::uint16_t {
    BreakMask = 0x0040,
    CtsMask = 0x0008,
    DsrMask = 0x0010,
    ErrMask = 0x0080,
    PerrMask = 0x0200,
    RingMask = 0x0100,
    RlsdMask = 0x0020,
    RxCharMask = 0x0001,
    RxFlagMask = 0x0002,
    TxEmptyMask = 0x0004,
    Rx80FullMask = 0x0400,
    Event1Mask = 0x0800,
    Event2Mask = 0x1000
};
// A set of events: the OR of their masks.
using TCommEvents = std::uint16_t;
// The events in the order their handlers are called.
extern const std::array<TCommEvent, 13> kCommEventOrder;

class TCate;
using TCommHandler = std::function<void(TCate& sender, TCommEvents events)>;

// The port's time-out record.
struct TIntervals {
    std::uint32_t ReadInterval = 0xFFFFFFFFu;  // all ones: a read returns what is there
    std::uint32_t ReadTotalConstant = 0;
    std::uint32_t ReadTotalMultiplier = 0;
    std::uint32_t WriteToaltConstant = 0;
    std::uint32_t WriteTotalMultiplier = 0;
};

class TCate : public IComPort {
public:
    TCate();
    ~TCate() override;
    TCate(const TCate&) = delete;
    TCate& operator=(const TCate&) = delete;

    // The component is complete: from now on setting Port opens it (and it opens now
    // when Port is not NoPort).
    void Loaded();

    // IComPort
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
    void SetOnRxChar(std::function<void()> handler) override;

    bool IsOpen() const;
    bool ErrorFlag() const { return m_errorFlag; }

    // Properties (defaults in brackets).
    TBaudRate BaudRate() const { return m_baud; }  // [br___9600]
    void SetBaudRate(TBaudRate v);
    TParity Parity() const { return m_parity; }  // [None]
    void SetParity(TParity v);
    TDataBits DataBits() const { return m_dataBits; }  // [db_8]
    void SetDataBits(TDataBits v);
    TStopBits StopBits() const { return m_stopBits; }  // [sb_1]
    void SetStopBits(TStopBits v);
    std::uint16_t WriteBufferSize() const { return m_writeBufferSize; }  // [2048], at most 8192
    void SetWriteBufferSize(std::uint16_t v);                            // reopens the port
    std::uint16_t ReadBufferSize() const { return m_readBufferSize; }    // [2048], at most 8192
    void SetReadBufferSize(std::uint16_t v);                             // reopens the port
    std::uint32_t ReadTimeout() const { return m_readTimeout; }          // [1000] ms
    void SetReadTimeout(std::uint32_t ms) { m_readTimeout = ms; }
    std::uint32_t WriteTimeout() const { return m_writeTimeout; }  // [1000] ms
    void SetWriteTimeout(std::uint32_t ms) { m_writeTimeout = ms; }
    const TIntervals& CommTimeouts() const { return m_timeouts; }
    void SetCommTimeouts(const TIntervals& t) { m_timeouts = t; }
    TDCBFlags DCBFlags() const { return m_dcbFlags; }  // [fBinary, fDtrControlEnable, fRtsControlEnable]
    void SetDCBFlags(TDCBFlags v);
    std::uint16_t XonLim() const { return m_xonLim; }  // [2048]
    void SetXonLim(std::uint16_t v) { m_xonLim = v; }
    std::uint16_t XoffLim() const { return m_xoffLim; }  // [512]
    void SetXoffLim(std::uint16_t v) { m_xoffLim = v; }
    std::uint8_t XonChar() const { return m_xonChar; }  // [17]
    void SetXonChar(std::uint8_t v) { m_xonChar = v; }
    std::uint8_t XoffChar() const { return m_xoffChar; }  // [19]
    void SetXoffChar(std::uint8_t v) { m_xoffChar = v; }
    std::uint8_t ErrorChar() const { return m_errorChar; }  // [0]
    void SetErrorChar(std::uint8_t v) { m_errorChar = v; }
    std::uint8_t EofChar() const { return m_eofChar; }  // [0]
    void SetEofChar(std::uint8_t v) { m_eofChar = v; }
    std::uint8_t EvtChar() const { return m_evtChar; }  // [0], wire byte that raises RxFlag
    void SetEvtChar(std::uint8_t v) { m_evtChar = v; }

    // Event handlers; an assigned handler adds its event to the watched set, which is
    // taken when the port opens.
    void SetHandler(TCommEvent event, TCommHandler handler);
    TCommEvents WatchedEvents() const { return m_openWatched; }  // of the open port

    // Device file of a COM number; the fixed table unless overridden (for a device
    // with another name, and for tests on a pseudo-terminal).
    QString DeviceName(int com) const;
    void SetDeviceName(int com, const QString& path);
    // Text of the last failure of the platform (for diagnostics).
    QString LastPlatformError() const { return m_lastError; }

    // Calls the handlers of the events in `events` that are watched, in the fixed
    // order. Used by the port's notifications.
    void Dispatch(TCommEvents events);

private:
    void ApplyLineSettings();
    void ApplyFlowFlags();
    int HandlerIndex(TCommEvent event) const;

    QSerialPort* m_serial = nullptr;
    bool m_loaded = false;
    int m_port = NoPort;
    bool m_errorFlag = false;
    bool m_mirror = false;
    TBaudRate m_baud = TBaudRate::br___9600;
    TParity m_parity = TParity::None;
    TDataBits m_dataBits = TDataBits::db_8;
    TStopBits m_stopBits = TStopBits::sb_1;
    std::uint16_t m_writeBufferSize = 2048;
    std::uint16_t m_readBufferSize = 2048;
    std::uint32_t m_readTimeout = 1000;
    std::uint32_t m_writeTimeout = 1000;
    TIntervals m_timeouts;
    TDCBFlags m_dcbFlags =
        DcbSet(TDCBFlag::fBinary) | DcbSet(TDCBFlag::fDtrControlEnable) | DcbSet(TDCBFlag::fRtsControlEnable);
    std::uint16_t m_xonLim = 2048;
    std::uint16_t m_xoffLim = 512;
    std::uint8_t m_xonChar = 17;
    std::uint8_t m_xoffChar = 19;
    std::uint8_t m_errorChar = 0;
    std::uint8_t m_eofChar = 0;
    std::uint8_t m_evtChar = 0;
    std::array<TCommHandler, 13> m_handlers;
    TCommEvents m_openWatched = 0;
    std::array<bool, kMaxComNumber + 1> m_present{};
    std::array<QString, kMaxComNumber + 1> m_deviceOverride;
    QString m_lastError;
    QString m_openDevice;
};
