#pragma once
// Test double of the download's questions: scripted answers, and a record of every
// question asked and message shown.
//
//   TScriptedPrompts p;  p.StartNumber = 100;  p.AcceptNewComputer = false;
//   ... ImportDives(..., p);
//   EXPECT_EQ(p.Messages, (std::vector<int>{1}));

#include <optional>
#include <vector>

#include "IDownloadPrompts.h"

class TScriptedPrompts : public IDownloadPrompts {
public:
    // nullopt answers Cancel.
    std::optional<std::uint16_t> Renumber;
    std::optional<std::uint16_t> StartNumber = 1;
    bool AcceptNewComputer = true;

    int RenumberAsked = 0;
    int StartNumberAsked = 0;
    int NewComputerAsked = 0;
    std::vector<std::uint16_t> Proposed;  // the numbers the two start number questions showed
    std::vector<int> Messages;
    std::vector<TMessageBox> Boxes;
    std::vector<int> NotAdded;
    int NoNewDive = 0;  // times the user was told that nothing new came

    bool AskRenumber(std::uint16_t& number) override {
        ++RenumberAsked;
        Proposed.push_back(number);
        return Answer(Renumber, number);
    }
    bool AskStartNumber(std::uint16_t& number) override {
        ++StartNumberAsked;
        Proposed.push_back(number);
        return Answer(StartNumber, number);
    }
    bool AskAcceptNewComputer() override {
        ++NewComputerAsked;
        return AcceptNewComputer;
    }
    void ShowMessage(int number, TMessageBox box) override {
        Messages.push_back(number);
        Boxes.push_back(box);
    }
    void ShowNotAdded(int count) override { NotAdded.push_back(count); }
    void ShowNoNewDive() override { ++NoNewDive; }

private:
    static bool Answer(const std::optional<std::uint16_t>& answer, std::uint16_t& number) {
        if (!answer) {
            number = 1;
            return false;
        }
        number = *answer;
        return true;
    }
};
