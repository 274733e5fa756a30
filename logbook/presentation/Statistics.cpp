#include "Statistics.h"

#include <cmath>

#include "CaptionList.h"
#include "Language.h"
#include "Messages.h"
#include "TDateFormat.h"
#include "TDiveCollection.h"

namespace {

constexpr const char* kRowNames[kStatRowCount] = {
    "Dives", "Time",   "avTime", "Rept",   "R0",     "R1",    "R2",    "R3",    "R4",    "R5",  "Nitrox",
    "SCR",   "Nostop", "Deco",   "Multi",  "Square", "Fresh", "Sea",   "Sight", "Club",  "Edu", "Instr",
    "Night", "Cave",   "Ice",    "Search", "Wreck",  "River", "Drift", "Photo", "Other",
};

// DiveType bits of the rows from Nitrox to Sea, each tested for itself.
constexpr std::pair<EStatRow, std::uint16_t> kTypeRows[] = {
    {EStatRow::Nitrox, DiveTypeFlag::kNitrox}, {EStatRow::SCR, DiveTypeFlag::kSCR},
    {EStatRow::Nostop, DiveTypeFlag::kNostop}, {EStatRow::Deco, DiveTypeFlag::kDecomp},
    {EStatRow::Multi, DiveTypeFlag::kMultil},  {EStatRow::Square, DiveTypeFlag::kSquare},
    {EStatRow::Fresh, DiveTypeFlag::kFresh},   {EStatRow::Sea, DiveTypeFlag::kSea},
};

// Upper limits of the first five depth ranges in tenths of a metre and in feet.
constexpr int kMetricLimits[kDepthRangeCount - 1] = {100, 200, 300, 400, 500};
constexpr int kImperialLimits[kDepthRangeCount - 1] = {30, 60, 90, 120, 150};
constexpr const char* kMetricCaptions[kDepthRangeCount] = {
    "0 ... 10 m:", "10 ... 20 m:", "20 ... 30 m:", "30 ... 40 m:", "40 ... 50 m:", ">50 m:"};
constexpr const char* kImperialCaptions[kDepthRangeCount] = {
    "0 ... 30 ft:", "30 ... 60 ft:", "60 ... 90 ft:", "90 ...120 ft:", "120 ...150 ft:", ">150 ft:"};

std::size_t Index(EStatRow row) { return static_cast<std::size_t>(row); }

bool IsTimeRow(EStatRow row) { return row == EStatRow::Time || row == EStatRow::avTime; }

}  // namespace

QString StatRowName(EStatRow row) {
    const int i = static_cast<int>(row);
    return i >= 0 && i < kStatRowCount ? QString::fromLatin1(kRowNames[i]) : QString();
}

std::array<EStatRow, kStatRowCount> StatRows() {
    std::array<EStatRow, kStatRowCount> rows{};
    for (int i = 0; i < kStatRowCount; ++i) rows[static_cast<std::size_t>(i)] = static_cast<EStatRow>(i);
    return rows;
}

int DepthRangeOf(int maxDepth, int unitSystem) {
    const bool imperial = unitSystem == kImperial;
    const double shown = maxDepth / 100.0 * (imperial ? 3.3 : 10.0);
    // nearbyint rounds ties to the even integer in the default rounding mode.
    const auto d = static_cast<std::uint16_t>(static_cast<std::int32_t>(std::nearbyint(shown)));
    const int* limits = imperial ? kImperialLimits : kMetricLimits;
    for (int r = 0; r < kDepthRangeCount - 1; ++r)
        if (d < limits[r]) return r;
    return kDepthRangeCount - 1;
}

TStatistics ComputeStatistics(const TDiveCollection& logbook, const std::vector<bool>& selectedLines,
                              bool selectedOnly, int unitSystem) {
    TStatistics s;
    const std::size_t count = logbook.Count();
    auto counted = [&](std::size_t i) {
        return !selectedOnly || (i < selectedLines.size() && selectedLines[i]);
    };
    const auto& dives = logbook.Dives();
    // Every dive record lives in its own allocation: the walk asks for the records a few
    // lines ahead, so that they are in the cache when counted.
    constexpr std::size_t kAhead = 8;
    for (std::size_t i = 0; i < count; ++i) {
        if (i + kAhead < count) {
            const TDiveRec* ahead = dives[i + kAhead].get();
            __builtin_prefetch(&ahead->DayNo);
            __builtin_prefetch(&ahead->OtherActivity);
        }
        if (!counted(i)) continue;
        const TDiveRec& dive = *dives[i];
        ++s.Count;
        if (!s.FirstDay) s.FirstDay = dive.DayNo;
        s.LastDay = dive.DayNo;
        if (dive.DiveTime != kNotSet) s.TotalMinutes += dive.DiveTime;
        if (dive.SurfaceInterval != kNotSet) ++s.Counts[Index(EStatRow::Rept)];
        ++s.Counts[Index(EStatRow::R0) + static_cast<std::size_t>(DepthRangeOf(dive.MaxDepth, unitSystem))];
        // Added without branches: the bits of consecutive dives follow no pattern a branch
        // predictor could learn.
        for (const auto& [row, flag] : kTypeRows) s.Counts[Index(row)] += (dive.DiveType & flag) != 0 ? 1 : 0;
        for (int bit = 0; bit < 12; ++bit)
            s.Counts[Index(EStatRow::Sight) + static_cast<std::size_t>(bit)] += (dive.Activities >> bit) & 1u;
        if (!dive.OtherActivity.isEmpty()) ++s.Counts[Index(EStatRow::Other)];
    }
    s.Counts[Index(EStatRow::Dives)] = s.Count;
    s.Counts[Index(EStatRow::Time)] = s.TotalMinutes;
    // Without a counted dive there is no mean; 0:00 is shown instead of dividing by zero.
    s.Counts[Index(EStatRow::avTime)] =
        s.Count > 0 ? static_cast<std::int64_t>(std::nearbyint(static_cast<double>(s.TotalMinutes) / s.Count))
                    : 0;
    return s;
}

QString TStatistics::ValueText(EStatRow row) const {
    if (IsTimeRow(row)) return FormatStatisticsTime(CountOf(row));
    return QString::number(CountOf(row));
}

QString TStatistics::ShareText(EStatRow row) const {
    if (IsTimeRow(row) || Count == 0) return {};
    const double share = std::nearbyint(100.0 / Count * static_cast<double>(CountOf(row)));
    return QStringLiteral("(%1 %)").arg(static_cast<long long>(share));
}

QString FormatStatisticsTime(std::int64_t minutes) {
    return QStringLiteral("%1:%2")
        .arg(minutes / 60)
        .arg(static_cast<int>(minutes % 60), 2, 10, QLatin1Char('0'));
}

QString DepthRangeCaption(int range, int unitSystem) {
    if (range < 0 || range >= kDepthRangeCount) return {};
    return QString::fromLatin1(unitSystem == kImperial ? kImperialCaptions[range] : kMetricCaptions[range]);
}

QString StatisticsCaption(EStatRow row, int languageIndex, int unitSystem) {
    if (row >= EStatRow::R0 && row <= EStatRow::R5)
        return DepthRangeCaption(static_cast<int>(row) - static_cast<int>(EStatRow::R0), unitSystem);
    // The rebreather reads the same in every language; the window never re-captions it.
    if (row == EStatRow::SCR) return QStringLiteral("SCR:");
    const int language = IsValidLanguage(languageIndex) ? languageIndex : kGerman;
    return CaptionText(Program::Kelwin, QStringLiteral("TStatistic"), StatRowName(row), CaptionKind::Caption,
                       language);
}

QString StatisticsTitle(const TStatistics& statistics, bool handSelection,
                        const std::optional<std::pair<QString, QString>>& selectionDates) {
    QString first;
    QString last;
    if (!handSelection && selectionDates) {
        first = selectionDates->first;
        last = selectionDates->second;
    } else {
        if (statistics.FirstDay) first = FormatDiveDate(*statistics.FirstDay, false);
        if (statistics.LastDay) last = FormatDiveDate(*statistics.LastDay, false);
    }
    return GetMessage(31) + QStringLiteral(" (") + first + QStringLiteral(" - ") + last + QLatin1Char(')');
}
