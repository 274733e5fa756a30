#pragma once
// A titled group of radio buttons with one chosen item, whose items are set as a list so
// that re-captioning can replace them in order ("Metric"/"Imperial", "Off"/"On").
//
//   auto* units = new TRadioGroup(this);
//   units->setObjectName("UnitSel");
//   units->SetItems({"Metric", "Imperial"});
//   units->SetItemIndex(settings.UnitSystem);
//   connect(units, &TRadioGroup::Clicked, ...);   // the user chose an item
//   int chosen = units->ItemIndex();              // -1 when nothing is chosen

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

class QRadioButton;
class QVBoxLayout;

class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit TRadioGroup(QWidget* parent = nullptr);

    // Replaces the items; the chosen index stays chosen when it is still in range.
    void SetItems(const QStringList& items);
    QStringList Items() const;
    int Count() const;
    // The button of an item (named after the group: "UnitSelItem1"), null outside the items.
    QRadioButton* Button(int index) const;

    // -1 when no item is chosen.
    int ItemIndex() const;
    // An index outside the items clears the choice.
    void SetItemIndex(int index);

signals:
    // The user clicked an item (not sent when the program chooses one).
    void Clicked(int index);

private:
    QButtonGroup m_group;
    QVBoxLayout* m_layout;
};
