#pragma once
// Virtual time for tests and benchmarks: nothing happens until the test (or a Delay
// inside the code under test) advances the clock. Due timers and posted calls run in
// time order; a handler may itself call Delay (nested waits, as in the programs).
//
//   TVirtualClock clock;
//   TTransferCore core(clock, port, TTransferConfig::Kelwin());
//   clock.Advance(600);          // runs whatever falls due in the next 600 ms
//   EXPECT_EQ(clock.NowMs(), 600);
//   clock.RunUntil([&] { return core.Result() != mrNone; }, 120000);

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <utility>

#include "IClock.h"

class TVirtualClock : public IClock {
public:
    TVirtualClock();
    ~TVirtualClock() override;

    std::int64_t NowMs() const override { return m_now; }
    std::unique_ptr<ITimer> CreateTimer(std::function<void()> handler) override;
    void Delay(int ms) override { Advance(ms); }
    void Post(std::function<void()> fn, int afterMs = 0) override;

    // Runs everything due up to now + ms (in order), then sets the time to now + ms.
    void Advance(std::int64_t ms);
    // Runs what is due now, without advancing the time.
    void RunDue() { Advance(0); }
    // Advances in steps of 1 ms until done() is true or limitMs have passed; returns done().
    bool RunUntil(const std::function<bool()>& done, std::int64_t limitMs);
    // Number of scheduled calls and running timers (for checks that nothing is left over).
    std::size_t PendingCount() const { return m_queue.size(); }

private:
    class Timer;
    friend class Timer;
    using Key = std::pair<std::int64_t, std::uint64_t>;  // due time, sequence number

    std::uint64_t Schedule(std::int64_t due, std::function<void()> fn);
    void Cancel(std::uint64_t id);

    std::int64_t m_now = 0;
    std::uint64_t m_sequence = 0;
    std::map<Key, std::function<void()>> m_queue;
    std::map<std::uint64_t, std::int64_t> m_dueOf;  // sequence number -> due time
    std::set<Timer*> m_timers;
};
