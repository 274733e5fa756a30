#pragma once
// A titled group of radio buttons whose items are set as a list, so that re-captioning
// can clear it and add the items again in order.
//
//   auto* units = new TRadioGroup(this);
//   units->setObjectName("UnitSel");
//   units->SetItems({"Metric", "Imperial"});
//   units->SetItemIndex(settings.UnitSystem);
//   int chosen = units->ItemIndex();   // -1 when nothing is chosen

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

class QVBoxLayout;

class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit TRadioGroup(QWidget* parent = nullptr);

    // Replaces the items; the choice is cleared.
    void SetItems(const QStringList& items);
    QStringList Items() const;
    int Count() const;

    // -1 when no item is chosen.
    int ItemIndex() const;
    // An index outside the items clears the choice.
    void SetItemIndex(int index);

private:
    QButtonGroup m_group;
    QVBoxLayout* m_layout;
};
