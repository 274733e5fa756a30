// kvlog export and import: formats by extension, the --dives list, imports that create
// their logbook.

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "LogbookFile.h"
#include "TDiveCollection.h"

namespace {

struct KvlogResult {
    int Exit = -1;
    QString Out;
    QString Err;
};

KvlogResult Kvlog(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(KV_BIN_DIR "/kvlog"), args);
    KvlogResult r;
    if (!p.waitForFinished(120000)) return r;
    r.Exit = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.Out = QString::fromUtf8(p.readAllStandardOutput());
    r.Err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

const QString kExample = QStringLiteral(KV_SOURCE_DIR "/data/EXAMPLE.LOG");

class KvlogInterchangeTest : public testing::Test {
protected:
    QTemporaryDir m_dir;
    QString Path(const char* name) const { return m_dir.path() + QLatin1Char('/') + QLatin1String(name); }
};

TEST_F(KvlogInterchangeTest, ChosenDivesGoOutAsUddfAndComeBackIntoANewLogbook) {
    const KvlogResult out = Kvlog({QStringLiteral("export"), kExample, Path("some.uddf"),
                                   QStringLiteral("--dives"), QStringLiteral(" 5, 7-8 ,99,200-300")});
    ASSERT_EQ(out.Exit, 0) << out.Err.toStdString();
    const KvlogResult in = Kvlog({QStringLiteral("import"), Path("new.log"), Path("some.uddf")});
    ASSERT_EQ(in.Exit, 0) << in.Err.toStdString();
    EXPECT_TRUE(in.Out.contains(QLatin1String("3 dive(s) imported"))) << in.Out.toStdString();

    const LogbookLoadResult original = LoadLogbookFile(kExample, false);
    const LogbookLoadResult back = LoadLogbookFile(Path("new.log"), false);
    ASSERT_TRUE(back.Ok());
    ASSERT_EQ(back.Collection->Count(), 3u);
    EXPECT_EQ(back.Collection->DiveComputerId, original.Collection->DiveComputerId);
    EXPECT_EQ(back.Collection->At(0), original.Collection->At(4));  // dive 5 keeps its number
    EXPECT_EQ(back.Collection->At(1).DeviceTime, original.Collection->At(6).DeviceTime);
    EXPECT_EQ(back.Collection->At(2).DiveNumber, 7);

    // The same dives again: all downloaded, so none is added.
    const KvlogResult again = Kvlog({QStringLiteral("import"), Path("new.log"), Path("some.uddf")});
    ASSERT_EQ(again.Exit, 0);
    EXPECT_TRUE(again.Out.contains(QLatin1String("0 dive(s) imported"))) << again.Out.toStdString();
    EXPECT_TRUE(again.Out.contains(QLatin1String("3 dive(s) were already")));
}

TEST_F(KvlogInterchangeTest, CsvFollowsLanguageAndUnitsAndLogbooksImportToo) {
    const KvlogResult out =
        Kvlog({QStringLiteral("export"), kExample, Path("d.csv"), QStringLiteral("--units"),
               QStringLiteral("imperial"), QStringLiteral("--lang"), QStringLiteral("de"),
               QStringLiteral("--dives"), QStringLiteral("1-3")});
    ASSERT_EQ(out.Exit, 0) << out.Err.toStdString();
    QFile csv(Path("d.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(csv.readAll());
    EXPECT_TRUE(text.contains(QLatin1String("Max. Tiefe (ft)")));
    EXPECT_EQ(text.count(QLatin1String("\r\n")), 4);

    ASSERT_EQ(Kvlog({QStringLiteral("export"), kExample, Path("part.kvl"), QStringLiteral("--dives"),
                     QStringLiteral("2,4")})
                  .Exit,
              0);
    const KvlogResult in = Kvlog({QStringLiteral("import"), Path("made.log"), Path("part.kvl")});
    ASSERT_EQ(in.Exit, 0) << in.Err.toStdString();
    const LogbookLoadResult made = LoadLogbookFile(Path("made.log"), false);
    ASSERT_TRUE(made.Ok());
    ASSERT_EQ(made.Collection->Count(), 2u);
    EXPECT_EQ(made.Collection->At(0).DiveNumber, 1);
}

TEST_F(KvlogInterchangeTest, WrongUseChangesNothing) {
    EXPECT_EQ(Kvlog({QStringLiteral("export"), kExample, Path("d.txt")}).Exit, 2);
    EXPECT_EQ(Kvlog({QStringLiteral("export"), kExample, Path("d.csv"), QStringLiteral("--dives"),
                     QStringLiteral("3-a")})
                  .Exit,
              2);
    EXPECT_EQ(Kvlog({QStringLiteral("export"), kExample, Path("d.csv"), QStringLiteral("--lang"),
                     QStringLiteral("xx")})
                  .Exit,
              2);
    EXPECT_FALSE(QFileInfo::exists(Path("d.csv")));
    EXPECT_EQ(Kvlog({QStringLiteral("import"), Path("n.log"), Path("d.csv")}).Exit, 2);

    QFile bad(Path("bad.uddf"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("<uddf xmlns=\"http://www.streit.cc/uddf/3.2/\"><profiledata>");
    bad.close();
    const KvlogResult in = Kvlog({QStringLiteral("import"), Path("n.log"), Path("bad.uddf")});
    EXPECT_EQ(in.Exit, 1);
    EXPECT_TRUE(in.Err.contains(Path("bad.uddf"))) << in.Err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(Path("n.log")));
}

}  // namespace
