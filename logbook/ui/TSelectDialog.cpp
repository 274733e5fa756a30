#include "TSelectDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelection>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "DiveTexts.h"
#include "EditRules.h"
#include "Language.h"
#include "TActivity.h"
#include "TDateFormat.h"
#include "TDiveCollection.h"
#include "TDiveType.h"
#include "UnitFormat.h"

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
    return label;
}

QLineEdit* MakeField(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(30);
    return edit;
}

QLabel* MakePanel(QWidget* parent, const char* name) {
    auto* panel = new QLabel(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setMinimumHeight(22);
    panel->setMinimumWidth(260);
    panel->setTextFormat(Qt::PlainText);
    // A long list of activities must not widen the dialog; the whole text is in the tool tip.
    panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return panel;
}

}  // namespace

TSelectDialog::TSelectDialog(TDiveType& diveType, TActivity& activity, QWidget* parent)
    : TOkCancelDialog(Program::Kelwin, QStringLiteral("TSelectDialog"), parent),
      m_diveType(diveType),
      m_activity(activity),
      m_date1(MakeField(this, "Date1")),
      m_date2(MakeField(this, "Date2")),
      m_enableDepth(new QCheckBox(QStringLiteral("Tiefenbereich..."), this)),
      m_depth1(MakeField(this, "Depth1")),
      m_depth2(MakeField(this, "Depth2")),
      m_activityPanel(MakePanel(this, "eActivity")),
      m_typePanel(MakePanel(this, "eType")),
      m_activityBtn(new QToolButton(this)),
      m_typeBtn(new QToolButton(this)) {
    setObjectName(QStringLiteral("SelectDialog"));
    setWindowTitle(QStringLiteral("Selektieren"));
    m_enableDepth->setObjectName(QStringLiteral("EnableDepth"));
    m_activityBtn->setObjectName(QStringLiteral("ActivityBtn"));
    m_typeBtn->setObjectName(QStringLiteral("TypeBtn"));
    m_activityBtn->setText(QStringLiteral("..."));
    m_typeBtn->setText(QStringLiteral("..."));

    auto* grid = new QGridLayout;
    grid->addWidget(MakeLabel(this, "LDate1", "Datum:"), 0, 0);
    grid->addWidget(m_date1, 0, 1);
    grid->addWidget(MakeLabel(this, "LDate2", "bis:"), 0, 2);
    grid->addWidget(m_date2, 0, 3);
    grid->addWidget(m_enableDepth, 1, 0, 1, 4);
    grid->addWidget(MakeLabel(this, "LDepth1", "von:"), 2, 0);
    grid->addWidget(m_depth1, 2, 1);
    grid->addWidget(MakeLabel(this, "LDepth2", "bis:"), 2, 2);
    grid->addWidget(m_depth2, 2, 3);
    grid->addWidget(MakeLabel(this, "LActivity", "Aktivitäten:"), 3, 0);
    auto* activityRow = new QHBoxLayout;
    activityRow->addWidget(m_activityPanel, 1);
    activityRow->addWidget(m_activityBtn);
    grid->addLayout(activityRow, 3, 1, 1, 3);
    grid->addWidget(MakeLabel(this, "LType", "Tauchgang-Typ:"), 4, 0);
    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(m_typePanel, 1);
    typeRow->addWidget(m_typeBtn);
    grid->addLayout(typeRow, 4, 1, 1, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(ButtonRow());

    // Typing a depth means the depth range is wanted.
    connect(m_depth1, &QLineEdit::textEdited, this, [this] { m_enableDepth->setChecked(true); });
    connect(m_depth2, &QLineEdit::textEdited, this, [this] { m_enableDepth->setChecked(true); });
    connect(m_activityBtn, &QToolButton::clicked, this, [this] { ActivityBtnClick(); });
    connect(m_typeBtn, &QToolButton::clicked, this, [this] { TypeBtnClick(); });
}

void TSelectDialog::Load(const TDiveCollection& logbook) {
    if (!logbook.IsEmpty()) {
        m_date1->setText(FormatDiveDate(logbook.At(0).DayNo, false));
        m_date2->setText(FormatDiveDate(logbook.At(logbook.Count() - 1).DayNo, false));
    }
    m_depth1->setText(FormatValue(kDepthFormat, 0));
    m_depth2->setText(FormatValue(kDepthFormat, 0));
    m_other.clear();
    RefreshPanels();
    m_enableDepth->setChecked(false);
    m_date1->setFocus();
}

void TSelectDialog::RefreshPanels() {
    m_activityPanel->setText(ActivitiesText(m_activities, m_other, CurrentLanguage()));
    m_activityPanel->setToolTip(m_activityPanel->text());
    m_typePanel->setText(DiveTypeText(m_type, CurrentLanguage()));
    m_typePanel->setToolTip(m_typePanel->text());
}

void TSelectDialog::ActivityBtnClick() {
    std::uint16_t word = m_activities;
    QString other = m_other;
    if (!m_activity.Execute(word, other)) return;
    m_activities = word;
    m_other = other;
    RefreshPanels();
}

void TSelectDialog::TypeBtnClick() {
    std::uint16_t flags = m_type;
    if (!m_diveType.Execute(flags)) return;
    m_type = flags;
    RefreshPanels();
}

bool TSelectDialog::OKBtnClick() {
    bool ok = true;
    const TDateFormat format = CurrentDateFormat();
    const QDate today = QDate::currentDate();
    for (QLineEdit* date : {m_date1, m_date2})
        if (!TryParseDiveDate(date->text(), format, today)) {
            date->setText(DateHint(format));
            ok = false;
        }
    if (m_enableDepth->isChecked()) {
        const int units = CurrentUnitSystem();
        for (QLineEdit* depth : {m_depth1, m_depth2})
            if (!CheckDepth(depth->text(), units)) {
                // The hint must not tick the box again: only typing does.
                const QSignalBlocker block(depth);
                depth->setText(DepthHint(units));
                ok = false;
            }
    }
    if (!ok) {
        QApplication::beep();
        return false;
    }
    accept();
    return true;
}

TSelectionCriteria TSelectDialog::Criteria() const {
    TSelectionCriteria c;
    const TDateFormat format = CurrentDateFormat();
    const QDate today = QDate::currentDate();
    c.Day1 = ParseDiveDate(m_date1->text(), format, today);
    c.Day2 = ParseDiveDate(m_date2->text(), format, today);
    c.DepthEnabled = m_enableDepth->isChecked();
    c.Depth1 = ParseValue(kDepthFormat, m_depth1->text());
    c.Depth2 = ParseValue(kDepthFormat, m_depth2->text());
    c.DiveType = m_type;
    c.Activities = m_activities;
    c.Other = m_other;
    return c;
}
