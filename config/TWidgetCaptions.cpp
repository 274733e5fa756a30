#include "TWidgetCaptions.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QWidget>

#include "TRadioGroup.h"

TWidgetCaptions::TWidgetCaptions(QString windowClass, QWidget* window)
    : m_class(std::move(windowClass)), m_window(window) {}

QObject* TWidgetCaptions::Find(const QString& control) const {
    if (!m_window) return nullptr;
    if (control.isEmpty()) return m_window;
    return m_window->findChild<QObject*>(control);
}

void TWidgetCaptions::SetCaption(const QString& control, const QString& text) {
    QObject* o = Find(control);
    if (o == m_window && m_window) {
        m_window->setWindowTitle(text);
    } else if (auto* menu = qobject_cast<QMenu*>(o)) {
        menu->setTitle(text);
    } else if (auto* action = qobject_cast<QAction*>(o)) {
        action->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(o)) {
        group->setTitle(text);
    } else if (auto* label = qobject_cast<QLabel*>(o)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(o)) {
        button->setText(text);
    }
}

void TWidgetCaptions::SetHint(const QString& control, const QString& text) {
    if (auto* w = qobject_cast<QWidget*>(Find(control))) w->setToolTip(text);
}

void TWidgetCaptions::SetItems(const QString& control, const QStringList& items) {
    QObject* o = Find(control);
    if (auto* group = qobject_cast<TRadioGroup*>(o)) {
        group->SetItems(items);
    } else if (auto* combo = qobject_cast<QComboBox*>(o)) {
        const int chosen = combo->currentIndex();
        combo->clear();
        combo->addItems(items);
        combo->setCurrentIndex(chosen < items.size() ? chosen : -1);
    }
}

void TWidgetCaptions::SetItemIndex(const QString& control, int index) {
    QObject* o = Find(control);
    if (auto* group = qobject_cast<TRadioGroup*>(o))
        group->SetItemIndex(index);
    else if (auto* combo = qobject_cast<QComboBox*>(o))
        combo->setCurrentIndex(index);
}
