#pragma once
// Logbook files as a whole: loading into a new collection (the open logbook is never
// touched by a failed load), importing, and saving through the one save routine
// (SaveFile.h): a complete, synced file read back from the disk, the previous file kept
// as a backup, or nothing replaced at all.
//
//   LogbookLoadResult r = LoadLogbookFile(path, settings.DosText);
//   if (r.Ok()) logbook = std::move(r.Collection); else ShowError(r.ErrorText);
//   TLogbookSaveOptions how;  how.BackupDir = BackupDirectory(dataDir);
//   LogbookSaveResult s = SaveLogbookFile(path, logbook, dosText, how);

#include <QIODevice>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "SaveFile.h"
#include "TDiveCollection.h"
#include "TResult.h"

enum class LogbookError {
    None,
    OpenFailed,         // the file cannot be opened for reading
    InvalidDataformat,  // wrong format mark; ErrorText is "Invalid dataformat"
    ReadError,          // damaged or cut file; ErrorText names the file, then the stream's detail
    WriteFailed,        // saving failed; the previous file is intact
};

inline constexpr const char* kInvalidDataformatText = "Invalid dataformat";

// ErrorText: in the current language, the file and the reason. A result is a failure as
// soon as it names an error kind, whether or not a text came with it.
struct LogbookLoadResult : TResult {
    std::unique_ptr<TDiveCollection> Collection;  // set only when Error == None
    LogbookError Error = LogbookError::None;
    bool Ok() const { return Error == LogbookError::None && TResult::Ok(); }
};

struct LogbookImportResult : TResult {
    ImportSummary Summary;
    LogbookError Error = LogbookError::None;
    bool Ok() const { return Error == LogbookError::None && TResult::Ok(); }
};

struct LogbookSaveResult : TResult {
    LogbookError Error = LogbookError::None;
    // How the save went: the failed step, the platform's error number, the backup written.
    TSaveResult Save;
    bool Ok() const { return Error == LogbookError::None && TResult::Ok(); }
};

struct TLogbookSaveOptions {
    // Only the dives the predicate accepts (by list index) are written.
    bool SelectedOnly = false;
    std::function<bool(std::size_t)> IsSelected;
    // The previous file is kept here before it is replaced (see BackupDirectory); no
    // backup when empty.
    QString BackupDir;
};

// The folders of the backups and of the recovery copies in the per-user data directory.
QString BackupDirectory(const QString& dataDir);
QString RecoveryDirectory(const QString& dataDir);

LogbookLoadResult LoadLogbookFile(const QString& path, bool dosText);
LogbookLoadResult LoadLogbookBytes(const QByteArray& bytes, bool dosText);
LogbookLoadResult LoadLogbookDevice(QIODevice& device, bool dosText);

// Adds the file's dives to `into`; on any error `into` is unchanged.
LogbookImportResult ImportLogbookFile(TDiveCollection& into, const QString& path, bool dosText);

// The file image of the logbook, or with `selectedOnly` of the dives the predicate accepts.
std::vector<std::uint8_t> LogbookImage(const TDiveCollection& logbook, bool dosText,
                                       bool selectedOnly = false,
                                       const std::function<bool(std::size_t)>& isSelected = {});

// Writes the logbook and reads it back from the disk before it replaces the file.
LogbookSaveResult SaveLogbookFile(const QString& path, const TDiveCollection& logbook, bool dosText,
                                  const TLogbookSaveOptions& options);
// The whole logbook, or with `selectedOnly` the dives the predicate accepts; no backup.
LogbookSaveResult SaveLogbookFile(const QString& path, const TDiveCollection& logbook, bool dosText,
                                  bool selectedOnly = false,
                                  const std::function<bool(std::size_t)>& isSelected = {});
