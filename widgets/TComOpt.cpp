#include "TComOpt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QVBoxLayout>

#include "ComNumbers.h"
#include "IComPort.h"

namespace {
Program ProgramOf(TTransferVariant v) {
    return v == TTransferVariant::Kelwin ? Program::Kelwin : Program::Teswin;
}
}  // namespace

TComOpt::TComOpt(IComPort& port, TTransferVariant variant, QWidget* parent)
    : TOkCancelDialog(ProgramOf(variant), QStringLiteral("TComOpt"), parent),
      m_port(port),
      m_variant(variant) {
    setObjectName("TComOpt");
    const bool kelwin = variant == TTransferVariant::Kelwin;
    setWindowTitle(kelwin ? QStringLiteral("Schnittstelle") : QStringLiteral("Serial Port"));
    m_comPort = new QComboBox(this);
    m_comPort->setObjectName("ComPort");
    m_comPort->setMinimumWidth(200);
    m_appleTalk = new QCheckBox(QStringLiteral("AppleTalk"), this);
    m_appleTalk->setObjectName("AppleTalk");
    m_appleTalk->setVisible(false);  // carries RaiseRts; never shown

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_comPort);
    layout->addWidget(m_appleTalk);
    layout->addLayout(ButtonRow());
    setFixedSize(sizeHint());

    FormCreate();
}

void TComOpt::FormCreate() {
    m_choice.Build(m_port);
    m_comPort->clear();
    const QStringList items = m_choice.Items();
    m_comPort->addItem(items.value(0));
    for (int i = 1; i < items.size(); ++i) {
        const int com = m_choice.PortList()[i];
        m_comPort->addItem(QStringLiteral("%1   %2").arg(items[i], ComDevicePath(com)));
    }
}

void TComOpt::ShowSetting(std::uint16_t interfacePort, bool raiseRts) {
    m_comPort->setCurrentIndex(m_choice.SelectionFor(interfacePort));
    if (m_variant == TTransferVariant::Kelwin) m_appleTalk->setChecked(raiseRts);
}

void TComOpt::StoreSetting(std::uint16_t& interfacePort, bool* raiseRts) const {
    interfacePort = m_choice.Apply(m_comPort->currentIndex(), interfacePort);
    if (m_variant == TTransferVariant::Kelwin && raiseRts) *raiseRts = m_appleTalk->isChecked();
}

bool TComOpt::Execute(std::uint16_t& interfacePort, bool* raiseRts) {
    ShowSetting(interfacePort, raiseRts && *raiseRts);
    if (exec() != QDialog::Accepted) return false;
    StoreSetting(interfacePort, raiseRts);
    return true;
}
