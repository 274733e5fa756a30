#include "TStartDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "StartNumberRule.h"

TStartDlg::TStartDlg(QWidget* parent)
    : TOkCancelDialog(Program::Kelwin, QStringLiteral("TStartDlg"), parent),
      m_label(new QLabel(QStringLiteral("Startnummer:"), this)),
      m_nr(new QLineEdit(this)) {
    setObjectName(QStringLiteral("StartDlg"));
    setWindowTitle(QStringLiteral("Logbuch Startnummer"));
    m_label->setObjectName(QStringLiteral("LNumber"));
    m_nr->setObjectName(QStringLiteral("Nr"));
    m_nr->setMaxLength(10);
    m_label->setBuddy(m_nr);

    auto* field = new QHBoxLayout;
    field->addWidget(m_label);
    field->addWidget(m_nr, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(field);
    layout->addLayout(ButtonRow());
    setMinimumWidth(260);
}

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
