// Replays the dives of the delivered example logbook and checks that the model shows
// what a diver would expect of them: no-stop times that run down on the bottom, stops
// that clear on the way up, oxygen toxicity that rises on nitrox.

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>

#include <gtest/gtest.h>

#include "AnalysisTestSupport.h"
#include "DiveAnalysis.h"
#include "LogbookFile.h"
#include "ProfileDecoder.h"
#include "ReplayReport.h"

namespace {

const QString kExample = QStringLiteral(KV_SOURCE_DIR "/data/EXAMPLE.LOG");

struct ReplayedDive {
    const TDiveRec* Dive = nullptr;
    std::unique_ptr<DiveProfile> Profile;
    bool DecoFlag = false;
};

class ExampleLogbook : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        if (!QFile::exists(kExample)) {
            GTEST_SKIP() << "no example logbook in data/";
        }
        m_tables = std::make_unique<TGeneratedTables>(GetParam() ? AlternativeTableSettings()
                                                                 : DefaultTableSettings());
        LogbookLoadResult r = LoadLogbookFile(kExample, false);
        ASSERT_TRUE(r.Ok()) << r.ErrorText.toStdString();
        m_logbook = std::move(r.Collection);
        for (const auto& dive : m_logbook->Dives()) {
            if (!dive->HasProfile()) continue;
            ReplayedDive d;
            d.Dive = dive.get();
            d.Profile = std::make_unique<DiveProfile>();
            TTissueModel model(m_tables->Tables());
            EXPECT_TRUE(ReplayDive(*dive, *d.Profile, model));
            d.DecoFlag = model.State().DecoFlag;
            m_dives.push_back(std::move(d));
        }
        ASSERT_GE(m_dives.size(), 10u);
    }

    std::unique_ptr<TGeneratedTables> m_tables;
    std::unique_ptr<TDiveCollection> m_logbook;
    std::vector<ReplayedDive> m_dives;
};

TEST_P(ExampleLogbook, EveryReplayStaysWithinTheShownRanges) {
    for (const ReplayedDive& d : m_dives) {
        const DiveProfile& p = *d.Profile;
        EXPECT_FALSE(p.Truncated) << d.Dive->DiveNumber;
        // the decoded profile matches the record's maximum depth (1 bar is about 10 m)
        EXPECT_NEAR(p.ProfileMaxDepth * 1000, d.Dive->MaxDepth, 150) << d.Dive->DiveNumber;
        for (int i = 0; i <= p.Count; ++i) {
            const ProfilePoint& pt = p.Points[static_cast<std::size_t>(i)];
            EXPECT_LE(pt.StopIndex, 10);
            EXPECT_LE(pt.NoStopTime, 99);
            EXPECT_LE(pt.StopTime, 99);
            EXPECT_LE(pt.AscentTime, 99);
            EXPECT_LE(pt.CNSPercent, 125);
            EXPECT_EQ(pt.CNSPercent % 5, 0);
        }
    }
}

TEST_P(ExampleLogbook, NoStopDivesHaveFallingNoStopTimes) {
    int checked = 0;
    for (const ReplayedDive& d : m_dives) {
        const DiveProfile& p = *d.Profile;
        if (d.DecoFlag || p.ProfileMaxDepth < 1.5) continue;
        // from the first point on the bottom (deeper than 80 % of the maximum) to the
        // shortest no-stop time
        int first = -1;
        int shortestAt = -1;
        for (int i = 0; i <= p.Count; ++i) {
            const ProfilePoint& pt = p.Points[static_cast<std::size_t>(i)];
            if (first < 0 && PointDepth(pt) >= 0.8 * p.ProfileMaxDepth) first = i;
            if (first >= 0 && (shortestAt < 0 || pt.NoStopTime < p.Points[shortestAt].NoStopTime))
                shortestAt = i;
        }
        ASSERT_GE(first, 0);
        const int startTime = p.Points[static_cast<std::size_t>(first)].NoStopTime;
        const int shortest = p.Points[static_cast<std::size_t>(shortestAt)].NoStopTime;
        if (shortest >= 99) continue;  // a shallow or nitrox dive that never came near its limit
        EXPECT_LT(shortest, startTime) << d.Dive->DiveNumber;
        // on the way to the shortest time it keeps reaching new lows (small rises come
        // from the diver drifting a little shallower)
        int lows = 0;
        int low = startTime;
        for (int i = first + 1; i <= shortestAt; ++i) {
            const int t = p.Points[static_cast<std::size_t>(i)].NoStopTime;
            if (t < low) {
                low = t;
                ++lows;
            }
        }
        EXPECT_GE(lows, std::min(2, startTime - shortest)) << d.Dive->DiveNumber;
        std::uint16_t type = d.Dive->DiveType;
        EXPECT_EQ(SummariseProfile(p, type, false), shortest);
        ++checked;
    }
    EXPECT_GE(checked, 3);
}

TEST_P(ExampleLogbook, DecompressionStopsClearOnTheWayUp) {
    int checked = 0;
    for (const ReplayedDive& d : m_dives) {
        if (!d.DecoFlag) continue;
        const DiveProfile& p = *d.Profile;
        int lastStop = -1;
        int deepest = 0;
        for (int i = 0; i <= p.Count; ++i) {
            const ProfilePoint& pt = p.Points[static_cast<std::size_t>(i)];
            if (pt.StopIndex > 0) lastStop = i;
            deepest = std::max<int>(deepest, pt.StopIndex);
        }
        ASSERT_GT(lastStop, 0);
        EXPECT_GE(deepest, 1);
        // the stop clears while the diver is still in the water
        EXPECT_LT(lastStop, p.Count - 1) << d.Dive->DiveNumber;
        EXPECT_GT(PointDepth(p.Points[static_cast<std::size_t>(lastStop + 1)]), 0.1) << d.Dive->DiveNumber;
        std::uint16_t type = d.Dive->DiveType;
        EXPECT_GE(SummariseProfile(p, type, true), 0x81) << d.Dive->DiveNumber;
        ++checked;
    }
    EXPECT_GE(checked, 1);
}

TEST_P(ExampleLogbook, OxygenToxicityRisesOnNitroxDives) {
    int checked = 0;
    for (const ReplayedDive& d : m_dives) {
        if (!d.Dive->IsNitrox() || d.Profile->Family == ProfileFamily::Basic ||
            d.Profile->ProfileMaxDepth < 1.5) {
            continue;
        }
        const DiveProfile& p = *d.Profile;
        const int start = p.Points[0].CNSPercent;
        int highest = 0;
        for (int i = 0; i <= p.Count; ++i)
            highest = std::max<int>(highest, p.Points[static_cast<std::size_t>(i)].CNSPercent);
        EXPECT_GT(highest, start) << d.Dive->DiveNumber;
        ++checked;
    }
    EXPECT_GE(checked, 1);
}

INSTANTIATE_TEST_SUITE_P(Tables, ExampleLogbook, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Alternative" : "Default"; });

// `kvlog replay` and `kvlog analyse` give what the library gives.
class KvlogCommands : public ::testing::Test {
protected:
    void SetUp() override {
        m_kvlog = QStringLiteral(KV_BIN_DIR "/kvlog");
        if (!QFile::exists(m_kvlog)) GTEST_SKIP() << "kvlog is not built";
        if (!QFile::exists(kExample)) GTEST_SKIP() << "no example logbook in data/";
    }
    QByteArray Run(const QStringList& args, int* status) {
        QProcess p;
        // The backups of the rewritten logbooks stay in a temporary folder.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), m_dataHome.path());
        p.setProcessEnvironment(env);
        p.start(m_kvlog, args);
        EXPECT_TRUE(p.waitForFinished(60000));
        *status = p.exitCode();
        m_errors = p.readAllStandardError();
        return p.readAllStandardOutput();
    }
    QString m_kvlog;
    QTemporaryDir m_dataHome;
    QByteArray m_errors;
    const QString m_tables = QStringLiteral(KV_SOURCE_DIR "/data");
};

TEST_F(KvlogCommands, ReplayPrintsEveryPointAndTheSummary) {
    LogbookLoadResult r = LoadLogbookFile(kExample, false);
    ASSERT_TRUE(r.Ok());
    TParameterTables tables(m_tables);
    tables.OpenParameterTables();
    int replayed = 0;
    for (const auto& dive : r.Collection->Dives()) {
        if (!dive->HasProfile() || replayed >= 4) continue;
        ++replayed;
        int status = -1;
        const QByteArray out =
            Run({"replay", kExample, QString::number(dive->DiveNumber), "--tables", m_tables}, &status);
        ASSERT_EQ(status, 0) << m_errors.toStdString();
        auto profile = std::make_unique<DiveProfile>();
        TTissueModel model(tables);
        ASSERT_TRUE(ReplayDive(*dive, *profile, model));
        QString expected;
        for (int i = 0; i <= profile->Count; ++i) expected += ReplayPointLine(i, profile->Points[i]) + "\n";
        std::uint16_t type = dive->DiveType;
        expected += ReplaySummaryLine(*profile, model.State().DecoFlag,
                                      SummariseProfile(*profile, type, model.State().DecoFlag)) +
                    "\n";
        EXPECT_EQ(QString::fromUtf8(out).toStdString(), expected.toStdString());
    }
    EXPECT_GT(replayed, 0);
}

TEST_F(KvlogCommands, ReplayRefusesWhatItCannotDo) {
    int status = 0;
    Run({"replay", kExample, "9999", "--tables", m_tables}, &status);
    EXPECT_NE(status, 0);
    Run({"replay", kExample}, &status);
    EXPECT_EQ(status, 2);
    QTemporaryDir empty;
    Run({"replay", kExample, "5", "--tables", empty.path()}, &status);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(m_errors.trimmed().toStdString(), "5: File 'KvREAL.TAB' is missing.");
}

TEST_F(KvlogCommands, AnalyseStoresTheResultsOfEveryProfile) {
    QTemporaryDir dir;
    const QString copy = dir.filePath("EXAMPLE.LOG");
    ASSERT_TRUE(QFile::copy(kExample, copy));
    int status = -1;
    Run({"analyse", copy, "--tables", m_tables}, &status);
    ASSERT_EQ(status, 0) << m_errors.toStdString();
    LogbookLoadResult before = LoadLogbookFile(kExample, false);
    LogbookLoadResult after = LoadLogbookFile(copy, false);
    ASSERT_TRUE(before.Ok() && after.Ok());
    ASSERT_EQ(before.Collection->Count(), after.Collection->Count());
    TParameterTables tables(m_tables);
    tables.OpenParameterTables();
    auto profile = std::make_unique<DiveProfile>();
    for (std::size_t i = 0; i < before.Collection->Count(); ++i) {
        TDiveRec& expected = before.Collection->At(i);
        const TDiveRec& got = after.Collection->At(i);
        if (expected.HasProfile()) {
            TTissueModel model(tables);
            ASSERT_TRUE(AnalyseDive(expected, *profile, model));
            EXPECT_EQ(got.Analysed, 1);
        }
        EXPECT_EQ(got, expected) << "dive " << got.DiveNumber;
    }
}

}  // namespace
