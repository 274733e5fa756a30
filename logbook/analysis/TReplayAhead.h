#pragma once
// Replays a run of dives through the computer's model on worker threads and hands the
// results back in the dives' order, so that a writer going through thousands of dives
// spends its own time on writing while the other cores replay the dives ahead of it.
// Each worker has its own parameter tables and model; at most a small window of
// finished replays waits for the caller, which bounds the memory whatever the count.
//
//   TReplayAhead ahead(tables, indices.size(), [&](std::size_t n) -> const TDiveRec& {
//       return logbook.At(indices[n]);
//   });
//   for (std::size_t n = 0; n < indices.size(); ++n) {
//       const TReplayAhead::TReplay& r = ahead.Next();  // dive n
//       if (r.Missing) throw *r.Missing;
//       if (r.Replayed) Write(r.Profile, r.StopDepth);
//   }

#include <QString>
#include <array>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "DiveProfile.h"
#include "EMissingTabFile.h"

class TDiveRec;
class TParameterTables;

class TReplayAhead {
public:
    struct TReplay {
        // False for a dive without a profile and for a profile block the decoder refused.
        bool Replayed = false;
        // Set when a parameter table could not be read for this dive.
        std::optional<EMissingTabFile> Missing;
        DiveProfile Profile;
        // The stop depths of the dive's altitude, bar below the surface (by stop index).
        std::array<double, 12> StopDepth{};
    };
    using TDiveSource = std::function<const TDiveRec&(std::size_t)>;

    // tables: the caller's tables; the workers open the same files (only when the caller's
    // are open, so that a replay without tables behaves as it would in the caller's hands).
    // dive(n) is called from the worker threads; the dives must not change meanwhile.
    TReplayAhead(const TParameterTables& tables, std::size_t count, TDiveSource dive, bool imperial = false,
                 int threads = 0);
    ~TReplayAhead();
    TReplayAhead(const TReplayAhead&) = delete;
    TReplayAhead& operator=(const TReplayAhead&) = delete;

    // The replay of the next dive (0, 1, 2 … count - 1), waiting for it if needed. It stays
    // valid until the next call.
    const TReplay& Next();

private:
    struct TSlot {
        TReplay Replay;
        bool Ready = false;
    };
    void Work();
    void ReplayInto(TReplay& r, const TDiveRec& dive, class TTissueModel& model,
                    const std::optional<EMissingTabFile>& openError) const;

    QString m_directory;
    QString m_missingMessage;
    bool m_open = false;
    std::size_t m_count = 0;
    TDiveSource m_dive;
    bool m_imperial = false;

    std::vector<std::unique_ptr<TSlot>> m_slots;
    std::mutex m_mutex;
    std::condition_variable m_readyChanged;
    std::condition_variable m_spaceChanged;
    std::size_t m_claimed = 0;   // dives handed to a worker so far
    std::size_t m_released = 0;  // dives whose slot the caller has given back
    std::size_t m_next = 0;      // the next dive Next() returns
    bool m_stop = false;
    std::vector<std::thread> m_workers;
};
