#include "TEditDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "CaptionList.h"
#include "Cp1252.h"
#include "DiveFieldLayout.h"
#include "DiveTexts.h"
#include "EditRules.h"
#include "Language.h"
#include "Messages.h"
#include "RemarksMemo.h"
#include "TActivity.h"
#include "TCp1252Validator.h"
#include "TDateFormat.h"
#include "TDiveRec.h"
#include "TDiveType.h"
#include "TimeFormat.h"
#include "UnitFormat.h"

namespace {

QStringList GermanItems(const char* control) {
    return CaptionText(Program::Kelwin, QStringLiteral("TEditDlg"), QString::fromLatin1(control),
                       CaptionKind::Items, kGerman)
        .split(QLatin1Char('\n'));
}

QLabel* MakePanel(QWidget* parent, const char* name) {
    auto* panel = new QLabel(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setMinimumHeight(22);
    panel->setTextFormat(Qt::PlainText);
    // A long list of activities must not widen the dialog; the whole text is in the tool tip.
    panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return panel;
}

// The index a list shows for a stored value; none for a value outside the list.
int ListIndex(const QComboBox* list, int value) { return value < list->count() ? value : -1; }

QString ItemText(const QComboBox* list, int index) {
    return index >= 0 && index < list->count() ? list->itemText(index) : QString();
}

}  // namespace

TEditDlg::TEditDlg(TDiveType& diveType, TActivity& activity, QWidget* parent)
    : TOkCancelDialog(Program::Kelwin, QStringLiteral("TEditDlg"), parent),
      m_diveType(diveType),
      m_activity(activity) {
    setObjectName(QStringLiteral("EditDlg"));
    setWindowTitle(QStringLiteral("Tauchgang bearbeiten"));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    for (const TDiveFieldPlace& place : kDiveFieldPlaces) {
        const QString name = QString::fromLatin1(place.Name);
        auto* label = new QLabel(QString::fromUtf8(place.GermanLabel), this);
        label->setObjectName(QStringLiteral("l") + name);
        label->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
        QWidget* control = nullptr;
        if (name == QLatin1String("Range") || name == QLatin1String("Cond") ||
            name == QLatin1String("Suit")) {
            auto* list = new QComboBox(this);
            list->setObjectName(QStringLiteral("e") + name);
            list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
            if (name == QLatin1String("Range")) m_range = list;
            if (name == QLatin1String("Cond")) m_cond = list;
            if (name == QLatin1String("Suit")) m_suit = list;
            control = list;
        } else if (name == QLatin1String("Type") || name == QLatin1String("Activity")) {
            auto* row = new QWidget(this);
            auto* h = new QHBoxLayout(row);
            h->setContentsMargins(0, 0, 0, 0);
            QLabel* panel = MakePanel(row, name == QLatin1String("Type") ? "eType" : "eActivity");
            panel->installEventFilter(this);
            panel->setCursor(Qt::PointingHandCursor);
            auto* button = new QToolButton(row);
            button->setText(QStringLiteral("..."));
            button->setObjectName(name + QStringLiteral("Btn"));
            h->addWidget(panel, 1);
            h->addWidget(button);
            if (name == QLatin1String("Type")) {
                m_typePanel = panel;
                m_typeBtn = button;
            } else {
                m_activityPanel = panel;
                m_activityBtn = button;
            }
            control = row;
        } else if (name == QLatin1String("Alarms")) {
            m_alarms = MakePanel(this, "eAlarms");
            control = m_alarms;
        } else if (name == QLatin1String("Remarks")) {
            m_remarks = new QPlainTextEdit(this);
            m_remarks->setObjectName(QStringLiteral("eRemarks"));
            m_remarks->setFixedHeight(56);
            m_remarks->setTabChangesFocus(true);
            control = m_remarks;
        } else {
            const bool text = name == QLatin1String("Location") || name == QLatin1String("Site") ||
                              name == QLatin1String("Buddy");
            control = AddField(place.Name, text ? kMaxFieldText : 30);
        }
        label->setBuddy(control);
        if (place.Column < 0) {
            grid->addWidget(label, place.Row, 0,
                            name == QLatin1String("Remarks") ? Qt::AlignTop : Qt::Alignment());
            grid->addWidget(control, place.Row, 1, 1, 3);
        } else {
            grid->addWidget(label, place.Row, place.Column * 2);
            grid->addWidget(control, place.Row, place.Column * 2 + 1);
        }
    }
    m_cond->addItems(GermanItems("eCond"));
    m_suit->addItems(GermanItems("eSuit"));
    RebuildAltitudeList();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(ButtonRow());
    setMinimumWidth(620);

    connect(m_typeBtn, &QToolButton::clicked, this, [this] { TypeBtnClick(); });
    connect(m_activityBtn, &QToolButton::clicked, this, [this] { ActivityBtnClick(); });
    connect(m_remarks, &QPlainTextEdit::textChanged, this, [this] { RemarksChanged(); });
}

QLineEdit* TEditDlg::AddField(const char* name, int maxLength) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("e") + QString::fromLatin1(name));
    edit->setMaxLength(maxLength);
    edit->setValidator(new TCp1252Validator(edit));
    return edit;
}

QLineEdit* TEditDlg::Field(const QString& name) const { return findChild<QLineEdit*>(name); }
QComboBox* TEditDlg::List(const QString& name) const { return findChild<QComboBox*>(name); }
QLabel* TEditDlg::Panel(const QString& name) const { return findChild<QLabel*>(name); }

QString TEditDlg::AltitudeText(int index) const { return ItemText(m_range, index); }
QString TEditDlg::WeatherText(int index) const { return ItemText(m_cond, index); }
QString TEditDlg::SuitText(int index) const { return ItemText(m_suit, index); }

void TEditDlg::RebuildAltitudeList() {
    const int chosen = m_range->currentIndex();
    m_range->clear();
    m_range->addItems(AltitudeItems(CurrentUnitSystem()));
    m_range->setCurrentIndex(chosen);
}

void TEditDlg::LoadFromDive(const TDiveRec& dive) {
    setWindowTitle(FormatMessage(GetMessage(3), static_cast<long long>(dive.DiveNumber)));
    Field("eDate")->setText(FormatDiveDate(dive.DayNo, false));
    Field("eImmers")->setText(FormatHoursMinutes(dive.StartTime));
    Field("eLocation")->setText(Cp1252ToUnicode(dive.Location));
    Field("eSite")->setText(Cp1252ToUnicode(dive.Site));
    m_range->setCurrentIndex(ListIndex(m_range, dive.AltitudeRange));
    Field("eInterv")->setText(FormatHoursMinutes(dive.SurfaceInterval));
    m_cond->setCurrentIndex(ListIndex(m_cond, dive.Weather));
    Field("eTemp")->setText(FormatValue(kTemperatureFormat, dive.AirTemperature));
    m_suit->setCurrentIndex(ListIndex(m_suit, dive.Suit));
    Field("eVolume")->setText(FormatValue(kVolumeFormat, dive.TankSize));
    Field("eMax")->setText(FormatValue(kDepthFormat, dive.MaxDepth));
    Field("eTime")->setText(FormatHoursMinutes(dive.DiveTime));
    Field("eMintemp")->setText(FormatValue(kTemperatureFormat, dive.MinWaterTemp));
    Field("eUsed")->setText(FormatValue(kPressureFormat, dive.AirConsumption));
    Field("eBuddy")->setText(Cp1252ToUnicode(dive.Buddies));
    m_type = dive.DiveType;
    m_activities = dive.Activities;
    m_other = Cp1252ToUnicode(dive.OtherActivity);
    m_diveType.Load(m_type);
    m_activity.Load(m_activities, m_other);
    RefreshPanels();
    m_alarms->setText(AlarmText(dive.DeviceStatus, CurrentLanguage()));
    m_remarks->setPlainText(RemarksToMemoLines(Cp1252ToUnicode(dive.Remarks)).join(QLatin1Char('\n')));
    m_remarks->moveCursor(QTextCursor::Start);

    // The dive computer's own values of a downloaded dive are not edited; the air consumption
    // only when the dive computer did not deliver it.
    const bool hand = !dive.IsDownloaded();
    for (const char* name : {"eDate", "eImmers", "eInterv", "eMax", "eTime", "eMintemp"})
        Field(QString::fromLatin1(name))->setEnabled(hand);
    m_range->setEnabled(hand);
    Field("eUsed")->setEnabled(hand || (dive.HwSw & kHwSwNoAirConsumption));
    // Long texts show their beginning.
    for (QLineEdit* edit : findChildren<QLineEdit*>()) edit->setCursorPosition(0);
    Field("eDate")->setFocus();
}

void TEditDlg::RefreshPanels() {
    m_typePanel->setText(DiveTypeText(m_type, CurrentLanguage()));
    m_typePanel->setToolTip(m_typePanel->text());
    m_activityPanel->setText(ActivitiesText(m_activities, m_other, CurrentLanguage()));
    m_activityPanel->setToolTip(m_activityPanel->text());
}

bool TEditDlg::OKBtnClick() {
    bool ok = true;
    auto refuse = [&ok](QLineEdit* field, const QString& hint) {
        field->setText(hint);
        ok = false;
    };
    const int units = CurrentUnitSystem();
    const TDateFormat format = CurrentDateFormat();
    if (!CheckDiveDate(Field("eDate")->text(), format, QDate::currentDate()))
        refuse(Field("eDate"), DateHint(format));
    if (!CheckStartTime(Field("eImmers")->text())) refuse(Field("eImmers"), TimeHint());
    if (!CheckDepth(Field("eMax")->text(), units)) refuse(Field("eMax"), DepthHint(units));
    if (!CheckDiveTime(Field("eTime")->text())) refuse(Field("eTime"), TimeHint());
    if (!CheckInterval(Field("eInterv")->text())) refuse(Field("eInterv"), TimeHint());
    if (!CheckOptionalValue(kTemperatureFormat, Field("eTemp")->text(), units))
        refuse(Field("eTemp"), TemperatureHint(units));
    if (!CheckOptionalValue(kVolumeFormat, Field("eVolume")->text(), units))
        refuse(Field("eVolume"), VolumeHint(units));
    if (!CheckOptionalValue(kTemperatureFormat, Field("eMintemp")->text(), units))
        refuse(Field("eMintemp"), TemperatureHint(units));
    if (!CheckAirConsumption(Field("eUsed")->text(), units)) refuse(Field("eUsed"), PressureHint(units));
    if (!ok) {
        QApplication::beep();
        return false;
    }
    accept();
    return true;
}

void TEditDlg::StoreToDive(TDiveRec& dive) const {
    const int units = CurrentUnitSystem();
    const QString date = Field("eDate")->text();
    dive.DayNo = CheckDiveDate(date, CurrentDateFormat(), QDate::currentDate()).value_or(dive.DayNo);
    dive.StartTime =
        static_cast<std::uint16_t>(CheckStartTime(Field("eImmers")->text()).value_or(dive.StartTime));
    dive.Location = StoredText(Field("eLocation")->text());
    dive.Site = StoredText(Field("eSite")->text());
    // A list without a choice (a stored index the list does not have) keeps the stored value.
    if (m_range->currentIndex() >= 0) dive.AltitudeRange = static_cast<std::uint8_t>(m_range->currentIndex());
    dive.SurfaceInterval = static_cast<std::int16_t>(ParseHoursMinutes(Field("eInterv")->text()));
    if (m_cond->currentIndex() >= 0) dive.Weather = static_cast<std::uint8_t>(m_cond->currentIndex());
    dive.AirTemperature =
        static_cast<std::int16_t>(ParseValue(kTemperatureFormat, Field("eTemp")->text(), units));
    if (m_suit->currentIndex() >= 0) dive.Suit = static_cast<std::uint8_t>(m_suit->currentIndex());
    dive.TankSize = static_cast<std::int16_t>(ParseValue(kVolumeFormat, Field("eVolume")->text(), units));
    dive.MaxDepth = static_cast<std::int16_t>(ParseValue(kDepthFormat, Field("eMax")->text(), units));
    dive.DiveTime = static_cast<std::uint16_t>(ParseHoursMinutes(Field("eTime")->text()));
    dive.MinWaterTemp =
        static_cast<std::int16_t>(ParseValue(kTemperatureFormat, Field("eMintemp")->text(), units));
    dive.AirConsumption =
        static_cast<std::uint16_t>(CheckAirConsumption(Field("eUsed")->text(), units).value_or(kNotSet));
    dive.DiveType = m_type;
    dive.Activities = m_activities;
    dive.OtherActivity = StoredText(m_other);
    dive.Buddies = StoredText(Field("eBuddy")->text());
    dive.Remarks = StoredText(RemarksFromMemoLines(m_remarks->toPlainText().split(QLatin1Char('\n'))));
}

void TEditDlg::RemarksChanged() {
    const QString text = m_remarks->toPlainText();
    if (IsStorableText(text) && !text.contains(QLatin1Char('\n'))) {
        m_lastRemarks = text;
        return;
    }
    // One line of at most 255 storable characters: line breaks and characters the logbook
    // cannot store are dropped, and what would run over is cut.
    QString kept;
    for (QChar c : text)
        if (c != QLatin1Char('\n') && c != QLatin1Char('\r') && IsCp1252Char(c.unicode())) kept += c;
    kept.truncate(kMaxFieldText);
    m_lastRemarks = kept;
    const QSignalBlocker block(m_remarks);
    m_remarks->setPlainText(kept);
    m_remarks->moveCursor(QTextCursor::End);
}

void TEditDlg::TypeBtnClick() {
    std::uint16_t flags = m_type;
    if (!m_diveType.Execute(flags)) return;
    m_type = flags;
    RefreshPanels();
}

void TEditDlg::ActivityBtnClick() {
    std::uint16_t word = m_activities;
    QString other = m_other;
    if (!m_activity.Execute(word, other)) return;
    m_activities = word;
    m_other = other;
    RefreshPanels();
}

bool TEditDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == m_typePanel) {
            TypeBtnClick();
            return true;
        }
        if (watched == m_activityPanel) {
            ActivityBtnClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
