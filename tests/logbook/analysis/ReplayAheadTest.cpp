// Replays on worker threads: every dive's figures equal a replay of that dive alone, in
// the dives' order, whatever the number of workers; dives without a usable profile and
// missing tables are reported per dive; a caller that stops early is not kept waiting.

#include <memory>

#include <gtest/gtest.h>

#include "AnalysisTestSupport.h"
#include "DiveAnalysis.h"
#include "LogbookFile.h"
#include "TReplayAhead.h"
#include "TTissueModel.h"

namespace {

const QString kExample = QStringLiteral(KV_SOURCE_DIR "/data/EXAMPLE.LOG");

class ReplayAhead : public testing::Test {
protected:
    void SetUp() override {
        LogbookLoadResult r = LoadLogbookFile(kExample, false);
        ASSERT_TRUE(r.Ok()) << r.ErrorText.toStdString();
        // Every dive three times, and a dive whose profile block the decoder refuses.
        for (int round = 0; round < 3; ++round)
            for (const auto& d : r.Collection->Dives()) m_dives.push_back(std::make_unique<TDiveRec>(*d));
        auto refused = std::make_unique<TDiveRec>(*m_dives.front());
        refused->ProfileBlock = {0x05};
        m_dives.insert(m_dives.begin() + 5, std::move(refused));
    }
    TReplayAhead::TDiveSource Source() {
        return [this](std::size_t n) -> const TDiveRec& { return *m_dives[n]; };
    }

    TGeneratedTables m_tables{DefaultTableSettings()};
    std::vector<std::unique_ptr<TDiveRec>> m_dives;
};

TEST_F(ReplayAhead, EveryDiveInOrderAsIfReplayedAlone) {
    for (const int threads : {1, 2, 5}) {
        TReplayAhead ahead(m_tables.Tables(), m_dives.size(), Source(), false, threads);
        std::size_t replayed = 0;
        for (std::size_t n = 0; n < m_dives.size(); ++n) {
            const TReplayAhead::TReplay& r = ahead.Next();
            SCOPED_TRACE(testing::Message() << threads << " workers, dive " << n);
            ASSERT_FALSE(r.Missing);
            auto alone = std::make_unique<DiveProfile>();
            TTissueModel model(m_tables.Tables());
            const bool expected = m_dives[n]->HasProfile() && ReplayDive(*m_dives[n], *alone, model);
            ASSERT_EQ(r.Replayed, expected);
            if (!expected) continue;
            ++replayed;
            ASSERT_EQ(r.Profile.Count, alone->Count);
            EXPECT_EQ(r.StopDepth, model.State().StopDepth);
            for (int i = 0; i <= alone->Count; ++i) {
                const ProfilePoint& a = r.Profile.Points[static_cast<std::size_t>(i)];
                const ProfilePoint& b = alone->Points[static_cast<std::size_t>(i)];
                ASSERT_EQ(a.NoStopTime, b.NoStopTime) << "point " << i;
                ASSERT_EQ(a.StopIndex, b.StopIndex) << "point " << i;
                ASSERT_EQ(a.StopTime, b.StopTime) << "point " << i;
                ASSERT_EQ(a.CNSPercent, b.CNSPercent) << "point " << i;
                ASSERT_EQ(a.Saturation, b.Saturation) << "point " << i;
            }
        }
        EXPECT_GE(replayed, 30u);
    }
}

TEST_F(ReplayAhead, MissingTablesAreReportedForEachDiveWithAProfile) {
    QTemporaryDir empty;
    TParameterTables missing(empty.path());
    TReplayAhead ahead(missing, m_dives.size(), Source(), false, 2);
    for (std::size_t n = 0; n < m_dives.size(); ++n) {
        const TReplayAhead::TReplay& r = ahead.Next();
        // The refused block never reaches the model, so no table is asked for.
        EXPECT_EQ(r.Missing.has_value(), m_dives[n]->ProfileBlock.size() >= 2) << n;
        EXPECT_FALSE(r.Replayed) << n;
    }
}

TEST_F(ReplayAhead, ACallerThatStopsEarlyIsNotKeptWaiting) {
    for (const std::size_t taken : {std::size_t{0}, std::size_t{3}}) {
        TReplayAhead ahead(m_tables.Tables(), m_dives.size(), Source(), false, 3);
        for (std::size_t n = 0; n < taken; ++n) ahead.Next();
    }  // the workers stop and are joined here
    TReplayAhead none(m_tables.Tables(), 0, Source());
}

}  // namespace
