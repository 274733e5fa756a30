#pragma once
// The statistics window ("Statistics"): counts the dives of the logbook, or only the dives
// selected in the dive list, by depth range, dive type, water type and activity, with total
// and mean dive time; each count with its share in whole percent. A fixed dialog centred on
// the screen, created once; its labels keep the last computed values.
//
//   TStatistic stats(main, selectDialog);   // selection dialog: dates for the title
//   stats.StatisticsClick();                // the main window's Statistics command
//   stats.ComputeStatistics(false);         // what "Whole logbook" does

#include <QDialog>
#include <memory>

#include "Statistics.h"

class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class TKelvara;
class TSelectDialog;
class TWidgetCaptions;

class TStatistic : public QDialog {
    Q_OBJECT
public:
    // `selectDialog` (may be null) gives the dates of the title while the selection was
    // last made with it.
    TStatistic(TKelvara& main, const TSelectDialog* selectDialog, QWidget* parent = nullptr);
    ~TStatistic() override;

    // Counts the dives (the selected lines of the dive list, or all) and fills every label
    // and the title.
    void ComputeStatistics(bool selectedOnly);
    // The six depth range captions for the current unit system.
    void UnitCaptions();
    // The Statistics command: the selected dives when more than one line is selected, else
    // the whole logbook, the radio buttons set to match; then shown modally.
    void Prepare();
    void StatisticsClick();

    const TStatistics& Result() const { return m_result; }
    // Caption ("Dives"), count ("nDives") or share ("pDives") label.
    QLabel* Label(const QString& name) const;
    QFrame* InfoPane() const { return m_infoPane; }
    QRadioButton* RadioSel() const { return m_radioSel; }
    QRadioButton* RadioAll() const { return m_radioAll; }
    QPushButton* OKBtn() const { return m_ok; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    TKelvara& m_main;
    const TSelectDialog* m_selectDialog;
    TStatistics m_result;
    QFrame* m_infoPane;
    QRadioButton* m_radioSel;
    QRadioButton* m_radioAll;
    QPushButton* m_ok;
    std::unique_ptr<TWidgetCaptions> m_captions;
};
