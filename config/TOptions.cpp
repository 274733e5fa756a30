#include "TOptions.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "Language.h"
#include "TRadioGroup.h"

TOptions::TOptions(QWidget* parent) : QDialog(parent) {
    setObjectName("TOptions");
    setWindowTitle("Language");
    m_langSel = new TRadioGroup("Language", {}, this);
    m_langSel->setObjectName("LangSel");
    m_langSel->SetItems(LanguageNames());
    m_ok = new QPushButton("OK", this);
    m_ok->setObjectName("OKBtn");
    m_ok->setDefault(true);
    m_cancel = new QPushButton("Cancel", this);
    m_cancel->setObjectName("CancelBtn");
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_langSel);
    layout->addLayout(buttons);
}

void TOptions::SetLanguage(int languageIndex) { m_langSel->SetItemIndex(languageIndex); }

int TOptions::Language() const { return m_langSel->ItemIndex(); }
