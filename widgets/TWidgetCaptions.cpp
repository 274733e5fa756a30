#include "TWidgetCaptions.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>

#include "TRadioGroup.h"

namespace {
// The radio buttons of a plain group box, in the order they were added.
QList<QRadioButton*> RadioItems(QGroupBox* box) {
    return box->findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly);
}
}  // namespace

TWidgetCaptions::TWidgetCaptions(QWidget* window, QString windowClass)
    : m_window(window), m_windowClass(std::move(windowClass)) {}

void TWidgetCaptions::AddFileDialog(const QString& control, TFileDialogSettings* settings) {
    m_fileDialogs[control] = settings;
}

QObject* TWidgetCaptions::Find(const QString& control) const {
    if (!m_window) return nullptr;
    if (control.isEmpty()) return m_window;
    return m_window->findChild<QObject*>(control);
}

void TWidgetCaptions::SetCaption(const QString& control, const QString& text) {
    if (auto it = m_fileDialogs.find(control); it != m_fileDialogs.end()) {
        it->second->Title = text;
        return;
    }
    QObject* object = Find(control);
    if (!object) return;
    if (object == m_window) {
        m_window->setWindowTitle(text);
    } else if (auto* action = qobject_cast<QAction*>(object)) {
        action->setText(text);
    } else if (auto* menu = qobject_cast<QMenu*>(object)) {
        menu->setTitle(text);
    } else if (auto* label = qobject_cast<QLabel*>(object)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
        button->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(object)) {
        group->setTitle(text);
    } else if (auto* widget = qobject_cast<QWidget*>(object)) {
        widget->setWindowTitle(text);
    }
}

void TWidgetCaptions::SetHint(const QString& control, const QString& text) {
    QObject* object = Find(control);
    if (auto* action = qobject_cast<QAction*>(object)) {
        action->setToolTip(text);
    } else if (auto* widget = qobject_cast<QWidget*>(object)) {
        widget->setToolTip(text);
    }
}

void TWidgetCaptions::SetItems(const QString& control, const QStringList& items) {
    QObject* object = Find(control);
    if (auto* radio = qobject_cast<TRadioGroup*>(object)) {
        radio->SetItems(items);
    } else if (auto* box = qobject_cast<QGroupBox*>(object)) {
        // A plain group keeps its buttons (and so its choice); only their texts change.
        const auto buttons = RadioItems(box);
        for (int i = 0; i < buttons.size() && i < items.size(); ++i) buttons[i]->setText(items[i]);
    } else if (auto* combo = qobject_cast<QComboBox*>(object)) {
        const int chosen = combo->currentIndex();
        const QSignalBlocker block(combo);
        combo->clear();
        combo->addItems(items);
        combo->setCurrentIndex(chosen < items.size() ? chosen : -1);
    }
}

void TWidgetCaptions::SetItemIndex(const QString& control, int index) {
    QObject* object = Find(control);
    if (auto* radio = qobject_cast<TRadioGroup*>(object)) {
        radio->SetItemIndex(index);
    } else if (auto* box = qobject_cast<QGroupBox*>(object)) {
        const auto buttons = RadioItems(box);
        if (index >= 0 && index < buttons.size()) buttons[index]->setChecked(true);
    } else if (auto* combo = qobject_cast<QComboBox*>(object)) {
        const QSignalBlocker block(combo);
        combo->setCurrentIndex(index);
    }
}

void TWidgetCaptions::SetFilter(const QString& control, const QString& filter) {
    if (auto it = m_fileDialogs.find(control); it != m_fileDialogs.end()) it->second->Filter = filter;
}

void TWidgetCaptions::SetDefaultExt(const QString& control, const QString& extension) {
    if (auto it = m_fileDialogs.find(control); it != m_fileDialogs.end()) it->second->DefaultExt = extension;
}
