#include "TWindowCaptions.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

namespace {
// The radio buttons of a group box, in layout order.
QList<QRadioButton*> RadioItems(QGroupBox* box) {
    return box->findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly);
}
}  // namespace

void TWindowCaptions::SetCaption(const QString& control, const QString& text) {
    if (!m_window) return;
    if (control.isEmpty()) {
        m_window->setWindowTitle(text);
        return;
    }
    auto* o = m_window->findChild<QObject*>(control);
    if (auto* b = qobject_cast<QAbstractButton*>(o))
        b->setText(text);
    else if (auto* l = qobject_cast<QLabel*>(o))
        l->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(o))
        g->setTitle(text);
}

void TWindowCaptions::SetHint(const QString& control, const QString& text) {
    if (!m_window) return;
    if (auto* w = m_window->findChild<QWidget*>(control)) w->setToolTip(text);
}

void TWindowCaptions::SetItems(const QString& control, const QStringList& items) {
    if (!m_window) return;
    auto* o = m_window->findChild<QObject*>(control);
    if (auto* g = qobject_cast<QGroupBox*>(o)) {
        // The group keeps its buttons (and so its choice); only their texts change.
        const auto buttons = RadioItems(g);
        for (int i = 0; i < buttons.size() && i < items.size(); ++i) buttons[i]->setText(items[i]);
    } else if (auto* c = qobject_cast<QComboBox*>(o)) {
        const int chosen = c->currentIndex();
        const QSignalBlocker block(c);
        c->clear();
        c->addItems(items);
        if (chosen < items.size()) c->setCurrentIndex(chosen);
    }
}

void TWindowCaptions::SetItemIndex(const QString& control, int index) {
    if (!m_window) return;
    auto* o = m_window->findChild<QObject*>(control);
    if (auto* g = qobject_cast<QGroupBox*>(o)) {
        const auto buttons = RadioItems(g);
        if (index >= 0 && index < buttons.size()) buttons[index]->setChecked(true);
    } else if (auto* c = qobject_cast<QComboBox*>(o)) {
        const QSignalBlocker block(c);
        c->setCurrentIndex(index);
    }
}
