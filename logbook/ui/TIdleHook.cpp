#include "TIdleHook.h"

TIdleHook::TIdleHook(QObject* parent) : QObject(parent) {
    // A 0 ms timer fires only when the event queue has nothing else to do.
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &TIdleHook::Turn);
}

void TIdleHook::Install() {
    m_installed = true;
    Wake();
}

void TIdleHook::SetHandler(std::function<bool()> step) {
    m_step = std::move(step);
    if (!m_step) m_timer.stop();
}

void TIdleHook::Wake() {
    if (m_installed && m_step && !m_timer.isActive()) m_timer.start();
}

void TIdleHook::Turn() {
    if (!m_step || !m_step()) m_timer.stop();
}
