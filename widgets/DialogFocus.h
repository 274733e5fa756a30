#pragma once
// Dialogs and message boxes take the keyboard focus when they open: the window is
// activated and, unless a field of it already has the focus, its default button gets it, so
// Return answers at once (also a question that follows a closing modal window).
//
//   QApplication::instance()->installEventFilter(new TDialogFocus(mainWindow));  // every dialog
//   FocusDefaultButton(box);                                                    // one box

#include <QObject>

class QWidget;

class TDialogFocus : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Activates the dialog and gives its default button the focus when nothing in it has it.
void FocusDefaultButton(QWidget& dialog);
