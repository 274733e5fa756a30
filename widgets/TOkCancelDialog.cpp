#include "TOkCancelDialog.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "TCaptionRegistry.h"

TOkCancelDialog::TOkCancelDialog(Program program, const QString& windowClass, QWidget* parent)
    : QDialog(parent),
      m_program(program),
      m_ok(new QPushButton(QStringLiteral("OK"), this)),
      // The built-in texts are each program's first language until the captions arrive.
      m_cancel(new QPushButton(
          program == Program::Kelwin ? QStringLiteral("Abbrechen") : QStringLiteral("Cancel"), this)),
      m_buttons(new QHBoxLayout),
      m_captions(this, windowClass) {
    m_ok->setObjectName(QStringLiteral("OKBtn"));
    m_cancel->setObjectName(QStringLiteral("CancelBtn"));
    m_ok->setDefault(true);
    m_buttons->addStretch(1);
    m_buttons->addWidget(m_ok);
    m_buttons->addWidget(m_cancel);
    connect(m_ok, &QPushButton::clicked, this, [this] { OkClicked(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    TCaptionRegistry::Of(m_program).Register(&m_captions);
}

TOkCancelDialog::~TOkCancelDialog() {
    TCaptionRegistry::Of(m_program).Unregister(&m_captions);
    if (!m_buttons->parent()) delete m_buttons;  // a dialog that never placed its buttons
}

void TOkCancelDialog::OkClicked() { accept(); }
