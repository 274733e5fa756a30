#pragma once
// The questions and messages of the main window's logbook commands. The program answers
// them with message boxes, file dialogs and the start number dialog; tests answer them
// from a script, so the commands run through the real window without modal loops.
//
//   class TScriptedPrompts : public IKelwinPrompts { ... };   // tests
//   TKelvara window(settings, paths, std::make_unique<TQtPrompts>(...));

#include <QString>
#include <cstdint>
#include <optional>

#include "IPrompts.h"
#include "TFileDialogSettings.h"

struct TFileChoice {
    QString Path;
    // 0-based entry of the dialog's filter that was chosen.
    int FilterIndex = 0;
};

// The messages and questions of both programs, and the logbook's own dialogs.
class IKelwinPrompts : public IPrompts {
public:
    // Common open and save dialogs; empty when the user cancelled.
    virtual std::optional<TFileChoice> ChooseOpenFile(const TFileDialogSettings& dialog) = 0;
    virtual std::optional<QString> ChooseSaveFile(const TFileDialogSettings& dialog) = 0;
    // The save dialog, telling also which filter entry was chosen (the export takes its
    // format from it). Without a dialog of its own: the first entry.
    virtual std::optional<TFileChoice> ChooseSaveFileAndFilter(const TFileDialogSettings& dialog) {
        const std::optional<QString> path = ChooseSaveFile(dialog);
        if (!path) return std::nullopt;
        return TFileChoice{*path, 0};
    }

    // The start number dialog showing `value`; the value and result of AskStartNumber.
    virtual bool AskStartNumber(std::uint16_t& value) = 0;
};
