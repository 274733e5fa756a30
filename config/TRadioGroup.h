#pragma once
// A framed group of radio buttons with one chosen item, whose items can be replaced as
// a whole (the caption lists re-caption "Metric"/"Imperial" and "Off"/"On").
//
//   TRadioGroup units("Unit system", {"Metric", "Imperial"}, parent);
//   units.SetItemIndex(1);
//   connect(&units, &TRadioGroup::Clicked, ...);     // the user chose an item

#include <QGroupBox>
#include <QStringList>
#include <vector>

class QRadioButton;
class QButtonGroup;

class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const QString& title, const QStringList& items, QWidget* parent = nullptr);

    // -1 when no item is chosen.
    int ItemIndex() const;
    void SetItemIndex(int index);
    // Replaces the items; the chosen index is kept when it is still in range.
    void SetItems(const QStringList& items);
    QStringList Items() const;
    QRadioButton* Button(int index) const;

signals:
    void Clicked(int index);

private:
    QButtonGroup* m_group;
    std::vector<QRadioButton*> m_buttons;
};
