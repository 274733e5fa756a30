#pragma once
// Moving dives in and out of a logbook through files: the format of a file is told by its
// extension (".log"/".kvl" logbook, ".uddf" UDDF, ".csv" CSV table), the export writes the
// chosen dives in that format, and files are written completely or not at all.
//
//   ExportResult r = ExportDives(path, FormatOfPath(path), logbook, indices, options);
//   if (!r.Ok()) ShowError(r.ErrorText);

#include <QString>
#include <QStringList>
#include <cstddef>
#include <vector>

#include "TDiveCollection.h"
#include "TResult.h"

class TParameterTables;

enum class EInterchangeFormat { Logbook, Uddf, Csv, Unknown };

// By extension, ignoring case; Unknown for any other name.
EInterchangeFormat FormatOfPath(const QString& path);
// ".log", ".uddf", ".csv"; empty for Unknown.
QString ExtensionOf(EInterchangeFormat format);

struct ExportOptions {
    bool DosText = false;                // logbook format only
    int LanguageIndex = 0;               // CSV titles and texts, messages
    int UnitSystem = 0;                  // CSV values
    TParameterTables* Tables = nullptr;  // UDDF: the model's tables, for dives with a profile
    // Logbook format: the previous file is kept here before it is replaced (BackupDirectory).
    QString BackupDir;
};

// Ok when the file was written.
using ExportResult = TResult;

// Writes the dives at `indices` (in that order). The previous file stays intact when
// writing fails.
ExportResult ExportDives(const QString& path, EInterchangeFormat format, const TDiveCollection& logbook,
                         const std::vector<std::size_t>& indices, const ExportOptions& options);

// Ok when the file was read; otherwise nothing was added.
struct UddfImportResult : TResult {
    ImportSummary Summary;
    QStringList Notes;  // texts that were cut or replaced
};

// Adds the dives of a UDDF file to `into` as a logbook import does: each is offered to
// AddDive (a dive already present by its dive computer clock value is left out), then the
// logbook is sorted and renumbered. Into an empty logbook the dives keep the numbering the
// file gives them, and the logbook takes the dive computer's serial number when it has
// none. On any error `into` is unchanged.
UddfImportResult ImportUddfFile(TDiveCollection& into, const QString& path, int languageIndex);
