#pragma once
// The clock of the running programs: Qt's monotonic time, QTimer and a Delay that
// runs a local event loop (so window messages, serial data and timers are handled
// while a transfer waits).
//
//   TQtClock clock;   // one per program, lives as long as the transfer window

#include <QElapsedTimer>

#include "IClock.h"

class TQtClock : public IClock {
public:
    TQtClock();
    std::int64_t NowMs() const override;
    std::unique_ptr<ITimer> CreateTimer(std::function<void()> handler) override;
    void Delay(int ms) override;
    void Post(std::function<void()> fn, int afterMs = 0) override;

private:
    QElapsedTimer m_elapsed;
};
