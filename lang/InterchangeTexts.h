#pragma once
// Texts of moving dives in and out of a logbook (UDDF and CSV) in the five languages
// (index as LanguageIndex; outside 0..4 English): the file dialog filters of export and
// import, the column titles of the CSV table, and the messages of import and export.
//
//   dlg.Filter = ExportDialogFilter(CurrentLanguage());
//   QString t = InterchangeText(EInterchangeText::UddfDamaged, CurrentLanguage())
//                   .arg(path).arg(line).arg(reason);

#include <QString>
#include <QStringList>

// "Kelvara logbook|*.log;*.kvl|UDDF ...|*.uddf|CSV ...|*.csv|All files (*.*)|*.*"
QString ExportDialogFilter(int languageIndex);
// Logbook, logbook older than version 3.02, UDDF, all files: the logbook entries keep the
// positions they have in the open dialog.
QString ImportDialogFilter(int languageIndex);
// Entry positions of the two filters.
inline constexpr int kExportFilterLogbook = 0;
inline constexpr int kExportFilterUddf = 1;
inline constexpr int kExportFilterCsv = 2;
inline constexpr int kImportFilterUddf = 2;

enum class ECsvColumn {
    Number,
    Date,
    Time,
    Location,
    Site,
    AltitudeRange,
    SurfaceInterval,
    Weather,
    AirTemperature,  // unit
    Suit,
    TankSize,  // unit
    MaxDepth,  // unit
    DiveTime,
    MinWaterTemp,    // unit
    AirConsumption,  // unit
    DiveType,
    Activities,
    Buddies,
    Remarks,
    Alarms,
};
inline constexpr int kCsvColumnCount = 20;

// Column title; a column of a measured value names `unit` in brackets ("Max. depth (m)").
QString CsvColumnTitle(ECsvColumn column, int languageIndex, const QString& unit = {});

enum class EInterchangeText {
    UddfDamaged,     // %1 file, %2 line, %3 reason
    UddfForeign,     // %1 file
    UddfNoDateTime,  // %1 file, %2 dive
    UddfBadDump,     // %1 file, %2 dive
    UddfBadValue,    // %1 file, %2 dive, %3 element
    TextCut,         // %1 dive, %2 field, %3 characters left out
    TextReplaced,    // %1 dive, %2 field
    WriteFailed,     // %1 file, %2 reason
    Imported,        // %1 dives added, %2 file
    NotAdded,        // %1 dives already in the logbook
    NoDives,         // %1 file
    OpenFailed,      // %1 file, %2 reason
    UnknownFormat,   // the reason of WriteFailed for a name without a known extension
    TablesMissing,   // the reason of WriteFailed when the model's tables are not at hand
};

QString InterchangeText(EInterchangeText text, int languageIndex);
