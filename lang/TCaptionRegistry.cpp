#include "TCaptionRegistry.h"

#include <algorithm>

#include "QtTranslations.h"

TCaptionRegistry& TCaptionRegistry::Of(Program program) {
    static TCaptionRegistry kelwin(Program::Kelwin);
    static TCaptionRegistry teswin(Program::Teswin);
    return program == Program::Kelwin ? kelwin : teswin;
}

void TCaptionRegistry::Register(TCaptionTarget* target) {
    if (!target) return;
    if (std::find(m_targets.begin(), m_targets.end(), target) == m_targets.end()) m_targets.push_back(target);
}

void TCaptionRegistry::Unregister(TCaptionTarget* target) {
    m_targets.erase(std::remove(m_targets.begin(), m_targets.end(), target), m_targets.end());
}

bool TCaptionRegistry::ApplyLanguage(int languageIndex) const {
    if (!IsValidLanguage(languageIndex)) return false;
    // Qt's own buttons and dialogs follow the windows' language.
    UseQtTranslations(languageIndex);
    for (TCaptionTarget* t : m_targets) ApplyLanguage(m_program, *t, languageIndex);
    return true;
}

bool TCaptionRegistry::ApplyLanguage(Program program, TCaptionTarget& target, int languageIndex) {
    if (!IsValidLanguage(languageIndex)) return false;
    const QString windowClass = target.WindowClass();
    for (const CaptionEntry& e : CaptionList(program, windowClass, languageIndex)) {
        const QString control = e.ControlName();
        switch (e.Kind) {
            case CaptionKind::Caption:
                target.SetCaption(control, e.Text());
                break;
            case CaptionKind::Hint:
                target.SetHint(control, e.Text());
                break;
            case CaptionKind::Items:
                target.SetItems(control, e.Items());
                break;
            case CaptionKind::Filter:
                target.SetFilter(control, e.Text());
                break;
            case CaptionKind::DefaultExt:
                target.SetDefaultExt(control, e.Text());
                break;
        }
    }
    if (program == Program::Kelwin) {
        // Every language ends the same way: the save dialog proposes ".LOG", and the print
        // dialog goes back to "Text and Profile" of "Selected dives".
        if (windowClass == QLatin1String("TKelvara"))
            target.SetDefaultExt(QStringLiteral("SaveDialog"), QStringLiteral(".LOG"));
        if (windowClass == QLatin1String("TPrintDlg")) {
            target.SetItemIndex(QStringLiteral("What"), 2);
            target.SetItemIndex(QStringLiteral("Extend"), 0);
        }
    }
    return true;
}
