#include "TCompanionWindow.h"

#include <QCloseEvent>

#include "TCaptionRegistry.h"
#include "TTopMostNormalizer.h"
#include "TWidgetCaptions.h"

TCompanionWindow::TCompanionWindow(QWidget* parent, SettingsRecord& settings,
                                   WindowPlacement SettingsRecord::*placement, const QString& windowClass)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(windowClass);
    const WindowPlacement& p = settings.*placement;
    // Only the position is kept: the window's size is its own.
    move(p.Left, p.Top);
    if (static_cast<WindowShowState>(p.State) == WindowShowState::Minimised)
        setWindowState(Qt::WindowMinimized);
    m_captions = std::make_unique<TWidgetCaptions>(this, windowClass);
    TCaptionRegistry::Of(Program::Kelwin).Register(m_captions.get());
    // Staying on top, it would cover the questions and dialogs that open over it.
    TTopMostNormalizer::Instance().Add(this);
}

TCompanionWindow::~TCompanionWindow() { TCaptionRegistry::Of(Program::Kelwin).Unregister(m_captions.get()); }

bool TCompanionWindow::Minimised() const { return (windowState() & Qt::WindowMinimized) != 0; }

bool TCompanionWindow::Toggle() {
    // A minimised tool window has no button to come back from, so it is kept hidden until
    // the toggle restores it.
    if (Minimised()) {
        setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    } else {
        hide();
        setWindowState((windowState() & ~Qt::WindowMaximized) | Qt::WindowMinimized);
    }
    ApplyVisibility();
    NotifyMark();
    return !Minimised();
}

void TCompanionWindow::FollowProfile(bool profileShown) {
    m_following = profileShown;
    ApplyVisibility();
}

void TCompanionWindow::ApplyVisibility() {
    const bool visible = m_following && !Minimised();
    if (visible == isVisible()) return;
    setVisible(visible);
}

void TCompanionWindow::NotifyMark() {
    if (MarkChanged) MarkChanged(!Minimised());
}

void TCompanionWindow::paintEvent(QPaintEvent* event) {
    NotifyMark();
    QWidget::paintEvent(event);
}

void TCompanionWindow::closeEvent(QCloseEvent* event) {
    // The windows live for the whole run; the toggles hide them.
    if (event->spontaneous()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}
