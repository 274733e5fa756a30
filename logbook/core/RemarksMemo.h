#pragma once
// The remarks of a dive are one text of at most 255 bytes; the edit dialog shows them
// in a multi-line memo. These two rules move the text between the record and the
// memo's lines.

#include <QByteArray>
#include <QStringList>

// Lines for the memo: the remarks as its only line.
QStringList RemarksToMemoLines(const QString& remarks);

// Text from the memo's lines: lines are joined without separators while the text is
// shorter than 255 characters, each cut so the total stays at most 255. An empty line
// ends the text only when the line two further down is empty (or missing) too;
// otherwise it adds nothing and reading goes on.
QString RemarksFromMemoLines(const QStringList& lines);
