#pragma once
// Message tables of both programs: texts built at run time (message boxes, titles with a
// number, readouts, printed headings), looked up by number in the current language.
//
//   QMessageBox::warning(this, {}, GetMessage(48));                 // "Lumilink not found!"
//   setWindowTitle(FormatMessage(GetMessage(3), dive.Number));      // "Edit Dive 12"
//   QString s = FormatMessage(GetMessage(38), name);                // fills "%s" or "%d"
//   QString status = GetTesMessage(9) + QString::number(port);      // configuration tool
//
// Kelwin has messages 0..52, Teswin 0..14, five languages each, stored language-major
// (entry L * count + N). A message number outside the table gives the empty text; a language
// index outside 0..4 gives the English text.

#include <QByteArray>
#include <QString>

#include "Language.h"

inline constexpr int kKelwinMessageCount = 53;
inline constexpr int kTeswinMessageCount = 15;

// Logbook program, current language / explicit language.
QString GetMessage(int n);
QString GetMessage(int n, int languageIndex);

// Configuration tool, current language / explicit language.
QString GetTesMessage(int n);
QString GetTesMessage(int n, int languageIndex);

// Either program's table.
QString GetProgramMessage(Program program, int n, int languageIndex);
int MessageCount(Program program);

// The Windows-1252 bytes of a message (empty for a number outside the table).
QByteArray GetMessageBytes(Program program, int n, int languageIndex);

// Replaces the first "%s" or "%d" of a message by the argument ("%%" stays "%"). Safer than
// handing a translated text to printf, which would misread a stray "%" in a translation.
QString FormatMessage(const QString& message, const QString& argument);
QString FormatMessage(const QString& message, long long argument);
