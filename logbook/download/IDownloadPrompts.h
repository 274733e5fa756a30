#pragma once
// The questions and messages of a download: the windows of the logbook program answer
// them with dialogs and message boxes, `kvlog download` with its command-line options and
// stderr lines, tests with scripted answers.
//
//   class TScriptedPrompts : public IDownloadPrompts { ... };
//   ImportDives(image, logbook, choice, reference, now, prompts);

#include <cstdint>

#include "DownloadMessages.h"

class IDownloadPrompts {
public:
    virtual ~IDownloadPrompts() = default;
    // Numbering check before the transfer: the start number dialog with the first dive's
    // number. False on Cancel.
    virtual bool AskRenumber(std::uint16_t& number) = 0;
    // The numbering check renumbered the logbook (the main window refreshes its list).
    virtual void Renumbered() {}
    // Download into an empty logbook: the start number dialog with 1. False on Cancel.
    virtual bool AskStartNumber(std::uint16_t& number) = 0;
    // Message 0, the dives come from another dive computer: true for Yes.
    virtual bool AskAcceptNewComputer() = 0;
    // A message of Kelwin's table in an error or information box with OK.
    virtual void ShowMessage(int number, TMessageBox box) = 0;
    // The logbook is full: `count` downloaded dives could not be added.
    virtual void ShowNotAdded(int count) = 0;
    // The download brought no dive the logbook did not have.
    virtual void ShowNoNewDive() {}
};
