#pragma once
// The print dialog ("Print"): what to print (text, profile, both, summary, statistics), which
// dives (selected or all), and the printer, with a button for the platform's printer setup.
// Created once; its two choices survive between jobs, and a change of language resets them to
// "Text and Profile" and "Selected dives". Without a system printer the print goes to a PDF
// file, whose page the setup button arranges.
//
//   if (printDlg.exec() == QDialog::Accepted) { ... printDlg.WhatChoice() ... }

#include <memory>

#include "PrintJob.h"
#include "TOkCancelDialog.h"

class QLabel;
class QPrinter;
class QPushButton;
class TRadioGroup;

class TPrintDlg : public TOkCancelDialog {
    Q_OBJECT
public:
    explicit TPrintDlg(QWidget* parent = nullptr);
    ~TPrintDlg() override;

    // The platform's printer dialog (page setup for the PDF file when there is no printer);
    // then the name of the printer now current.
    void PrinterSetupClick();
    // True when a system printer takes the print; false: a PDF file does.
    bool HasSystemPrinter() const;
    QPrinter& Printer() { return *m_printer; }

    EPrintWhat WhatChoice() const;
    EPrintExtend ExtendChoice() const;

    TRadioGroup* What() const { return m_what; }
    TRadioGroup* Extend() const { return m_extend; }
    QPushButton* PrinterSetup() const { return m_setup; }
    QLabel* PrinterName() const { return m_printerName; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ShowPrinterName();

    std::unique_ptr<QPrinter> m_printer;
    TRadioGroup* m_what;
    TRadioGroup* m_extend;
    QPushButton* m_setup;
    QLabel* m_printerName;
};
