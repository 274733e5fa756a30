#pragma once
// The caption lists of both programs as data: for each window class and each language the
// controls it re-captions and their texts. Every language names exactly the same controls in
// the same order as English, so a language is never left half translated.
//
//   for (const CaptionEntry& e : CaptionList(Program::Kelwin, "TTransferWin", kSpanish))
//       ...   // e.Control, e.Kind, e.Texts
//   int n = CaptionTextCount(Program::Kelwin, "TKelvara", kEnglish);   // 51
//
// Texts are kept as UTF-8 literals of characters that Windows-1252 can hold.

#include <QString>
#include <QStringList>
#include <span>
#include <string_view>

#include "Language.h"

enum class CaptionKind {
    Caption,     // one text: window title, label, button, check box, group box, menu entry
    Hint,        // one text: tool tip
    Items,       // the items of a radio group or combo box, in order
    Filter,      // one text: file dialog filter, "Desc|patterns|..."
    DefaultExt,  // one text: file dialog default extension
};

struct CaptionEntry {
    std::string_view Control;  // object name; empty = the window itself
    CaptionKind Kind;
    const char* Texts;  // UTF-8; the items of an Items entry are separated by '\n'

    QString ControlName() const;
    QString Text() const;  // the first (for most kinds the only) text
    QStringList Items() const;
};

// One window's list in one language.
struct CaptionBlock {
    std::string_view WindowClass;
    std::span<const CaptionEntry> Entries;
};

// Window classes of a program in the order ApplyLanguage walks them.
QStringList CaptionWindowClasses(Program program);

// The list of a window in a language; empty for an unknown class or a language outside 0..4.
std::span<const CaptionEntry> CaptionList(Program program, const QString& windowClass, int languageIndex);

// Number of texts the list assigns (an Items entry counts each item).
int CaptionTextCount(Program program, const QString& windowClass, int languageIndex);
