#pragma once
// Answers a modal dialog of type T from a zero-time timer once it is the active modal window.
// The object ends its timer when it goes out of scope, so no answer leaks into a later test.
//
//   TWhenModalShown<TStatistic> answer([](TStatistic& w) { w.OKBtn()->click(); });
//   main.Action(ECommand::Statistics)->trigger();
//   EXPECT_TRUE(answer.Ran());

#include <QApplication>
#include <QTimer>
#include <functional>

template <typename T>
class TWhenModalShown {
public:
    explicit TWhenModalShown(std::function<void(T&)> act) {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this, act] {
            if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
                m_timer.stop();
                m_ran = true;
                act(*dialog);
            }
        });
        m_timer.start();
    }
    bool Ran() const { return m_ran; }

private:
    QTimer m_timer;
    bool m_ran = false;
};
