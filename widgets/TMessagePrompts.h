#pragma once
// The message boxes of both programs behind the prompt seam: questions and messages
// centred on a window, with the program's title, the default button focused.
//
//   TMessagePrompts prompts(mainWindow, "Teswin");   // empty title: the application's name
//   prompts.ShowError(text);

#include <QPointer>
#include <QWidget>

#include "IPrompts.h"

class TMessagePrompts : public IPrompts {
public:
    explicit TMessagePrompts(QWidget* parent, QString title = {});

    EAnswer AskYesNoCancel(const QString& text) override;
    bool AskYesNo(const QString& text) override;
    void ShowInformation(const QString& text) override;
    void ShowError(const QString& text) override;

private:
    QString Title() const;

    QPointer<QWidget> m_parent;
    QString m_title;
};
