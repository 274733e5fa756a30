#pragma once
// The frame every OK/Cancel dialog of both programs shares: the two buttons ("OKBtn", the
// default, and "CancelBtn") in a row at the right, and the dialog's captions registered
// with its program's caption registry for as long as the dialog lives.
//
//   class TStartDlg : public TOkCancelDialog {
//       TStartDlg(QWidget* parent) : TOkCancelDialog(Program::Kelwin, "TStartDlg", parent) {
//           auto* layout = new QVBoxLayout(this);
//           layout->addLayout(field);
//           layout->addLayout(ButtonRow());
//       }
//       void OkClicked() override { if (FieldIsValid()) accept(); }   // optional check
//   };

#include <QDialog>

#include "Language.h"
#include "TWidgetCaptions.h"

class QHBoxLayout;
class QPushButton;

class TOkCancelDialog : public QDialog {
    Q_OBJECT
public:
    TOkCancelDialog(Program program, const QString& windowClass, QWidget* parent);
    ~TOkCancelDialog() override;

    QPushButton* OKBtn() const { return m_ok; }
    QPushButton* CancelBtn() const { return m_cancel; }

protected:
    // The row of the two buttons; the dialog adds it to its own layout once.
    QHBoxLayout* ButtonRow() const { return m_buttons; }
    TWidgetCaptions& Captions() { return m_captions; }
    // OK accepts the dialog; a dialog that checks its fields first overrides this.
    virtual void OkClicked();

private:
    Program m_program;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QHBoxLayout* m_buttons;
    TWidgetCaptions m_captions;
};
