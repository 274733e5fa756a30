// The start number dialog, the language dialog, the caption adapter, the radio group, the
// information box, the splash window and the tool bar glyphs.

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Language.h"
#include "TAboutBox.h"
#include "TCaptionRegistry.h"
#include "TOptions.h"
#include "TRadioGroup.h"
#include "TSplash.h"
#include "TStartDlg.h"
#include "TWidgetCaptions.h"
#include "TestApplication.h"
#include "ToolGlyphs.h"

namespace {

class DialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        SetCurrentLanguage(kEnglish);
    }
    void TearDown() override { SetCurrentLanguage(kEnglish); }
};

struct StartCase {
    bool Ok;
    const char* Field;
    std::uint16_t Value;
    bool Result;
};

class StartDlgTest : public DialogsTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartDlgTest, FieldBecomesValue) {
    const StartCase& c = GetParam();
    TStartDlg dlg;
    dlg.Load(77);
    EXPECT_EQ(dlg.Nr()->text(), "77");
    dlg.Nr()->setText(QString::fromUtf8(c.Field));
    std::uint16_t value = 77;
    EXPECT_EQ(dlg.Finish(c.Ok ? QDialog::Accepted : QDialog::Rejected, value), c.Result);
    EXPECT_EQ(value, c.Value);
}

INSTANTIATE_TEST_SUITE_P(Cases, StartDlgTest,
                         ::testing::Values(StartCase{true, "abc", 1, true},
                                           StartCase{true, "70000", 4464, true},
                                           StartCase{true, "250", 250, true}, StartCase{true, "", 1, true},
                                           StartCase{false, "250", 1, false}));

TEST_F(DialogsTest, StartDlgRunsModallyAndTakesTheEnteredNumber) {
    TStartDlg dlg;
    QMetaObject::invokeMethod(
        &dlg,
        [&dlg] {
            dlg.Nr()->setText("12");
            dlg.findChild<QPushButton*>("OKBtn")->click();
        },
        Qt::QueuedConnection);
    std::uint16_t value = 3;
    EXPECT_TRUE(dlg.AskStartNumber(value));
    EXPECT_EQ(value, 12);
}

TEST_F(DialogsTest, StartDlgIsRecaptioned) {
    TStartDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), "Logbuch Startnummer");
    ASSERT_TRUE(TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(kEnglish));
    EXPECT_EQ(dlg.windowTitle(), "Initial Logbook Number");
    EXPECT_EQ(dlg.findChild<QLabel*>("LNumber")->text(), "Initial number:");
    EXPECT_EQ(dlg.findChild<QPushButton*>("CancelBtn")->text(), "Cancel");
}

TEST_F(DialogsTest, OptionsOpenWithTheCurrentChoicesAndReturnTheNewOnes) {
    TOptions options;
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
}

TEST_F(DialogsTest, OptionsKeepLanguageNamesAndTranslateUnits) {
    TOptions options;
    EXPECT_EQ(options.LangSel()->Items(), LanguageNames());
    TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(kEnglish);
    EXPECT_EQ(options.windowTitle(), "Country Settings");
    EXPECT_EQ(options.UnitSel()->Items(), (QStringList{"Metric", "Imperial"}));
    EXPECT_EQ(options.LangSel()->Items(), LanguageNames());
    TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(kGerman);
    EXPECT_EQ(options.UnitSel()->Items(), (QStringList{"Metrisch", "Imperial"}));
    // An index outside 0..4 (damaged settings) changes nothing.
    EXPECT_FALSE(TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(7));
    EXPECT_EQ(options.UnitSel()->Items(), (QStringList{"Metrisch", "Imperial"}));
}

TEST_F(DialogsTest, OptionsLeftWithoutChoiceKeepTheOldValues) {
    TOptions options;
    options.Load(9, 1);  // no such language item
    int language = 9, units = 1;
    EXPECT_TRUE(options.Finish(QDialog::Accepted, language, units));
    EXPECT_EQ(language, 9);
    EXPECT_EQ(units, 1);
}

TEST_F(DialogsTest, RadioGroupItemsAndChoice) {
    TRadioGroup group;
    group.SetItems({"a", "b", "c"});
    EXPECT_EQ(group.Count(), 3);
    EXPECT_EQ(group.ItemIndex(), -1);
    group.SetItemIndex(2);
    EXPECT_EQ(group.ItemIndex(), 2);
    group.SetItemIndex(5);
    EXPECT_EQ(group.ItemIndex(), -1);
    group.SetItemIndex(1);
    group.SetItems({"x", "y"});
    EXPECT_EQ(group.Items(), (QStringList{"x", "y"}));
    EXPECT_EQ(group.ItemIndex(), -1);
}

TEST_F(DialogsTest, CaptionAdapterReachesEveryKindOfControl) {
    QWidget window;
    auto* label = new QLabel(&window);
    label->setObjectName("L");
    auto* button = new QPushButton(&window);
    button->setObjectName("B");
    auto* action = new QAction(&window);
    action->setObjectName("A");
    auto* group = new TRadioGroup(&window);
    group->setObjectName("G");
    TFileDialogSettings dialog;
    TWidgetCaptions captions(&window, "TTest");
    captions.AddFileDialog("OpenDialog", &dialog);

    captions.SetCaption("", "Title");
    captions.SetCaption("L", "label");
    captions.SetCaption("B", "button");
    captions.SetCaption("A", "&item");
    captions.SetHint("A", "hint");
    captions.SetCaption("G", "group");
    captions.SetItems("G", {"one", "two"});
    captions.SetItemIndex("G", 1);
    captions.SetCaption("OpenDialog", "Open logbook");
    captions.SetFilter("OpenDialog", "X|*.log");
    captions.SetDefaultExt("OpenDialog", ".LOG");
    captions.SetCaption("Missing", "ignored");

    EXPECT_EQ(window.windowTitle(), "Title");
    EXPECT_EQ(label->text(), "label");
    EXPECT_EQ(button->text(), "button");
    EXPECT_EQ(action->text(), "&item");
    EXPECT_EQ(action->toolTip(), "hint");
    EXPECT_EQ(group->title(), "group");
    EXPECT_EQ(group->Items(), (QStringList{"one", "two"}));
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_EQ(dialog.Title, "Open logbook");
    EXPECT_EQ(dialog.Filter, "X|*.log");
    EXPECT_EQ(dialog.DefaultExt, ".LOG");
}

TEST_F(DialogsTest, AboutBoxShowsVersionAndReportsAMissingPicture) {
    QTemporaryDir empty;
    TAboutBox missing(empty.path() + "/");
    EXPECT_FALSE(missing.PictureLoaded());
    EXPECT_TRUE(missing.PictureError().contains("Kelwin.BMP"));
    EXPECT_EQ(missing.Version()->text(), " Version 3.06");

    QImage picture(480, 300, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(empty.path() + "/Kelwin.BMP", "BMP"));
    TAboutBox present(empty.path() + "/");
    EXPECT_TRUE(present.PictureLoaded());
    EXPECT_TRUE(present.PictureError().isEmpty());
}

TEST_F(DialogsTest, SplashOnlyWithAReadablePicture) {
    QTemporaryDir dir;
    EXPECT_EQ(TSplash::ShowIfPresent(dir.path() + "/Kelwin.BMP"), nullptr);
    QImage picture(480, 300, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(dir.path() + "/Kelwin.BMP", "BMP"));
    auto splash = TSplash::ShowIfPresent(dir.path() + "/Kelwin.BMP");
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(splash->size(), QSize(480, 300));
    EXPECT_TRUE(splash->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
    const QImage shown = splash->grab().toImage();
    EXPECT_EQ(shown.pixelColor(10, 10), QColor(Qt::darkCyan));
}

TEST_F(DialogsTest, EveryToolGlyphIsDrawnAndDiffersFromTheOthers) {
    std::vector<QImage> glyphs;
    for (int i = 0; i < kToolGlyphCount; ++i) {
        const QImage image = DrawToolGlyph(static_cast<EToolGlyph>(i), 20).toImage();
        int inked = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) inked += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
        EXPECT_GT(inked, 40) << "glyph " << i;
        for (std::size_t j = 0; j < glyphs.size(); ++j) EXPECT_NE(image, glyphs[j]) << i << " vs " << j;
        glyphs.push_back(image);
    }
}

}  // namespace
