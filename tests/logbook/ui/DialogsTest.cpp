// The start number dialog, the splash window and the tool bar glyphs.

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Language.h"
#include "TCaptionRegistry.h"
#include "TSplash.h"
#include "TStartDlg.h"
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
