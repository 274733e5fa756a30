#include "TOptions.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "Language.h"
#include "TCaptionRegistry.h"
#include "TRadioGroup.h"
#include "TWidgetCaptions.h"

TOptions::TOptions(QWidget* parent)
    : QDialog(parent),
      m_langSel(new TRadioGroup(this)),
      m_unitSel(new TRadioGroup(this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)),
      m_cancel(new QPushButton(QStringLiteral("Abbrechen"), this)) {
    setObjectName(QStringLiteral("Options"));
    setWindowTitle(QStringLiteral("Ländereinstellungen"));
    m_langSel->setObjectName(QStringLiteral("LangSel"));
    m_langSel->setTitle(QStringLiteral("Sprache"));
    m_langSel->SetItems(LanguageNames());
    m_unitSel->setObjectName(QStringLiteral("UnitSel"));
    m_unitSel->setTitle(QStringLiteral("Einheit"));
    m_unitSel->SetItems({QStringLiteral("Metrisch"), QStringLiteral("Imperial")});
    m_ok->setObjectName(QStringLiteral("OKBtn"));
    m_cancel->setObjectName(QStringLiteral("CancelBtn"));
    m_ok->setDefault(true);

    auto* groups = new QHBoxLayout;
    groups->addWidget(m_langSel, 1);
    groups->addWidget(m_unitSel, 1, Qt::AlignTop);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    m_captions = std::make_unique<TWidgetCaptions>(this, QStringLiteral("TOptions"));
    TCaptionRegistry::Of(Program::Kelwin).Register(m_captions.get());
}

TOptions::~TOptions() { TCaptionRegistry::Of(Program::Kelwin).Unregister(m_captions.get()); }

void TOptions::Load(int languageIndex, int unitSystem) {
    m_langSel->SetItemIndex(languageIndex);
    m_unitSel->SetItemIndex(unitSystem);
}

bool TOptions::Finish(int dialogResult, int& languageIndex, int& unitSystem) const {
    if (dialogResult != QDialog::Accepted) return false;
    // A group left without a choice (a damaged stored value) keeps the old value.
    if (m_langSel->ItemIndex() >= 0) languageIndex = m_langSel->ItemIndex();
    if (m_unitSel->ItemIndex() >= 0) unitSystem = m_unitSel->ItemIndex();
    return true;
}

bool TOptions::Execute(int& languageIndex, int& unitSystem) {
    Load(languageIndex, unitSystem);
    return Finish(exec(), languageIndex, unitSystem);
}
