#include "DialogFocus.h"

#include <QDialog>
#include <QEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace {
QPushButton* DefaultButton(QWidget& dialog) {
    if (auto* box = qobject_cast<QMessageBox*>(&dialog))
        if (box->defaultButton()) return box->defaultButton();
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->isDefault() && button->isVisible()) return button;
    return nullptr;
}
}  // namespace

void FocusDefaultButton(QWidget& dialog) {
    dialog.activateWindow();
    dialog.raise();
    QWidget* focused = dialog.focusWidget();
    const bool fieldHasFocus = focused && focused != &dialog && !qobject_cast<QPushButton*>(focused);
    // A message box answers with its buttons only; a dialog keeps a field its code focused.
    if (fieldHasFocus && !qobject_cast<QMessageBox*>(&dialog)) return;
    if (QPushButton* button = DefaultButton(dialog)) button->setFocus(Qt::ActiveWindowFocusReason);
}

bool TDialogFocus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog && dialog->isWindow()) {
            // Once the dialog is on the screen: the window system activates only shown windows.
            QPointer<QDialog> shown = dialog;
            QTimer::singleShot(0, dialog, [shown] {
                if (shown && shown->isVisible()) FocusDefaultButton(*shown);
            });
        }
    }
    return QObject::eventFilter(watched, event);
}
