#include "InterchangeFile.h"

#include <QFile>
#include <QFileInfo>

#include "CsvWriter.h"
#include "InterchangeTexts.h"
#include "LogbookFile.h"
#include "SaveTexts.h"
#include "TDiveCollection.h"
#include "UddfReader.h"
#include "UddfWriter.h"

EInterchangeFormat FormatOfPath(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("log") || suffix == QLatin1String("kvl")) return EInterchangeFormat::Logbook;
    if (suffix == QLatin1String("uddf")) return EInterchangeFormat::Uddf;
    if (suffix == QLatin1String("csv")) return EInterchangeFormat::Csv;
    return EInterchangeFormat::Unknown;
}

QString ExtensionOf(EInterchangeFormat format) {
    switch (format) {
        case EInterchangeFormat::Logbook:
            return QStringLiteral(".log");
        case EInterchangeFormat::Uddf:
            return QStringLiteral(".uddf");
        case EInterchangeFormat::Csv:
            return QStringLiteral(".csv");
        case EInterchangeFormat::Unknown:
            break;
    }
    return {};
}

namespace {

QString WriteFailed(const QString& path, const QString& reason, int languageIndex) {
    return InterchangeText(EInterchangeText::WriteFailed, languageIndex).arg(path, reason);
}

}  // namespace

ExportResult ExportDives(const QString& path, EInterchangeFormat format, const TDiveCollection& logbook,
                         const std::vector<std::size_t>& indices, const ExportOptions& options) {
    ExportResult result;
    if (format == EInterchangeFormat::Unknown) {
        result.ErrorText =
            WriteFailed(path, InterchangeText(EInterchangeText::UnknownFormat, options.LanguageIndex),
                        options.LanguageIndex);
        return result;
    }
    if (format == EInterchangeFormat::Logbook) {
        std::vector<bool> chosen(logbook.Count(), false);
        for (std::size_t i : indices)
            if (i < chosen.size()) chosen[i] = true;
        TLogbookSaveOptions how;
        how.SelectedOnly = true;
        how.IsSelected = [&chosen](std::size_t i) { return chosen[i]; };
        how.BackupDir = options.BackupDir;
        const LogbookSaveResult saved = SaveLogbookFile(path, logbook, options.DosText, how);
        if (!saved.Ok()) result.ErrorText = saved.ErrorText;
        return result;
    }
    // Streamed into a temporary file beside the target, which replaces it only when complete.
    const TSaveResult saved = SaveFileStreamed(path, [&](QIODevice& out, QString& reason) {
        if (format == EInterchangeFormat::Uddf) {
            const UddfWriteResult written =
                WriteUddf(out, logbook, indices, options.Tables, options.LanguageIndex);
            reason = written.ErrorText;
            return written.Ok();
        }
        out.write(CsvTable(logbook, indices, options.LanguageIndex, options.UnitSystem));
        return true;
    });
    if (!saved.Ok()) {
        result.ErrorText =
            WriteFailed(saved.Path, SaveReasonText(saved, options.LanguageIndex), options.LanguageIndex);
    }
    return result;
}

UddfImportResult ImportUddfFile(TDiveCollection& into, const QString& path, int languageIndex) {
    UddfImportResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.ErrorText =
            InterchangeText(EInterchangeText::OpenFailed, languageIndex).arg(path, file.errorString());
        return result;
    }
    UddfReadResult read = ReadUddf(file, path, languageIndex);
    if (!read.Ok()) {
        result.ErrorText = read.ErrorText;
        return result;
    }
    result.Notes = read.Notes;
    if (into.IsEmpty()) {
        if (!read.Dives.empty() && read.Dives.front()->DiveNumber > 0)
            into.StartNumber = read.Dives.front()->DiveNumber;
        else if (into.StartNumber == 0)
            into.StartNumber = 1;
    }
    if (into.DiveComputerId == 0) into.DiveComputerId = read.SerialNumber;
    for (auto& dive : read.Dives) {
        ++result.Summary.Offered;
        switch (into.AddDive(std::move(dive), 0, 0)) {
            case AddDiveResult::Accepted:
                ++result.Summary.Added;
                break;
            case AddDiveResult::Duplicate:
            case AddDiveResult::NotNewer:
                ++result.Summary.Duplicates;
                break;
            case AddDiveResult::Full:
                ++result.Summary.NotAdded;
                break;
        }
    }
    into.SortAndRenumber();
    return result;
}
