#pragma once
// The language dialog of both programs: the radio group LangSel with the five languages
// and, in the logbook ("Country settings"), the unit system of the values shown (UnitSel).
// The window that opens it applies the choice.
//
//   TOptions options(Program::Kelwin, this);
//   int language = settings.LanguageIndex, units = settings.UnitSystem;
//   if (options.Execute(language, units)) mainWindow.ApplyOptions(language, units);

#include "TOkCancelDialog.h"

class TRadioGroup;

class TOptions : public TOkCancelDialog {
    Q_OBJECT
public:
    // The logbook's dialog has the unit system group; the configuration tool's has not.
    explicit TOptions(Program program, QWidget* parent = nullptr);

    // Opens with the given choices and runs modally; on OK the values take the chosen items
    // and the result is true. Cancel changes nothing. Without a unit group `unitSystem` is
    // left as it is.
    bool Execute(int& languageIndex, int& unitSystem);

    // The two halves of Execute, for callers that run the dialog themselves.
    void Load(int languageIndex, int unitSystem);
    bool Finish(int dialogResult, int& languageIndex, int& unitSystem) const;

    TRadioGroup* LangSel() const { return m_langSel; }
    // Null in the configuration tool.
    TRadioGroup* UnitSel() const { return m_unitSel; }

private:
    TRadioGroup* m_langSel;
    TRadioGroup* m_unitSel = nullptr;
};
