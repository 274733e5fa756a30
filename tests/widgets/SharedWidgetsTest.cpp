// The widgets both programs share: the caption adapter, the radio group, the OK/Cancel
// frame, the language dialog of each program and the information box.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>
#include <QWindow>
#include <optional>

#include <gtest/gtest.h>

#include "Language.h"
#include "TAboutBox.h"
#include "TCaptionRegistry.h"
#include "TMessagePrompts.h"
#include "TOkCancelDialog.h"
#include "TOptions.h"
#include "TRadioGroup.h"
#include "TTopMostNormalizer.h"
#include "TWidgetCaptions.h"

namespace {

class SharedWidgets : public ::testing::Test {
protected:
    void SetUp() override { SetCurrentLanguage(kEnglish); }
    void TearDown() override { SetCurrentLanguage(kEnglish); }
};

TEST_F(SharedWidgets, RadioGroupKeepsItsChoiceAcrossNewItemsAndReportsOnlyClicks) {
    TRadioGroup group;
    group.setObjectName("G");
    QSignalSpy clicks(&group, &TRadioGroup::Clicked);
    group.SetItems({"a", "b", "c"});
    EXPECT_EQ(group.Count(), 3);
    EXPECT_EQ(group.ItemIndex(), -1);
    EXPECT_EQ(group.Button(2)->objectName(), "GItem2");
    EXPECT_EQ(group.Button(3), nullptr);
    group.SetItemIndex(2);
    EXPECT_EQ(group.ItemIndex(), 2);
    group.SetItemIndex(5);  // outside the items: no choice
    EXPECT_EQ(group.ItemIndex(), -1);
    group.SetItemIndex(1);
    group.SetItems({"x", "y"});  // re-captioned: the choice stays
    EXPECT_EQ(group.Items(), (QStringList{"x", "y"}));
    EXPECT_EQ(group.ItemIndex(), 1);
    group.SetItems({"only"});  // the chosen item is gone
    EXPECT_EQ(group.ItemIndex(), -1);
    EXPECT_EQ(clicks.count(), 0);
    group.Button(0)->click();
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks[0][0].toInt(), 0);
}

TEST_F(SharedWidgets, CaptionAdapterReachesEveryKindOfControl) {
    QWidget window;
    auto* label = new QLabel(&window);
    label->setObjectName("L");
    auto* button = new QPushButton(&window);
    button->setObjectName("B");
    auto* action = new QAction(&window);
    action->setObjectName("A");
    auto* menu = new QMenu(&window);
    menu->setObjectName("M");
    auto* group = new TRadioGroup(&window);
    group->setObjectName("G");
    auto* plain = new QGroupBox(&window);  // a group box of radio buttons of its own
    plain->setObjectName("P");
    auto* first = new QRadioButton(plain);
    auto* second = new QRadioButton(plain);
    TFileDialogSettings dialog;
    TWidgetCaptions captions(&window, "TTest");
    captions.AddFileDialog("OpenDialog", &dialog);

    captions.SetCaption("", "Title");
    captions.SetCaption("L", "label");
    captions.SetCaption("B", "button");
    captions.SetCaption("A", "&item");
    captions.SetHint("A", "hint");
    captions.SetHint("B", "button hint");
    captions.SetCaption("M", "&Menu");
    captions.SetCaption("G", "group");
    captions.SetItems("G", {"one", "two"});
    captions.SetItemIndex("G", 1);
    captions.SetItems("P", {"first", "second", "third"});
    captions.SetItemIndex("P", 1);
    captions.SetCaption("OpenDialog", "Open logbook");
    captions.SetFilter("OpenDialog", "X|*.log");
    captions.SetDefaultExt("OpenDialog", ".LOG");
    captions.SetCaption("Missing", "ignored");
    captions.SetItems("Missing", {"ignored"});

    EXPECT_EQ(window.windowTitle(), "Title");
    EXPECT_EQ(label->text(), "label");
    EXPECT_EQ(button->text(), "button");
    EXPECT_EQ(button->toolTip(), "button hint");
    EXPECT_EQ(action->text(), "&item");
    EXPECT_EQ(action->toolTip(), "hint");
    EXPECT_EQ(menu->title(), "&Menu");
    EXPECT_EQ(group->title(), "group");
    EXPECT_EQ(group->Items(), (QStringList{"one", "two"}));
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_EQ(first->text(), "first");
    EXPECT_EQ(second->text(), "second");
    EXPECT_TRUE(second->isChecked());
    EXPECT_EQ(dialog.Title, "Open logbook");
    EXPECT_EQ(dialog.Filter, "X|*.log");
    EXPECT_EQ(dialog.DefaultExt, ".LOG");
}

TEST_F(SharedWidgets, RecaptionedComboKeepsItsChoiceWithoutTellingTheWindow) {
    QWidget window;
    auto* combo = new QComboBox(&window);
    combo->setObjectName("C");
    combo->addItems({"Off", "On", "Auto"});
    combo->setCurrentIndex(2);
    QSignalSpy changes(combo, &QComboBox::currentIndexChanged);
    TWidgetCaptions captions(&window, "TTest");
    captions.SetItems("C", {"Aus", "Ein", "Automatisch"});
    EXPECT_EQ(combo->currentIndex(), 2);
    EXPECT_EQ(combo->currentText(), "Automatisch");
    captions.SetItems("C", {"Aus"});
    EXPECT_EQ(combo->currentIndex(), -1);
    captions.SetItemIndex("C", 0);
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(changes.count(), 0);
}

class TCheckedDialog : public TOkCancelDialog {
public:
    TCheckedDialog() : TOkCancelDialog(Program::Teswin, "TTestDialog", nullptr) {}
    bool Valid = false;

protected:
    void OkClicked() override {
        if (Valid) accept();
    }
};

TEST_F(SharedWidgets, OkCancelFrameChecksBeforeAcceptingAndFollowsTheLanguage) {
    TCheckedDialog dialog;
    EXPECT_TRUE(dialog.OKBtn()->isDefault());
    EXPECT_EQ(dialog.CancelBtn()->text(), "Cancel");
    dialog.show();
    dialog.OKBtn()->click();
    EXPECT_TRUE(dialog.isVisible());  // the check refused
    dialog.Valid = true;
    dialog.OKBtn()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    dialog.show();
    dialog.CancelBtn()->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(SharedWidgets, LogbookLanguageDialogHasUnitsAndReturnsTheChoices) {
    TOptions options(Program::Kelwin);
    ASSERT_NE(options.UnitSel(), nullptr);
    EXPECT_EQ(options.LangSel()->Items(), LanguageNames());
    options.Load(kGerman, 1);
    EXPECT_EQ(options.LangSel()->ItemIndex(), kGerman);
    EXPECT_EQ(options.UnitSel()->ItemIndex(), 1);
    options.LangSel()->SetItemIndex(kItalian);
    options.UnitSel()->SetItemIndex(0);
    int language = kGerman, units = 1;
    EXPECT_FALSE(options.Finish(QDialog::Rejected, language, units));
    EXPECT_EQ(language, kGerman);
    EXPECT_EQ(units, 1);
    EXPECT_TRUE(options.Finish(QDialog::Accepted, language, units));
    EXPECT_EQ(language, kItalian);
    EXPECT_EQ(units, 0);

    // A damaged stored value leaves its group without a choice and is kept.
    options.Load(9, 1);
    language = 9;
    EXPECT_TRUE(options.Finish(QDialog::Accepted, language, units));
    EXPECT_EQ(language, 9);

    // Re-captioning translates the units, keeps the language names and the choice.
    options.UnitSel()->SetItemIndex(1);
    ASSERT_TRUE(TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(kEnglish));
    EXPECT_EQ(options.windowTitle(), "Country Settings");
    EXPECT_EQ(options.UnitSel()->Items(), (QStringList{"Metric", "Imperial"}));
    EXPECT_EQ(options.LangSel()->Items(), LanguageNames());
    EXPECT_EQ(options.UnitSel()->ItemIndex(), 1);
    TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(kGerman);
    EXPECT_EQ(options.UnitSel()->Items(), (QStringList{"Metrisch", "Imperial"}));
    EXPECT_EQ(options.CancelBtn()->text(), "Abbrechen");
    EXPECT_FALSE(TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(7));
    EXPECT_EQ(options.UnitSel()->Items(), (QStringList{"Metrisch", "Imperial"}));
    TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(kEnglish);
}

TEST_F(SharedWidgets, ConfigurationLanguageDialogHasNoUnitsAndLeavesThemAlone) {
    TOptions options(Program::Teswin);
    EXPECT_EQ(options.UnitSel(), nullptr);
    EXPECT_EQ(options.findChild<TRadioGroup*>("UnitSel"), nullptr);
    options.Load(kFrench, 1);
    EXPECT_EQ(options.LangSel()->ItemIndex(), kFrench);
    int language = kEnglish, units = 7;
    EXPECT_TRUE(options.Finish(QDialog::Accepted, language, units));
    EXPECT_EQ(language, kFrench);
    EXPECT_EQ(units, 7);
    // Only the configuration tool's registry captions it.
    ASSERT_TRUE(TCaptionRegistry::Of(Program::Teswin).ApplyLanguage(kGerman));
    EXPECT_EQ(options.LangSel()->title(), "Sprache");
    TCaptionRegistry::Of(Program::Teswin).ApplyLanguage(kEnglish);
    EXPECT_EQ(options.LangSel()->title(), "Language");
}

TEST_F(SharedWidgets, InformationBoxShowsPictureTextAndVersion) {
    QPixmap picture(48, 64);
    picture.fill(Qt::blue);
    TAboutBox withText(picture, "3.06", "<b>Teswin</b>");
    EXPECT_EQ(withText.Version()->text(), " Version 3.06");
    EXPECT_EQ(withText.Picture()->pixmap().size(), QSize(48, 64));
    ASSERT_NE(withText.findChild<QLabel*>("Comments"), nullptr);
    EXPECT_EQ(withText.findChild<QLabel*>("Comments")->text(), "<b>Teswin</b>");

    TAboutBox bare(QPixmap(), "3.06", QString());
    EXPECT_EQ(bare.findChild<QLabel*>("Comments"), nullptr);
    EXPECT_TRUE(bare.Picture()->pixmap().isNull());
    QSignalSpy accepted(&bare, &QDialog::accepted);
    bare.findChild<QPushButton*>("OKButton")->click();
    EXPECT_EQ(accepted.count(), 1);
}

TEST_F(SharedWidgets, WindowsOnTopAreLaidDownWhileAModalWindowIsShown) {
    QWidget main;
    auto* tool = new QWidget(&main, Qt::Tool | Qt::WindowStaysOnTopHint);
    auto* plain = new QWidget(&main, Qt::Tool);
    TTopMostNormalizer normalizer;
    normalizer.Add(tool);
    normalizer.Add(plain);
    main.show();
    tool->show();
    plain->show();
    ASSERT_NE(tool->windowHandle(), nullptr);
    EXPECT_TRUE(tool->windowHandle()->flags() & Qt::WindowStaysOnTopHint);

    QDialog first(&main);
    first.setModal(true);
    QDialog second(&main);
    second.setModal(true);
    QDialog modeless(&main);
    modeless.show();  // a modeless window changes nothing
    EXPECT_FALSE(normalizer.Normalized());
    first.show();
    EXPECT_TRUE(normalizer.Normalized());
    EXPECT_FALSE(tool->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(tool->windowFlags() & Qt::WindowStaysOnTopHint);  // the widget keeps its own
    EXPECT_FALSE(plain->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    second.show();
    first.hide();  // another modal window is still open
    EXPECT_FALSE(tool->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    second.hide();
    EXPECT_FALSE(normalizer.Normalized());
    EXPECT_TRUE(tool->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(plain->windowHandle()->flags() & Qt::WindowStaysOnTopHint);

    {
        QDialog destroyed(&main);
        destroyed.setModal(true);
        destroyed.show();
        EXPECT_TRUE(normalizer.Normalized());
    }
    EXPECT_FALSE(normalizer.Normalized());
    EXPECT_TRUE(tool->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
}

// Answers the next message box: clicks `button`, or closes it with Escape when none.
void AnswerNextBox(std::optional<QMessageBox::StandardButton> button, QString* title = nullptr,
                   QMessageBox::StandardButton* byDefault = nullptr) {
    QTimer::singleShot(0, [=] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        if (title) *title = box->windowTitle();
        if (byDefault) *byDefault = box->standardButton(box->defaultButton());
        if (button)
            box->button(*button)->click();
        else
            box->reject();
    });
}

TEST_F(SharedWidgets, MessagePromptsAnswerWithTheButtonsAndClosingIsCancelOrNo) {
    QWidget window;
    TMessagePrompts prompts(&window, "Teswin");
    QString title;
    QMessageBox::StandardButton byDefault = QMessageBox::NoButton;
    AnswerNextBox(QMessageBox::No, &title, &byDefault);
    EXPECT_EQ(prompts.AskYesNoCancel("Save?"), EAnswer::No);
    EXPECT_EQ(title, "Teswin");
    EXPECT_EQ(byDefault, QMessageBox::Yes);
    AnswerNextBox(std::nullopt);
    EXPECT_EQ(prompts.AskYesNoCancel("Save?"), EAnswer::Cancel);
    AnswerNextBox(QMessageBox::Yes, nullptr, &byDefault);
    EXPECT_TRUE(prompts.AskYesNo("Delete?"));
    EXPECT_EQ(byDefault, QMessageBox::No);  // Return alone never deletes
    AnswerNextBox(std::nullopt);
    EXPECT_FALSE(prompts.AskYesNo("Delete?"));
    AnswerNextBox(QMessageBox::Ok, &title);
    TMessagePrompts untitled(&window);
    untitled.ShowError("Failed");
    EXPECT_EQ(title, QApplication::applicationName());
}

}  // namespace
