#pragma once
// The selection dialog ("Select Dives"): a date range, an optional depth range, dive-type
// choices and activities; OK selects the matching lines of the dive list. The activity and
// dive-type criteria are kept from one use to the next; the "other" text is cleared each time
// the dialog opens.
//
//   selectDlg.Load(logbook);                        // dates of the first and last dive
//   if (selectDlg.exec() == QDialog::Accepted) selectDlg.ApplySelection(*main.DiveList(), logbook);

#include <memory>

#include "Selection.h"
#include "TOkCancelDialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QToolButton;
class TActivity;
class TDiveCollection;
class TDiveType;

class TSelectDialog : public TOkCancelDialog {
    Q_OBJECT
public:
    TSelectDialog(TDiveType& diveType, TActivity& activity, QWidget* parent = nullptr);

    // The opening state for a non-empty logbook.
    void Load(const TDiveCollection& logbook);
    // OK: the checks; true when all passed (the dialog then closes).
    bool OKBtnClick();
    // The criteria of the fields (valid after OK).
    TSelectionCriteria Criteria() const;

    void ActivityBtnClick();
    void TypeBtnClick();

    QLineEdit* Date1() const { return m_date1; }
    QLineEdit* Date2() const { return m_date2; }
    QLineEdit* Depth1() const { return m_depth1; }
    QLineEdit* Depth2() const { return m_depth2; }
    QCheckBox* EnableDepth() const { return m_enableDepth; }
    QLabel* EActivity() const { return m_activityPanel; }
    QLabel* EType() const { return m_typePanel; }
    QToolButton* ActivityBtn() const { return m_activityBtn; }
    QToolButton* TypeBtn() const { return m_typeBtn; }

protected:
    void OkClicked() override { OKBtnClick(); }

private:
    void RefreshPanels();

    TDiveType& m_diveType;
    TActivity& m_activity;
    std::uint16_t m_activities = 0;
    std::uint16_t m_type = 0;
    QString m_other;

    QLineEdit* m_date1;
    QLineEdit* m_date2;
    QCheckBox* m_enableDepth;
    QLineEdit* m_depth1;
    QLineEdit* m_depth2;
    QLabel* m_activityPanel;
    QLabel* m_typePanel;
    QToolButton* m_activityBtn;
    QToolButton* m_typeBtn;
};
