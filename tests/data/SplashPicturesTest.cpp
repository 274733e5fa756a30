// The splash pictures: the committed files are what the generator draws now, they are
// valid 24-bit bitmaps of the sizes the programs' splash windows expect, and the
// lettering drawn from our own centre lines lands where it should.

#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

#include "BmpFile.h"
#include "SplashPictures.h"
#include "StrokeLettering.h"

namespace {

QByteArray ReadData(const char* name) {
    QFile file(QStringLiteral(KV_SOURCE_DIR "/data/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

unsigned U32(const QByteArray& b, int at) {
    return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8 |
           static_cast<std::uint8_t>(b[at + 2]) << 16 |
           static_cast<unsigned>(static_cast<std::uint8_t>(b[at + 3])) << 24;
}

class SplashPicturesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "kv_pictures_tests";
        static char* argv[] = {name, nullptr};
        if (!QGuiApplication::instance()) {
            app = new QGuiApplication(argc, argv);
        }
    }
    static inline QGuiApplication* app = nullptr;
};

struct PictureCase {
    const char* File;
    QImage (*Draw)();
    int Width;
    int Height;
};

class PictureFileTest : public SplashPicturesTest, public ::testing::WithParamInterface<PictureCase> {};

TEST_P(PictureFileTest, CommittedFileIsWhatTheGeneratorDraws) {
    const PictureCase c = GetParam();
    const QByteArray committed = ReadData(c.File);
    ASSERT_FALSE(committed.isEmpty()) << c.File << " missing";
    EXPECT_TRUE(committed == EncodeBmp24(c.Draw()))
        << c.File << " is out of date: rebuild it with the kv_regenerate_data target";
}

TEST_P(PictureFileTest, ValidBitmapOfTheExpectedSize) {
    const PictureCase c = GetParam();
    const QByteArray bmp = ReadData(c.File);
    ASSERT_GE(bmp.size(), 54);
    EXPECT_EQ(bmp.left(2), QByteArray("BM"));
    EXPECT_EQ(U32(bmp, 2), static_cast<unsigned>(bmp.size()));
    EXPECT_EQ(U32(bmp, 10), 54u);
    EXPECT_EQ(U32(bmp, 18), static_cast<unsigned>(c.Width));
    EXPECT_EQ(U32(bmp, 22), static_cast<unsigned>(c.Height));
    EXPECT_EQ(bmp[28], 24);
    const QImage loaded = QImage::fromData(bmp, "BMP");
    ASSERT_FALSE(loaded.isNull());
    EXPECT_EQ(loaded.size(), QSize(c.Width, c.Height));
    // Reading back gives the drawn pixels (rows bottom-up, blue-green-red order).
    const QImage drawn = c.Draw().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(loaded.convertToFormat(QImage::Format_RGB32) == drawn);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, PictureFileTest,
    ::testing::Values(PictureCase{"Kelwin.BMP", &DrawKelwinSplash, kKelwinSplashWidth, kKelwinSplashHeight},
                      PictureCase{"Teswin.BMP", &DrawTeswinSplash, kTeswinSplashWidth, kTeswinSplashHeight}),
    [](const ::testing::TestParamInfo<PictureCase>& info) { return info.index == 0 ? "Kelwin" : "Teswin"; });

TEST_F(SplashPicturesTest, BitmapRowsArePaddedToFourBytes) {
    QImage odd(5, 2, QImage::Format_RGB32);
    odd.fill(QColor(1, 2, 3));
    odd.setPixel(0, 0, qRgb(200, 100, 50));  // top-left: stored in the last row
    const QByteArray bmp = EncodeBmp24(odd);
    ASSERT_EQ(bmp.size(), 54 + 2 * 16);
    EXPECT_EQ(U32(bmp, 34), 32u);
    EXPECT_EQ(static_cast<std::uint8_t>(bmp[54]), 3);  // bottom row, blue first
    EXPECT_EQ(static_cast<std::uint8_t>(bmp[54 + 15]), 0);
    EXPECT_EQ(static_cast<std::uint8_t>(bmp[54 + 16]), 50);
    EXPECT_EQ(static_cast<std::uint8_t>(bmp[54 + 17]), 100);
    EXPECT_EQ(static_cast<std::uint8_t>(bmp[54 + 18]), 200);
}

TEST_F(SplashPicturesTest, LetteringSpansItsAdvanceAndCapitalHeight) {
    const double xHeight = 40;
    const QRectF box = LetteringPath(QStringLiteral("Kelwin"), xHeight).boundingRect();
    EXPECT_NEAR(box.top(), -1.6 * xHeight, 1.0);  // the ascender of the l
    EXPECT_NEAR(box.bottom(), 0, 1.0);
    EXPECT_GE(box.left(), -0.5);
    EXPECT_LE(box.right(), LetteringWidth(QStringLiteral("Kelwin"), xHeight));
    EXPECT_GT(box.width(), 0.9 * LetteringWidth(QStringLiteral("Kelwin"), xHeight) - xHeight);
    // Every letter the pictures use has its own shape: none falls back to a blank.
    for (QChar c : QStringLiteral("KTaeilnrsvw")) {
        EXPECT_FALSE(LetteringPath(QString(c), xHeight).isEmpty()) << c.toLatin1();
    }
    EXPECT_TRUE(LetteringPath(QStringLiteral(" "), xHeight).isEmpty());
}

}  // namespace
