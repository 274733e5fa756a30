#pragma once
// The statistics of the logbook: how many dives fall into each depth range, dive type, water
// type and activity, with total and mean dive time, over the whole logbook or the dives
// selected in the dive list. Widget-free, so the statistics window, the printed statistics
// page and kvlog show the same figures.
//
//   std::vector<bool> lines(log.Count());            // true for each selected list line
//   TStatistics s = ComputeStatistics(log, lines, selectedOnly, CurrentUnitSystem());
//   countLabel->setText(s.ValueText(EStatRow::Nitrox));   // "3"
//   shareLabel->setText(s.ShareText(EStatRow::Nitrox));   // "(25 %)"
//   caption->setText(StatisticsCaption(EStatRow::R0, lang, units));  // "0 ... 10 m:"
//   setWindowTitle(StatisticsTitle(s, handSelection, selectionDates));

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

class TDiveCollection;

// The rows of the statistics in the window's order; the names are the control names of the
// caption labels.
enum class EStatRow : int {
    Dives,
    Time,
    avTime,
    Rept,
    R0,
    R1,
    R2,
    R3,
    R4,
    R5,
    Nitrox,
    SCR,
    Nostop,
    Deco,
    Multi,
    Square,
    Fresh,
    Sea,
    Sight,
    Club,
    Edu,
    Instr,
    Night,
    Cave,
    Ice,
    Search,
    Wreck,
    River,
    Drift,
    Photo,
    Other,
};
inline constexpr int kStatRowCount = 31;
inline constexpr int kDepthRangeCount = 6;

// "Dives", "Time", "avTime", ... "Other".
QString StatRowName(EStatRow row);
// Every row in order, for loops.
std::array<EStatRow, kStatRowCount> StatRows();

struct TStatistics {
    // Dives counted (N): the selected lines, or every dive of the logbook.
    int Count = 0;
    // Sum of the dive times that are set, in minutes.
    std::int64_t TotalMinutes = 0;
    // Per row the number of counted dives it holds (Time and avTime hold minutes).
    std::array<std::int64_t, kStatRowCount> Counts{};
    // Day numbers of the first and the last counted dive; none when nothing was counted.
    std::optional<int> FirstDay;
    std::optional<int> LastDay;

    std::int64_t CountOf(EStatRow row) const { return Counts[static_cast<std::size_t>(row)]; }
    // The count label's text: the number, or h:mm for the two time rows.
    QString ValueText(EStatRow row) const;
    // The share label's text, "(25 %)": 100 / N x n rounded for itself; empty for the two
    // time rows and when no dive was counted.
    QString ShareText(EStatRow row) const;
};

// The depth range (0..5) of a maximum depth in centimetres: tenths of a metre, or feet with
// 3.3 feet per metre, rounded (ties to even) and read as an unsigned 16-bit value, so a depth
// that is not set falls into the last range.
int DepthRangeOf(int maxDepth, int unitSystem);

// Counts the dives of the logbook in list order: every dive, or with `selectedOnly` those whose
// line is selected (`selectedLines` has one entry per line; missing entries are unselected).
TStatistics ComputeStatistics(const TDiveCollection& logbook, const std::vector<bool>& selectedLines,
                              bool selectedOnly, int unitSystem);

// Hours without a leading zero, ":" and two-digit minutes: 147 -> "2:27".
QString FormatStatisticsTime(std::int64_t minutes);

// "0 ... 10 m:" ... ">50 m:" or "0 ... 30 ft:" ... ">150 ft:", the same in every language.
QString DepthRangeCaption(int range, int unitSystem);
// The caption label of a row as the window shows it in that language and unit system (the
// built-in German captions for a language the program does not have).
QString StatisticsCaption(EStatRow row, int languageIndex, int unitSystem);

// The window title, message 31 with the date range: "Statistics (03.04.2023 - 09.05.2024)".
// The dates are those of the first and the last counted dive when the selection was last
// made by clicking in the dive list (or when no selection dialog dates are known, which the
// `selectionDates` of none says); otherwise the from- and to-date texts of the selection
// dialog. Dates follow the current date format and language.
QString StatisticsTitle(const TStatistics& statistics, bool handSelection,
                        const std::optional<std::pair<QString, QString>>& selectionDates);
