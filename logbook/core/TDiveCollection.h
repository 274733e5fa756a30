#pragma once
// The open logbook: dives in date order, numbered consecutively, plus the serial number
// of the dive computer whose dives it holds. It owns its dives.
//
//   TDiveCollection log;
//   TLogbookReader in(bytes);
//   if (log.LoadFromStream(in, false) == LogbookFormat::Invalid) ...   // "Invalid dataformat"
//   log.AddDive(std::move(rec), log.LastDeviceTime(), settings.DiveChoice);

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "DiveBlocks.h"
#include "TDiveRec.h"

class TLogbookReader;
class TLogbookWriter;

enum class LogbookFormat { Ok, Invalid };

enum class AddDiveResult {
    Accepted,
    Duplicate,  // a dive with the same DeviceTime is already in the logbook
    NotNewer,   // "only newer dives": not later than the threshold
    Full,       // the logbook already holds kMaxDives dives
};

struct ImportSummary {
    LogbookFormat Format = LogbookFormat::Ok;
    std::size_t Offered = 0;
    std::size_t Added = 0;
    std::size_t Duplicates = 0;
    std::size_t NotAdded = 0;  // refused because the logbook is full
};

class TDiveCollection {
public:
    static constexpr std::uint16_t kFormatMark = 161;
    // The file's dive count is 16 bits wide.
    static constexpr std::size_t kMaxDives = 65535;
    static constexpr std::size_t kHeaderSize = 12;

    std::uint32_t DiveComputerId = 0;
    std::uint32_t StartNumber = 0;

    TDiveCollection() = default;
    TDiveCollection(const TDiveCollection&) = delete;
    TDiveCollection& operator=(const TDiveCollection&) = delete;
    TDiveCollection(TDiveCollection&&) = default;
    TDiveCollection& operator=(TDiveCollection&&) = default;

    std::size_t Count() const { return m_dives.size(); }
    bool IsEmpty() const { return m_dives.empty(); }
    TDiveRec& At(std::size_t i) { return *m_dives[i]; }
    const TDiveRec& At(std::size_t i) const { return *m_dives[i]; }
    TDiveRec& operator[](std::size_t i) { return *m_dives[i]; }
    const TDiveRec& operator[](std::size_t i) const { return *m_dives[i]; }
    const std::vector<TDivePtr>& Dives() const { return m_dives; }

    // Removes and releases the dive at index i (numbers of the others are kept).
    void RemoveAt(std::size_t i);
    // Removes the dive at index i and hands it over.
    std::unique_ptr<TDiveRec> TakeAt(std::size_t i);
    // Releases all dives; the header values stay.
    void Clear();

    // Replaces the contents by the logbook read from `in`, then sorts and renumbers.
    // A wrong format mark leaves the collection empty and returns Invalid. A stream
    // that ends early raises EStreamReadError; load into a fresh collection so the
    // logbook open before stays untouched.
    LogbookFormat LoadFromStream(TLogbookReader& in, bool dosText);

    // Reads a whole logbook from `in` and offers each dive to AddDive with threshold 0.
    // Nothing is added unless the whole stream reads correctly (EStreamReadError).
    ImportSummary ImportFromStream(TLogbookReader& in, bool dosText);

    // Writes the logbook: every dive, or with `selectedOnly` those whose index the
    // predicate accepts (the lines selected in the dive list, same order).
    void SaveToStream(TLogbookWriter& out, bool dosText, bool selectedOnly = false,
                      const std::function<bool(std::size_t)>& isSelected = {}) const;

    // Appends the dive or releases it. A hand-entered dive is always accepted (while
    // there is room). A downloaded dive is refused when its DeviceTime is already
    // present; otherwise accepted when threshold is 0 ("all"), when diveChoice >= 1, or
    // when its DeviceTime (unsigned) is later than the threshold.
    AddDiveResult AddDive(std::unique_ptr<TDiveRec> dive, std::uint32_t threshold, int diveChoice);

    // DeviceTime of the last dive (0 for an empty logbook): the download's threshold.
    std::uint32_t LastDeviceTime() const;
    // True when a dive with this non-zero DeviceTime is present.
    bool ContainsDeviceTime(std::uint32_t deviceTime) const;

    std::uint16_t NextDiveNumber() const;
    // 1 when a is later than b, -1 when earlier, 0 when both have the same day and time.
    static int CompareDives(const TDiveRec& a, const TDiveRec& b);
    // A number that orders dives as CompareDives does.
    static std::int64_t SortKey(const TDiveRec& d);
    // Stable sort by (DayNo, StartTime); StartNumber becomes the number the first dive
    // had before sorting and the dives are renumbered from it.
    void SortAndRenumber();
    void Renumber(std::uint16_t start);
    bool NumberingBroken() const;

private:
    // A loaded logbook's dives live in blocks of memory that they share (DiveBlocks.h);
    // dives added later are allocated one by one.
    std::vector<TDivePtr> m_dives;
};
