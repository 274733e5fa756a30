#pragma once
// The clock of the link layer: time in milliseconds, timers and the message-processing
// delay. Every wait and time-out of the link goes through it, so a transfer runs on
// the real event loop in the programs (TQtClock) and in virtual time in tests
// (TVirtualClock), where a 100 s port search takes milliseconds.
//
//   TQtClock clock;                                  // or TVirtualClock in tests
//   auto timer = clock.CreateTimer([&] { ... });     // periodic, like a window timer
//   timer->Start(600);                               // (re)starts the period
//   clock.Delay(2);                                  // waits, handling bytes and timers
//   clock.Post([&] { ... }, 5);                      // one call from the event loop in 5 ms

#include <cstdint>
#include <functional>
#include <memory>

// A periodic timer: after Start(ms) the handler runs every ms milliseconds until Stop().
// Start() on a running timer restarts its period. The handler runs from the event
// loop (inside some Delay), never from inside Start().
class ITimer {
public:
    virtual ~ITimer() = default;
    virtual void Start(int intervalMs) = 0;
    virtual void Stop() = 0;
    virtual bool IsActive() const = 0;
    virtual int Interval() const = 0;
};

class IClock {
public:
    virtual ~IClock() = default;
    // Milliseconds since an arbitrary start; never goes backwards.
    virtual std::int64_t NowMs() const = 0;
    // A stopped periodic timer that calls the handler on each expiry.
    virtual std::unique_ptr<ITimer> CreateTimer(std::function<void()> handler) = 0;
    // Waits at least ms milliseconds while processing events: received bytes, timer
    // expiries and posted calls are handled inside the wait, re-entrantly.
    virtual void Delay(int ms) = 0;
    // Calls fn once from the event loop after at least afterMs milliseconds.
    virtual void Post(std::function<void()> fn, int afterMs = 0) = 0;
};
