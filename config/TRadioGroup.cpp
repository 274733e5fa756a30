#include "TRadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

TRadioGroup::TRadioGroup(const QString& title, const QStringList& items, QWidget* parent)
    : QGroupBox(title, parent), m_group(new QButtonGroup(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(2);
    connect(m_group, &QButtonGroup::idClicked, this, &TRadioGroup::Clicked);
    SetItems(items);
}

int TRadioGroup::ItemIndex() const { return m_group->checkedId(); }

void TRadioGroup::SetItemIndex(int index) {
    if (index >= 0 && index < static_cast<int>(m_buttons.size())) {
        m_buttons[index]->setChecked(true);
    } else if (QAbstractButton* b = m_group->checkedButton()) {
        m_group->setExclusive(false);
        b->setChecked(false);
        m_group->setExclusive(true);
    }
}

void TRadioGroup::SetItems(const QStringList& items) {
    const int chosen = ItemIndex();
    for (QRadioButton* b : m_buttons) {
        m_group->removeButton(b);
        delete b;
    }
    m_buttons.clear();
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        b->setObjectName(objectName() + QString::number(i));
        m_group->addButton(b, i);
        layout()->addWidget(b);
        m_buttons.push_back(b);
    }
    SetItemIndex(chosen);
}

QStringList TRadioGroup::Items() const {
    QStringList items;
    for (const QRadioButton* b : m_buttons) items << b->text();
    return items;
}

QRadioButton* TRadioGroup::Button(int index) const {
    return index >= 0 && index < static_cast<int>(m_buttons.size()) ? m_buttons[index] : nullptr;
}
