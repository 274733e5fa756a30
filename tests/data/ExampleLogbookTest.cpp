// The delivered example logbook: the committed file is what the generator makes now,
// it loads through the logbook core, and every downloaded dive carries what its dive
// computer recorded (date, depth, time, gas, status) consistently with its profile.

#include <QFile>
#include <cmath>
#include <map>

#include <gtest/gtest.h>

#include "Cp1252.h"
#include "DayNumber.h"
#include "ExampleDives.h"
#include "ExampleLogbook.h"
#include "LogbookFile.h"
#include "ProfileEncoder.h"
#include "TLogbookWriter.h"

namespace {

QByteArray ReadCommitted() {
    QFile file(QStringLiteral(KV_SOURCE_DIR "/data/EXAMPLE.LOG"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(ExampleLogbookTest, CommittedFileIsWhatTheGeneratorMakes) {
    const QByteArray committed = ReadCommitted();
    ASSERT_FALSE(committed.isEmpty()) << "data/EXAMPLE.LOG missing";
    EXPECT_TRUE(committed == ExampleLogbookBytes())
        << "data/EXAMPLE.LOG is out of date: rebuild it with the kv_regenerate_data target";
}

// The file is already in the order and numbering a load produces, so opening and
// saving the example changes nothing.
TEST(ExampleLogbookTest, LoadAndSaveGiveTheSameBytes) {
    const QByteArray committed = ReadCommitted();
    LogbookLoadResult r = LoadLogbookBytes(committed, false);
    ASSERT_TRUE(r.Ok()) << r.ErrorText.toStdString();
    TLogbookWriter out;
    r.Collection->SaveToStream(out, false);
    EXPECT_TRUE(out.Data() == committed);
}

class LoadedExampleTest : public ::testing::Test {
protected:
    void SetUp() override {
        LogbookLoadResult r = LoadLogbookBytes(ReadCommitted(), false);
        ASSERT_TRUE(r.Ok()) << r.ErrorText.toStdString();
        log = std::move(r.Collection);
        for (const TExampleTrip& trip : ExampleTrips()) {
            for (const TExampleDive& d : trip.Dives) {
                if (d.IsDownloaded()) {
                    plans[d.Plan.DeviceTime] = d;
                }
            }
        }
    }
    std::unique_ptr<TDiveCollection> log;
    std::map<std::uint32_t, TExampleDive> plans;
};

TEST_F(LoadedExampleTest, SortedAndNumberedFromOne) {
    ASSERT_GE(log->Count(), 28u);
    EXPECT_FALSE(log->NumberingBroken());
    EXPECT_EQ(log->At(0).DiveNumber, 1);
    EXPECT_EQ(log->DiveComputerId, ExampleComputers().back().Serial);
    for (std::size_t i = 1; i < log->Count(); ++i) {
        EXPECT_EQ(TDiveCollection::CompareDives(log->At(i - 1), log->At(i)), -1) << i;
    }
}

TEST_F(LoadedExampleTest, DownloadedDivesMatchTheirComputerRecords) {
    std::size_t downloaded = 0;
    for (const auto& rec : log->Dives()) {
        if (!rec->IsDownloaded()) {
            continue;
        }
        ++downloaded;
        SCOPED_TRACE(rec->DiveNumber);
        ASSERT_EQ(plans.count(rec->DeviceTime), 1u);
        const TExampleDive& d = plans.at(rec->DeviceTime);
        const TDivePlan& p = d.Plan;
        const TDiveFacts facts = DiveFactsOf(p);
        // Dated from the clock difference at the trip's download.
        EXPECT_EQ(DateFromDayNo(rec->DayNo), QDate(p.Start.Year, p.Start.Month, p.Start.Day));
        EXPECT_EQ(rec->StartTime, p.Start.MinuteOfDay());
        EXPECT_EQ(rec->MaxDepth, facts.MaxDepthCm);
        EXPECT_EQ(rec->DiveTime, facts.DiveTime);
        EXPECT_EQ(rec->DeviceStatus, facts.Status);
        EXPECT_EQ(rec->AltitudeRange, p.AltitudeClass + 1);
        EXPECT_EQ(rec->HwSw & 0xFF, p.HwSw);
        EXPECT_EQ(rec->MinWaterTemp, std::lround(p.WaterTemp * 4) * 25);
        EXPECT_EQ(rec->IsNitrox(), !p.SCR && p.O2Percent != 21);
        EXPECT_EQ(rec->IsSCR(), p.SCR);
        EXPECT_EQ(rec->SurfaceInterval, p.SurfaceInterval >= 0 ? p.SurfaceInterval : kNotSet);
        EXPECT_EQ(rec->DiveType & 3, p.SurfaceInterval >= 0 ? 2 : 1);
        ASSERT_NE(rec->AirConsumption, kNotSet);
        // Variant 12 counts in steps of 176/128 bar, the others in whole bar.
        EXPECT_NEAR(rec->AirConsumption / 100.0, p.AirUsedBar, (p.HwSw & 0x0F) == 12 ? 1.2 : 0.0);
        EXPECT_GT(p.AirUsedBar, 30);
        EXPECT_LT(p.AirUsedBar, 220);
        EXPECT_EQ(rec->ProfileBlock, EncodeProfileBlock(p));
        EXPECT_FALSE(rec->Location.isEmpty());
        EXPECT_FALSE(rec->Site.isEmpty());
        EXPECT_NE(rec->TankSize, kNotSet);
    }
    EXPECT_EQ(downloaded, plans.size());
}

TEST_F(LoadedExampleTest, HandEnteredDivesHaveTheirNotedValues) {
    std::size_t byHand = 0;
    for (const auto& rec : log->Dives()) {
        if (rec->IsDownloaded()) {
            continue;
        }
        ++byHand;
        EXPECT_FALSE(rec->HasProfile());
        EXPECT_EQ(rec->HwSw, 0);
        EXPECT_EQ(rec->DeviceStatus, 0);
        EXPECT_GT(rec->MaxDepth, 300);
        EXPECT_GT(rec->DiveTime, 20);
        EXPECT_LT(rec->DiveTime, 90);
        EXPECT_EQ(rec->AltitudeRange, 1);
        EXPECT_EQ(rec->DiveType & 0x000C, 0x0004) << "entered as no-stop dives";
    }
    EXPECT_GE(byHand, 5u);
}

// Texts in German and English with accented letters, all Windows-1252, none too long.
TEST_F(LoadedExampleTest, TextsInBothLanguagesWithAccents) {
    bool umlaut = false, english = false, french = false;
    for (const auto& rec : log->Dives()) {
        for (const QByteArray* text : {&rec->Location, &rec->Site, &rec->Buddies, &rec->Remarks}) {
            EXPECT_LE(text->size(), 255);
            const QString s = Cp1252ToUnicode(*text);
            umlaut = umlaut || s.contains(QChar(0xE4)) || s.contains(QChar(0xFC)) || s.contains(QChar(0xDF));
            french = french || s.contains(QChar(0xE9)) || s.contains(QChar(0xE8));
            english = english || s.contains(QStringLiteral(" the "));
        }
    }
    EXPECT_TRUE(umlaut);
    EXPECT_TRUE(french);
    EXPECT_TRUE(english);
}

}  // namespace
