#include "TStartDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "StartNumberRule.h"
#include "TCaptionRegistry.h"
#include "TWidgetCaptions.h"

TStartDlg::TStartDlg(QWidget* parent)
    : QDialog(parent),
      m_label(new QLabel(QStringLiteral("Startnummer:"), this)),
      m_nr(new QLineEdit(this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)),
      m_cancel(new QPushButton(QStringLiteral("Abbrechen"), this)) {
    setObjectName(QStringLiteral("StartDlg"));
    setWindowTitle(QStringLiteral("Logbuch Startnummer"));
    m_label->setObjectName(QStringLiteral("LNumber"));
    m_nr->setObjectName(QStringLiteral("Nr"));
    m_nr->setMaxLength(10);
    m_label->setBuddy(m_nr);
    m_ok->setObjectName(QStringLiteral("OKBtn"));
    m_cancel->setObjectName(QStringLiteral("CancelBtn"));
    m_ok->setDefault(true);

    auto* field = new QHBoxLayout;
    field->addWidget(m_label);
    field->addWidget(m_nr, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(field);
    layout->addLayout(buttons);
    setMinimumWidth(260);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    m_captions = std::make_unique<TWidgetCaptions>(this, QStringLiteral("TStartDlg"));
    TCaptionRegistry::Of(Program::Kelwin).Register(m_captions.get());
}

TStartDlg::~TStartDlg() { TCaptionRegistry::Of(Program::Kelwin).Unregister(m_captions.get()); }

void TStartDlg::Load(std::uint16_t value) {
    m_nr->setText(QString::number(value));
    m_nr->selectAll();
    m_nr->setFocus();
}

bool TStartDlg::Finish(int dialogResult, std::uint16_t& value) const {
    const StartNumberAnswer answer = StartNumberFromDialog(dialogResult == QDialog::Accepted, m_nr->text());
    value = answer.Value;
    return answer.Accepted;
}

bool TStartDlg::AskStartNumber(std::uint16_t& value) {
    Load(value);
    return Finish(exec(), value);
}
