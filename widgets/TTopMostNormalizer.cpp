#include "TTopMostNormalizer.h"

#include <QApplication>
#include <QEvent>
#include <QWindow>

TTopMostNormalizer& TTopMostNormalizer::Instance() {
    // Owned by the application, so it ends with it.
    static QPointer<TTopMostNormalizer> instance;
    if (!instance) instance = new TTopMostNormalizer(QCoreApplication::instance());
    return *instance;
}

TTopMostNormalizer::TTopMostNormalizer(QObject* parent) : QObject(parent) {
    if (QCoreApplication::instance()) QCoreApplication::instance()->installEventFilter(this);
}

TTopMostNormalizer::~TTopMostNormalizer() {
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(this);
}

void TTopMostNormalizer::Add(QWidget* window) {
    if (window) m_windows.emplace_back(window);
    if (Normalized()) Apply(false);
}

bool TTopMostNormalizer::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::Show && type != QEvent::Hide && type != QEvent::Destroy) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (type == QEvent::Destroy) {
        if (m_modals.remove(watched) && m_modals.isEmpty()) Apply(true);
        return false;
    }
    if (!widget || !widget->isWindow() || widget->windowModality() == Qt::NonModal) return false;
    if (type == QEvent::Show) {
        const bool first = m_modals.isEmpty();
        m_modals.insert(widget);
        if (first) Apply(false);
    } else if (m_modals.remove(widget) && m_modals.isEmpty()) {
        Apply(true);
    }
    return false;
}

void TTopMostNormalizer::Apply(bool onTop) {
    for (const QPointer<QWidget>& window : m_windows) {
        if (!window || !(window->windowFlags() & Qt::WindowStaysOnTopHint)) continue;
        // The platform window changes its stacking in place; the widget keeps its own flags.
        if (QWindow* handle = window->windowHandle()) handle->setFlag(Qt::WindowStaysOnTopHint, onTop);
    }
}
