#include "TGraphDlg.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include "DiveAnalysis.h"
#include "EMissingTabFile.h"
#include "Language.h"
#include "Messages.h"
#include "ProfileDecoder.h"
#include "ProfileReadout.h"
#include "SettingsRecord.h"
#include "TDiveRec.h"
#include "TIdleHook.h"
#include "TTissueModel.h"
#include "WidgetPlacement.h"

namespace {
constexpr int kMsgProfileDive = 16;
// Points per cursor step: one (20 seconds) or, with Ctrl, three (one minute).
constexpr int kPointStep = 1;
constexpr int kMinuteStep = 3;
}  // namespace

// The window's client area: the readout panel on top, the chart below, and the scroll bar
// that only takes the keyboard focus, kept just below the visible area.
class TGraphDlg::TClient : public QWidget {
public:
    TClient(TGraphDlg& owner) : m_owner(owner) {
        setObjectName(QStringLiteral("GraphClient"));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        m_owner.FormPaint(painter, event->region());
    }
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        m_owner.FormResize();
    }
    void mousePressEvent(QMouseEvent* event) override {
        m_owner.FormMouseDown(event->position().toPoint().x());
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        m_owner.FormMouseMove(event->position().toPoint().x());
    }
    void mouseReleaseEvent(QMouseEvent* /*event*/) override {
        m_owner.FormMouseUp();
        m_owner.FormClick();
    }

private:
    TGraphDlg& m_owner;
};

TGraphDlg::TGraphDlg(QMdiArea& area, SettingsRecord& settings, TParameterTables& tables, TIdleHook& idle)
    : m_area(area),
      m_settings(settings),
      m_idle(&idle),
      m_profile(std::make_unique<DiveProfile>()),
      m_model(std::make_unique<TTissueModel>(tables)) {
    setObjectName(QStringLiteral("GraphDlg"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    QFont formFont = font();
    formFont.setBold(true);
    formFont.setPointSize(8);
    setFont(formFont);
    setWindowTitle(GetMessage(kMsgProfileDive));

    m_client = new TClient(*this);
    m_panel = new QLabel(m_client);
    m_panel->setObjectName(QStringLiteral("GrPanel"));
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_panel->setTextFormat(Qt::PlainText);
    QFont plain = m_panel->font();
    plain.setBold(false);
    m_panel->setFont(plain);
    m_panel->setIndent(4);
    m_scroller = new QScrollBar(Qt::Horizontal, m_client);
    m_scroller->setObjectName(QStringLiteral("Scroller"));
    m_scroller->setFocusPolicy(Qt::StrongFocus);
    for (QObject* o : {static_cast<QObject*>(this), static_cast<QObject*>(m_client),
                       static_cast<QObject*>(m_panel), static_cast<QObject*>(m_scroller)}) {
        o->installEventFilter(this);
    }
    setWidget(m_client);
    connect(this, &QMdiSubWindow::windowStateChanged, this, &TGraphDlg::StateChanged);

    m_idle->SetHandler([this] { return ReplayTurn(); });
    FormCreate();
}

TGraphDlg::~TGraphDlg() {
    m_destroying = true;
    if (m_idle) m_idle->SetHandler(nullptr);
    // The sub-window reports a last change of state while it is torn down, after this part of
    // the object is gone; the slot must not see it.
    disconnect(this, &QMdiSubWindow::windowStateChanged, this, &TGraphDlg::StateChanged);
}

void TGraphDlg::FormCreate() {
    // A child of the main window at its saved placement.
    m_area.addSubWindow(this);
    m_restoring = true;
    const WindowShowState state = RestoreWidgetPlacement(m_settings.ProfilePlacement, *this);
    show();
    ApplyWidgetState(*this, state);
    m_restoring = false;
}

int TGraphDlg::ReplayedCount() const {
    if (!m_plot.Profile) return 0;
    const int count = std::min(m_profile->Count, kMaxPointIndex);
    return std::clamp(m_plot.ReplayIndex + 1, 0, count + 1);
}

bool TGraphDlg::Replaying() const {
    return m_plot.Profile && m_modelReady && ReplayedCount() <= m_profile->Count;
}

QRect TGraphDlg::PlotArea() const {
    const int top = m_panel->height() + kChartGap;
    return {kChartGap, top, m_client->width() - 2 * kChartGap, m_client->height() - kChartGap - top};
}

// --- the dive -------------------------------------------------------------------------------

void TGraphDlg::ShowDive(TDiveRec* dive) {
    if (!dive || !dive->HasProfile() ||
        !BeginPlot(m_plot, *dive, *m_profile, EPlotMode::Screen, CurrentUnitSystem())) {
        m_dive = nullptr;
        m_plot.Dive = nullptr;
        m_plot.Profile = nullptr;
        m_modelReady = false;
        m_panel->clear();
        TakeOut();
        m_chartDirty = true;
        m_client->update();
        return;
    }
    m_dive = dive;
    setWindowTitle(GetMessage(kMsgProfileDive) + QLatin1Char(' ') + QString::number(dive->DiveNumber));
    BringBack();
    m_plot.ReplayIndex = -1;
    m_modelReady = false;
    try {
        m_model->ModelReset(*m_profile, ProfileInfoOf(*dive), CurrentUnitSystem() == kImperial);
        m_modelReady = true;
    } catch (const EMissingTabFile& missing) {
        // The chart shows; the replay waits until the tables are back and the dive is shown again.
        ShowError(missing.Text());
    }
    m_plot.CursorIndex = 0;
    m_panel->setText(ProfileReadout(*dive, *m_profile));
    m_panel->setToolTip(m_panel->text());
    m_chartDirty = true;
    m_client->update();
    NotifyCompanions();
    if (m_modelReady && m_idle) m_idle->Wake();
}

void TGraphDlg::ShowWindow() {
    if (m_takenOut) return;
    if (isMinimized()) showNormal();
    show();
    raise();
    m_area.setActiveSubWindow(this);
    m_scroller->setFocus();
}

void TGraphDlg::TakeOut() {
    if (m_takenOut) return;
    KeepPlacement();
    m_takenOut = true;
    // Saved first, then out of the child area and hidden. It is not minimised on the way
    // out: a minimised sub-window hides its contents, which would stay hidden when it
    // comes back.
    m_area.removeSubWindow(this);
    setParent(nullptr);
    hide();
    NotifyState();
}

void TGraphDlg::BringBack() {
    if (!m_takenOut) {
        NotifyState();
        return;
    }
    m_takenOut = false;
    m_restoring = true;
    m_area.addSubWindow(this);
    const WindowShowState state = RestoreWidgetPlacement(m_settings.ProfilePlacement, *this);
    if (isMinimized()) showNormal();
    widget()->show();
    show();
    ApplyWidgetState(*this, state);
    m_restoring = false;
    NotifyState();
}

void TGraphDlg::NotifyState() {
    if (m_destroying || !ProfileWindowStateChanged) return;
    ProfileWindowStateChanged(!m_takenOut && isVisible(), isMinimized());
}

void TGraphDlg::NotifyCompanions() {
    if (m_dive && m_plot.Profile && UpdateCompanions) UpdateCompanions(m_plot.CursorIndex);
}

void TGraphDlg::ShowError(const QString& text) {
    if (ReportError) {
        ReportError(text);
    } else {
        QMessageBox::critical(this, QString(), text);
    }
}

// --- placement ------------------------------------------------------------------------------

void TGraphDlg::KeepPlacement() {
    // The settings record always holds the placement of the window inside the main window.
    if (m_takenOut || m_restoring || !isVisible()) return;
    SaveWidgetPlacement(m_settings.ProfilePlacement, *this);
}

void TGraphDlg::moveEvent(QMoveEvent* event) {
    QMdiSubWindow::moveEvent(event);
    KeepPlacement();
}

void TGraphDlg::resizeEvent(QResizeEvent* event) {
    QMdiSubWindow::resizeEvent(event);
    KeepPlacement();
}

void TGraphDlg::StateChanged(Qt::WindowStates /*oldState*/, Qt::WindowStates /*newState*/) {
    KeepPlacement();
    NotifyState();
}

// --- painting -------------------------------------------------------------------------------

void TGraphDlg::FormResize() {
    m_panel->setGeometry(0, 0, m_client->width(), kPanelHeight);
    m_scroller->setGeometry(0, m_client->height(), m_client->width(), m_scroller->sizeHint().height());
    m_chartDirty = true;
    if (!m_destroying && !m_takenOut) NotifyState();
    m_client->update();
}

void TGraphDlg::RenderChart() {
    const qreal ratio = m_client->devicePixelRatioF();
    const QSize size = m_client->size() * ratio;
    if (m_chart.size() != size) m_chart = QImage(size, QImage::Format_RGB32);
    m_chart.setDevicePixelRatio(ratio);
    m_chart.fill(m_client->palette().color(QPalette::Window));
    if (m_plot.Profile) {
        QPainter painter(&m_chart);
        PaintPlot(m_plot, painter, PlotArea(), false);
    }
    m_chartDirty = false;
}

void TGraphDlg::FormPaint(QPainter& painter, const QRegion& region) {
    if (m_chartDirty || m_chart.isNull()) RenderChart();
    painter.setClipRegion(region);
    painter.drawImage(0, 0, m_chart);
    if (m_plot.Profile) DrawCursorOver(m_plot, painter, m_chart, m_plot.CursorIndex);
}

// --- cursor ---------------------------------------------------------------------------------

bool TGraphDlg::MoveCursor(int index) {
    if (!m_plot.Profile || index < 0 || index > std::min(m_profile->Count, kMaxPointIndex)) return false;
    if (index == m_plot.CursorIndex) return true;
    const QRect before = CursorStrip(m_plot, m_plot.CursorIndex);
    m_plot.CursorIndex = index;
    // Only the two strips are painted again: the chart under them comes from the picture.
    m_client->update(QRegion(before) + CursorStrip(m_plot, index));
    return true;
}

bool TGraphDlg::CursorKey(int key, Qt::KeyboardModifiers modifiers) {
    // Ctrl counts only on its own (Shift+Ctrl+Left moves one point).
    const bool ctrlAlone = (modifiers & ~Qt::KeypadModifier) == Qt::ControlModifier;
    const int step = ctrlAlone ? kMinuteStep : kPointStep;
    int target = 0;
    switch (key) {
        case Qt::Key_Left:
            target = m_plot.CursorIndex - step;
            break;
        case Qt::Key_Right:
            target = m_plot.CursorIndex + step;
            break;
        case Qt::Key_Home:
            target = 0;
            break;
        case Qt::Key_End:
            target = m_plot.Profile ? m_profile->Count : 0;
            break;
        default:
            return false;
    }
    MoveCursor(target);
    NotifyCompanions();
    return true;
}

bool TGraphDlg::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    if (CursorKey(key, modifiers)) return true;
    // Every key shows the cursor's point in the companions afterwards. A key the focused
    // control leaves alone passes its parents too, so the notice is given once, after it.
    if (!m_keyNoticePending) {
        m_keyNoticePending = true;
        QTimer::singleShot(0, this, [this] {
            m_keyNoticePending = false;
            NotifyCompanions();
        });
    }
    return false;
}

bool TGraphDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        (watched == this || watched == m_client || watched == m_panel || watched == m_scroller)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (FormKeyDown(key->key(), key->modifiers())) return true;
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

void TGraphDlg::FormMouseDown(int x) {
    if (!m_plot.Profile) return;
    // The chart's scale of the window as it is now, also before its first paint.
    if (m_chartDirty) LayoutPlot(m_plot, m_client, PlotArea());
    MoveCursor(XToPointIndex(m_plot.Layout, x));
    m_dragging = true;
    NotifyCompanions();
}

void TGraphDlg::FormMouseMove(int x) {
    if (m_dragging) MoveCursor(XToPointIndex(m_plot.Layout, x));
    NotifyCompanions();
}

void TGraphDlg::FormMouseUp() { m_dragging = false; }

void TGraphDlg::FormClick() { m_scroller->setFocus(); }

// --- replay ---------------------------------------------------------------------------------

bool TGraphDlg::ReplayTurn() {
    if (!m_plot.Profile || !m_dive || !m_modelReady || m_takenOut) return false;
    // A model step in progress (a message box inside it runs the event loop) is not re-entered.
    if (m_stepping) return true;
    const int count = std::min(m_profile->Count, kMaxPointIndex);
    if (m_plot.ReplayIndex >= count) return false;
    const int i = ++m_plot.ReplayIndex;
    m_stepping = true;
    m_model->ModelStep(i);
    m_stepping = false;
    if (i >= 1 && !m_chartDirty && !m_chart.isNull()) {
        QPainter painter(&m_chart);
        const QRect dirty = DrawReplaySegment(m_plot, painter, i);
        m_client->update(dirty);
    }
    if (i == m_plot.CursorIndex) NotifyCompanions();
    if (i < count) return true;
    FinishReplay();
    return false;
}

void TGraphDlg::FinishReplay() {
    m_plot.ReplayIndex = m_profile->Count + 1;
    if (m_dive->Analysed) return;  // an analysed dive keeps its stored result
    m_dive->StopInfo = SummariseProfile(*m_profile, m_dive->DiveType, m_model->State().DecoFlag);
    m_dive->Analysed = 1;
    m_panel->setText(ProfileReadout(*m_dive, *m_profile));
    m_panel->setToolTip(m_panel->text());
    if (DiveAnalysed) DiveAnalysed(m_dive);
}
