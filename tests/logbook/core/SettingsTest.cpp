#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "SettingsRecord.h"
#include "Startup.h"

namespace {

std::vector<std::uint8_t> DefaultImage() {
    std::vector<std::uint8_t> img(376, 0);
    img[0] = 4;
    img[1] = '3';
    img[2] = '.';
    img[3] = '0';
    img[4] = '6';
    const char* name = "NONAME.LOG";
    img[6] = 10;
    for (int i = 0; i < 10; ++i) img[7 + i] = static_cast<std::uint8_t>(name[i]);
    img[268] = img[269] = img[270] = img[271] = 0xFF;
    auto put = [&](std::size_t at, std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
        for (std::int32_t v : {l, t, r, b}) {
            for (int i = 0; i < 4; ++i)
                img[at + i] = static_cast<std::uint8_t>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
            at += 4;
        }
    };
    put(273, 0, 0, 640, 480);
    put(290, 0, 0, 538, 404);
    put(307, 0, 200, 538, 470);
    put(324, 360, 60, 460, 260);
    put(341, 380, 80, 480, 280);
    put(358, 400, 100, 500, 300);
    return img;
}

TEST(SettingsRecord, DefaultImageByteForByte) {
    const auto bytes = SettingsRecord::Defaults().ToBytes();
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), DefaultImage());
}

TEST(SettingsRecord, EveryFieldSitsAtItsOffset) {
    SettingsRecord s;
    s.UnitSystem = 1;
    s.LanguageIndex = 3;
    s.InterfacePort = 0x0503;
    s.RaiseRts = 1;
    s.DiveChoice = 1;
    s.Reserved1 = 0x01020304;
    s.DosText = 1;
    s.PhysioPlacement = {-10, 20, 0x12345678, -1, 2};
    s.Reserved2 = 9;
    const auto b = s.ToBytes();
    EXPECT_EQ(b[262], 1);
    EXPECT_EQ(b[263], 3);
    EXPECT_EQ(b[264], 0x03);
    EXPECT_EQ(b[265], 0x05);
    EXPECT_EQ(b[266], 1);
    EXPECT_EQ(b[267], 1);
    EXPECT_EQ(b[268], 0x04);
    EXPECT_EQ(b[272], 1);
    EXPECT_EQ(b[358], 0xF6);
    EXPECT_EQ(b[359], 0xFF);
    EXPECT_EQ(b[366], 0x78);
    EXPECT_EQ(b[370], 0xFF);
    EXPECT_EQ(b[374], 2);
    EXPECT_EQ(b[375], 9);
    auto back = SettingsRecord::FromBytes(b);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, s);
}

TEST(SettingsRecord, OnlyVersion306IsAccepted) {
    for (const char* version : {"3.05", "3.060", "3.0", "", "3,06"}) {
        auto img = DefaultImage();
        const std::size_t n = std::strlen(version);
        img[0] = static_cast<std::uint8_t>(n);
        for (std::size_t i = 0; i < 5; ++i) img[1 + i] = i < n ? static_cast<std::uint8_t>(version[i]) : 0;
        EXPECT_FALSE(SettingsRecord::FromBytes(img).has_value()) << version;
    }
    EXPECT_TRUE(SettingsRecord::FromBytes(DefaultImage()).has_value());
    const auto image = DefaultImage();
    EXPECT_FALSE(SettingsRecord::FromBytes(std::span(image).first(375)).has_value());
}

TEST(SettingsRecord, DamagedLanguageAndUnitBytesReadAsZero) {
    auto img = DefaultImage();
    img[262] = 7;
    img[263] = 200;
    auto s = SettingsRecord::FromBytes(img);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->UnitSystem, 0);
    EXPECT_EQ(s->LanguageIndex, 0);
    img[263] = 4;
    EXPECT_EQ(SettingsRecord::FromBytes(img)->LanguageIndex, 4);
}

TEST(SettingsRecord, LogbookPathIsStoredAsUtf8OrNotAtAll) {
    SettingsRecord s;
    s.LogbookName = QStringLiteral("/home/taucher/Tauchg\u00E4nge/2024.log");
    auto back = SettingsRecord::FromBytes(s.ToBytes());
    EXPECT_EQ(back->LogbookName, s.LogbookName);

    s.LogbookName = QStringLiteral("/") + QString(300, QLatin1Char('d')) + QStringLiteral(".log");
    const auto b = s.ToBytes();
    EXPECT_EQ(b[6], 0);  // no cut path that would name another file
    s.LogbookName = QString(255, QLatin1Char('e'));
    EXPECT_EQ(SettingsRecord::FromBytes(s.ToBytes())->LogbookName, s.LogbookName);
}

class SettingsFileTest : public testing::Test {
protected:
    QTemporaryDir m_dir;
    QString DataDir() const { return m_dir.path() + "/"; }
    QString FilePath() const { return DataDir() + "KVWIN.DSK"; }
    void WriteRaw(const QByteArray& bytes) {
        QFile f(FilePath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
};

TEST_F(SettingsFileTest, WrittenAndReadBack) {
    SettingsRecord s;
    s.LogbookName = "/tmp/x.log";
    s.MainPlacement = {10, 20, 810, 620, 2};
    WriteSettings(DataDir(), s);
    EXPECT_EQ(QFileInfo(FilePath()).size(), 376);
    EXPECT_EQ(ReadSettings(DataDir()), s);
    EXPECT_FALSE(IsFirstStart(DataDir()));
}

TEST_F(SettingsFileTest, ForeignVersionShortFileOrMissingFileGiveDefaultsAndTheFileGoes) {
    auto img = DefaultImage();
    img[4] = '5';
    img[7] = 'X';
    const QByteArray foreign(reinterpret_cast<const char*>(img.data()), 376);
    for (const QByteArray& content : {foreign, foreign.left(100), QByteArray()}) {
        WriteRaw(content);
        const SettingsRecord s = ReadSettings(DataDir());
        EXPECT_EQ(s, SettingsRecord::Defaults());
        EXPECT_EQ(s.LogbookName, QStringLiteral("NONAME.LOG"));
        EXPECT_EQ(s.MainPlacement, (WindowPlacement{0, 0, 640, 480, 0}));
        EXPECT_FALSE(QFile::exists(FilePath()));
    }
    EXPECT_EQ(ReadSettings(DataDir()), SettingsRecord::Defaults());
    EXPECT_TRUE(IsFirstStart(DataDir()));
}

TEST_F(SettingsFileTest, FailedWriteRaisesAndKeepsTheOldFile) {
    SettingsRecord s;
    s.LogbookName = "old";
    WriteSettings(DataDir(), s);
    s.LogbookName = "new";
    EXPECT_THROW(WriteSettings(DataDir() + "missing/folder/", s), std::runtime_error);
    EXPECT_EQ(ReadSettings(DataDir()).LogbookName, QStringLiteral("old"));
}

// ---- placements ------------------------------------------------------------------------

TEST(Placement, NormalWindowStoresItsFrame) {
    WindowPlacement p;
    SavePlacement(p,
                  WindowGeometry{QRect(10, 20, 300, 200), QRect(10, 20, 300, 200), WindowShowState::Normal});
    EXPECT_EQ(p, (WindowPlacement{10, 20, 310, 220, 0}));
    const WindowGeometry g = RestorePlacement(p);
    EXPECT_EQ(g.Frame, QRect(10, 20, 300, 200));
    EXPECT_EQ(g.State, WindowShowState::Normal);
}

TEST(Placement, MaximisedWindowComesBackMaximisedWithItsNormalRectangle) {
    WindowPlacement p{0, 0, 640, 480, 0};
    SavePlacement(
        p, WindowGeometry{QRect(0, 0, 1920, 1080), QRect(50, 60, 700, 500), WindowShowState::Maximised});
    EXPECT_EQ(p, (WindowPlacement{50, 60, 750, 560, 2}));
    const WindowGeometry g = RestorePlacement(p);
    EXPECT_EQ(g.State, WindowShowState::Maximised);
    EXPECT_EQ(g.Frame, QRect(50, 60, 700, 500));
}

TEST(Placement, MinimisedWithoutKnownNormalRectangleKeepsTheStoredOne) {
    WindowPlacement p{1, 2, 3, 4, 0};
    SavePlacement(p, WindowGeometry{QRect(0, 0, 10, 10), QRect(), WindowShowState::Minimised});
    EXPECT_EQ(p, (WindowPlacement{1, 2, 3, 4, 1}));
    p.State = 9;  // damaged file
    EXPECT_EQ(RestorePlacement(p).State, WindowShowState::Normal);
}

}  // namespace
