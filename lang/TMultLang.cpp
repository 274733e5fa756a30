#include "TMultLang.h"

#include "Messages.h"
#include "TCaptionRegistry.h"

QString TMultLang::GetMessage(int n) const { return GetProgramMessage(m_program, n, CurrentLanguage()); }

QString TMultLang::GetMessage(int n, int languageIndex) const {
    return GetProgramMessage(m_program, n, languageIndex);
}

bool TMultLang::SetLanguage(int languageIndex) const {
    SetCurrentLanguage(languageIndex);
    return TCaptionRegistry::Of(m_program).ApplyLanguage(languageIndex);
}
