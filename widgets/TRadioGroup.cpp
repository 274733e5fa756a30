#include "TRadioGroup.h"

#include <QRadioButton>
#include <QVBoxLayout>

TRadioGroup::TRadioGroup(QWidget* parent) : QGroupBox(parent), m_layout(new QVBoxLayout(this)) {
    m_group.setExclusive(true);
    m_layout->setContentsMargins(8, 4, 8, 4);
    m_layout->setSpacing(2);
    connect(&m_group, &QButtonGroup::idClicked, this, &TRadioGroup::Clicked);
}

void TRadioGroup::SetItems(const QStringList& items) {
    const int chosen = ItemIndex();
    for (QAbstractButton* button : m_group.buttons()) {
        m_group.removeButton(button);
        delete button;
    }
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        button->setObjectName(objectName() + QStringLiteral("Item%1").arg(i));
        m_group.addButton(button, i);
        m_layout->addWidget(button);
    }
    SetItemIndex(chosen);
}

QStringList TRadioGroup::Items() const {
    QStringList items;
    for (QAbstractButton* button : m_group.buttons()) items << button->text();
    return items;
}

int TRadioGroup::Count() const { return static_cast<int>(m_group.buttons().size()); }

QRadioButton* TRadioGroup::Button(int index) const {
    return qobject_cast<QRadioButton*>(m_group.button(index));
}

int TRadioGroup::ItemIndex() const { return m_group.checkedId(); }

void TRadioGroup::SetItemIndex(int index) {
    if (QAbstractButton* button = m_group.button(index)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group refuses to uncheck its last button; lift that for a moment.
    if (QAbstractButton* checked = m_group.checkedButton()) {
        m_group.setExclusive(false);
        checked->setChecked(false);
        m_group.setExclusive(true);
    }
}
