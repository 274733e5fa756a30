#include "ExampleLogbook.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <cmath>
#include <stdexcept>

#include "Cp1252.h"
#include "ExampleDives.h"
#include "ProfileEncoder.h"
#include "TLogbookWriter.h"

namespace {

// Only the date and the time of day count; as UTC they never fall into a daylight-saving
// gap of the machine's time zone.
QDateTime ToDateTime(const TPlanTime& t) {
    return {QDate(t.Year, t.Month, t.Day), QTime(t.Hour, t.Minute), Qt::UTC};
}

QByteArray Text(const std::string& utf8) {
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    QByteArray bytes;
    if (!UnicodeToCp1252(text, bytes) || bytes.size() > TDiveRec::kMaxTextLength) {
        throw std::invalid_argument("example text not storable in a logbook: " + utf8);
    }
    return bytes;
}

std::int16_t Hundredths(double v) { return static_cast<std::int16_t>(std::lround(v * 100)); }

void FillNotes(TDiveRec& rec, const TExampleDive& dive) {
    rec.Location = Text(dive.Location);
    rec.Site = Text(dive.Site);
    rec.Buddies = Text(dive.Buddies);
    rec.Remarks = Text(dive.Remarks);
    rec.OtherActivity = Text(dive.OtherActivity);
    rec.Weather = dive.Weather;
    rec.Suit = dive.Suit;
    rec.AirTemperature = Hundredths(dive.Plan.AirTemp);
    rec.TankSize = Hundredths(dive.TankLitres);
    rec.DiveType |= dive.TypeFlags;
    rec.Activities = dive.Activities;
}

std::unique_ptr<TDiveRec> FromDevice(const TExampleTrip& trip, const TExampleDive& dive) {
    const std::vector<std::uint8_t> block = EncodeDiveBlock(dive.Plan);
    std::size_t used = 0;
    auto rec = TDiveRec::CreateFromDevice(block, ExampleClockAt(trip.Computer, trip.Download),
                                          ToDateTime(trip.Download), &used);
    if (!rec || used != block.size()) {
        throw std::logic_error("example dive block not accepted");
    }
    return rec;
}

std::unique_ptr<TDiveRec> ByHand(const TExampleDive& dive, const TExampleDive* before) {
    auto rec = TDiveRec::CreateEmpty(ToDateTime(dive.Plan.Start));
    rec->AltitudeRange = static_cast<std::uint8_t>(dive.Plan.AltitudeClass + 1);
    rec->MaxDepth = Hundredths(dive.HandMaxDepth);
    rec->DiveTime = static_cast<std::uint16_t>(dive.HandDiveTime);
    rec->MinWaterTemp = Hundredths(dive.Plan.WaterTemp);
    rec->AirConsumption = dive.HandAirUsed > 0 ? static_cast<std::uint16_t>(dive.HandAirUsed * 100) : kNotSet;
    const TPlanTime& s = dive.Plan.Start;
    if (before && before->Plan.Start.DaysSince1970() == s.DaysSince1970()) {
        // The diver notes the break since the last dive of the same day.
        const int end = before->Plan.Start.MinuteOfDay() + before->HandDiveTime;
        rec->SurfaceInterval = static_cast<std::int16_t>(s.MinuteOfDay() - end);
    }
    return rec;
}

}  // namespace

TDiveCollection BuildExampleLogbook() {
    TDiveCollection log;
    log.StartNumber = 1;
    for (const TExampleTrip& trip : ExampleTrips()) {
        const TExampleDive* lastByHand = nullptr;
        for (const TExampleDive& dive : trip.Dives) {
            std::unique_ptr<TDiveRec> rec;
            if (dive.IsDownloaded()) {
                rec = FromDevice(trip, dive);
            } else {
                rec = ByHand(dive, lastByHand);
                lastByHand = &dive;
            }
            FillNotes(*rec, dive);
            if (log.AddDive(std::move(rec), 0, 1) != AddDiveResult::Accepted) {
                throw std::logic_error("example dive refused by the logbook");
            }
        }
        if (trip.Computer >= 0) {
            log.DiveComputerId = ExampleComputers()[static_cast<std::size_t>(trip.Computer)].Serial;
        }
    }
    log.SortAndRenumber();
    return log;
}

QByteArray ExampleLogbookBytes() {
    const TDiveCollection log = BuildExampleLogbook();
    TLogbookWriter out;
    log.SaveToStream(out, false);
    return out.Data();
}
