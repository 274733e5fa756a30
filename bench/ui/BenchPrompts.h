#pragma once
// Answers of the main window's questions for the benchmarks and the screenshot tool: the
// open dialog returns the file set in OpenPath, everything else is declined.

#include "IKelwinPrompts.h"

class TBenchPrompts : public IKelwinPrompts {
public:
    QString OpenPath;

    EAnswer AskYesNoCancel(const QString&) override { return EAnswer::No; }
    bool AskYesNo(const QString&) override { return false; }
    void ShowInformation(const QString&) override {}
    void ShowError(const QString& text) override { qWarning("%s", qPrintable(text)); }
    std::optional<TFileChoice> ChooseOpenFile(const TFileDialogSettings&) override {
        return TFileChoice{OpenPath, 0};
    }
    std::optional<QString> ChooseSaveFile(const TFileDialogSettings&) override { return std::nullopt; }
    bool AskStartNumber(std::uint16_t& value) override {
        value = 1;
        return false;
    }
};
