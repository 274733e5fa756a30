#include "LogbookFile.h"

#include <QFile>
#include <QSaveFile>

#include "EStreamReadError.h"
#include "TLogbookReader.h"
#include "TLogbookWriter.h"

namespace {
QString OpenErrorText(const QString& path, const QString& reason) {
    return QStringLiteral("Cannot open file \"%1\": %2").arg(path, reason);
}
}  // namespace

LogbookLoadResult LoadLogbookBytes(const QByteArray& bytes, bool dosText) {
    LogbookLoadResult result;
    auto collection = std::make_unique<TDiveCollection>();
    try {
        TLogbookReader in(bytes);
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

LogbookLoadResult LoadLogbookFile(const QString& path, bool dosText) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        LogbookLoadResult result;
        result.Error = LogbookError::OpenFailed;
        result.ErrorText = OpenErrorText(path, file.errorString());
        return result;
    }
    const QByteArray bytes = file.readAll();
    file.close();
    return LoadLogbookBytes(bytes, dosText);
}

LogbookImportResult ImportLogbookFile(TDiveCollection& into, const QString& path, bool dosText) {
    LogbookImportResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.Error = LogbookError::OpenFailed;
        result.ErrorText = OpenErrorText(path, file.errorString());
        return result;
    }
    const QByteArray bytes = file.readAll();
    file.close();
    try {
        TLogbookReader in(bytes);
        result.Summary = into.ImportFromStream(in, dosText);
    } catch (const EStreamReadError& e) {
        result.Error = LogbookError::ReadError;
        result.ErrorText = QString::fromUtf8(e.what());
        return result;
    }
    if (result.Summary.Format == LogbookFormat::Invalid) {
        result.Error = LogbookError::InvalidDataformat;
        result.ErrorText = QString::fromLatin1(kInvalidDataformatText);
    }
    return result;
}

LogbookSaveResult SaveLogbookFile(const QString& path, const TDiveCollection& logbook, bool dosText,
                                  bool selectedOnly, const std::function<bool(std::size_t)>& isSelected) {
    TLogbookWriter out;
    logbook.SaveToStream(out, dosText, selectedOnly, isSelected);

    // Written to a temporary file beside the target and renamed over it only when
    // complete, so a full disk never costs the previous logbook.
    LogbookSaveResult result;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.Error = LogbookError::WriteFailed;
        result.ErrorText = QStringLiteral("Cannot write file \"%1\": %2").arg(path, file.errorString());
        return result;
    }
    const QByteArray& image = out.Data();
    if (file.write(image) != image.size() || !file.commit()) {
        result.Error = LogbookError::WriteFailed;
        result.ErrorText = QStringLiteral("Cannot write file \"%1\": %2").arg(path, file.errorString());
        file.cancelWriting();
    }
    return result;
}
