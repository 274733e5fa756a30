#include "TCfComOpt.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "IComPort.h"

TCfComOpt::TCfComOpt(IComPort& port, QWidget* parent) : QDialog(parent) {
    setObjectName("TComOpt");
    setWindowTitle("Serial Port");
    m_choice.Build(port);
    m_combo = new QComboBox(this);
    m_combo->setObjectName("ComPort");
    m_combo->addItems(m_choice.Items());
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("CancelBtn");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_combo);
    layout->addLayout(buttons);
}

bool TCfComOpt::Execute(std::uint16_t& interfacePort) {
    m_combo->setCurrentIndex(m_choice.SelectionFor(interfacePort));
    if (exec() != QDialog::Accepted) return false;
    interfacePort = m_choice.Apply(m_combo->currentIndex(), interfacePort);
    return true;
}
