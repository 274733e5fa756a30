#include "WidgetPlacement.h"

#include <QMargins>
#include <QWidget>

namespace {

// Width of the window frame on each side; zero before the window manager framed it.
QMargins FrameMargins(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect inner = window.geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

WindowShowState StateOf(const QWidget& window) {
    const Qt::WindowStates state = window.windowState();
    if (state & Qt::WindowMinimized) return WindowShowState::Minimised;
    if (state & (Qt::WindowMaximized | Qt::WindowFullScreen)) return WindowShowState::Maximised;
    return WindowShowState::Normal;
}

}  // namespace

WindowGeometry WidgetGeometry(const QWidget& window) {
    WindowGeometry g;
    g.State = StateOf(window);
    g.Frame = window.frameGeometry();
    const QRect normal = window.normalGeometry();
    g.NormalFrame = normal.isValid() ? normal.marginsAdded(FrameMargins(window)) : QRect();
    if (g.State == WindowShowState::Normal) g.NormalFrame = g.Frame;
    return g;
}

void SaveWidgetPlacement(WindowPlacement& placement, const QWidget& window) {
    SavePlacement(placement, WidgetGeometry(window));
}

WindowShowState RestoreWidgetPlacement(const WindowPlacement& placement, QWidget& window) {
    const WindowGeometry g = RestorePlacement(placement);
    // The platform window must exist for its frame to be known; the placement is the
    // outer rectangle.
    if (window.isWindow()) window.winId();
    // The rectangle first, in the normal state, so that it is the one a later restore
    // from maximised or minimised returns to.
    window.setWindowState(window.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    const QRect inner = g.Frame.marginsRemoved(FrameMargins(window));
    window.setGeometry(inner);
    window.move(g.Frame.topLeft());
    if (window.isVisible()) ApplyWidgetState(window, g.State);
    return g.State;
}

void ApplyWidgetState(QWidget& window, WindowShowState state) {
    switch (state) {
        case WindowShowState::Minimised:
            window.setWindowState(window.windowState() | Qt::WindowMinimized);
            break;
        case WindowShowState::Maximised:
            window.setWindowState(window.windowState() | Qt::WindowMaximized);
            break;
        case WindowShowState::Normal:
            break;
    }
}
