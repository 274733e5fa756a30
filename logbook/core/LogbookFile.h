#pragma once
// Logbook files as a whole: loading into a new collection (the open logbook is never
// touched by a failed load), importing, and atomic saving through a temporary file.
//
//   LogbookLoadResult r = LoadLogbookFile(path, settings.DosText);
//   if (r.Ok()) logbook = std::move(r.Collection); else ShowError(r.ErrorText);

#include <QIODevice>
#include <QString>
#include <cstddef>
#include <functional>
#include <memory>

#include "TDiveCollection.h"

enum class LogbookError {
    None,
    OpenFailed,         // the file cannot be opened for reading
    InvalidDataformat,  // wrong format mark; ErrorText is "Invalid dataformat"
    ReadError,          // damaged or cut file; ErrorText names the file, then the stream's detail
    WriteFailed,        // saving failed; the previous file is intact
};

inline constexpr const char* kInvalidDataformatText = "Invalid dataformat";

struct LogbookLoadResult {
    std::unique_ptr<TDiveCollection> Collection;  // set only when Error == None
    LogbookError Error = LogbookError::None;
    QString ErrorText;
    bool Ok() const { return Error == LogbookError::None; }
};

struct LogbookImportResult {
    ImportSummary Summary;
    LogbookError Error = LogbookError::None;
    QString ErrorText;
    bool Ok() const { return Error == LogbookError::None; }
};

struct LogbookSaveResult {
    LogbookError Error = LogbookError::None;
    QString ErrorText;
    bool Ok() const { return Error == LogbookError::None; }
};

LogbookLoadResult LoadLogbookFile(const QString& path, bool dosText);
LogbookLoadResult LoadLogbookBytes(const QByteArray& bytes, bool dosText);
LogbookLoadResult LoadLogbookDevice(QIODevice& device, bool dosText);

// Adds the file's dives to `into`; on any error `into` is unchanged.
LogbookImportResult ImportLogbookFile(TDiveCollection& into, const QString& path, bool dosText);

// Writes the whole logbook, or with `selectedOnly` the dives the predicate accepts.
LogbookSaveResult SaveLogbookFile(const QString& path, const TDiveCollection& logbook, bool dosText,
                                  bool selectedOnly = false,
                                  const std::function<bool(std::size_t)>& isSelected = {});
