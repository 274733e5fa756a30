#include "TReplayAhead.h"

#include <algorithm>

#include "DiveAnalysis.h"
#include "TDiveRec.h"
#include "TParameterTables.h"
#include "TTissueModel.h"

TReplayAhead::TReplayAhead(const TParameterTables& tables, std::size_t count, TDiveSource dive, bool imperial,
                           int threads)
    : m_directory(tables.Directory()),
      m_missingMessage(tables.MissingFileMessage()),
      m_open(tables.IsOpen()),
      m_count(count),
      m_dive(std::move(dive)),
      m_imperial(imperial) {
    if (threads <= 0) threads = static_cast<int>(std::thread::hardware_concurrency());
    threads = std::clamp(threads, 1, 8);
    if (static_cast<std::size_t>(threads) > count)
        threads = static_cast<int>(std::max<std::size_t>(count, 1));
    // Two finished replays per worker keep the workers busy while the caller writes.
    const std::size_t window = 2 * static_cast<std::size_t>(threads) + 1;
    for (std::size_t i = 0; i < window; ++i) m_slots.push_back(std::make_unique<TSlot>());
    for (int i = 0; i < threads; ++i) m_workers.emplace_back([this] { Work(); });
}

TReplayAhead::~TReplayAhead() {
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_spaceChanged.notify_all();
    for (std::thread& t : m_workers) t.join();
}

const TReplayAhead::TReplay& TReplayAhead::Next() {
    std::unique_lock lock(m_mutex);
    if (m_next > 0) {
        // The caller is done with the previous dive: its slot takes a dive further ahead.
        m_slots[(m_next - 1) % m_slots.size()]->Ready = false;
        m_released = m_next;
        m_spaceChanged.notify_all();
    }
    TSlot& slot = *m_slots[m_next % m_slots.size()];
    m_readyChanged.wait(lock, [&slot] { return slot.Ready; });
    ++m_next;
    return slot.Replay;
}

void TReplayAhead::ReplayInto(TReplay& r, const TDiveRec& dive, TTissueModel& model,
                              const std::optional<EMissingTabFile>& openError) const {
    r.Replayed = false;
    r.Missing.reset();
    if (!dive.HasProfile()) return;
    if (openError) {
        r.Missing = openError;
        return;
    }
    try {
        r.Replayed = ReplayDive(dive, r.Profile, model, m_imperial);
        r.StopDepth = model.State().StopDepth;
    } catch (const EMissingTabFile& e) {
        r.Missing = e;
    }
}

void TReplayAhead::Work() {
    // Tables, files and model belong to this thread from start to end.
    TParameterTables tables(m_directory);
    tables.SetMissingFileMessage(m_missingMessage);
    std::optional<EMissingTabFile> openError;
    if (m_open) {
        try {
            tables.OpenParameterTables();
        } catch (const EMissingTabFile& e) {
            openError = e;
        }
    }
    TTissueModel model(tables);
    for (;;) {
        std::size_t n = 0;
        {
            std::unique_lock lock(m_mutex);
            m_spaceChanged.wait(lock, [this] {
                return m_stop || m_claimed >= m_count || m_claimed < m_released + m_slots.size();
            });
            if (m_stop || m_claimed >= m_count) return;
            n = m_claimed++;
        }
        // The slot is this worker's alone until it is marked ready.
        TSlot& slot = *m_slots[n % m_slots.size()];
        ReplayInto(slot.Replay, m_dive(n), model, openError);
        {
            const std::lock_guard lock(m_mutex);
            slot.Ready = true;
        }
        m_readyChanged.notify_all();
    }
}
