#include "InterchangeCommands.h"

#include <QFileInfo>

#include "InterchangeTexts.h"
#include "Language.h"
#include "TParameterTables.h"

TFileDialogSettings ExportDialog(const QString& title) {
    TFileDialogSettings dialog;
    dialog.Title = title;
    dialog.Filter = ExportDialogFilter(CurrentLanguage());
    return dialog;
}

TFileDialogSettings ImportDialog(TFileDialogSettings openDialog) {
    openDialog.Filter = ImportDialogFilter(CurrentLanguage());
    return openDialog;
}

TExportTarget ExportTargetOf(const TFileChoice& choice) {
    TExportTarget target;
    target.Path = choice.Path;
    target.Format = FormatOfPath(choice.Path);
    if (target.Format != EInterchangeFormat::Unknown) return target;
    switch (choice.FilterIndex) {
        case kExportFilterUddf:
            target.Format = EInterchangeFormat::Uddf;
            break;
        case kExportFilterCsv:
            target.Format = EInterchangeFormat::Csv;
            break;
        default:
            target.Format = EInterchangeFormat::Logbook;
            break;
    }
    if (QFileInfo(choice.Path).suffix().isEmpty())
        target.Path += target.Format == EInterchangeFormat::Logbook ? QStringLiteral(".LOG")
                                                                    : ExtensionOf(target.Format);
    return target;
}

bool IsUddfChoice(const TFileChoice& choice) {
    const EInterchangeFormat format = FormatOfPath(choice.Path);
    return format == EInterchangeFormat::Uddf ||
           (format == EInterchangeFormat::Unknown && choice.FilterIndex == kImportFilterUddf);
}

QString ExportInterchange(const TExportTarget& target, const TDiveCollection& logbook,
                          const std::vector<std::size_t>& indices, const SettingsRecord& settings,
                          const QString& exeDir) {
    ExportOptions options;
    options.DosText = settings.DosText != 0;
    options.LanguageIndex = CurrentLanguage();
    options.UnitSystem = CurrentUnitSystem();
    TParameterTables tables(exeDir);
    if (target.Format == EInterchangeFormat::Uddf) {
        try {
            tables.OpenParameterTables();
        } catch (const EMissingTabFile& e) {
            return e.Text();
        }
        options.Tables = &tables;
    }
    return ExportDives(target.Path, target.Format, logbook, indices, options).ErrorText;
}
