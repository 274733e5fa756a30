// `kvlog download` and `kvlog import-image` run as a user runs them: stderr lines, exit
// status, and the logbook file saved only when it changed.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "DownloadTestData.h"
#include "LogbookFile.h"

namespace {

struct TResult {
    int Exit = -1;
    QString Out;
    QString Err;
};

class Kvlog : public ::testing::Test {
protected:
    TResult Run(const QStringList& args) {
        QProcess p;
        p.setWorkingDirectory(dir.path());
        // The backups of the rewritten logbooks stay in the test's folder.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("appdata")));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(KV_BIN_DIR "/kvlog"), args);
        EXPECT_TRUE(p.waitForFinished(60000));
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }
    QString Path(const QString& name) const { return dir.filePath(name); }
    void Write(const QString& name, const QByteArray& bytes) {
        QFile f(Path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray Bytes(const TBytes& b) {
        return {reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size())};
    }
    std::size_t DiveCount(const QString& name) {
        auto r = LoadLogbookFile(Path(name), false);
        return r.Ok() ? r.Collection->Count() : 0;
    }

    QTemporaryDir dir;
};

constexpr const char* kThreeDives =
    "serial 0x0A1B2C\nhwsw 0x10\nclock 100000000\n"
    "dive-make 99640000\ndive-make 99784000\ndive-make 99985600\n";

TEST_F(Kvlog, DownloadIntoANewLogbookAndAgain) {
    Write("three.sim", kThreeDives);
    const QStringList args{"download",       "new.log", "--simulate",
                           "three.sim",      "--now",   "2024-03-10T10:00:00",
                           "--start-number", "40"};
    auto r = Run(args);
    EXPECT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Err, QString());
    EXPECT_EQ(DiveCount("new.log"), 3u);
    auto loaded = LoadLogbookFile(Path("new.log"), false);
    ASSERT_TRUE(loaded.Ok());
    EXPECT_EQ(loaded.Collection->At(0).DiveNumber, 40);
    EXPECT_EQ(loaded.Collection->DiveComputerId, 0x0A1B2Cu);

    const QDateTime old(QDate(2001, 1, 1), QTime(12, 0));
    {
        QFile f(Path("new.log"));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(old, QFileDevice::FileModificationTime));
    }
    r = Run(args);
    EXPECT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.contains("0 dive(s) added"));
    EXPECT_EQ(r.Err, "The dive computer holds no new dive.\n");
    EXPECT_EQ(QFileInfo(Path("new.log")).lastModified(), old) << "nothing changed, so nothing is written";
}

TEST_F(Kvlog, CancelledStartNumberSavesNothing) {
    Write("three.sim", kThreeDives);
    const auto r = Run({"download", "new.log", "--simulate", "three.sim"});
    EXPECT_EQ(r.Exit, 0);
    EXPECT_FALSE(QFile::exists(Path("new.log")));
}

TEST_F(Kvlog, NakLimitPrintsMessage44) {
    Write("bad.sim", QByteArray(kThreeDives) + "fault corrupt-xor 1 5\n");
    const auto r =
        Run({"download", "new.log", "--simulate", "bad.sim", "--start-number", "1", "--trace", "t.txt"});
    EXPECT_EQ(r.Exit, 0);
    EXPECT_EQ(r.Err, QStringLiteral("message 44: Communication error between Lumilink and PC!\n"));
    EXPECT_FALSE(QFile::exists(Path("new.log")));
    QFile trace(Path("t.txt"));
    ASSERT_TRUE(trace.open(QIODevice::ReadOnly));
    EXPECT_EQ(trace.readAll().count("PC -> box  A8"), 5);  // NAK 0x15 mirrored
}

TEST_F(Kvlog, OtherComputerAnsweredNoAndYes) {
    Write("three.sim", kThreeDives);
    Run({"download", "book.log", "--simulate", "three.sim", "--start-number", "1", "--now",
         "2024-03-10T10:00:00"});
    Write("other.sim", "serial 0x111111\nhwsw 0x10\nclock 100000000\ndive-make 99990000\n");
    auto r = Run({"download", "book.log", "--simulate", "other.sim", "--now", "2024-03-10T10:00:00"});
    EXPECT_EQ(r.Exit, 0);
    EXPECT_TRUE(r.Err.startsWith("message 0: ")) << r.Err.toStdString();
    EXPECT_EQ(DiveCount("book.log"), 3u);
    r = Run({"download", "book.log", "--simulate", "other.sim", "--now", "2024-03-10T10:00:00",
             "--accept-new-computer"});
    EXPECT_EQ(DiveCount("book.log"), 4u);
}

struct TImageCase {
    const char* Name;
    TBytes Image;
    QString Err;
    std::size_t Dives;
};

class KvlogImportImage : public Kvlog, public ::testing::WithParamInterface<TImageCase> {};

TEST_P(KvlogImportImage, EvaluatesTheImage) {
    Write("reply.bin", Bytes(GetParam().Image));
    const auto r = Run({"import-image", "book.log", "reply.bin", "--start-number", "1", "--all"});
    EXPECT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Err, GetParam().Err);
    EXPECT_EQ(DiveCount("book.log"), GetParam().Dives);
    EXPECT_EQ(QFile::exists(Path("book.log")), GetParam().Dives > 0);
}

TBytes Damaged() {
    auto block = MakeBlock({.DeviceTime = 5000, .ProfileLength = 90});
    block.resize(18 + 40);
    return MakeDiveReply(9000, {MakeBlock({.DeviceTime = 4000}), block});
}

TBytes WrongXor() {
    auto img = MakeDiveReply(9000, {MakeBlock({.DeviceTime = 4000})});
    img.back() ^= 1;
    return img;
}

INSTANTIATE_TEST_SUITE_P(
    Images, KvlogImportImage,
    ::testing::Values(
        TImageCase{"TwoDives",
                   MakeDiveReply(9000, {MakeBlock({.DeviceTime = 4000}), MakeBlock({.DeviceTime = 5000})}),
                   "", 2},
        TImageCase{"Damaged", Damaged(), "message 44: Communication error between Lumilink and PC!\n", 0},
        TImageCase{"WrongXor", WrongXor(), "message 44: Communication error between Lumilink and PC!\n", 0},
        TImageCase{"Truncated", TBytes{0x20, 0x00, 0x55},
                   "message 44: Communication error between Lumilink and PC!\n", 0},
        TImageCase{"InReset", MakeErrorReply(4), "message 47: Divecomputer is in reset.\n", 0},
        TImageCase{"Unsupported", MakeDiveReply(9000, {MakeBlock({.HwSw = 0x01, .DeviceTime = 4000})}),
                   "message 1: Dive computer not supported by this Kelvara version!\n", 0}),
    [](const auto& info) { return std::string(info.param.Name); });

struct TUsageCase {
    const char* Name;
    QStringList Args;
    int Exit;
};

class KvlogUsage : public Kvlog, public ::testing::WithParamInterface<TUsageCase> {};

TEST_P(KvlogUsage, ExitsNonZero) {
    Write("damaged.log", QByteArray("\xA1\x00\x01\x02\x03\x04\x05\x00", 8));
    Write("three.sim", kThreeDives);
    Write("broken.sim", "wobble 3\n");
    const auto r = Run(GetParam().Args);
    EXPECT_EQ(r.Exit, GetParam().Exit) << r.Err.toStdString();
    EXPECT_FALSE(r.Err.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KvlogUsage,
    ::testing::Values(
        TUsageCase{"NoScenario", {"download", "a.log"}, 2},
        TUsageCase{"UnknownOption", {"download", "a.log", "--simulate", "three.sim", "--bogus"}, 2},
        TUsageCase{"BadNow", {"download", "a.log", "--simulate", "three.sim", "--now", "yesterday"}, 2},
        TUsageCase{"BadNumber", {"import-image", "a.log", "x.bin", "--renumber", "70000"}, 2},
        TUsageCase{"MissingImage", {"import-image", "a.log", "x.bin"}, 1},
        TUsageCase{"BrokenScenario", {"download", "a.log", "--simulate", "broken.sim"}, 1},
        TUsageCase{"DamagedLogbook", {"download", "damaged.log", "--simulate", "three.sim"}, 1}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
