#pragma once
// The time zone dialog ("Adjust Local Time"): an amount "hh:mm" and its sign; OK moves the
// start of the selected dives by it. The dialog keeps its entries from one use to the next.
//
//   if (timezone.exec() == QDialog::Accepted)
//       session.ShiftSelected(*timezone.Amount(), timezone.Later());

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "TOkCancelDialog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TTimezone : public TOkCancelDialog {
    Q_OBJECT
public:
    explicit TTimezone(QWidget* parent = nullptr);

    // OK: the amount must read as "hh:mm" up to 99:59; true when it did (the dialog closes).
    bool OKBtnClick();
    // The amount in minutes as entered (none when it does not read), and its sign.
    std::optional<int> Amount() const;
    bool Later() const;

    QLineEdit* Timediff() const { return m_timediff; }
    QRadioButton* Plus() const { return m_plus; }
    QRadioButton* Minus() const { return m_minus; }

protected:
    void showEvent(QShowEvent* event) override;
    void OkClicked() override { OKBtnClick(); }

private:
    QLabel* m_label;
    QLineEdit* m_timediff;
    QRadioButton* m_plus;
    QRadioButton* m_minus;
};
