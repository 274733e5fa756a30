#pragma once
// The language object of a program: created once at start (Kelwin while its main window is
// created, Teswin in TCf's FormCreate); it answers message lookups for its program in the
// current language and re-captions the program's registered windows.
//
//   TMultLang lang(Program::Teswin);
//   ui->status->setText(lang.GetMessage(9) + QString::number(com));   // "Lumilink connected with COM"
//   lang.SetLanguage(settings.LanguageIndex);                           // stores and re-captions

#include <QString>

#include "Language.h"

class TMultLang {
public:
    explicit TMultLang(Program program) : m_program(program) {}

    Program ProgramOf() const { return m_program; }

    // Message n of this program in the current language (see Messages.h for the fallbacks).
    QString GetMessage(int n) const;
    QString GetMessage(int n, int languageIndex) const;

    // Makes the language current and re-captions every registered window of the program.
    // An index outside 0..4 is still stored (messages then read English), but the windows keep
    // their captions; the result tells whether they were re-captioned.
    bool SetLanguage(int languageIndex) const;

private:
    Program m_program;
};
