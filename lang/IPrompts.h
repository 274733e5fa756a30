#pragma once
// The questions and messages of both programs' commands, without any window type: the
// programs answer them with message boxes (TMessagePrompts), tests from a script or a
// record, so that commands run without modal loops.
//
//   if (prompts.AskYesNo(FormatMessage(GetMessage(41), count))) DeleteDives(...);
//   prompts.ShowError(saved.ErrorText);

#include <QString>

enum class EAnswer { Yes, No, Cancel };

class IPrompts {
public:
    virtual ~IPrompts() = default;

    // Warning with Yes, No and Cancel (a close query). Closing the question is Cancel.
    virtual EAnswer AskYesNoCancel(const QString& text) = 0;
    // Warning with Yes and No (a delete question). Closing the question is No.
    virtual bool AskYesNo(const QString& text) = 0;
    virtual void ShowInformation(const QString& text) = 0;
    virtual void ShowError(const QString& text) = 0;
};
