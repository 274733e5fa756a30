#pragma once
// The start number dialog: asks for the number that the first dive of the logbook gets
// (before renumbering, and when the first dive comes into an empty logbook).
//
//   std::uint16_t number = firstDive.DiveNumber;
//   if (startDlg.AskStartNumber(number)) logbook.Renumber(number);

#include <cstdint>
#include <memory>

#include "TOkCancelDialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TStartDlg : public TOkCancelDialog {
    Q_OBJECT
public:
    explicit TStartDlg(QWidget* parent = nullptr);

    // Shows `value` and runs the dialog modally. Cancel: value 1, false. OK: the field read
    // as a decimal number (its low 16 bits; 1 when it is no number), true.
    bool AskStartNumber(std::uint16_t& value);

    // The two halves of AskStartNumber, for callers that run the dialog themselves.
    void Load(std::uint16_t value);
    bool Finish(int dialogResult, std::uint16_t& value) const;

    QLineEdit* Nr() const { return m_nr; }

private:
    QLabel* m_label;
    QLineEdit* m_nr;
};
