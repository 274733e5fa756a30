#include "TDiveRec.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "DayNumber.h"
#include "DosText.h"
#include "TLogbookReader.h"
#include "TLogbookWriter.h"
#include "TTextPool.h"

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

char DosToAnsiChar(char c) {
    const auto b = static_cast<std::uint8_t>(c);
    return b < 0x80 ? c : static_cast<char>(OemToAnsiTable[b - 0x80]);
}

// `field` numbers the record's texts in their order, 0 (location) to 4 (remarks).
void ReadText(TLogbookReader& in, bool dosText, TTextPool* pool, std::size_t field, QByteArray& text) {
    const std::uint8_t n = in.ReadU8();
    if (pool) {
        const std::span<const std::uint8_t> bytes = in.ReadView(n);
        char converted[TDiveRec::kMaxTextLength];
        const char* p = reinterpret_cast<const char*>(bytes.data());
        if (dosText) {
            std::transform(p, p + n, converted, DosToAnsiChar);
            p = converted;
        }
        pool->Assign(field, std::string_view(p, n), text);
        return;
    }
    in.ReadInto(text, n);
    if (dosText) std::transform(text.begin(), text.end(), text.begin(), DosToAnsiChar);  // in place
}

void SetGasFlags(TDiveRec& rec) {
    // Bytes 25 and 26 of the profile block (counted from its length word) hold the gas
    // of the dive; a block too short to hold them sets nothing.
    const TProfileBytes& b = rec.ProfileBlock;
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
// One record image into `rec`; texts through the pool when there is one.
void ReadRecord(TDiveRec& rec, TLogbookReader& in, bool dosText, TTextPool* texts) {
    in.ReadU16();  // record marker, not checked
    rec.DayNo = ConvertOldDayNo(in.ReadI32());
    rec.StartTime = in.ReadU16();
    ReadText(in, dosText, texts, 0, rec.Location);
    ReadText(in, dosText, texts, 1, rec.Site);
    rec.AltitudeRange = in.ReadU8();
    rec.SurfaceInterval = in.ReadI16();
    rec.Weather = in.ReadU8();
    rec.AirTemperature = in.ReadI16();
    rec.Suit = in.ReadU8();
    rec.TankSize = in.ReadI16();
    rec.MaxDepth = in.ReadI16();
    rec.DiveTime = in.ReadU16();
    rec.MinWaterTemp = in.ReadI16();
    rec.AirConsumption = in.ReadU16();
    rec.DiveType = in.ReadU16();
    rec.Activities = in.ReadU16();
    ReadText(in, dosText, texts, 2, rec.OtherActivity);
    ReadText(in, dosText, texts, 3, rec.Buddies);
    ReadText(in, dosText, texts, 4, rec.Remarks);
    rec.DeviceStatus = in.ReadU16();
    rec.DiveNumber = in.ReadU16();
    rec.DeviceTime = in.ReadU32();
    rec.HwSw = in.ReadU16();
    rec.Analysed = in.ReadU8();
    rec.StopInfo = in.ReadU8();
    rec.Reserved = in.ReadU32();
    const std::uint16_t length = in.ReadU16();
    rec.ProfileBlock.clear();
    if (length > 0) {
        // The reader hands out the bytes only when the file holds them, before anything is
        // allocated, so a damaged length cannot ask for more memory than the file has.
        const std::span<const std::uint8_t> bytes = in.ReadView(length);
        rec.ProfileBlock.resize(length + 2u);
        std::uint8_t* p = rec.ProfileBlock.data();
        p[0] = static_cast<std::uint8_t>(length & 0xFF);
        p[1] = static_cast<std::uint8_t>(length >> 8);
        std::memcpy(p + 2, bytes.data(), length);
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
    const auto profileLength = static_cast<std::size_t>(b[16] | (b[17] << 8));
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
        rec->ProfileBlock.Assign(b.subspan(16, profileLength + 2));
        SetGasFlags(*rec);
    }
    if (consumed) *consumed = kDiveBlockHeaderSize + profileLength;
    return rec;
}

std::unique_ptr<TDiveRec> TDiveRec::CreateFromStream(TLogbookReader& in, bool dosText) {
    auto rec = std::make_unique<TDiveRec>();
    rec->ReadFromStream(in, dosText);
    return rec;
}

TDivePtr CreateDiveFromStream(TLogbookReader& in, bool dosText, TTextPool& texts, TDiveBlocks& blocks) {
    TDivePtr rec = blocks.NewDive();
    ReadRecord(*rec, in, dosText, &texts);
    return rec;
}

void TDiveRec::ReadFromStream(TLogbookReader& in, bool dosText) { ReadRecord(*this, in, dosText, nullptr); }

void TDiveRec::WriteToStream(TLogbookWriter& out, bool dosText) const {
    // The whole image is sized first and filled in one pass: a large logbook is written
    // as one memory image before it goes to disk.
    const QByteArray* texts[5] = {&Location, &Site, &OtherActivity, &Buddies, &Remarks};
    qsizetype textBytes = 0;
    for (const QByteArray* t : texts) textBytes += std::min<qsizetype>(t->size(), kMaxTextLength);
    // The length word is written from the bytes actually held, so the image always
    // parses back even if a caller left a stale length word in the block.
    const std::size_t profileLength =
        ProfileBlock.size() < 2 ? 0 : std::min<std::size_t>(ProfileBlock.size() - 2, 0xFFFF);
    std::uint8_t* p = out.Extend(kFixedImageSize + static_cast<std::size_t>(textBytes) + profileLength);

    auto u8 = [&p](std::uint8_t v) { *p++ = v; };
    auto u16 = [&p](std::uint16_t v) {
        *p++ = static_cast<std::uint8_t>(v & 0xFF);
        *p++ = static_cast<std::uint8_t>(v >> 8);
    };
    auto u32 = [&p](std::uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8) *p++ = static_cast<std::uint8_t>((v >> shift) & 0xFF);
    };
    auto text = [&p, dosText](const QByteArray& t) {
        const qsizetype n = std::min<qsizetype>(t.size(), kMaxTextLength);
        *p++ = static_cast<std::uint8_t>(n);
        const auto* src = reinterpret_cast<const std::uint8_t*>(t.constData());
        if (dosText) {
            for (qsizetype i = 0; i < n; ++i) *p++ = AnsiToDosByte(src[i]);
        } else {
            p = std::copy_n(src, n, p);
        }
    };

    u16(kRecordMarker);
    u32(static_cast<std::uint32_t>(DayNo));
    u16(StartTime);
    text(Location);
    text(Site);
    u8(AltitudeRange);
    u16(static_cast<std::uint16_t>(SurfaceInterval));
    u8(Weather);
    u16(static_cast<std::uint16_t>(AirTemperature));
    u8(Suit);
    u16(static_cast<std::uint16_t>(TankSize));
    u16(static_cast<std::uint16_t>(MaxDepth));
    u16(DiveTime);
    u16(static_cast<std::uint16_t>(MinWaterTemp));
    u16(AirConsumption);
    u16(DiveType);
    u16(Activities);
    text(OtherActivity);
    text(Buddies);
    text(Remarks);
    u16(DeviceStatus);
    u16(DiveNumber);
    u32(DeviceTime);
    u16(HwSw);
    u8(Analysed);
    u8(StopInfo);
    u32(Reserved);
    u16(static_cast<std::uint16_t>(profileLength));
    if (profileLength > 0) std::copy_n(ProfileBlock.data() + 2, profileLength, p);
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
