#pragma once
// A local date and time of day, minute resolution, as the dive plans and the download
// times of the example logbook are written. Plain arithmetic on the proleptic Gregorian
// calendar, so the generators need no clock and give the same bytes everywhere.

#include <cstdint>

struct TPlanTime {
    int Year = 2000;
    int Month = 1;
    int Day = 1;
    int Hour = 0;
    int Minute = 0;

    // Days since 1 January 1970 of the date (negative before it).
    std::int64_t DaysSince1970() const {
        const int y = Year - (Month <= 2 ? 1 : 0);
        const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
        const int yoe = static_cast<int>(y - era * 400);
        const int mp = (Month + 9) % 12;
        const int doy = (153 * mp + 2) / 5 + Day - 1;
        const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
        return era * 146097 + doe - 719468;
    }
    std::int64_t SecondsSince1970() const {
        return DaysSince1970() * 86400 + static_cast<std::int64_t>(Hour) * 3600 +
               static_cast<std::int64_t>(Minute) * 60;
    }
    int MinuteOfDay() const { return Hour * 60 + Minute; }
};

// Seconds from a to b (positive when b is later).
inline std::int64_t SecondsBetween(const TPlanTime& a, const TPlanTime& b) {
    return b.SecondsSince1970() - a.SecondsSince1970();
}
