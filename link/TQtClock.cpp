#include "TQtClock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace {

class TQtTimer : public ITimer {
public:
    explicit TQtTimer(std::function<void()> handler) {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [h = std::move(handler)] {
            if (h) h();
        });
    }
    void Start(int intervalMs) override { m_timer.start(intervalMs < 0 ? 0 : intervalMs); }
    void Stop() override { m_timer.stop(); }
    bool IsActive() const override { return m_timer.isActive(); }
    int Interval() const override { return m_timer.interval(); }

private:
    QTimer m_timer;
};

}  // namespace

TQtClock::TQtClock() { m_elapsed.start(); }

std::int64_t TQtClock::NowMs() const { return m_elapsed.elapsed(); }

std::unique_ptr<ITimer> TQtClock::CreateTimer(std::function<void()> handler) {
    return std::make_unique<TQtTimer>(std::move(handler));
}

void TQtClock::Delay(int ms) {
    // A local event loop that ends when the time is up: window messages, serial data
    // and timers are handled meanwhile, without spinning the processor.
    const std::int64_t end = NowMs() + (ms < 0 ? 0 : ms);
    while (true) {
        const std::int64_t left = end - NowMs();
        if (left <= 0) break;
        QEventLoop loop;
        QTimer wake;
        wake.setSingleShot(true);
        wake.setTimerType(Qt::PreciseTimer);
        QObject::connect(&wake, &QTimer::timeout, &loop, &QEventLoop::quit);
        wake.start(static_cast<int>(left));
        loop.exec();
    }
    QCoreApplication::processEvents();
}

void TQtClock::Post(std::function<void()> fn, int afterMs) {
    auto* app = QCoreApplication::instance();
    QTimer::singleShot(afterMs < 0 ? 0 : afterMs, Qt::PreciseTimer, app, [f = std::move(fn)] {
        if (f) f();
    });
}
