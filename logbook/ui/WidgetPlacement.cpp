#include "WidgetPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <algorithm>

namespace {

// Width of the window frame on each side; zero before the window manager framed it.
QMargins FrameMargins(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect inner = window.geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

// The frame of the normal state, kept because a window manager may frame a maximised
// window differently (often without borders).
constexpr const char* kNormalMarginsProperty = "kvNormalFrameMargins";

QMargins NormalFrameMargins(const QWidget& window) {
    const QVariantList m = window.property(kNormalMarginsProperty).toList();
    if (m.size() != 4) return FrameMargins(window);
    return {m[0].toInt(), m[1].toInt(), m[2].toInt(), m[3].toInt()};
}

bool FrameKnown(const QWidget& window) { return !FrameMargins(window).isNull(); }

bool InNormalState(const QWidget& window) {
    return !(window.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

// A window manager frames a window only once it is on the screen. Until then the window is
// placed by its outer top-left corner with the stored size as a first guess; as soon as
// the frame is known the window is sized so that the frame, not the contents, has the
// stored size. Without this every run would add the frame to the stored size and move
// the window by the title bar's height.
class TFrameFit : public QObject {
public:
    TFrameFit(QWidget& window, const QRect& frame) : QObject(&window), m_window(window), m_frame(frame) {
        setObjectName(QStringLiteral("FrameFit"));
        window.installEventFilter(this);
    }
    void Retarget(const QRect& frame) { m_frame = frame; }

    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        switch (event->type()) {
            case QEvent::Move:
            case QEvent::Resize:
            case QEvent::Show:
            case QEvent::WindowStateChange:
                Fit();
                break;
            default:
                break;
        }
        return false;
    }

private:
    void Fit() {
        if (m_done || !FrameKnown(m_window) || !InNormalState(m_window)) return;
        m_done = true;
        setObjectName(QString());
        m_window.removeEventFilter(this);
        const QMargins m = FrameMargins(m_window);
        m_window.setProperty(kNormalMarginsProperty, QVariantList{m.left(), m.top(), m.right(), m.bottom()});
        m_window.resize(m_frame.size().shrunkBy(FrameMargins(m_window)));
        if (m_window.frameGeometry().topLeft() != m_frame.topLeft()) m_window.move(m_frame.topLeft());
        deleteLater();
    }

    QWidget& m_window;
    QRect m_frame;
    bool m_done = false;
};

// A stored rectangle that no screen shows (another screen arrangement, a damaged file) is
// moved onto the primary screen and cut to its size, so the title bar can be reached.
QRect OnAScreen(const QRect& frame, const QWidget& window) {
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(frame)) return frame;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary) return frame;
    const QRect area = primary->availableGeometry();
    QRect fitted(frame.topLeft(), frame.size().boundedTo(area.size()).expandedTo(window.minimumSize()));
    fitted.moveTopLeft(QPoint(
        std::clamp(fitted.left(), area.left(), std::max(area.left(), area.right() - fitted.width() + 1)),
        std::clamp(fitted.top(), area.top(), std::max(area.top(), area.bottom() - fitted.height() + 1))));
    return fitted;
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
    g.NormalFrame = normal.isValid() ? normal.marginsAdded(NormalFrameMargins(window)) : QRect();
    if (g.State == WindowShowState::Normal) g.NormalFrame = g.Frame;
    return g;
}

void SaveWidgetPlacement(WindowPlacement& placement, const QWidget& window) {
    SavePlacement(placement, WidgetGeometry(window));
}

WindowShowState RestoreWidgetPlacement(const WindowPlacement& placement, QWidget& window) {
    WindowGeometry g = RestorePlacement(placement);
    if (window.isWindow()) g.Frame = OnAScreen(g.Frame, window);
    // The rectangle first, in the normal state, so that it is the one a later restore
    // from maximised or minimised returns to.
    window.setWindowState(window.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    SetWidgetFrame(window, g.Frame);
    if (window.isVisible()) ApplyWidgetState(window, g.State);
    return g.State;
}

void SetWidgetFrame(QWidget& window, const QRect& frame) {
    if (!window.isWindow() || FrameKnown(window)) {
        window.setGeometry(frame.marginsRemoved(FrameMargins(window)));
        if (window.isWindow()) window.move(frame.topLeft());
        return;
    }
    // Positioned by the outer corner: a window placed this way before it exists is put
    // there by the window manager with its frame.
    window.move(frame.topLeft());
    window.resize(frame.size());
    if (auto* fit = window.findChild<QObject*>(QStringLiteral("FrameFit"), Qt::FindDirectChildrenOnly))
        static_cast<TFrameFit*>(fit)->Retarget(frame);
    else
        new TFrameFit(window, frame);
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
