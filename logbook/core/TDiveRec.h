#pragma once
// One dive of the logbook: hand-entered or downloaded from the dive computer. Values
// are integers in fixed units (centimetres, minutes, 1/100 degree Celsius, 1/100 bar,
// 1/100 litre); kNotSet (32767) in a 16-bit value means "no value". Texts are
// Windows-1252 bytes, at most 255 of them.
//
//   std::size_t used = 0;
//   auto rec = TDiveRec::CreateFromDevice(block, clockNow, QDateTime::currentDateTime(), &used);
//   rec->WriteToStream(writer, false);

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "ProfileBytes.h"
#include "UnitFormat.h"  // kNotSet, shared with the formatters of the windows

class TLogbookReader;
class TLogbookWriter;

// DiveType flags.
namespace DiveTypeFlag {
inline constexpr std::uint16_t kSingle = 0x0001;
inline constexpr std::uint16_t kRepetitive = 0x0002;
inline constexpr std::uint16_t kNostop = 0x0004;
inline constexpr std::uint16_t kDecomp = 0x0008;
inline constexpr std::uint16_t kSquare = 0x0010;
inline constexpr std::uint16_t kMultil = 0x0020;
inline constexpr std::uint16_t kFresh = 0x0040;
inline constexpr std::uint16_t kSea = 0x0080;
inline constexpr std::uint16_t kNitrox = 0x0100;
inline constexpr std::uint16_t kSCR = 0x0200;
}  // namespace DiveTypeFlag

// DeviceStatus bits (status byte of the dive block).
namespace DeviceStatusFlag {
inline constexpr std::uint16_t kAscentAlarm = 0x01;
inline constexpr std::uint16_t kRepetitive = 0x02;
inline constexpr std::uint16_t kDiveTimePlus100 = 0x04;
inline constexpr std::uint16_t kDecompAlarm = 0x08;
inline constexpr std::uint16_t kWorkAlarm = 0x10;
inline constexpr std::uint16_t kSOS = 0x20;
}  // namespace DeviceStatusFlag

// HwSw bit 8: the dive computer delivered no air consumption.
inline constexpr std::uint16_t kHwSwNoAirConsumption = 0x100;

// Size of the fixed head of a dive block in the dive computer's memory.
inline constexpr std::size_t kDiveBlockHeaderSize = 18;

class TDiveRec {
public:
    static constexpr int kNotSet = ::kNotSet;
    static constexpr std::uint16_t kRecordMarker = 160;
    static constexpr int kMaxTextLength = 255;
    // Bytes of a record image without texts and profile bytes (five empty texts count
    // their length byte here).
    static constexpr std::size_t kFixedImageSize = 52;

    std::int32_t DayNo = 0;
    std::uint16_t StartTime = 0;  // minutes after midnight 0..1439
    QByteArray Location;
    QByteArray Site;
    std::uint8_t AltitudeRange = 0;
    std::int16_t SurfaceInterval = 0;  // minutes
    std::uint8_t Weather = 0;
    std::int16_t AirTemperature = 0;  // 1/100 degree Celsius
    std::uint8_t Suit = 0;
    std::int16_t TankSize = 0;         // 1/100 litre
    std::int16_t MaxDepth = 0;         // centimetres
    std::uint16_t DiveTime = 0;        // minutes
    std::int16_t MinWaterTemp = 0;     // 1/100 degree Celsius
    std::uint16_t AirConsumption = 0;  // 1/100 bar
    std::uint16_t DiveType = 0;
    std::uint16_t Activities = 0;
    QByteArray OtherActivity;
    QByteArray Buddies;
    QByteArray Remarks;
    std::uint16_t DeviceStatus = 0;
    std::uint16_t DiveNumber = 0;
    std::uint32_t DeviceTime = 0;  // dive computer clock, ticks of 0.5 s; 0 = hand-entered
    std::uint16_t HwSw = 0;
    std::uint8_t Analysed = 0;
    std::uint8_t StopInfo = 0;
    std::uint32_t Reserved = 0;
    // Empty: no profile. Otherwise the whole block: 16-bit length L, then L bytes.
    TProfileBytes ProfileBlock;

    // A dive entered by hand, dated `now` (date and time of day in whole minutes).
    static std::unique_ptr<TDiveRec> CreateEmpty(const QDateTime& now);

    // A dive from a block of the dive computer's memory (18-byte head + profile).
    // `deviceClockNow` is the dive computer's clock at download time and `now` the
    // local date and time of the download; together they date the dive. `consumed`
    // (may be null) receives 18 + L. Returns null (consumed = 0) when the block is
    // shorter than its head or than the profile length it declares.
    static std::unique_ptr<TDiveRec> CreateFromDevice(std::span<const std::uint8_t> block,
                                                      std::uint32_t deviceClockNow, const QDateTime& now,
                                                      std::size_t* consumed);

    // Reads one record image at the reader's position; EStreamReadError when short.
    static std::unique_ptr<TDiveRec> CreateFromStream(TLogbookReader& in, bool dosText);
    // The same into this record, reusing its text and profile buffers: a tool that walks
    // a logbook dive by dive reads every record into one TDiveRec.
    void ReadFromStream(TLogbookReader& in, bool dosText);
    void WriteToStream(TLogbookWriter& out, bool dosText) const;

    bool HasProfile() const { return !ProfileBlock.empty(); }
    // Profile length L of the block (0 without profile).
    std::uint16_t ProfileLength() const;
    // The L profile bytes after the length word.
    std::span<const std::uint8_t> ProfileBytes() const;

    bool IsDownloaded() const { return DeviceTime != 0; }
    int FamilyNibble() const { return (HwSw >> 4) & 0xF; }
    bool IsFamilyA() const { return FamilyNibble() == 0xA; }
    bool IsFamilyF() const { return FamilyNibble() == 0xF; }
    bool IsNitrox() const { return (DiveType & DiveTypeFlag::kNitrox) != 0; }
    bool IsSCR() const { return (DiveType & DiveTypeFlag::kSCR) != 0; }

    // "0007", followed by "»" when the dive has a profile. Numbers above 9999 show all
    // their digits.
    QString ListLine() const;

    friend bool operator==(const TDiveRec&, const TDiveRec&) = default;
};
