// CF.DSK, the read history and the data directory.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <cmath>
#include <cstdint>

#include <gtest/gtest.h>

#include "DataDirectory.h"
#include "FileSizeLimit.h"
#include "ReadHistory.h"
#include "TCfRecord.h"

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

}  // namespace

TEST(CfRecord, DefaultsAreByteExact) {
    const auto b = TCfRecord{}.Encode();
    const std::array<std::uint8_t, 26> golden = {4,   '3', '.', '0', '6', 0, 0, 0, 0,   44, 1, 0, 0,
                                                 100, 0,   0,   0,   0,   0, 0, 0, 200, 0,  0, 0, 0};
    EXPECT_EQ(b, golden);
}

TEST(CfRecord, RoundTripKeepsEveryField) {
    TCfRecord r;
    r.InterfacePort = 0x0403;
    r.LanguageIndex = 3;
    r.MainLeft = -1200;
    r.MainTop = 70000;
    r.TransferLeft = 5;
    r.TransferTop = -7;
    r.Spare = 9;
    const auto b = r.Encode();
    EXPECT_EQ(b[6], 0x03);
    EXPECT_EQ(b[7], 0x04);
    EXPECT_EQ(b[9], 0x50);  // -1200 = 0xFFFFFB50
    EXPECT_EQ(b[12], 0xFF);
    EXPECT_EQ(TCfRecord::Decode(b), r);
}

TEST(CfRecord, FileLifecycle) {
    QTemporaryDir dir;
    const QString path = dir.filePath("CF.DSK");
    bool exists = true;
    EXPECT_EQ(TCfRecord::Load(path, &exists), TCfRecord{});
    EXPECT_FALSE(exists);

    TCfRecord r;
    r.LanguageIndex = 2;
    r.MainLeft = 10;
    const TResult saved = r.Save(path);
    ASSERT_TRUE(saved.Ok()) << saved.ErrorText.toStdString();
    EXPECT_EQ(QFileInfo(path).size(), 26);
    EXPECT_EQ(TCfRecord::Load(path, &exists), r);
    EXPECT_TRUE(exists);
}

struct BadFile {
    const char* Name;
    QByteArray Bytes;
};
class InvalidCfDsk : public ::testing::TestWithParam<BadFile> {};

TEST_P(InvalidCfDsk, GivesDefaultsAndIsDeleted) {
    QTemporaryDir dir;
    const QString path = dir.filePath("CF.DSK");
    WriteAll(path, GetParam().Bytes);
    bool exists = true;
    EXPECT_EQ(TCfRecord::Load(path, &exists), TCfRecord{});
    EXPECT_FALSE(exists);
    EXPECT_FALSE(QFile::exists(path));
}

INSTANTIATE_TEST_SUITE_P(Cases, InvalidCfDsk,
                         ::testing::Values(BadFile{"empty", QByteArray()},
                                           BadFile{"short", QByteArray("\x04"
                                                                       "3.06\0\0\0\0",
                                                                       10)},
                                           BadFile{"other version", QByteArray("\x04"
                                                                               "3.05",
                                                                               5) +
                                                                        QByteArray(21, '\0')},
                                           BadFile{"length byte", QByteArray("\x03"
                                                                             "3.06",
                                                                             5) +
                                                                      QByteArray(21, '\0')}),
                         [](const auto& info) {
                             QString n = info.param.Name;
                             return n.replace(' ', '_').toStdString();
                         });

TEST(CfRecord, BadLanguageIndexBecomesEnglish) {
    QTemporaryDir dir;
    const QString path = dir.filePath("CF.DSK");
    TCfRecord r;
    r.LanguageIndex = 9;
    r.MainTop = 33;
    ASSERT_TRUE(r.Save(path).Ok());
    const TCfRecord back = TCfRecord::Load(path);
    EXPECT_EQ(back.LanguageIndex, 0);
    EXPECT_EQ(back.MainTop, 33);
}

TEST(CfRecord, FailedSaveKeepsThePreviousFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("CF.DSK");
    ASSERT_TRUE(TCfRecord{}.Save(path).Ok());
    const QByteArray before = ReadAll(path);
    TCfRecord changed;
    changed.MainLeft = 1;
    TResult saved;
    {
        // Writes past 10 bytes fail as on a full disk, for root too.
        TFileSizeLimit limit(10);
        saved = changed.Save(path);
    }
    EXPECT_FALSE(saved.Ok());
    EXPECT_EQ(saved.ErrorText, QStringLiteral("Cannot save \"%1\": File too large").arg(path));
    EXPECT_EQ(ReadAll(path), before);
}

TEST(ReadHistory, AFailedAppendKeepsTheHistoryWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath(kHistoryFileName);
    std::array<std::uint8_t, 20> s{};
    const QDateTime t(QDate(2000, 1, 1), QTime(18, 0));
    ASSERT_TRUE(AppendHistoryRecord(path, t, s).Ok());
    ASSERT_TRUE(AppendHistoryRecord(path, t, s).Ok());
    const QByteArray before = ReadAll(path);
    TResult appended;
    {
        TFileSizeLimit limit(60);  // room for two records, not for a third
        appended = AppendHistoryRecord(path, t, s);
    }
    EXPECT_FALSE(appended.Ok());
    EXPECT_TRUE(appended.ErrorText.contains("File too large")) << appended.ErrorText.toStdString();
    EXPECT_EQ(ReadAll(path), before);
}

TEST(ReadHistory, SerialDates) {
    EXPECT_DOUBLE_EQ(DateTimeToSerial(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0.0);
    EXPECT_DOUBLE_EQ(DateTimeToSerial(QDateTime(QDate(2000, 1, 1), QTime(18, 0))), 36526.75);
    const QDateTime t(QDate(2026, 12, 8), QTime(3, 4, 5, 600));
    EXPECT_EQ(SerialToDateTime(DateTimeToSerial(t)), t);
}

// A damaged history record may hold any double in its date field.
TEST(ReadHistory, SerialsThatAreNoDateGiveAnInvalidOne) {
    for (const double serial : {std::nan(""), HUGE_VAL, -HUGE_VAL, -1.9892e19, 1e300, 2958466.0, -693594.0})
        EXPECT_FALSE(SerialToDateTime(serial).isValid()) << serial;
    EXPECT_EQ(SerialToDateTime(2958465.5).date(), QDate(9999, 12, 31));
    EXPECT_EQ(SerialToDateTime(-693593.0).date(), QDate(1, 1, 1));
}

TEST(ReadHistory, RecordsAreAppended) {
    QTemporaryDir dir;
    const QString path = dir.filePath(kHistoryFileName);
    std::array<std::uint8_t, 20> s{};
    for (int i = 0; i < 20; ++i) s[i] = static_cast<std::uint8_t>(0xA0 + i);
    const QDateTime t(QDate(2000, 1, 1), QTime(18, 0));
    ASSERT_TRUE(AppendHistoryRecord(path, t, s).Ok());
    ASSERT_TRUE(AppendHistoryRecord(path, t.addSecs(60), s).Ok());
    const QByteArray all = ReadAll(path);
    ASSERT_EQ(all.size(), 56);
    // 36526.75 as a little-endian IEEE double: 0x40E1D5D800000000.
    EXPECT_EQ(all.left(8), QByteArray("\x00\x00\x00\x00\xD8\xD5\xE1\x40", 8));
    EXPECT_EQ(static_cast<std::uint8_t>(all[8]), 0xA0);
    EXPECT_EQ(static_cast<std::uint8_t>(all[27]), 0xB3);
    EXPECT_EQ(static_cast<std::uint8_t>(all[28 + 8]), 0xA0);
}

TEST(ReadHistory, UnwritableFileIsReported) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(kHistoryFileName);  // a folder in the file's place
    std::array<std::uint8_t, 20> s{};
    const TResult r = AppendHistoryRecord(dir.filePath(kHistoryFileName), QDateTime::currentDateTime(), s);
    EXPECT_FALSE(r.Ok());
    EXPECT_FALSE(r.ErrorText.isEmpty());
}

TEST(DataDirectory, SharedFolderOrProgramFolder) {
    QTemporaryDir dir;
    const QString data = DataDirectory(dir.path(), "/opt/x");
    EXPECT_EQ(data, dir.path() + "/Vandrel/Kelvara/");
    EXPECT_TRUE(QDir(data).exists());
    EXPECT_EQ(DataDirectory(QString(), "/opt/x"), "/opt/x/");
    // An application-data "folder" that is a file cannot hold the subfolder.
    WriteAll(dir.filePath("file"), "x");
    EXPECT_EQ(DataDirectory(dir.filePath("file"), "/opt/x/"), "/opt/x/");
}
