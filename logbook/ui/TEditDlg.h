#pragma once
// The edit dialog: one dive's logbook data as editable controls, for Edit (an existing dive)
// and Insert (a new, empty one). Values are shown through the unit and time formatters and
// parsed back into the record's units on OK, so stored values take the precision of their
// display. Four fields are checked on OK (date, time, maximum depth, dive time; and the air
// consumption must fit its field): a refused field shows its hint, a beep sounds and the
// dialog stays open.
//
//   editDlg.LoadFromDive(dive);
//   if (editDlg.exec() == QDialog::Accepted) editDlg.StoreToDive(dive);

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

#include "TOkCancelDialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class TActivity;
class TDiveRec;
class TDiveType;

class TEditDlg : public TOkCancelDialog {
    Q_OBJECT
public:
    // The dive type and activities dialogs are shared with the selection dialog.
    TEditDlg(TDiveType& diveType, TActivity& activity, QWidget* parent = nullptr);

    void LoadFromDive(const TDiveRec& dive);
    // Reads every control back into the dive, also the disabled ones. Call after OK.
    void StoreToDive(TDiveRec& dive) const;
    // The altitude list in the current unit system; the chosen item stays chosen.
    void RebuildAltitudeList();
    // The texts of a list item (the data window shows the same texts); empty outside.
    QString AltitudeText(int index) const;
    QString WeatherText(int index) const;
    QString SuitText(int index) const;

    // OK: the checks; true when all passed (the dialog then closes).
    bool OKBtnClick();
    void TypeBtnClick();
    void ActivityBtnClick();

    QLineEdit* Field(const QString& name) const;
    QComboBox* List(const QString& name) const;
    QLabel* Panel(const QString& name) const;  // eType, eActivity, eAlarms
    QPlainTextEdit* ERemarks() const { return m_remarks; }
    QToolButton* TypeBtn() const { return m_typeBtn; }
    QToolButton* ActivityBtn() const { return m_activityBtn; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void OkClicked() override { OKBtnClick(); }

private:
    QLineEdit* AddField(const char* name, int maxLength);
    void RemarksChanged();
    void RefreshPanels();

    TDiveType& m_diveType;
    TActivity& m_activity;
    // The dive type word: bits 0..1 of the dive stay until the dive type dialog is confirmed.
    std::uint16_t m_type = 0;
    std::uint16_t m_activities = 0;
    QString m_other;
    QString m_lastRemarks;

    QComboBox* m_range = nullptr;
    QComboBox* m_cond = nullptr;
    QComboBox* m_suit = nullptr;
    QLabel* m_typePanel = nullptr;
    QLabel* m_activityPanel = nullptr;
    QLabel* m_alarms = nullptr;
    QPlainTextEdit* m_remarks = nullptr;
    QToolButton* m_typeBtn = nullptr;
    QToolButton* m_activityBtn = nullptr;
};
