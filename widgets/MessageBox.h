#pragma once
// The message box of both programs: a question or a message with the program's title,
// its default button focused once it is shown, so that Return answers at once. Closing it
// without a button (Escape, the window's close box) answers Cancel.
//
//   if (ShowMessageBox(this, QMessageBox::Warning, title, text,
//                      QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes) ...

#include <QMessageBox>

QMessageBox::StandardButton ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                           const QString& text, QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton byDefault);
