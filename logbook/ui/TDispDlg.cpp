#include "TDispDlg.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QTimer>

#include "Cp1252.h"
#include "DiveFieldLayout.h"
#include "DiveTexts.h"
#include "Language.h"
#include "Messages.h"
#include "RemarksMemo.h"
#include "SettingsRecord.h"
#include "TCaptionRegistry.h"
#include "TDateFormat.h"
#include "TDiveRec.h"
#include "TEditDlg.h"
#include "TWidgetCaptions.h"
#include "TimeFormat.h"
#include "UnitFormat.h"
#include "WidgetPlacement.h"

TDispDlg::TDispDlg(QMdiArea& area, SettingsRecord& settings, const TEditDlg& lists)
    : m_area(area), m_settings(settings), m_lists(lists) {
    setObjectName(QStringLiteral("DispDlg"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(GetMessage(2));
    auto* body = new QWidget(this);
    body->setObjectName(QStringLiteral("DispBody"));
    auto* grid = new QGridLayout(body);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    for (const TDiveFieldPlace& place : kDiveFieldPlaces) {
        const QString name = QString::fromLatin1(place.Name);
        auto* label = new QLabel(QString::fromUtf8(place.GermanLabel), body);
        label->setObjectName(QStringLiteral("l") + name);
        label->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
        QWidget* control = nullptr;
        if (name == QLatin1String("Remarks")) {
            m_remarks = new QPlainTextEdit(body);
            m_remarks->setObjectName(QStringLiteral("vRemarks"));
            m_remarks->setReadOnly(true);
            m_remarks->setFixedHeight(48);
            control = m_remarks;
        } else {
            auto* value = new QLabel(body);
            value->setObjectName(QStringLiteral("v") + name);
            value->setFrameShape(QFrame::StyledPanel);
            value->setFrameShadow(QFrame::Sunken);
            value->setTextFormat(Qt::PlainText);
            value->setMinimumHeight(20);
            value->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
            control = value;
        }
        if (place.Column < 0) {
            grid->addWidget(label, place.Row, 0,
                            name == QLatin1String("Remarks") ? Qt::AlignTop : Qt::Alignment());
            grid->addWidget(control, place.Row, 1, 1, 3);
        } else {
            grid->addWidget(label, place.Row, place.Column * 2);
            grid->addWidget(control, place.Row, place.Column * 2 + 1);
        }
    }
    grid->setRowStretch(static_cast<int>(kDiveFieldPlaces.size()), 1);
    setWidget(body);
    setMaximumSize(kMaxWidth, kMaxHeight);
    connect(this, &QMdiSubWindow::windowStateChanged, this, &TDispDlg::StateChanged);

    // A child of the main window at its saved placement, cut to the largest size.
    m_area.addSubWindow(this);
    ComeBack();

    m_captions = std::make_unique<TWidgetCaptions>(this, QStringLiteral("TDispDlg"));
    TCaptionRegistry::Of(Program::Kelwin).Register(m_captions.get());
}

TDispDlg::~TDispDlg() {
    // A sub-window leaves its area by itself when it is deleted, and reports a last change of
    // state on the way, after this part of the object is gone; the slot must not see it.
    disconnect(this, &QMdiSubWindow::windowStateChanged, this, &TDispDlg::StateChanged);
    TCaptionRegistry::Of(Program::Kelwin).Unregister(m_captions.get());
}

QLabel* TDispDlg::Value(const QString& name) const { return findChild<QLabel*>(name); }

void TDispDlg::KeepPlacement() {
    // The settings record always holds the placement of the window inside the main window.
    if (m_takenOut || m_restoring || !isVisible()) return;
    SaveWidgetPlacement(m_settings.DataPlacement, *this);
}

void TDispDlg::closeEvent(QCloseEvent* event) {
    // The window lives for the whole run: its close button only hides it. A sub-window's
    // own close would also close its contents, which then stay hidden when it comes back.
    event->ignore();
    hide();
}

void TDispDlg::moveEvent(QMoveEvent* event) {
    QMdiSubWindow::moveEvent(event);
    KeepPlacement();
}

void TDispDlg::resizeEvent(QResizeEvent* event) {
    QMdiSubWindow::resizeEvent(event);
    KeepPlacement();
}

void TDispDlg::StateChanged(Qt::WindowStates /*oldState*/, Qt::WindowStates newState) {
    if (newState & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
        // The window is never maximised: it goes back to normal at its largest size.
        QTimer::singleShot(0, this, [this] {
            showNormal();
            resize(kMaxWidth, kMaxHeight);
        });
        return;
    }
    KeepPlacement();
}

void TDispDlg::ShowWindow() {
    if (m_takenOut) return;
    if (isMinimized()) showNormal();
    show();
    raise();
}

void TDispDlg::ComeBack() {
    // The saved placement, cut to the largest size, and then its state: a window that was
    // minimised comes back minimised.
    m_restoring = true;
    if (isMinimized()) showNormal();
    const WindowShowState state = RestoreWidgetPlacement(m_settings.DataPlacement, *this);
    resize(std::min(width(), kMaxWidth), std::min(height(), kMaxHeight));
    widget()->show();
    show();
    if (state == WindowShowState::Minimised) showMinimized();
    m_restoring = false;
}

void TDispDlg::ShowTitle() {
    if (m_dive) setWindowTitle(GetMessage(2) + QLatin1Char(' ') + QString::number(m_dive->DiveNumber));
}

void TDispDlg::ShowDive(const TDiveRec* dive) {
    m_dive = dive;
    if (!dive) {
        if (m_takenOut) return;
        KeepPlacement();
        m_takenOut = true;
        // Saved first, then out of the child area and hidden. It is not minimised on the
        // way out: a minimised sub-window hides its contents, which would stay hidden when
        // it comes back.
        m_area.removeSubWindow(this);
        setParent(nullptr);
        hide();
        return;
    }
    if (m_takenOut) {
        m_takenOut = false;
        m_area.addSubWindow(this);
        ComeBack();
    }
    const int lang = CurrentLanguage();
    ShowTitle();
    auto set = [this](const char* name, const QString& text) {
        if (QLabel* v = Value(QString::fromLatin1(name))) {
            v->setText(text);
            // A value longer than its field is shown whole in the tool tip.
            v->setToolTip(text);
        }
    };
    set("vDate", FormatDiveDate(dive->DayNo, true));
    set("vImmers", FormatHoursMinutes(dive->StartTime));
    set("vLocation", Cp1252ToUnicode(dive->Location));
    set("vSite", Cp1252ToUnicode(dive->Site));
    set("vRange", m_lists.AltitudeText(dive->AltitudeRange));
    set("vInterv", FormatHoursMinutes(dive->SurfaceInterval));
    set("vCond", m_lists.WeatherText(dive->Weather));
    set("vTemp", FormatValue(kTemperatureFormat, dive->AirTemperature));
    set("vSuit", m_lists.SuitText(dive->Suit));
    set("vVolume", FormatValue(kVolumeFormat, dive->TankSize));
    set("vMax", FormatValue(kDepthFormat, dive->MaxDepth));
    set("vTime", FormatHoursMinutes(dive->DiveTime));
    set("vMintemp", FormatValue(kTemperatureFormat, dive->MinWaterTemp));
    set("vUsed", FormatValue(kPressureFormat, dive->AirConsumption));
    set("vType", DiveTypeText(dive->DiveType, lang));
    set("vActivity", ActivitiesText(dive->Activities, Cp1252ToUnicode(dive->OtherActivity), lang));
    set("vAlarms", AlarmText(dive->DeviceStatus, lang));
    set("vBuddy", Cp1252ToUnicode(dive->Buddies));
    m_remarks->setPlainText(RemarksToMemoLines(Cp1252ToUnicode(dive->Remarks)).join(QLatin1Char('\n')));
    m_remarks->moveCursor(QTextCursor::Start);
}
