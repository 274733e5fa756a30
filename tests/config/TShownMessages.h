#pragma once
// Test double of the prompts: keeps the messages Teswin shows, in order, instead of
// showing them in boxes. Teswin only informs and reports; a question is a fault.
//
//   TShownMessages messages;
//   cf.SetPrompts(&messages);
//   cf.ReadBtnClick();
//   EXPECT_EQ(messages.Texts(), QStringList{GetTesMessage(kMsgCommError)});
//   EXPECT_EQ(messages.Tagged(), QStringList{"E:" + GetTesMessage(kMsgCommError)});

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "IPrompts.h"

class TShownMessages : public IPrompts {
public:
    enum class EKind { Information, Error };
    struct TShown {
        EKind Kind;
        QString Text;
    };

    std::vector<TShown> Shown;

    bool Empty() const { return Shown.empty(); }
    void Clear() { Shown.clear(); }
    // The texts in the order shown.
    QStringList Texts() const {
        QStringList texts;
        for (const TShown& s : Shown) texts << s.Text;
        return texts;
    }
    // The texts in the order shown, each after "I:" (information) or "E:" (error).
    QStringList Tagged() const {
        QStringList tagged;
        for (const TShown& s : Shown) tagged << (s.Kind == EKind::Error ? "E:" : "I:") + s.Text;
        return tagged;
    }
    // For failure messages.
    std::string Joined() const { return Tagged().join('|').toStdString(); }

    EAnswer AskYesNoCancel(const QString& text) override {
        ADD_FAILURE() << "unexpected question " << text.toStdString();
        return EAnswer::Cancel;
    }
    bool AskYesNo(const QString& text) override {
        ADD_FAILURE() << "unexpected question " << text.toStdString();
        return false;
    }
    void ShowInformation(const QString& text) override { Shown.push_back({EKind::Information, text}); }
    void ShowError(const QString& text) override { Shown.push_back({EKind::Error, text}); }
};
