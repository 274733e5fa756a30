#include "LogbookFile.h"

#include <QDir>
#include <QFile>

#include "EStreamReadError.h"
#include "FaultTexts.h"
#include "Language.h"
#include "SaveTexts.h"
#include "TLogbookReader.h"
#include "TLogbookWriter.h"

namespace {
QString OpenErrorText(const QString& path, const QString& reason) {
    return QStringLiteral("Cannot open file \"%1\": %2").arg(path, reason);
}
}  // namespace

namespace {
// Files from this size on are read on a thread of their own while the dives are built.
constexpr qint64 kReadAheadBytes = qint64{1} << 20;

// Loads from a reader made of `source` (the reader's constructor arguments).
template <typename... Source>
LogbookLoadResult LoadFrom(bool dosText, Source&... source) {
    LogbookLoadResult result;
    auto collection = std::make_unique<TDiveCollection>();
    try {
        TLogbookReader in(source...);
        if (collection->LoadFromStream(in, dosText) == LogbookFormat::Invalid) {
            result.Error = LogbookError::InvalidDataformat;
            result.ErrorText = QString::fromLatin1(kInvalidDataformatText);
            return result;
        }
    } catch (const EStreamReadError& e) {
        result.Error = LogbookError::ReadError;
        result.ErrorText = QString::fromUtf8(e.what());
        return result;
    }
    result.Collection = std::move(collection);
    return result;
}
// Room for the whole image at once: texts and profile plus the fixed part of each record.
std::size_t EstimatedImageSize(const TDiveCollection& logbook) {
    std::size_t size = TDiveCollection::kHeaderSize;
    for (const auto& d : logbook.Dives())
        size += 64 + d->ProfileBlock.size() +
                static_cast<std::size_t>(d->Location.size() + d->Site.size() + d->OtherActivity.size() +
                                         d->Buddies.size() + d->Remarks.size());
    return size;
}
}  // namespace

LogbookLoadResult LoadLogbookBytes(const QByteArray& bytes, bool dosText) { return LoadFrom(dosText, bytes); }

LogbookLoadResult LoadLogbookDevice(QIODevice& device, bool dosText) { return LoadFrom(dosText, device); }

LogbookLoadResult LoadLogbookFile(const QString& path, bool dosText) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        LogbookLoadResult result;
        result.Error = LogbookError::OpenFailed;
        result.ErrorText = OpenErrorText(path, file.errorString());
        return result;
    }
    TLogbookReader::ReadAhead ahead;
    LogbookLoadResult result =
        file.size() >= kReadAheadBytes ? LoadFrom(dosText, file, ahead) : LoadLogbookDevice(file, dosText);
    // The stream's own text says where it ran out, not which file or what that means.
    if (result.Error == LogbookError::ReadError)
        result.ErrorText = DamagedLogbookText(path, result.ErrorText, CurrentLanguage());
    return result;
}

LogbookImportResult ImportLogbookFile(TDiveCollection& into, const QString& path, bool dosText) {
    LogbookImportResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.Error = LogbookError::OpenFailed;
        result.ErrorText = OpenErrorText(path, file.errorString());
        return result;
    }
    try {
        TLogbookReader in(file);
        result.Summary = into.ImportFromStream(in, dosText);
    } catch (const EStreamReadError& e) {
        result.Error = LogbookError::ReadError;
        result.ErrorText = DamagedLogbookText(path, QString::fromUtf8(e.what()), CurrentLanguage());
        return result;
    }
    if (result.Summary.Format == LogbookFormat::Invalid) {
        result.Error = LogbookError::InvalidDataformat;
        result.ErrorText = QString::fromLatin1(kInvalidDataformatText);
    }
    return result;
}

QString BackupDirectory(const QString& dataDir) {
    return QDir(dataDir).filePath(QStringLiteral("Backups")) + '/';
}

QString RecoveryDirectory(const QString& dataDir) {
    return QDir(dataDir).filePath(QStringLiteral("Recovery")) + '/';
}

std::vector<std::uint8_t> LogbookImage(const TDiveCollection& logbook, bool dosText, bool selectedOnly,
                                       const std::function<bool(std::size_t)>& isSelected) {
    TLogbookWriter out(EstimatedImageSize(logbook));
    logbook.SaveToStream(out, dosText, selectedOnly, isSelected);
    return out.Take();
}

LogbookSaveResult SaveLogbookFile(const QString& path, const TDiveCollection& logbook, bool dosText,
                                  const TLogbookSaveOptions& options) {
    const std::vector<std::uint8_t> image =
        LogbookImage(logbook, dosText, options.SelectedOnly, options.IsSelected);
    LogbookSaveResult result;
    TSaveOptions how;
    how.Verify = true;
    how.BackupDir = options.BackupDir;
    result.Save = SaveFile(path, std::span<const std::uint8_t>(image), how);
    if (!result.Save.Ok()) {
        result.Error = LogbookError::WriteFailed;
        result.ErrorText = SaveErrorText(result.Save);
    }
    return result;
}

LogbookSaveResult SaveLogbookFile(const QString& path, const TDiveCollection& logbook, bool dosText,
                                  bool selectedOnly, const std::function<bool(std::size_t)>& isSelected) {
    TLogbookSaveOptions options;
    options.SelectedOnly = selectedOnly;
    options.IsSelected = isSelected;
    return SaveLogbookFile(path, logbook, dosText, options);
}
