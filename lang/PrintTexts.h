#pragma once
// Texts of printing that the message tables do not hold: the PDF file that takes the print
// when the system has no printer, and the report of a print that failed.
//
//   dialog.Title = PrintText(EPrintText::PdfDialogTitle, CurrentLanguage());
//   ShowError(FormatMessage(PrintText(EPrintText::PrintFailed, lang), reason));

#include <QString>

enum class EPrintText {
    PdfDialogTitle,  // title of the save dialog for the PDF file
    PdfFilter,       // its filter, "Desc|*.pdf"
    PdfPrinterName,  // what the print dialog shows in place of a printer name
    PrintFailed,     // "%s" takes the platform's reason
    // Reasons of a failed print:
    DocumentNotStarted,  // %1 the PDF file
    PrinterRefused,      // %1 the printer's name
    PrinterError,        // %1 the printer's name
    PageNotTaken,
};

// English for a language index outside 0..4.
QString PrintText(EPrintText text, int languageIndex);
