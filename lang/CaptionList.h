#pragma once
// The caption lists of both programs as data: for each window class and each language the
// controls it re-captions and their texts. Every language names exactly the same controls in
// the same order as English, so a language is never left half translated.
//
//   for (const CaptionEntry& e : CaptionList(Program::Kelwin, "TTransferWin", kSpanish))
//       ...   // e.Control, e.Kind, e.Texts
//   int n = CaptionTextCount(Program::Kelwin, "TKelvara", kEnglish);   // 52
//   QString s = CaptionText(Program::Kelwin, "TDiveType", "Nostop", CaptionKind::Caption,
//                           CurrentLanguage());                           // "No stop"
//
// Control names of the logbook program's windows are listed in CaptionsKelwin.cpp, those of
// the configuration tool in CaptionsTeswin.cpp; a window gives its controls these object
// names. Labels without a name of their own are named "l"/"L" + the control they describe.
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

// One listed text (items joined by '\n'), e.g. the caption of the dive type dialog's `Nostop`
// button for the dive type text; English for a language outside 0..4, empty when not listed.
QString CaptionText(Program program, const QString& windowClass, const QString& control, CaptionKind kind,
                    int languageIndex);
