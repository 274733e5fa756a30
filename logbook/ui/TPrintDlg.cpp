#include "TPrintDlg.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "CaptionList.h"
#include "Language.h"
#include "PrintTexts.h"
#include "TRadioGroup.h"

namespace {

QStringList GermanItems(const char* control) {
    return CaptionText(Program::Kelwin, QStringLiteral("TPrintDlg"), QString::fromLatin1(control),
                       CaptionKind::Items, kGerman)
        .split(QLatin1Char('\n'));
}

}  // namespace

TPrintDlg::TPrintDlg(QWidget* parent)
    : TOkCancelDialog(Program::Kelwin, QStringLiteral("TPrintDlg"), parent),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      m_what(new TRadioGroup(this)),
      m_extend(new TRadioGroup(this)),
      m_setup(new QPushButton(QStringLiteral("Einrichten"), this)),
      m_printerName(new QLabel(this)) {
    setObjectName(QStringLiteral("PrintDlg"));
    setWindowTitle(QStringLiteral("Drucken"));
    m_what->setObjectName(QStringLiteral("What"));
    m_what->setTitle(QStringLiteral("Ausdruck"));
    m_what->SetItems(GermanItems("What"));
    m_what->SetItemIndex(static_cast<int>(EPrintWhat::TextAndProfile));
    m_extend->setObjectName(QStringLiteral("Extend"));
    m_extend->setTitle(QStringLiteral("Bereich"));
    m_extend->SetItems(GermanItems("Extend"));
    m_extend->SetItemIndex(static_cast<int>(EPrintExtend::SelectedDives));
    m_setup->setObjectName(QStringLiteral("PrinterSetup"));
    m_printerName->setObjectName(QStringLiteral("PrinterName"));
    m_printerName->setFrameShape(QFrame::StyledPanel);
    m_printerName->setFrameShadow(QFrame::Sunken);
    m_printerName->setTextFormat(Qt::PlainText);
    m_printerName->setMinimumHeight(22);
    m_printer->setPageOrientation(QPageLayout::Portrait);
    if (!HasSystemPrinter()) {
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        m_printer->setPageSize(QPageSize(QPageSize::A4));
    }

    auto* groups = new QHBoxLayout;
    groups->addWidget(m_what, 1);
    groups->addWidget(m_extend, 1, Qt::AlignTop);
    auto* printer = new QHBoxLayout;
    printer->addWidget(m_printerName, 1);
    printer->addWidget(m_setup);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(printer);
    layout->addLayout(ButtonRow());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_setup, &QPushButton::clicked, this, &TPrintDlg::PrinterSetupClick);

    ShowPrinterName();
}

TPrintDlg::~TPrintDlg() = default;

bool TPrintDlg::HasSystemPrinter() const {
    return m_printer->outputFormat() == QPrinter::NativeFormat &&
           !QPrinterInfo::availablePrinterNames().isEmpty();
}

EPrintWhat TPrintDlg::WhatChoice() const {
    const int i = m_what->ItemIndex();
    return i >= 0 && i <= static_cast<int>(EPrintWhat::Statistics) ? static_cast<EPrintWhat>(i)
                                                                   : EPrintWhat::TextAndProfile;
}

EPrintExtend TPrintDlg::ExtendChoice() const {
    return m_extend->ItemIndex() == 1 ? EPrintExtend::WholeLogbook : EPrintExtend::SelectedDives;
}

void TPrintDlg::ShowPrinterName() {
    m_printerName->setText(HasSystemPrinter() ? m_printer->printerName()
                                              : PrintText(EPrintText::PdfPrinterName, CurrentLanguage()));
}

void TPrintDlg::PrinterSetupClick() {
    if (HasSystemPrinter()) {
        QPrintDialog dialog(m_printer.get(), this);
        dialog.exec();
    } else {
        QPageSetupDialog dialog(m_printer.get(), this);
        dialog.exec();
    }
    ShowPrinterName();
}

void TPrintDlg::showEvent(QShowEvent* event) {
    ShowPrinterName();
    QDialog::showEvent(event);
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TPrintDlg::changeEvent(QEvent* event) {
    // The stand-in for a printer name is a text of the current language.
    if (event->type() == QEvent::LanguageChange || event->type() == QEvent::WindowTitleChange)
        ShowPrinterName();
    QDialog::changeEvent(event);
}
