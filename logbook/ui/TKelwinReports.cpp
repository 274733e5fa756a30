#include "TKelwinReports.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrinter>

#include "Language.h"
#include "Messages.h"
#include "PrintJob.h"
#include "PrintTexts.h"
#include "TDiveCollection.h"
#include "TKelvara.h"
#include "TPrintDlg.h"
#include "TSelectDialog.h"
#include "TStatistic.h"

namespace {

// The system printer chosen in the print dialog.
class TPrinterTarget : public TPrintTarget {
public:
    explicit TPrinterTarget(QPrinter& printer) : m_printer(printer) {}
    QPagedPaintDevice* Device() override { return &m_printer; }
    void SetDocumentTitle(const QString& title) override { m_printer.setDocName(title); }
    QString StartFailure() const override {
        return PrintText(EPrintText::PrinterRefused, CurrentLanguage()).arg(m_printer.printerName());
    }
    TResult Finish() override {
        if (m_printer.printerState() != QPrinter::Error) return {};
        return TResult::Failure(
            PrintText(EPrintText::PrinterError, CurrentLanguage()).arg(m_printer.printerName()));
    }

private:
    QPrinter& m_printer;
};

}  // namespace

TKelwinReports::TKelwinReports(TKelvara& main, const TSelectDialog* selectDialog)
    : m_main(main), m_selectDialog(selectDialog) {
    m_statistic = new TStatistic(main, selectDialog, &main);
    m_printDlg = new TPrintDlg(&main);
    QPointer<TStatistic> statistic = m_statistic;
    main.SetCommandHandler(ECommand::Statistics, [statistic] {
        if (statistic) statistic->StatisticsClick();
    });
    main.SetCommandHandler(ECommand::Print, [this] { PrintClick(); });
    main.AddUnitsChangedListener([statistic] {
        if (statistic) statistic->UnitCaptions();
    });
}

TKelwinReports::~TKelwinReports() {
    // The main window may outlive this object; its Print command must not call into it.
    m_main.SetCommandHandler(ECommand::Print, {});
}

TStatistic* TKelwinReports::Statistic() const { return m_statistic; }
TPrintDlg* TKelwinReports::PrintDlg() const { return m_printDlg; }

QString TKelwinReports::SuggestedPdfFile() const {
    const QString base = QFileInfo(m_main.Settings().LogbookName).completeBaseName();
    return m_main.Paths().DocumentsDir + (base.isEmpty() ? QStringLiteral("Kelvara") : base) +
           QStringLiteral(".pdf");
}

void TKelwinReports::PrintClick() {
    if (!m_printDlg || m_printDlg->exec() != QDialog::Accepted) return;
    PrintJob();
    // Printing decoded every printed profile into the one profile of the program.
    m_main.MakeCurrent(-1);
    m_main.MakeCurrent(m_main.FocusedIndex());
}

bool TKelwinReports::PrintJob() {
    const TDiveCollection& log = m_main.Logbook();
    TPrintRequest request;
    request.What = m_printDlg->WhatChoice();
    request.Extend = m_printDlg->ExtendChoice();
    request.Logbook = &log;
    request.SelectedLines.assign(log.Count(), false);
    for (std::size_t line : m_main.SelectedIndices())
        if (line < log.Count()) request.SelectedLines[line] = true;
    request.FileName = QFileInfo(m_main.Settings().LogbookName).fileName();
    request.HandSelection = m_main.HandSelection();
    if (m_selectDialog &&
        !(m_selectDialog->Date1()->text().isEmpty() && m_selectDialog->Date2()->text().isEmpty()))
        request.SelectionDates =
            std::make_pair(m_selectDialog->Date1()->text(), m_selectDialog->Date2()->text());
    // The statistics window shows what the statistics page prints.
    if (request.What == EPrintWhat::Statistics && m_statistic)
        m_statistic->ComputeStatistics(request.Extend == EPrintExtend::SelectedDives);

    const int lang = CurrentLanguage();
    TResult printed;
    if (m_printDlg->HasSystemPrinter()) {
        TPrinterTarget target(m_printDlg->Printer());
        printed = TPrintJob(target, request).Run();
    } else {
        TFileDialogSettings dialog;
        dialog.Title = PrintText(EPrintText::PdfDialogTitle, lang);
        dialog.Filter = PrintText(EPrintText::PdfFilter, lang);
        dialog.DefaultExt = QStringLiteral(".pdf");
        dialog.Suggested = SuggestedPdfFile();
        const std::optional<QString> path = m_main.Prompts().ChooseSaveFile(dialog);
        if (!path) return false;
        TPdfPrintTarget target(*path, m_printDlg->Printer().pageLayout());
        printed = TPrintJob(target, request).Run();
    }
    if (!printed.Ok())
        m_main.Prompts().ShowError(
            FormatMessage(PrintText(EPrintText::PrintFailed, lang), printed.ErrorText));
    return printed.Ok();
}
