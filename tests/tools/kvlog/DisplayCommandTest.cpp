// kvlog display: what the companion windows showed, point by point, for a dive of the
// example logbook; and the refusals for a missing dive or one without a profile.

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "LogbookFile.h"
#include "TDiveCollection.h"

namespace {

struct KvlogRun {
    int Exit = -1;
    QString Out;
    QString Err;
};

KvlogRun Kvlog(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(KV_BIN_DIR "/kvlog"), args);
    KvlogRun r;
    if (!p.waitForFinished(60000)) return r;
    r.Exit = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.Out = QString::fromUtf8(p.readAllStandardOutput());
    r.Err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

const QString kExample = QStringLiteral(KV_SOURCE_DIR "/data/EXAMPLE.LOG");

class DisplayCommand : public testing::Test {
protected:
    void SetUp() override {
        if (!QFile::exists(kExample)) GTEST_SKIP() << "no example logbook in data/";
        LogbookLoadResult r = LoadLogbookFile(kExample, false);
        ASSERT_TRUE(r.Ok());
        for (const auto& dive : r.Collection->Dives()) {
            if (dive->HasProfile() && dive->MaxDepth > 2500) m_deep = dive->DiveNumber;
            if (!dive->HasProfile()) m_flat = dive->DiveNumber;
        }
        ASSERT_NE(m_deep, 0);
        m_logbook = std::move(r.Collection);
    }
    std::unique_ptr<TDiveCollection> m_logbook;
    int m_deep = 0;
    int m_flat = 0;
};

TEST_F(DisplayCommand, PrintsAHeaderAndOneLinePerPoint) {
    const KvlogRun r = Kvlog({QStringLiteral("display"), kExample, QString::number(m_deep)});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    QStringList lines = r.Out.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.takeLast(), QString());
    ASSERT_GT(lines.size(), 3);
    EXPECT_EQ(
        lines[0],
        "Index\tT1\tT2\tT3\tT4\tT5\tT6\tT7\tT8\tBubble\tTemp\tWork\tDial\tNeedle\tDepth\tTime\tMax\tDeco\t"
        "Asc\tLevel\toTox\tO2\tpO2\tSymbol\tUnit");
    for (qsizetype n = 1; n < lines.size(); ++n) {
        const QStringList cells = lines[n].split(QLatin1Char('\t'));
        ASSERT_EQ(cells.size(), 25) << lines[n].toStdString();
        EXPECT_EQ(cells[0].toInt(), n - 1);
        EXPECT_EQ(cells[15], QStringLiteral("%1:").arg((n - 1) / 3, 3));
        for (int t = 1; t <= 8; ++t)
            EXPECT_TRUE(QRegularExpression("^\\d{1,3}/(red|green|magenta)$").match(cells[t]).hasMatch())
                << cells[t].toStdString();
        EXPECT_TRUE(cells[23] == "stop" || cells[23] == "nostop");
        if (cells[23] == "stop") {
            EXPECT_EQ(cells[24], "m");
            EXPECT_TRUE(cells[19].toInt() > 0);
        } else {
            EXPECT_EQ(cells[24], "");
            EXPECT_EQ(cells[19], "");
        }
        EXPECT_TRUE(cells[14].endsWith(" m"));
    }
    EXPECT_EQ(lines[1].split('\t')[14], "1.2 m");  // the start point: 8/64 bar, 1.25 m to the even digit
}

TEST_F(DisplayCommand, ImperialUnitsShowFeetAndTheSameModel) {
    const KvlogRun metric = Kvlog({"display", kExample, QString::number(m_deep)});
    const KvlogRun imperial =
        Kvlog({"display", kExample, QString::number(m_deep), "--units", "imperial", "--lang", "de"});
    ASSERT_EQ(imperial.Exit, 0) << imperial.Err.toStdString();
    const QStringList m = metric.Out.split('\n');
    const QStringList f = imperial.Out.split('\n');
    ASSERT_EQ(m.size(), f.size());
    for (qsizetype n = 1; n + 1 < m.size(); ++n) {
        const QStringList a = m[n].split('\t');
        const QStringList b = f[n].split('\t');
        // Bars, needle position and times do not depend on the unit system.
        for (int c : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 18, 20, 21, 22, 23})
            EXPECT_EQ(a[c], b[c]);
        EXPECT_TRUE(b[14].endsWith(" ft"));
        if (b[23] == "stop") {
            EXPECT_EQ(b[24], "ft");
        }
    }
}

TEST_F(DisplayCommand, RefusesMissingDivesAndDivesWithoutProfile) {
    KvlogRun r = Kvlog({"display", kExample, "9999"});
    EXPECT_EQ(r.Exit, 2);
    EXPECT_TRUE(r.Err.contains("9999")) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.isEmpty());

    QTemporaryDir dir;
    TDiveCollection log;
    auto hand = std::make_unique<TDiveRec>();
    hand->DayNo = 160000;
    log.AddDive(std::move(hand), 0, 0);
    log.SortAndRenumber();
    const QString path = dir.path() + "/hand.log";
    ASSERT_TRUE(SaveLogbookFile(path, log, false).Ok());
    const int number = log.At(0).DiveNumber;
    r = Kvlog({"display", path, QString::number(number)});
    EXPECT_EQ(r.Exit, 2);
    EXPECT_TRUE(r.Err.contains(QStringLiteral("dive %1").arg(number))) << r.Err.toStdString();

    EXPECT_EQ(Kvlog({"display", kExample, QString::number(m_deep), "--lang", "xx"}).Exit, 2);
    EXPECT_EQ(Kvlog({"display", kExample}).Exit, 2);
}

}  // namespace
