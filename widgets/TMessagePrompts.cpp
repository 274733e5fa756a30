#include "TMessagePrompts.h"

#include <QApplication>

#include "MessageBox.h"

TMessagePrompts::TMessagePrompts(QWidget* parent, QString title)
    : m_parent(parent), m_title(std::move(title)) {}

QString TMessagePrompts::Title() const {
    return m_title.isEmpty() ? QApplication::applicationName() : m_title;
}

EAnswer TMessagePrompts::AskYesNoCancel(const QString& text) {
    const auto button =
        ShowMessageBox(m_parent, QMessageBox::Warning, Title(), text,
                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (button == QMessageBox::Yes) return EAnswer::Yes;
    if (button == QMessageBox::No) return EAnswer::No;
    return EAnswer::Cancel;
}

bool TMessagePrompts::AskYesNo(const QString& text) {
    return ShowMessageBox(m_parent, QMessageBox::Warning, Title(), text, QMessageBox::Yes | QMessageBox::No,
                          QMessageBox::No) == QMessageBox::Yes;
}

void TMessagePrompts::ShowInformation(const QString& text) {
    ShowMessageBox(m_parent, QMessageBox::Information, Title(), text, QMessageBox::Ok, QMessageBox::Ok);
}

void TMessagePrompts::ShowError(const QString& text) {
    ShowMessageBox(m_parent, QMessageBox::Critical, Title(), text, QMessageBox::Ok, QMessageBox::Ok);
}
