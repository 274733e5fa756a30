#pragma once
// The rules of the main window's logbook commands that need no window: the caption,
// deleting selected dives, the renumbering proposal, the clock's text and width, and
// the default extension of a saved file. The window (TKelvara) asks the user and calls
// these.
//
//   setWindowTitle(MainCaption(settings.LogbookName, documentsDir));
//   DeleteDives(logbook, {1, 2});          // lines 2 and 3
//   clock->setFixedWidth(ClockWidth(unitSystem, locale.amText(), locale.pmText()));

#include <QString>
#include <QTime>
#include <cstddef>
#include <cstdint>
#include <vector>

class TDiveCollection;

// Name of a logbook that was never saved; Save asks for a file instead of writing it.
inline const QString kNoNameLogbook = QStringLiteral("NONAME.LOG");

// "Kelvara [" + path + "]" with the first occurrence of the documents folder (compared
// without regard to case) removed from the path.
QString MainCaption(const QString& logbookName, const QString& documentsDir);

// Removes the dives at the given indices (any order, duplicates ignored). With broken
// numbering the other dives keep their numbers; otherwise the logbook is renumbered from
// the number its first dive had. Returns the number of dives removed.
std::size_t DeleteDives(TDiveCollection& logbook, std::vector<std::size_t> indices);

// Number proposed by the renumber command: the first dive's number when the logbook holds
// more than one dive, else 1.
std::uint16_t ProposedRenumberStart(const TDiveCollection& logbook);

// Clock on the tool bar: 24-hour time in the metric system, 12-hour time with the AM/PM
// texts in the imperial system.
QString ClockText(const QTime& time, int unitSystem, const QString& amText, const QString& pmText);
// 72 pixels (metric) or (9 + the longer AM/PM text) * 8 + 8 pixels (imperial).
int ClockWidth(int unitSystem, const QString& amText, const QString& pmText);

// Told when dives could not be added because a logbook holds at most 65535 dives (the
// file's dive count is 16 bits wide).
QString LogbookFullText(int notAdded, int languageIndex);

// The chosen file name with the default extension (".LOG") appended when it has none.
QString WithDefaultExtension(const QString& path, const QString& defaultExt);
