#include "TTitleFit.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QLayout>
#include <QWidget>

namespace {
// Icon, close, maximise and minimise buttons and the frame of a common window manager's
// title bar, with a little room so that the title does not touch them. Window managers
// draw the buttons on tool windows too, whatever the window asks for.
constexpr int kTitleBarAllowance = 130;

// Dialogs and windows the user cannot widen; a main window's title names its file and
// is shortened by the window manager like any other program's.
bool Watched(const QWidget& window) {
    const Qt::WindowType type = window.windowType();
    if (type == Qt::Dialog) return true;
    if (type != Qt::Window && type != Qt::Tool) return false;
    return window.minimumWidth() == window.maximumWidth();
}
}  // namespace

int TitleBarWidth(const QString& title) {
    QFont font = QApplication::font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(title) + kTitleBarAllowance;
}

void FitWidthToTitle(QWidget& window) {
    if (window.windowFlags().testFlag(Qt::FramelessWindowHint) || window.windowTitle().isEmpty()) return;
    const int needed = TitleBarWidth(window.windowTitle());
    const int added = needed - window.width();
    if (added <= 0) return;
    if (window.minimumWidth() == window.maximumWidth())
        window.setFixedWidth(needed);
    else
        window.resize(needed, window.height());
    // Contents placed by hand stay in the middle of the wider window; a layout does this itself.
    if (window.layout() == nullptr) {
        for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!child->isWindow()) child->move(child->x() + added / 2, child->y());
    }
}

TTitleFit::TTitleFit(QObject* owner) : QObject(owner) { qApp->installEventFilter(this); }

bool TTitleFit::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::WindowTitleChange || type == QEvent::Show) && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow() && Watched(*widget)) FitWidthToTitle(*widget);
    }
    return false;
}
