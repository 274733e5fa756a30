// Runs the built kvlog program on logbooks written by the core and checks its output.

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "FileSizeLimit.h"
#include "LogbookFile.h"
#include "TDiveCollection.h"

namespace {

struct KvlogRun {
    int Exit = -1;
    QByteArray Out;
    QByteArray Err;
};

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The per-user data folder of the kvlog runs, where the backups go.
QString DataHome() {
    static QTemporaryDir home;
    return home.path();
}

KvlogRun Kvlog(const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), DataHome());
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KV_BIN_DIR "/kvlog"), args);
    KvlogRun r;
    if (!p.waitForFinished(60000)) return r;
    r.Exit = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.Out = p.readAllStandardOutput();
    r.Err = p.readAllStandardError();
    return r;
}

class KvlogTest : public testing::Test {
protected:
    QTemporaryDir m_dir;
    QString Path(const char* name) const { return m_dir.path() + "/" + name; }

    void SetUp() override {
        TDiveCollection log;
        log.DiveComputerId = 0x00ABCDEF;
        log.StartNumber = 10;
        auto hand = std::make_unique<TDiveRec>();
        hand->DayNo = 160000;
        hand->StartTime = 615;
        hand->Location = "K\xF6nigssee \"Nord\"";
        hand->Remarks = "Sicht 5 m\x80";
        hand->MaxDepth = kNotSet;
        log.AddDive(std::move(hand), 0, 0);
        auto down = std::make_unique<TDiveRec>();
        down->DayNo = 150000;
        down->DeviceTime = 0xFFFFFFF0u;
        down->ProfileBlock = {3, 0, 0xDE, 0xAD, 0x01};
        log.AddDive(std::move(down), 0, 0);
        log.SortAndRenumber();
        ASSERT_TRUE(SaveLogbookFile(Path("log.log"), log, false).Ok());
    }
};

TEST_F(KvlogTest, DumpPrintsTheLogbookAsJson) {
    const KvlogRun r = Kvlog({"dump", Path("log.log")});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(r.Out, &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QJsonObject root = doc.object();
    EXPECT_EQ(root["DiveComputerId"].toInteger(), 0xABCDEF);
    EXPECT_EQ(root["StartNumber"].toInteger(), 10);
    const QJsonArray dives = root["Dives"].toArray();
    ASSERT_EQ(dives.size(), 2);

    const QJsonObject first = dives[0].toObject();
    EXPECT_EQ(first["DayNo"].toInteger(), 150000);
    EXPECT_EQ(first["DeviceTime"].toInteger(), 0xFFFFFFF0LL);
    EXPECT_EQ(first["ProfileBlock"].toString(), QStringLiteral("0300dead01"));
    EXPECT_EQ(first["DiveNumber"].toInteger(), 10);

    const QJsonObject second = dives[1].toObject();
    EXPECT_EQ(second["Location"].toString(), QStringLiteral("K\u00F6nigssee \"Nord\""));
    EXPECT_EQ(second["Remarks"].toString(), QStringLiteral("Sicht 5 m\u20AC"));
    EXPECT_TRUE(second["ProfileBlock"].isNull());
    EXPECT_EQ(second["MaxDepth"].toInteger(), 32767);
    EXPECT_EQ(second["StartTime"].toInteger(), 615);
    for (const char* key :
         {"DayNo",        "StartTime",      "Location",    "Site",       "AltitudeRange", "SurfaceInterval",
          "Weather",      "AirTemperature", "Suit",        "TankSize",   "MaxDepth",      "DiveTime",
          "MinWaterTemp", "AirConsumption", "DiveType",    "Activities", "OtherActivity", "Buddies",
          "Remarks",      "DeviceStatus",   "DiveNumber",  "DeviceTime", "HwSw",          "Analysed",
          "StopInfo",     "Reserved",       "ProfileBlock"})
        EXPECT_TRUE(second.contains(key)) << key;
    EXPECT_EQ(second.size(), 27);
}

TEST_F(KvlogTest, ConvertWritesADosTextLogbookThatReadsBackTheSame) {
    ASSERT_EQ(Kvlog({"convert", Path("log.log"), Path("dos.log"), "--dos-out"}).Exit, 0);
    const KvlogRun plain = Kvlog({"dump", Path("log.log")});
    const KvlogRun dos = Kvlog({"dump", Path("dos.log"), "--dos"});
    ASSERT_EQ(dos.Exit, 0);
    // The euro sign has no DOS byte, so only the remark changes.
    EXPECT_NE(dos.Out, plain.Out);
    EXPECT_EQ(QString::fromUtf8(dos.Out).replace(QChar(0xC7), QChar(0x20AC)), QString::fromUtf8(plain.Out));
    QFile f(Path("dos.log"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains(QByteArray("K\x94nigssee")));
}

TEST_F(KvlogTest, ErrorsGoToStderrWithNonZeroExit) {
    QFile bad(Path("bad.log"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("PK\x03\x04 some archive");
    bad.close();
    KvlogRun r = Kvlog({"dump", Path("bad.log")});
    EXPECT_NE(r.Exit, 0);
    EXPECT_TRUE(r.Out.isEmpty());
    EXPECT_EQ(r.Err.trimmed(), QByteArray("Invalid dataformat"));

    QFile log(Path("log.log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray whole = log.readAll();
    QFile cut(Path("cut.log"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(whole.left(whole.size() - 4));
    cut.close();
    r = Kvlog({"convert", Path("cut.log"), Path("out.log")});
    EXPECT_NE(r.Exit, 0);
    // The damaged file is named, then the detail of where it ended.
    EXPECT_TRUE(
        r.Err.startsWith("The logbook \"" + Path("cut.log").toUtf8() + "\" is damaged and cannot be read.\n"))
        << r.Err.toStdString();
    EXPECT_TRUE(r.Err.contains("\nStream read error")) << r.Err.toStdString();
    EXPECT_FALSE(QFile::exists(Path("out.log")));

    EXPECT_EQ(Kvlog({"frobnicate"}).Exit, 2);
    EXPECT_EQ(Kvlog({}).Exit, 2);
    EXPECT_EQ(Kvlog({"dump"}).Exit, 2);
}

TEST_F(KvlogTest, ConvertOverALogbookKeepsTheOldOneAsABackup) {
    ASSERT_TRUE(QFile::copy(Path("log.log"), Path("target.log")));
    TDiveCollection empty;
    ASSERT_TRUE(SaveLogbookFile(Path("source.log"), empty, false).Ok());
    const QByteArray before = ReadAll(Path("target.log"));
    const KvlogRun r = Kvlog({"convert", Path("source.log"), Path("target.log")});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_EQ(ReadAll(Path("target.log")).size(), 12);
    const QStringList backups = BackupsOf(DataHome() + "/Vandrel/Kelvara/Backups", "target");
    ASSERT_FALSE(backups.isEmpty());
    EXPECT_EQ(ReadAll(backups.last()), before);
}

TEST_F(KvlogTest, ConvertOntoAFullDiskFailsWithTheReasonAndKeepsTheTarget) {
    ASSERT_TRUE(QFile::copy(Path("log.log"), Path("target.log")));
    const QByteArray before = ReadAll(Path("target.log"));
    KvlogRun r;
    {
        // kvlog inherits the limit: its writes past 20 bytes fail for real.
        TFileSizeLimit limit(20);
        r = Kvlog({"convert", Path("log.log"), Path("target.log")});
    }
    EXPECT_EQ(r.Exit, 1);
    EXPECT_EQ(r.Err.trimmed().toStdString(),
              QStringLiteral("Cannot save \"%1\": File too large").arg(Path("target.log")).toStdString());
    EXPECT_EQ(ReadAll(Path("target.log")), before);
}

}  // namespace
