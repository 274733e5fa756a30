#pragma once
// The windows of one program that take their texts from the caption lists. Each window
// registers once after it is created (windows live for the whole run); ApplyLanguage then
// re-captions all of them.
//
//   TCaptionRegistry& reg = TCaptionRegistry::Of(Program::Kelwin);
//   reg.Register(&m_transferCaptions);          // a TCaptionTarget for TTransferWin
//   reg.ApplyLanguage(settings.LanguageIndex);  // false, and nothing changed, outside 0..4
//
// Besides the listed texts, every language of the logbook program sets the save dialog's
// default extension to ".LOG" and resets the print dialog to "Text and Profile" and
// "Selected dives".

#include <vector>

#include "CaptionList.h"
#include "TCaptionTarget.h"

class TCaptionRegistry {
public:
    explicit TCaptionRegistry(Program program) : m_program(program) {}

    // The registry of a program's windows (one per program; tests make their own instances).
    static TCaptionRegistry& Of(Program program);

    Program ProgramOf() const { return m_program; }

    // The target must outlive its registration. Registering twice has no further effect.
    void Register(TCaptionTarget* target);
    void Unregister(TCaptionTarget* target);

    // Re-captions every registered window for the language (0..4) and switches Qt's own
    // texts to it (QtTranslations.h). Any other index changes nothing and returns false. Applies the language
    // to one window only when given.
    bool ApplyLanguage(int languageIndex) const;
    static bool ApplyLanguage(Program program, TCaptionTarget& target, int languageIndex);

private:
    Program m_program;
    std::vector<TCaptionTarget*> m_targets;
};
