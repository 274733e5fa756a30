#include "TTransferWin.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "Messages.h"
#include "TCaptionRegistry.h"
#include "TTransferCore.h"

namespace {
TTransferConfig ConfigOf(TTransferVariant v) {
    return v == TTransferVariant::Kelwin ? TTransferConfig::Kelwin() : TTransferConfig::Teswin();
}
Qt::WindowFlags FlagsOf(TTransferVariant v) {
    // The configuration tool's window has no close box: only Cancel or a result ends it.
    if (v == TTransferVariant::Teswin) return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    return Qt::Dialog;
}
}  // namespace

TTransferWin::TTransferWin(IClock& clock, IComPort& port, TTransferVariant variant, QWidget* parent)
    : QDialog(parent, FlagsOf(variant)),
      m_variant(variant),
      m_core(std::make_unique<TTransferCore>(clock, port, ConfigOf(variant))),
      m_captions(this, QStringLiteral("TTransferWin")) {
    const bool kelwin = variant == TTransferVariant::Kelwin;
    setObjectName(kelwin ? "TTransferWin" : "TransferWin");
    setWindowTitle(kelwin ? QStringLiteral("Tauchgänge übertragen") : QStringLiteral("TransferWin"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    if (kelwin) {
        m_dives = new QGroupBox(QStringLiteral("Übernehme..."), this);
        m_dives->setObjectName("Dives");
        auto* group = new QVBoxLayout(m_dives);
        const QString items[2] = {QStringLiteral("nur neuere TG"), QStringLiteral("alle TG")};
        for (int i = 0; i < 2; ++i) {
            m_choiceButtons[i] = new QRadioButton(items[i], m_dives);
            group->addWidget(m_choiceButtons[i]);
            connect(m_choiceButtons[i], &QRadioButton::clicked, this, [this, i] {
                if (i != m_shownChoice) DivesClick(i);
            });
        }
        m_choiceButtons[0]->setChecked(true);
        m_dives->setEnabled(false);  // enabled by a successful probe
        layout->addWidget(m_dives);

        m_gauge = new QProgressBar(this);
        m_gauge->setObjectName("Gauge");
        m_gauge->setRange(0, 100);
        m_gauge->setValue(0);
        m_gauge->setStyleSheet(
            QStringLiteral("QProgressBar { background: white; border: 1px solid #808080; "
                           "text-align: center; color: black; }"
                           "QProgressBar::chunk { background: red; }"));
        layout->addWidget(m_gauge);
    }

    auto* row = new QHBoxLayout;
    m_countdown = new QLabel(QStringLiteral("60 s"), this);
    m_countdown->setObjectName(kelwin ? "vTimeOut" : "vTimeout");
    QFont big = m_countdown->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    m_countdown->setFont(big);
    m_countdown->setMinimumWidth(70);
    m_cancel = new QPushButton(kelwin ? QStringLiteral("Abbrechen") : QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(kelwin ? "BitBtn2" : "CancelBtn");
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_core->Cancel(); });
    row->addWidget(m_countdown);
    row->addStretch();
    row->addWidget(m_cancel);
    layout->addLayout(row);

    m_comPanel = new QLabel(this);
    m_comPanel->setObjectName("ComPanel");
    m_comPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_comPanel->setFixedHeight(m_comPanel->fontMetrics().height() + 8);
    layout->addWidget(m_comPanel);
    setFixedSize(kelwin ? QSize(300, 200) : QSize(280, 110));

    m_core->SetView(this);
    m_core->FormCreate();
    // The configuration tool's transfer window has no caption list of its own.
    if (kelwin) TCaptionRegistry::Of(Program::Kelwin).Register(&m_captions);
}

TTransferWin::~TTransferWin() {
    if (m_variant == TTransferVariant::Kelwin) TCaptionRegistry::Of(Program::Kelwin).Unregister(&m_captions);
    m_core->SetView(nullptr);
}

void TTransferWin::SetLinkSettings(std::uint16_t* interfacePort, bool raiseRts) {
    m_interfacePort = interfacePort;
    m_raiseRts = raiseRts;
}

int TTransferWin::DiveChoice() const { return m_shownChoice; }

void TTransferWin::SetKeptPosition(const QPoint& p) {
    m_keptPosition = p;
    m_hasKeptPosition = true;
    if (m_variant == TTransferVariant::Teswin) move(p);
}

ModalResult TTransferWin::ShowModal() {
    m_core->FormShow();
    if (m_core->Result() == mrNone) exec();
    FormClose();
    return m_core->Result() == mrNone ? mrCancel : m_core->Result();
}

void TTransferWin::FormClose() {
    hide();
    m_core->FormClose();
    if (m_variant == TTransferVariant::Teswin) {
        m_keptPosition = pos();
        m_hasKeptPosition = true;
    }
}

void TTransferWin::SelectChoice(int choice) {
    if (!m_choiceButtons[0] || choice < 0 || choice > 1) return;
    m_choiceButtons[choice]->setChecked(true);
    m_shownChoice = choice;
}

void TTransferWin::DivesClick(int choice) {
    SelectChoice(choice);
    m_core->SetShowProgress(false);
    m_core->Com().TakeError();
    std::uint16_t unused = 0;
    m_core->FindInterface(m_interfacePort ? *m_interfacePort : unused, false, m_raiseRts);
    if (SendRequest) SendRequest(choice);
    m_rememberedChoice = choice;
}

void TTransferWin::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_variant == TTransferVariant::Kelwin) {
        if (QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen())
            move(s->availableGeometry().center() - rect().center());
        m_countdown->setText(QStringLiteral("60 s"));
        // Selecting the remembered choice counts as a change when it differs from the
        // one shown: the request goes out again for it, once the window is up.
        if (m_rememberedChoice != m_shownChoice) {
            const int choice = m_rememberedChoice;
            QTimer::singleShot(0, this, [this, choice] {
                if (isVisible() && m_core->Result() == mrNone) DivesClick(choice);
            });
        }
    } else if (m_hasKeptPosition) {
        move(m_keptPosition);
    }
}

void TTransferWin::reject() {
    if (m_core->Result() == mrNone) m_core->Cancel();
    if (isVisible()) QDialog::done(m_core->Result());
}

void TTransferWin::SetGauge(int percent) {
    if (m_gauge) m_gauge->setValue(percent);
}

void TTransferWin::SetCountdown(int seconds) {
    m_countdown->setText(QString::number(seconds) + QStringLiteral(" s"));
}

void TTransferWin::ShowFound(int messageNo, int com) {
    const QString text =
        m_variant == TTransferVariant::Kelwin ? GetMessage(messageNo) : GetTesMessage(messageNo);
    m_comPanel->setText(text + QString::number(com));
}

void TTransferWin::SetChoiceEnabled(bool enabled) {
    if (m_dives) m_dives->setEnabled(enabled);
}

void TTransferWin::ResultSet(ModalResult result) {
    if (isVisible() && result != mrNone) done(result);
}
