#include "TVirtualClock.h"

#include <set>

class TVirtualClock::Timer : public ITimer {
public:
    Timer(TVirtualClock& clock, std::function<void()> handler)
        : m_clock(&clock), m_handler(std::move(handler)) {}
    ~Timer() override {
        Timer::Stop();
        if (m_clock) m_clock->m_timers.erase(this);
    }

    void Start(int intervalMs) override {
        Stop();
        if (!m_clock) return;
        m_interval = intervalMs < 1 ? 1 : intervalMs;  // a window timer never fires at 0 ms
        m_active = true;
        ScheduleNext(m_clock->m_now + m_interval);
    }
    void Stop() override {
        if (m_clock && m_id != 0) m_clock->Cancel(m_id);
        m_id = 0;
        m_active = false;
    }
    bool IsActive() const override { return m_active; }
    int Interval() const override { return m_interval; }

    void Detach() {
        m_clock = nullptr;
        m_id = 0;
        m_active = false;
    }

private:
    void ScheduleNext(std::int64_t due) {
        m_id = m_clock->Schedule(due, [this, due] { Fire(due); });
    }
    void Fire(std::int64_t due) {
        m_id = 0;
        // The next period is scheduled before the handler runs, so a handler that stops or
        // restarts the timer has the last word.
        ScheduleNext(due + m_interval);
        if (m_handler) m_handler();
    }

    TVirtualClock* m_clock;
    std::function<void()> m_handler;
    int m_interval = 0;
    bool m_active = false;
    std::uint64_t m_id = 0;
};

TVirtualClock::TVirtualClock() = default;

TVirtualClock::~TVirtualClock() {
    for (Timer* t : m_timers) t->Detach();
}

std::unique_ptr<ITimer> TVirtualClock::CreateTimer(std::function<void()> handler) {
    auto t = std::make_unique<Timer>(*this, std::move(handler));
    m_timers.insert(t.get());
    return t;
}

void TVirtualClock::Post(std::function<void()> fn, int afterMs) {
    Schedule(m_now + (afterMs < 0 ? 0 : afterMs), std::move(fn));
}

std::uint64_t TVirtualClock::Schedule(std::int64_t due, std::function<void()> fn) {
    const std::uint64_t id = ++m_sequence;
    m_queue.emplace(Key{due, id}, std::move(fn));
    m_dueOf.emplace(id, due);
    return id;
}

void TVirtualClock::Cancel(std::uint64_t id) {
    auto it = m_dueOf.find(id);
    if (it == m_dueOf.end()) return;
    m_queue.erase(Key{it->second, id});
    m_dueOf.erase(it);
}

void TVirtualClock::Advance(std::int64_t ms) {
    const std::int64_t target = m_now + (ms < 0 ? 0 : ms);
    while (!m_queue.empty()) {
        auto it = m_queue.begin();
        if (it->first.first > target) break;
        if (it->first.first > m_now) m_now = it->first.first;
        std::function<void()> fn = std::move(it->second);
        m_dueOf.erase(it->first.second);
        m_queue.erase(it);
        fn();  // may advance the clock further through a nested Delay
    }
    if (target > m_now) m_now = target;
}

bool TVirtualClock::RunUntil(const std::function<bool()>& done, std::int64_t limitMs) {
    const std::int64_t end = m_now + limitMs;
    while (!done() && m_now < end) Advance(1);
    return done();
}
