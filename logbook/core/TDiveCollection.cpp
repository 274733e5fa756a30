#include "TDiveCollection.h"

#include <algorithm>
#include <unordered_set>

#include "TLogbookReader.h"
#include "TLogbookWriter.h"
#include "TTextPool.h"

namespace {
// The smallest record image: all fixed fields, five empty texts, no profile.
constexpr std::size_t kMinRecordSize = TDiveRec::kFixedImageSize;
constexpr std::uint8_t kReservedHeaderBytes[4] = {0xDC, 0x05, 0xFA, 0x00};

struct Header {
    bool Valid = false;
    std::uint32_t DiveComputerId = 0;
    std::uint16_t Count = 0;
};

Header ReadHeader(TLogbookReader& in) {
    Header h;
    if (in.ReadU16() != TDiveCollection::kFormatMark) return h;
    h.Valid = true;
    h.DiveComputerId = in.ReadU32();
    h.Count = in.ReadU16();
    in.Skip(4);
    return h;
}

// Reads all records of the stream; the vector grows only as far as records are really
// there, whatever count the header claims.
std::vector<TDivePtr> ReadRecords(TLogbookReader& in, std::size_t count, bool dosText) {
    std::vector<TDivePtr> dives;
    dives.reserve(std::min(count, in.Remaining() / kMinRecordSize));
    TTextPool texts;
    TDiveBlocks blocks;
    for (std::size_t i = 0; i < count; ++i) dives.push_back(CreateDiveFromStream(in, dosText, texts, blocks));
    return dives;
}
}  // namespace

void TDiveCollection::RemoveAt(std::size_t i) {
    m_dives.erase(m_dives.begin() + static_cast<std::ptrdiff_t>(i));
}

std::unique_ptr<TDiveRec> TDiveCollection::TakeAt(std::size_t i) {
    TDivePtr& slot = m_dives[i];
    // A dive that lives in a block of the logbook leaves as a copy of its own.
    std::unique_ptr<TDiveRec> dive = slot.get_deleter().Block ? std::make_unique<TDiveRec>(std::move(*slot))
                                                              : std::unique_ptr<TDiveRec>(slot.release());
    RemoveAt(i);
    return dive;
}

void TDiveCollection::Clear() { m_dives.clear(); }

LogbookFormat TDiveCollection::LoadFromStream(TLogbookReader& in, bool dosText) {
    m_dives.clear();
    DiveComputerId = 0;
    StartNumber = 0;
    const Header h = ReadHeader(in);
    if (!h.Valid) return LogbookFormat::Invalid;
    std::vector<TDivePtr> dives;
    dives.reserve(std::min<std::size_t>(h.Count, in.Remaining() / kMinRecordSize));
    TTextPool texts;
    TDiveBlocks blocks;
    // While the dives come in date order (the usual case) each is numbered as it arrives,
    // from the number the first one had, as SortAndRenumber would number them; the
    // dives need not be visited again. One out of order leaves it to SortAndRenumber.
    bool ordered = true;
    std::uint16_t first = 0;
    std::int64_t before = 0;  // sort key of the dive before
    for (std::size_t i = 0; i < h.Count; ++i) {
        TDivePtr d = CreateDiveFromStream(in, dosText, texts, blocks);
        const std::int64_t key = SortKey(*d);
        if (i == 0) first = d->DiveNumber;
        if (i > 0 && key < before) ordered = false;
        before = key;
        if (ordered && h.Count >= 2) d->DiveNumber = static_cast<std::uint16_t>(first + i);
        dives.push_back(std::move(d));
    }
    DiveComputerId = h.DiveComputerId;
    m_dives = std::move(dives);
    if (!ordered) {
        SortAndRenumber();
    } else if (m_dives.size() >= 2) {
        StartNumber = first;
    }
    return LogbookFormat::Ok;
}

ImportSummary TDiveCollection::ImportFromStream(TLogbookReader& in, bool dosText) {
    ImportSummary summary;
    const Header h = ReadHeader(in);
    if (!h.Valid) {
        summary.Format = LogbookFormat::Invalid;
        return summary;
    }
    std::vector<TDivePtr> dives = ReadRecords(in, h.Count, dosText);
    summary.Offered = dives.size();

    // One set of the clock values present, instead of a scan of the logbook per dive.
    std::unordered_set<std::uint32_t> present;
    present.reserve(m_dives.size() + dives.size());
    for (const auto& d : m_dives)
        if (d->IsDownloaded()) present.insert(d->DeviceTime);

    for (auto& dive : dives) {
        if (dive->IsDownloaded() && present.count(dive->DeviceTime)) {
            ++summary.Duplicates;
            continue;
        }
        if (m_dives.size() >= kMaxDives) {
            ++summary.NotAdded;
            continue;
        }
        if (dive->IsDownloaded()) present.insert(dive->DeviceTime);
        dive->DiveNumber = NextDiveNumber();
        m_dives.push_back(std::move(dive));
        ++summary.Added;
    }
    return summary;
}

void TDiveCollection::SaveToStream(TLogbookWriter& out, bool dosText, bool selectedOnly,
                                   const std::function<bool(std::size_t)>& isSelected) const {
    auto chosen = [&](std::size_t i) { return !selectedOnly || (isSelected && isSelected(i)); };
    std::size_t n = 0;
    for (std::size_t i = 0; i < m_dives.size(); ++i)
        if (chosen(i)) ++n;
    // AddDive keeps the logbook within the 16-bit count; a caller that filled the list
    // past it still gets a consistent file of the first 65535 chosen dives.
    n = std::min(n, kMaxDives);

    out.WriteU16(kFormatMark);
    out.WriteU32(DiveComputerId);
    out.WriteU16(static_cast<std::uint16_t>(n));
    out.WriteBytes(std::span<const std::uint8_t>(kReservedHeaderBytes));
    std::size_t written = 0;
    for (std::size_t i = 0; i < m_dives.size() && written < n; ++i) {
        if (!chosen(i)) continue;
        m_dives[i]->WriteToStream(out, dosText);
        ++written;
    }
}

bool TDiveCollection::ContainsDeviceTime(std::uint32_t deviceTime) const {
    if (deviceTime == 0) return false;
    return std::any_of(m_dives.begin(), m_dives.end(),
                       [deviceTime](const auto& d) { return d->DeviceTime == deviceTime; });
}

AddDiveResult TDiveCollection::AddDive(std::unique_ptr<TDiveRec> dive, std::uint32_t threshold,
                                       int diveChoice) {
    if (dive->IsDownloaded()) {
        if (ContainsDeviceTime(dive->DeviceTime)) return AddDiveResult::Duplicate;
        // The clock counts up as an unsigned value; threshold 0 takes every dive.
        const bool accept = threshold == 0 || diveChoice >= 1 || dive->DeviceTime > threshold;
        if (!accept) return AddDiveResult::NotNewer;
    }
    if (m_dives.size() >= kMaxDives) return AddDiveResult::Full;
    dive->DiveNumber = NextDiveNumber();
    m_dives.push_back(std::move(dive));
    return AddDiveResult::Accepted;
}

std::uint32_t TDiveCollection::LastDeviceTime() const {
    return m_dives.empty() ? 0 : m_dives.back()->DeviceTime;
}

std::uint16_t TDiveCollection::NextDiveNumber() const {
    if (m_dives.empty()) return static_cast<std::uint16_t>(StartNumber);
    return static_cast<std::uint16_t>(m_dives.back()->DiveNumber + 1);
}

std::int64_t TDiveCollection::SortKey(const TDiveRec& d) {
    return (static_cast<std::int64_t>(d.DayNo) << 16) | d.StartTime;
}

int TDiveCollection::CompareDives(const TDiveRec& a, const TDiveRec& b) {
    if (a.DayNo != b.DayNo) return a.DayNo > b.DayNo ? 1 : -1;
    if (a.StartTime != b.StartTime) return a.StartTime > b.StartTime ? 1 : -1;
    return 0;
}

void TDiveCollection::SortAndRenumber() {
    if (m_dives.size() < 2) return;
    StartNumber = m_dives.front()->DiveNumber;
    // The order of a bubble sort that swaps only later-before-earlier pairs is the stable
    // order by (DayNo, StartTime). The keys are gathered once so the sort runs over
    // contiguous values instead of following a pointer per comparison; a logbook that is
    // already in order (the usual case) is left as it is.
    std::vector<std::pair<std::int64_t, std::size_t>> keys(m_dives.size());
    bool ordered = true;
    for (std::size_t i = 0; i < m_dives.size(); ++i) {
        keys[i] = {SortKey(*m_dives[i]), i};
        if (i > 0 && keys[i].first < keys[i - 1].first) ordered = false;
    }
    if (!ordered) {
        std::stable_sort(keys.begin(), keys.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<TDivePtr> sorted;
        sorted.reserve(m_dives.size());
        for (const auto& k : keys) sorted.push_back(std::move(m_dives[k.second]));
        m_dives = std::move(sorted);
    }
    Renumber(static_cast<std::uint16_t>(StartNumber));
}

void TDiveCollection::Renumber(std::uint16_t start) {
    for (std::size_t i = 0; i < m_dives.size(); ++i)
        m_dives[i]->DiveNumber = static_cast<std::uint16_t>(start + i);
}

bool TDiveCollection::NumberingBroken() const {
    if (m_dives.size() < 2) return false;
    const std::uint32_t first = m_dives.front()->DiveNumber;
    for (std::size_t i = 1; i < m_dives.size(); ++i)
        if (m_dives[i]->DiveNumber != first + i) return true;
    return false;
}
