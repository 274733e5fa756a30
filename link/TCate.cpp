#include "TCate.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <set>

#include "ComNumbers.h"
#include "LinkFraming.h"

const std::array<TCommEvent, 13> kCommEventOrder = {
    TCommEvent::BreakMask,  TCommEvent::CtsMask,     TCommEvent::DsrMask,      TCommEvent::ErrMask,
    TCommEvent::PerrMask,   TCommEvent::RingMask,    TCommEvent::RlsdMask,     TCommEvent::RxCharMask,
    TCommEvent::RxFlagMask, TCommEvent::TxEmptyMask, TCommEvent::Rx80FullMask, TCommEvent::Event1Mask,
    TCommEvent::Event2Mask};

namespace {

constexpr std::uint16_t kMaxQueue = 8192;
constexpr std::uint32_t kReturnAtOnce = 0xFFFFFFFFu;

// Devices held open by a component of this program: a second open of the same device
// fails, as the exclusive open of a COM port does, even where the system would allow it.
std::set<QString>& OpenDevices() {
    static std::set<QString> devices;
    return devices;
}

QSerialPort::Parity ToQt(TParity p) {
    switch (p) {
        case TParity::Odd:
            return QSerialPort::OddParity;
        case TParity::Even:
            return QSerialPort::EvenParity;
        case TParity::Mark:
            return QSerialPort::MarkParity;
        case TParity::Space:
            return QSerialPort::SpaceParity;
        case TParity::None:
            break;
    }
    return QSerialPort::NoParity;
}

}  // namespace

int BaudValue(TBaudRate rate) {
    static constexpr int kValues[] = {110,   300,   600,   1200,  2400,   4800,   9600,  14400,
                                      19200, 38400, 56000, 57600, 115200, 128000, 256000};
    return kValues[static_cast<int>(rate)];
}

std::uint32_t DcbFlagWord(TDCBFlags flags) {
    static constexpr std::uint32_t kMasks[] = {0x0001, 0x0002, 0x0004, 0x0008, 0x0010, 0x0020,
                                               0x0040, 0x0080, 0x0100, 0x0200, 0x0400, 0x0800,
                                               0x1000, 0x2000, 0x3000, 0x4000};
    std::uint32_t word = 0;
    for (int i = 0; i < 16; ++i)
        if (flags & (TDCBFlags{1} << i)) word |= kMasks[i];
    return word;
}

TCate::TCate() = default;

TCate::~TCate() { TCate::ClosePort(); }

void TCate::Loaded() {
    m_loaded = true;
    SetPort(m_port);
}

bool TCate::IsOpen() const { return m_serial != nullptr; }

QString TCate::DeviceName(int com) const {
    if (com >= 1 && com <= kMaxComNumber && !m_deviceOverride[com].isEmpty()) return m_deviceOverride[com];
    return ComDevicePath(com);
}

void TCate::SetDeviceName(int com, const QString& path) {
    if (com >= 1 && com <= kMaxComNumber) m_deviceOverride[com] = path;
}

void TCate::SetPort(int com) {
    m_port = com;
    m_errorFlag = false;
    if (!m_loaded) return;
    ClosePort();
    m_port = com;
    if (com == NoPort) return;

    const QString device = DeviceName(com);
    auto fail = [&](const QString& why) {
        m_lastError = why;
        m_port = NoPort;
        m_errorFlag = true;
    };
    if (device.isEmpty()) return fail(QStringLiteral("COM%1 has no device").arg(com));
    if (OpenDevices().count(device)) return fail(QStringLiteral("%1 is in use").arg(device));

    auto* serial = new QSerialPort;
    serial->setPortName(device);
    serial->setReadBufferSize(m_readBufferSize);
    if (!serial->open(QIODevice::ReadWrite)) {
        const QString why = serial->errorString();
        delete serial;
        return fail(QStringLiteral("%1: %2").arg(device, why));
    }
    m_serial = serial;
    m_openDevice = device;
    OpenDevices().insert(device);
    ApplyLineSettings();

    // The watched set is taken now: handlers assigned later are watched from the next open.
    m_openWatched = 0;
    for (std::size_t i = 0; i < kCommEventOrder.size(); ++i)
        if (m_handlers[i]) m_openWatched |= static_cast<TCommEvents>(kCommEventOrder[i]);

    QObject::connect(serial, &QSerialPort::readyRead, serial, [this] {
        auto ev = static_cast<TCommEvents>(TCommEvent::RxCharMask);
        if (m_openWatched & static_cast<TCommEvents>(TCommEvent::RxFlagMask)) {
            const QByteArray waiting = m_serial->peek(m_serial->bytesAvailable());
            if (waiting.contains(static_cast<char>(m_evtChar)))
                ev |= static_cast<TCommEvents>(TCommEvent::RxFlagMask);
        }
        Dispatch(ev);
    });
    QObject::connect(serial, &QSerialPort::errorOccurred, serial, [this](QSerialPort::SerialPortError e) {
        if (e == QSerialPort::NoError || e == QSerialPort::TimeoutError) return;
        m_errorFlag = true;
        Dispatch(static_cast<TCommEvents>(TCommEvent::ErrMask));
    });
    QObject::connect(serial, &QSerialPort::bytesWritten, serial, [this](qint64) {
        if (m_serial && m_serial->bytesToWrite() == 0)
            Dispatch(static_cast<TCommEvents>(TCommEvent::TxEmptyMask));
    });
}

void TCate::ApplyLineSettings() {
    if (!m_serial) return;
    // A setting the device refuses (a pseudo-terminal keeps 8N1) is left in LastPlatformError.
    auto note = [this](bool ok) {
        if (!ok) m_lastError = m_serial->errorString();
    };
    note(m_serial->setBaudRate(BaudValue(m_baud)));
    note(m_serial->setParity(ToQt(m_parity)));
    if (m_dataBits != TDataBits::db_4)
        note(m_serial->setDataBits(static_cast<QSerialPort::DataBits>(m_dataBits)));
    if (m_stopBits != TStopBits::sb_1_5)
        note(m_serial->setStopBits(m_stopBits == TStopBits::sb_2 ? QSerialPort::TwoStop
                                                                 : QSerialPort::OneStop));
    ApplyFlowFlags();
    m_serial->clearError();
}

void TCate::ApplyFlowFlags() {
    if (!m_serial) return;
    auto has = [&](TDCBFlag f) { return (m_dcbFlags & DcbSet(f)) != 0; };
    const bool hardware = has(TDCBFlag::fOutxCtsFlow) || has(TDCBFlag::fRtsControlHandshake);
    const bool software = has(TDCBFlag::fOutX) || has(TDCBFlag::fInX);
    m_serial->setFlowControl(hardware   ? QSerialPort::HardwareControl
                             : software ? QSerialPort::SoftwareControl
                                        : QSerialPort::NoFlowControl);
    // Without DTR/RTS control enabled the lines are low at open and left to the program.
    // A pseudo-terminal has no such lines; that failure is left in LastPlatformError.
    if (!m_serial->setDataTerminalReady(has(TDCBFlag::fDtrControlEnable)))
        m_lastError = m_serial->errorString();
    if (!hardware && !m_serial->setRequestToSend(has(TDCBFlag::fRtsControlEnable)))
        m_lastError = m_serial->errorString();
}

void TCate::ClosePort() {
    if (m_serial) {
        m_serial->clear(QSerialPort::AllDirections);
        m_serial->close();
        OpenDevices().erase(m_openDevice);
        m_openDevice.clear();
        delete m_serial;
        m_serial = nullptr;
    }
    // Port keeps its number: a later SetPort with it (a buffer-size change) opens it again.
}

std::uint16_t TCate::ReadData(std::uint8_t* buffer, std::uint16_t count) {
    if (!m_serial) return 0;
    QElapsedTimer t;
    t.start();
    qint64 got = 0;
    auto readSome = [&] {
        const qint64 r = m_serial->read(reinterpret_cast<char*>(buffer) + got, count - got);
        if (r > 0) got += r;
    };
    auto left = [&] { return static_cast<int>(m_readTimeout) - static_cast<int>(t.elapsed()); };
    readSome();
    if (m_timeouts.ReadInterval != kReturnAtOnce) {
        // Wait for a first byte, then for more while they follow within the read interval,
        // never longer than ReadTimeout in all.
        while (got == 0 && left() > 0) {
            m_serial->waitForReadyRead(left());
            readSome();
        }
        while (got > 0 && got < count && m_timeouts.ReadInterval > 0 && left() > 0) {
            const int wait = std::min<int>(static_cast<int>(m_timeouts.ReadInterval), left());
            if (!m_serial->waitForReadyRead(wait)) break;
            readSome();
        }
    }
    if (got == 0) {
        m_errorFlag = true;
        return 0;
    }
    if (m_mirror) ::MirrorBytes(std::span<std::uint8_t>(buffer, static_cast<std::size_t>(got)));
    return static_cast<std::uint16_t>(got);
}

std::uint16_t TCate::WriteData(std::uint8_t* buffer, std::uint16_t count) {
    if (!m_serial) return 0;
    if (m_mirror) ::MirrorBytes(std::span<std::uint8_t>(buffer, count));
    const qint64 before = m_serial->bytesToWrite();
    const qint64 accepted = m_serial->write(reinterpret_cast<const char*>(buffer), count);
    if (accepted <= 0) {
        m_errorFlag = true;
        return 0;
    }
    if (m_serial->bytesToWrite() > 0) m_serial->waitForBytesWritten(static_cast<int>(m_writeTimeout));
    // Bytes still in the queue after WriteTimeout go out later from the event loop; what
    // counts as written is what reached the driver in time.
    qint64 done = before + accepted - m_serial->bytesToWrite();
    if (done < 0) done = 0;
    if (done > accepted) done = accepted;
    if (done == 0) m_errorFlag = true;
    return static_cast<std::uint16_t>(done);
}

bool TCate::ClearErrors() {
    if (!m_serial) return false;
    m_serial->clearError();
    return true;
}

bool TCate::PurgeInput() {
    if (!m_serial) return false;
    return m_serial->clear(QSerialPort::Input);
}

bool TCate::TakeError() {
    const bool e = m_errorFlag;
    m_errorFlag = false;
    return e;
}

bool TCate::EscapeCommFunction(LineControl function) {
    if (!m_serial) return false;
    bool ok = false;
    switch (function) {
        case LineControl::SetDtr:
            ok = m_serial->setDataTerminalReady(true);
            break;
        case LineControl::ClrDtr:
            ok = m_serial->setDataTerminalReady(false);
            break;
        case LineControl::SetRts:
            ok = m_serial->setRequestToSend(true);
            break;
        case LineControl::ClrRts:
            ok = m_serial->setRequestToSend(false);
            break;
    }
    if (!ok) {
        m_lastError = m_serial->errorString();
        m_serial->clearError();
    }
    return ok;
}

int TCate::EnumComPorts() {
    QStringList names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) names << info.systemLocation();
    int highest = MarkComPorts(names, m_present);
    for (int n = 1; n <= kMaxComNumber; ++n)
        if (!m_deviceOverride[n].isEmpty() && QFileInfo::exists(m_deviceOverride[n])) {
            m_present[n] = true;
            highest = std::max(highest, n);
        }
    return highest;
}

bool TCate::PortPresent(int com) const { return com >= 1 && com <= kMaxComNumber && m_present[com]; }

void TCate::SetOnRxChar(std::function<void()> handler) {
    if (!handler) {
        SetHandler(TCommEvent::RxCharMask, nullptr);
        return;
    }
    SetHandler(TCommEvent::RxCharMask, [h = std::move(handler)](TCate&, TCommEvents) { h(); });
}

int TCate::HandlerIndex(TCommEvent event) const {
    for (std::size_t i = 0; i < kCommEventOrder.size(); ++i)
        if (kCommEventOrder[i] == event) return static_cast<int>(i);
    return -1;
}

void TCate::SetHandler(TCommEvent event, TCommHandler handler) {
    const int i = HandlerIndex(event);
    if (i >= 0) m_handlers[i] = std::move(handler);
}

void TCate::Dispatch(TCommEvents events) {
    for (std::size_t i = 0; i < kCommEventOrder.size(); ++i) {
        const auto mask = static_cast<TCommEvents>(kCommEventOrder[i]);
        if ((events & mask) && (m_openWatched & mask) && m_handlers[i]) m_handlers[i](*this, m_openWatched);
    }
}

void TCate::SetBaudRate(TBaudRate v) {
    m_baud = v;
    ApplyLineSettings();
}
void TCate::SetParity(TParity v) {
    m_parity = v;
    ApplyLineSettings();
}
void TCate::SetDataBits(TDataBits v) {
    m_dataBits = v;
    ApplyLineSettings();
}
void TCate::SetStopBits(TStopBits v) {
    m_stopBits = v;
    ApplyLineSettings();
}
void TCate::SetDCBFlags(TDCBFlags v) {
    m_dcbFlags = v;
    ApplyFlowFlags();
}

void TCate::SetWriteBufferSize(std::uint16_t v) {
    m_writeBufferSize = std::min(v, kMaxQueue);
    if (m_loaded) SetPort(m_port);
}

void TCate::SetReadBufferSize(std::uint16_t v) {
    m_readBufferSize = std::min(v, kMaxQueue);
    if (m_loaded) SetPort(m_port);
}
