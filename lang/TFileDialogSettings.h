#pragma once
// What a window keeps for one of its file dialogs between uses: the texts that
// re-captioning sets (filter, default extension) and the title set before each use.

#include <QString>

struct TFileDialogSettings {
    QString Title;
    // "Desc|*.log;*.kvl|All files (*.*)|*.*" form; QtFileFilter() turns it into Qt's form.
    QString Filter;
    // ".LOG": appended to a chosen name that has no extension.
    QString DefaultExt;
    // The folder the dialog starts in; set before each use.
    QString Directory;
    // A file (with its folder) the dialog proposes; empty: the dialog's own choice.
    QString Suggested;
};
