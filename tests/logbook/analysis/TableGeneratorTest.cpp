#include <QDir>
#include <QFile>
#include <cmath>

#include <gtest/gtest.h>

#include "AnalysisTestSupport.h"
#include "Real48.h"
#include "TableGenerator.h"

namespace {

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    return f.readAll();
}

TEST(DeliveredTables, EqualTheGeneratorsOutput) {
    const TTableImages images = GenerateTables(DefaultTableSettings());
    const QDir data(QStringLiteral(KV_SOURCE_DIR "/data"));
    const std::pair<QString, const QByteArray*> files[] = {{kAscentTableName, &images.Ascent},
                                                           {kToxTableName, &images.Tox},
                                                           {kWeightTableName, &images.Weights},
                                                           {kFiktTableName, &images.Fikt},
                                                           {kRealTableName, &images.Real}};
    for (const auto& [name, bytes] : files) {
        const QByteArray committed = ReadFile(data.filePath(name));
        EXPECT_EQ(committed.size(), bytes->size()) << name.toStdString();
        EXPECT_TRUE(committed == *bytes) << name.toStdString() << " differs from `gentables data`";
    }
}

TEST(DeliveredTables, HaveTheStatedSizes) {
    const TTableImages images = GenerateTables(DefaultTableSettings());
    EXPECT_EQ(images.Ascent.size(), 1536);
    EXPECT_EQ(images.Tox.size(), 702);
    EXPECT_EQ(images.Weights.size(), 384);
    EXPECT_EQ(images.Fikt.size(), 9216);
    EXPECT_EQ(images.Real.size(), 73728);
}

TEST(DeliveredTables, SettingsMakeDifferentTables) {
    const TTableImages a = GenerateTables(DefaultTableSettings());
    const TTableImages b = GenerateTables(AlternativeTableSettings());
    EXPECT_NE(a.Ascent, b.Ascent);
    EXPECT_NE(a.Tox, b.Tox);
    EXPECT_NE(a.Weights, b.Weights);
    EXPECT_NE(a.Fikt, b.Fikt);
    EXPECT_NE(a.Real, b.Real);
}

// The physiology each setting must keep, read back through the table reader.
class GeneratedTables : public ::testing::TestWithParam<bool> {
protected:
    GeneratedTables() : m_tables(GetParam() ? AlternativeTableSettings() : DefaultTableSettings()) {}
    TCoeffRecord Real(int bubble, int cold, int work) {
        TCoeffRecord r;
        EXPECT_TRUE(m_tables.Tables().LoadRealRecord(r, bubble, cold, work));
        return r;
    }
    TCoeffRecord Fikt(int bubble, int cold) {
        TCoeffRecord r;
        EXPECT_TRUE(m_tables.Tables().LoadFiktRecord(r, bubble, cold));
        return r;
    }
    TGeneratedTables m_tables;
};

TEST_P(GeneratedTables, FiktRecordOfRestHasThePlainHalfTimes) {
    const TCoeffRecord f = Fikt(0, 0);
    for (int c = 0; c < 8; ++c) {
        EXPECT_NEAR(f.Compartments[c].k, 1 - std::pow(2.0, -1.0 / TableHalfTime(c + 1)), 1e-11) << c;
    }
}

TEST_P(GeneratedTables, TwentySecondAndMinuteFactorsAgree) {
    for (int cold : {0, 4, 7}) {
        const TCoeffRecord r = Real(0, cold, 1);
        const TCoeffRecord f = Fikt(0, cold);
        for (int c = 0; c < 8; ++c) {
            const double minute = 1 - std::pow(1 - r.Compartments[c].k, 3);
            EXPECT_NEAR(minute, f.Compartments[c].k, 1e-10) << cold << "/" << c;
        }
    }
}

TEST_P(GeneratedTables, WorkSpeedsUptakeColdSlowsItBubblesLowerTolerance) {
    for (int c = 0; c < 8; ++c) {
        EXPECT_GT(Real(0, 0, 7).Compartments[c].k, Real(0, 0, 1).Compartments[c].k) << c;
        EXPECT_GT(Real(0, 0, 1).Compartments[c].k, Real(0, 0, 0).Compartments[c].k) << c;
        EXPECT_LT(Real(0, 7, 1).Compartments[c].k, Real(0, 0, 1).Compartments[c].k) << c;
        EXPECT_LT(Fikt(0, 7).Compartments[c].k, Fikt(0, 0).Compartments[c].k) << c;
        for (double ambient : {0.92, 2.0, 4.0}) {
            auto tolerated = [ambient](const TCoeffTriple& t) { return t.a + ambient / t.b; };
            EXPECT_LT(tolerated(Fikt(7, 0).Compartments[c]), tolerated(Fikt(3, 0).Compartments[c])) << c;
            EXPECT_LT(tolerated(Fikt(3, 0).Compartments[c]), tolerated(Fikt(0, 0).Compartments[c])) << c;
            // tolerance never falls below the ambient pressure: no stop is ever unreachable
            EXPECT_GT(tolerated(Fikt(7, 7).Compartments[c]), ambient) << c;
        }
    }
    // slower compartments tolerate less supersaturation
    for (int c = 1; c < 8; ++c) {
        EXPECT_LT(Fikt(0, 0).Compartments[c].a, Fikt(0, 0).Compartments[c - 1].a);
    }
}

TEST_P(GeneratedTables, WeightsOfEachWorkloadSumToOne) {
    for (int w = 0; w < 8; ++w) {
        double sum = 0;
        for (int c = 1; c <= 8; ++c) sum += m_tables.Tables().Weight(c, w);
        EXPECT_NEAR(sum, 1.0, 1e-10) << w;
    }
    // work moves blood to the muscle compartments
    EXPECT_GT(m_tables.Tables().Weight(4, 7), m_tables.Tables().Weight(4, 1));
    EXPECT_LT(m_tables.Tables().Weight(1, 7), m_tables.Tables().Weight(1, 1));
}

TEST_P(GeneratedTables, AscentTableIsASteadyAscent) {
    std::array<double, kAscentReals> asc{};
    m_tables.Tables().LoadAscentTable(asc);
    const double rate = GetParam() ? 0.8 : 1.0;
    EXPECT_EQ(asc[0], 0);
    EXPECT_EQ(asc[1], 0);
    for (int d = 1; d < 128; ++d) {
        const auto at = 2 * static_cast<std::size_t>(d);
        EXPECT_NEAR(asc[at], d / 10.0 / rate, 1e-10);
        EXPECT_GT(asc[at + 1], asc[at - 1]);
        // mean inspired nitrogen over the whole ascent: air at half the depth
        EXPECT_NEAR(asc[at + 1] / asc[at], 0.79296875 * d / 20.0, 1e-10);
    }
}

TEST_P(GeneratedTables, ToxicityFollowsThePublishedLimits) {
    std::array<double, kToxReals> tox{};
    m_tables.Tables().LoadToxTable(tox);
    // 20 s at pO2 1.0 .. 1.016 bar: a third of a minute of the 300-minute limit
    EXPECT_NEAR(tox[64], (1.0 / 3) / TableCnsLimitMinutes(64.5 / 64) * 100, 1e-10);
    EXPECT_NEAR(TableCnsLimitMinutes(1.0), 300, 1e-9);
    EXPECT_NEAR(TableCnsLimitMinutes(1.6), 45, 1e-9);
    EXPECT_NEAR(TableCnsLimitMinutes(1.25), 195, 1e-9);
    // below 0.5 bar the clock recovers, above it the dose rises with the pressure
    for (int n = 0; n < 31; ++n) EXPECT_LT(tox[n], 0) << n;
    for (int n = 32; n < kToxReals; ++n) EXPECT_GT(tox[n], tox[n - 1]) << n;
}

INSTANTIATE_TEST_SUITE_P(Settings, GeneratedTables, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Alternative" : "Default"; });

TEST(WriteTables, ReportsAFolderThatCannotBeMade) {
    QTemporaryDir dir;
    const QString blocker = dir.filePath("file");
    QFile f(blocker);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const TResult written = WriteTables(GenerateTables(DefaultTableSettings()), blocker + "/sub");
    EXPECT_FALSE(written.Ok());
    EXPECT_FALSE(written.ErrorText.isEmpty());
}

}  // namespace
