#pragma once
// Windows-1252 texts of the files and the line, and their conversion to the Unicode
// texts of the user interface. Logbooks, settings records and the dive computer all
// store single bytes of this code page; 0x80..0x9F differ from Latin-1, so Qt's
// Latin-1 conversion would be wrong there.
//
//   QString s = Cp1252ToUnicode(rec.Location);
//   QByteArray b; if (UnicodeToCp1252(edit.text(), b)) rec.Location = b;

#include <QByteArray>
#include <QString>
#include <string_view>

// Unicode text of Windows-1252 bytes. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same value, so every byte
// survives a round trip.
QString Cp1252ToUnicode(std::string_view bytes);
QString Cp1252ToUnicode(const QByteArray& bytes);

// True when the character can be stored as one Windows-1252 byte.
bool IsCp1252Char(char16_t ch);
// True when every character of the text can be stored.
bool IsCp1252Text(const QString& text);

// Converts the text; returns false (and leaves out the characters) when some character
// has no Windows-1252 byte. Surrogate pairs count as one unstorable character.
bool UnicodeToCp1252(const QString& text, QByteArray& out);
// Converts what can be stored and replaces every other character by '?'.
QByteArray UnicodeToCp1252Lossy(const QString& text);
