#pragma once
// The idle-time handler of the program: runs a step whenever the event queue is empty,
// for as long as the step reports that more work is left. The profile window replays a
// dive through it, one point per idle turn.
//
//   hook.SetHandler([this] { return ReplayNextPoint(); });   // true = call me again
//   hook.Wake();                                               // after new work arrived

#include <QObject>
#include <QTimer>
#include <functional>

class TIdleHook : public QObject {
    Q_OBJECT
public:
    explicit TIdleHook(QObject* parent = nullptr);

    // Start-up installs the hook once; before that Wake() does nothing.
    void Install();
    bool Installed() const { return m_installed; }

    void SetHandler(std::function<bool()> step);
    // Runs the handler at the next idle turns until it returns false.
    void Wake();
    bool Running() const { return m_timer.isActive(); }

private:
    void Turn();

    QTimer m_timer;
    std::function<bool()> m_step;
    bool m_installed = false;
};
