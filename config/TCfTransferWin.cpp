#include "TCfTransferWin.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "Messages.h"
#include "TTransferConfig.h"
#include "TTransferCore.h"

TCfTransferWin::TCfTransferWin(IClock& clock, IComPort& port, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_core(std::make_unique<TTransferCore>(clock, port, TTransferConfig::Teswin())) {
    setObjectName("TransferWin");
    setWindowTitle("TransferWin");
    setModal(true);
    m_timeout = new QLabel("60 s", this);
    m_timeout->setObjectName("vTimeout");
    m_timeout->setAlignment(Qt::AlignCenter);
    QFont big = m_timeout->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    m_timeout->setFont(big);
    m_cancel = new QPushButton("Cancel", this);
    m_cancel->setObjectName("CancelBtn");
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_core->Cancel(); });
    m_comPanel = new QLabel(this);
    m_comPanel->setObjectName("ComPanel");
    m_comPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_timeout);
    layout->addWidget(m_cancel, 0, Qt::AlignHCenter);
    layout->addWidget(m_comPanel);
    setFixedSize(280, 130);
    m_core->SetView(this);
    m_core->FormCreate();
}

TCfTransferWin::~TCfTransferWin() { m_core->SetView(nullptr); }

ModalResult TCfTransferWin::ShowModal() {
    m_core->FormShow();
    if (m_core->Result() == mrNone) exec();
    hide();
    return m_core->Result() == mrNone ? mrCancel : m_core->Result();
}

void TCfTransferWin::SetCountdown(int seconds) { m_timeout->setText(QString::number(seconds) + " s"); }

void TCfTransferWin::ShowFound(int messageNo, int com) {
    m_comPanel->setText(GetTesMessage(messageNo) + QString::number(com));
}

void TCfTransferWin::ResultSet(ModalResult result) {
    if (isVisible() && result != mrNone) done(result);
}

void TCfTransferWin::reject() {
    if (m_core->Result() == mrNone) m_core->Cancel();
    QDialog::reject();
}
