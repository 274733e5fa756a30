#include "TOptions.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "Language.h"
#include "TRadioGroup.h"

TOptions::TOptions(Program program, QWidget* parent)
    : TOkCancelDialog(program, QStringLiteral("TOptions"), parent), m_langSel(new TRadioGroup(this)) {
    setObjectName(QStringLiteral("Options"));
    const bool kelwin = program == Program::Kelwin;
    // Until the captions arrive: each program's first language.
    setWindowTitle(kelwin ? QStringLiteral("Ländereinstellungen") : QStringLiteral("Language"));
    m_langSel->setObjectName(QStringLiteral("LangSel"));
    m_langSel->setTitle(kelwin ? QStringLiteral("Sprache") : QStringLiteral("Language"));
    m_langSel->SetItems(LanguageNames());

    auto* groups = new QHBoxLayout;
    groups->addWidget(m_langSel, 1);
    if (kelwin) {
        m_unitSel = new TRadioGroup(this);
        m_unitSel->setObjectName(QStringLiteral("UnitSel"));
        m_unitSel->setTitle(QStringLiteral("Einheit"));
        m_unitSel->SetItems({QStringLiteral("Metrisch"), QStringLiteral("Imperial")});
        groups->addWidget(m_unitSel, 1, Qt::AlignTop);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(ButtonRow());
}

void TOptions::Load(int languageIndex, int unitSystem) {
    m_langSel->SetItemIndex(languageIndex);
    if (m_unitSel) m_unitSel->SetItemIndex(unitSystem);
}

bool TOptions::Finish(int dialogResult, int& languageIndex, int& unitSystem) const {
    if (dialogResult != QDialog::Accepted) return false;
    // A group left without a choice (a damaged stored value) keeps the old value.
    if (m_langSel->ItemIndex() >= 0) languageIndex = m_langSel->ItemIndex();
    if (m_unitSel && m_unitSel->ItemIndex() >= 0) unitSystem = m_unitSel->ItemIndex();
    return true;
}

bool TOptions::Execute(int& languageIndex, int& unitSystem) {
    Load(languageIndex, unitSystem);
    return Finish(exec(), languageIndex, unitSystem);
}
