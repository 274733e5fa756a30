#include "TDiveRec.h"

#include <algorithm>
#include <cmath>

#include "DayNumber.h"
#include "DosText.h"
#include "TLogbookReader.h"
#include "TLogbookWriter.h"

namespace {
constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kMinutesPerDay = 1440;

int Bcd(std::uint8_t b) { return 10 * (b >> 4) + (b & 0x0F); }

// Division rounding toward minus infinity, so times just before midnight stay on
// their own day.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

// Nearest integer, ties to the even one.
long RoundEven(double v) { return std::lrint(v); }

QByteArray ReadText(TLogbookReader& in, bool dosText) {
    const std::uint8_t n = in.ReadU8();
    if (n == 0) return {};
    QByteArray text = in.ReadBytes(n);
    return dosText ? DosToAnsi(text) : text;
}

void WriteText(TLogbookWriter& out, const QByteArray& text, bool dosText) {
    const qsizetype n = std::min<qsizetype>(text.size(), TDiveRec::kMaxTextLength);
    out.WriteU8(static_cast<std::uint8_t>(n));
    const auto* p = reinterpret_cast<const std::uint8_t*>(text.constData());
    if (!dosText) {
        out.WriteBytes(std::span(p, static_cast<std::size_t>(n)));
        return;
    }
    for (qsizetype i = 0; i < n; ++i) out.WriteU8(AnsiToDosByte(p[i]));
}

void SetGasFlags(TDiveRec& rec) {
    // Bytes 25 and 26 of the profile block (counted from its length word) hold the gas
    // of the dive; a block too short to hold them sets nothing.
    const std::vector<std::uint8_t>& b = rec.ProfileBlock;
    if (rec.IsFamilyA()) {
        if (b.size() <= 26) return;
        const int g = b[26] >> 4;
        if ((g == 0 || g == 2) && b[25] != 21) rec.DiveType |= DiveTypeFlag::kNitrox;
        if (g == 4) rec.DiveType |= DiveTypeFlag::kSCR;
    } else if (rec.IsFamilyF()) {
        if (b.size() <= 25) return;
        if ((b[25] & 0x0F) != 0) rec.DiveType |= DiveTypeFlag::kNitrox;
    }
}
}  // namespace

std::unique_ptr<TDiveRec> TDiveRec::CreateEmpty(const QDateTime& now) {
    auto rec = std::make_unique<TDiveRec>();
    rec->DayNo = DayNoFromDate(now.date());
    const QTime t = now.time();
    rec->StartTime = static_cast<std::uint16_t>(t.hour() * 60 + t.minute());
    rec->SurfaceInterval = kNotSet;
    rec->AirTemperature = kNotSet;
    rec->TankSize = kNotSet;
    rec->MaxDepth = kNotSet;
    rec->DiveTime = kNotSet;
    rec->MinWaterTemp = kNotSet;
    rec->AirConsumption = kNotSet;
    return rec;
}

std::unique_ptr<TDiveRec> TDiveRec::CreateFromDevice(std::span<const std::uint8_t> b,
                                                     std::uint32_t deviceClockNow, const QDateTime& now,
                                                     std::size_t* consumed) {
    if (consumed) *consumed = 0;
    if (b.size() < kDiveBlockHeaderSize) return nullptr;
    const std::size_t profileLength = static_cast<std::size_t>(b[16] | (b[17] << 8));
    if (b.size() < kDiveBlockHeaderSize + profileLength) return nullptr;

    auto rec = std::make_unique<TDiveRec>();
    rec->AirTemperature = kNotSet;
    rec->TankSize = kNotSet;

    const std::uint8_t status = b[4];
    rec->AltitudeRange = static_cast<std::uint8_t>((status >> 6) + 1);
    rec->DeviceStatus = status;
    if (status & DeviceStatusFlag::kRepetitive) {
        rec->SurfaceInterval = static_cast<std::int16_t>(Bcd(b[8]) * 60 + Bcd(b[9]));
        rec->DiveType = DiveTypeFlag::kRepetitive;
    } else {
        rec->SurfaceInterval = kNotSet;
        rec->DiveType = DiveTypeFlag::kSingle;
    }

    rec->HwSw = b[3];
    rec->DiveTime =
        static_cast<std::uint16_t>(Bcd(b[5]) + ((status & DeviceStatusFlag::kDiveTimePlus100) ? 100 : 0));

    // Air consumption: variants 11 and 13..15 have no pressure sensor; variant 12 counts
    // in steps of 176/128 bar.
    const int variant = b[3] & 0x0F;
    if (variant == 11 || variant >= 13 || b[10] == 0) {
        rec->AirConsumption = kNotSet;
        rec->HwSw |= kHwSwNoAirConsumption;
    } else if (variant == 12) {
        rec->AirConsumption = static_cast<std::uint16_t>(RoundEven(b[10] / 128.0 * 176.0) * 100);
    } else {
        rec->AirConsumption = static_cast<std::uint16_t>(b[10] * 100);
    }

    const unsigned rawDepth = (static_cast<unsigned>(b[6]) << 8) | b[7];
    rec->MaxDepth = static_cast<std::int16_t>(RoundEven(rawDepth * 0.244140625));

    const std::uint32_t t = static_cast<std::uint32_t>(b[11]) | (static_cast<std::uint32_t>(b[12]) << 8) |
                            (static_cast<std::uint32_t>(b[13]) << 16) |
                            (static_cast<std::uint32_t>(b[14]) << 24);
    rec->DeviceTime = t;

    // Dating: the dive lies e seconds before now (negative when the dive computer's
    // clock is behind the dive). Its start, counted in seconds from today's midnight,
    // is split into whole days and minutes of day with floor division so the minute
    // always lies in 0..1439 and the day carries the rest.
    const std::int64_t e = static_cast<std::int32_t>(deviceClockNow - t) / 2;
    const std::int64_t s = RoundEven(now.time().msecsSinceStartOfDay() / 1000.0);
    const std::int64_t minutes = FloorDiv(s - e, 60);
    const std::int64_t days = FloorDiv(minutes, kMinutesPerDay);
    rec->DayNo = static_cast<std::int32_t>(DayNoFromDate(now.date()) + days);
    rec->StartTime = static_cast<std::uint16_t>(minutes - days * kMinutesPerDay);
    static_assert(kSecondsPerDay == kMinutesPerDay * 60);

    rec->MinWaterTemp = static_cast<std::int16_t>(b[15] * 25);

    if (profileLength > 0) {
        rec->ProfileBlock.assign(b.begin() + 16, b.begin() + 18 + static_cast<std::ptrdiff_t>(profileLength));
        SetGasFlags(*rec);
    }
    if (consumed) *consumed = kDiveBlockHeaderSize + profileLength;
    return rec;
}

std::unique_ptr<TDiveRec> TDiveRec::CreateFromStream(TLogbookReader& in, bool dosText) {
    auto rec = std::make_unique<TDiveRec>();
    in.ReadU16();  // record marker, not checked
    rec->DayNo = ConvertOldDayNo(in.ReadI32());
    rec->StartTime = in.ReadU16();
    rec->Location = ReadText(in, dosText);
    rec->Site = ReadText(in, dosText);
    rec->AltitudeRange = in.ReadU8();
    rec->SurfaceInterval = in.ReadI16();
    rec->Weather = in.ReadU8();
    rec->AirTemperature = in.ReadI16();
    rec->Suit = in.ReadU8();
    rec->TankSize = in.ReadI16();
    rec->MaxDepth = in.ReadI16();
    rec->DiveTime = in.ReadU16();
    rec->MinWaterTemp = in.ReadI16();
    rec->AirConsumption = in.ReadU16();
    rec->DiveType = in.ReadU16();
    rec->Activities = in.ReadU16();
    rec->OtherActivity = ReadText(in, dosText);
    rec->Buddies = ReadText(in, dosText);
    rec->Remarks = ReadText(in, dosText);
    rec->DeviceStatus = in.ReadU16();
    rec->DiveNumber = in.ReadU16();
    rec->DeviceTime = in.ReadU32();
    rec->HwSw = in.ReadU16();
    rec->Analysed = in.ReadU8();
    rec->StopInfo = in.ReadU8();
    rec->Reserved = in.ReadU32();
    const std::uint16_t length = in.ReadU16();
    if (length > 0) {
        // The reader checks the length against the bytes left before anything is
        // allocated, so a damaged length cannot ask for more memory than the file has.
        in.Require(length);
        rec->ProfileBlock.reserve(length + 2u);
        rec->ProfileBlock.push_back(static_cast<std::uint8_t>(length & 0xFF));
        rec->ProfileBlock.push_back(static_cast<std::uint8_t>(length >> 8));
        in.ReadInto(rec->ProfileBlock, length);
    }
    return rec;
}

void TDiveRec::WriteToStream(TLogbookWriter& out, bool dosText) const {
    out.WriteU16(kRecordMarker);
    out.WriteI32(DayNo);
    out.WriteU16(StartTime);
    WriteText(out, Location, dosText);
    WriteText(out, Site, dosText);
    out.WriteU8(AltitudeRange);
    out.WriteI16(SurfaceInterval);
    out.WriteU8(Weather);
    out.WriteI16(AirTemperature);
    out.WriteU8(Suit);
    out.WriteI16(TankSize);
    out.WriteI16(MaxDepth);
    out.WriteU16(DiveTime);
    out.WriteI16(MinWaterTemp);
    out.WriteU16(AirConsumption);
    out.WriteU16(DiveType);
    out.WriteU16(Activities);
    WriteText(out, OtherActivity, dosText);
    WriteText(out, Buddies, dosText);
    WriteText(out, Remarks, dosText);
    out.WriteU16(DeviceStatus);
    out.WriteU16(DiveNumber);
    out.WriteU32(DeviceTime);
    out.WriteU16(HwSw);
    out.WriteU8(Analysed);
    out.WriteU8(StopInfo);
    out.WriteU32(Reserved);
    if (ProfileBlock.size() < 2) {
        out.WriteU16(0);
        return;
    }
    // The length word is written from the bytes actually held, so the image always
    // parses back even if a caller left a stale length word in the block.
    const std::size_t length = std::min<std::size_t>(ProfileBlock.size() - 2, 0xFFFF);
    out.WriteU16(static_cast<std::uint16_t>(length));
    out.WriteBytes(std::span<const std::uint8_t>(ProfileBlock).subspan(2, length));
}

std::uint16_t TDiveRec::ProfileLength() const {
    if (ProfileBlock.size() < 2) return 0;
    return static_cast<std::uint16_t>(ProfileBlock[0] | (ProfileBlock[1] << 8));
}

std::span<const std::uint8_t> TDiveRec::ProfileBytes() const {
    if (ProfileBlock.size() < 2) return {};
    return std::span<const std::uint8_t>(ProfileBlock).subspan(2);
}

QString TDiveRec::ListLine() const {
    QString line = QStringLiteral("%1").arg(DiveNumber, 4, 10, QLatin1Char('0'));
    if (HasProfile()) line += QChar(0x00BB);
    return line;
}
