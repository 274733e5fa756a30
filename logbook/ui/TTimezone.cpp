#include "TTimezone.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "EditRules.h"
#include "TimeShift.h"

TTimezone::TTimezone(QWidget* parent)
    : TOkCancelDialog(Program::Kelwin, QStringLiteral("TTimezone"), parent),
      m_label(new QLabel(QStringLiteral("Zeitdifferenz:"), this)),
      m_timediff(new QLineEdit(QStringLiteral("00:00"), this)),
      m_plus(new QRadioButton(QStringLiteral("+"), this)),
      m_minus(new QRadioButton(QStringLiteral("-"), this)) {
    setObjectName(QStringLiteral("Timezone"));
    setWindowTitle(QStringLiteral("Zeitzone anpassen"));
    m_label->setObjectName(QStringLiteral("LTimediff"));
    m_timediff->setObjectName(QStringLiteral("Timediff"));
    m_timediff->setMaxLength(10);
    m_label->setBuddy(m_timediff);
    m_plus->setObjectName(QStringLiteral("Plus"));
    m_minus->setObjectName(QStringLiteral("Minus"));
    m_plus->setChecked(true);

    auto* field = new QHBoxLayout;
    field->addWidget(m_label);
    field->addWidget(m_timediff, 1);
    auto* signs = new QHBoxLayout;
    signs->addWidget(m_plus);
    signs->addWidget(m_minus);
    signs->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(field);
    layout->addLayout(signs);
    layout->addLayout(ButtonRow());
    setMinimumWidth(280);
}

void TTimezone::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred on the screen, not on the main window.
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

bool TTimezone::OKBtnClick() {
    if (!CheckShiftAmount(m_timediff->text())) {
        m_timediff->setText(TimeHint());
        QApplication::beep();
        return false;
    }
    accept();
    return true;
}

std::optional<int> TTimezone::Amount() const { return CheckShiftAmount(m_timediff->text()); }

bool TTimezone::Later() const { return m_plus->isChecked(); }
