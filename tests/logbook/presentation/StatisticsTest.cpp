// The statistics figures: depth ranges with their rounding, shares rounded each for itself,
// times as h:mm, captions by language and unit system, the title's date range, and the
// "Selected dives" case with nothing selected.

#include <gtest/gtest.h>

#include "Language.h"
#include "Statistics.h"
#include "StatisticsPanel.h"
#include "TDateFormat.h"
#include "TDiveCollection.h"

namespace {

std::unique_ptr<TDiveRec> MakeDive(int day, int maxDepth, int diveTime) {
    auto d = std::make_unique<TDiveRec>();
    d->DayNo = day;
    d->MaxDepth = static_cast<std::int16_t>(maxDepth);
    d->DiveTime = static_cast<std::uint16_t>(diveTime);
    d->SurfaceInterval = kNotSet;
    return d;
}

TDiveCollection Log(std::vector<std::unique_ptr<TDiveRec>> dives) {
    TDiveCollection log;
    for (auto& d : dives) log.AddDive(std::move(d), 0, 1);
    return log;
}

class StatisticsTest : public testing::Test {
protected:
    void SetUp() override {
        SetCurrentLanguage(kEnglish);
        SetCurrentUnitSystem(kMetric);
        TDateFormat format;
        format.ShortDateFormat = QStringLiteral("dd.MM.yyyy");
        SetCurrentDateFormat(format);
    }
    void TearDown() override { SetCurrentDateFormat(TDateFormat()); }
};

struct DepthCase {
    int MaxDepth;
    int Units;
    int Range;
};

TEST_F(StatisticsTest, DepthRangesRoundTenthsOfAMetreOrFeetTiesToEven) {
    const DepthCase cases[] = {
        {1000, kMetric, 1},    // exactly 10.0 m is not below 10 m
        {996, kMetric, 1},     // 99.6 tenths round up to 100
        {994, kMetric, 0},     // 99.4 round down to 99
        {995, kMetric, 1},     // 99.5: tie, even 100
        {985, kMetric, 0},     // 98.5: tie, even 98
        {4994, kMetric, 4},    //
        {4995, kMetric, 5},    // 499.5: tie, even 500
        {0, kMetric, 0},       //
        {910, kImperial, 1},   // 30.03 ft round to 30
        {893, kImperial, 0},   // 29.47 ft
        {4545, kImperial, 5},  // 149.985 ft round to 150
        {kNotSet, kMetric, 5}, {kNotSet, kImperial, 5}, {-10, kMetric, 5},  // read as unsigned 16 bits
    };
    for (const DepthCase& c : cases)
        EXPECT_EQ(DepthRangeOf(c.MaxDepth, c.Units), c.Range) << c.MaxDepth << " cm, units " << c.Units;
}

TEST_F(StatisticsTest, TimesAddUpAndAMissingTimeLowersTheMean) {
    std::vector<std::unique_ptr<TDiveRec>> dives;
    dives.push_back(MakeDive(150000, 1200, 45));
    dives.push_back(MakeDive(150001, 1200, 50));
    dives.push_back(MakeDive(150002, 1200, 52));
    TDiveCollection log = Log(std::move(dives));
    TStatistics s = ComputeStatistics(log, {}, false, kMetric);
    EXPECT_EQ(s.ValueText(EStatRow::Time), "2:27");
    EXPECT_EQ(s.ValueText(EStatRow::avTime), "0:49");
    EXPECT_EQ(s.ShareText(EStatRow::Time), "");
    EXPECT_EQ(s.ShareText(EStatRow::avTime), "");

    log.AddDive(MakeDive(150003, 1200, kNotSet), 0, 1);
    s = ComputeStatistics(log, {}, false, kMetric);
    EXPECT_EQ(s.ValueText(EStatRow::Dives), "4");
    EXPECT_EQ(s.ShareText(EStatRow::Dives), "(100 %)");
    EXPECT_EQ(s.ValueText(EStatRow::Time), "2:27");
    EXPECT_EQ(s.ValueText(EStatRow::avTime), "0:37");  // 147 / 4 = 36.75

    EXPECT_EQ(FormatStatisticsTime(0), "0:00");
    EXPECT_EQ(FormatStatisticsTime(725), "12:05");
    EXPECT_EQ(FormatStatisticsTime(65535LL * 65534), "71579511:30");  // no wrap on a full logbook
}

TEST_F(StatisticsTest, SharesAreRoundedEachForItself) {
    std::vector<std::unique_ptr<TDiveRec>> dives;
    dives.push_back(MakeDive(150000, 500, 30));
    dives.push_back(MakeDive(150001, 1500, 30));
    dives.push_back(MakeDive(150002, 2500, 30));
    const TDiveCollection three = Log(std::move(dives));
    const TStatistics s = ComputeStatistics(three, {}, false, kMetric);
    for (EStatRow row : {EStatRow::R0, EStatRow::R1, EStatRow::R2}) {
        EXPECT_EQ(s.ValueText(row), "1");
        EXPECT_EQ(s.ShareText(row), "(33 %)");  // three times 33, not 100 together
    }
    EXPECT_EQ(s.ShareText(EStatRow::R3), "(0 %)");

    // 1 of 8 is 12.5 and 3 of 8 is 37.5: ties go to the even number.
    std::vector<std::unique_ptr<TDiveRec>> eight;
    for (int i = 0; i < 8; ++i) {
        eight.push_back(MakeDive(150000 + i, 1500, 30));
        if (i < 1) eight.back()->DiveType |= DiveTypeFlag::kNitrox;
        if (i < 3) eight.back()->DiveType |= DiveTypeFlag::kSea;
    }
    const TStatistics e = ComputeStatistics(Log(std::move(eight)), {}, false, kMetric);
    EXPECT_EQ(e.ShareText(EStatRow::Nitrox), "(12 %)");
    EXPECT_EQ(e.ShareText(EStatRow::Sea), "(38 %)");
}

TEST_F(StatisticsTest, TypeAndActivityBitsAreCountedEachForItself) {
    std::vector<std::unique_ptr<TDiveRec>> dives;
    dives.push_back(MakeDive(150000, 1500, 30));
    dives.back()->DiveType = DiveTypeFlag::kNitrox | DiveTypeFlag::kSCR | DiveTypeFlag::kNostop |
                             DiveTypeFlag::kDecomp | DiveTypeFlag::kFresh | DiveTypeFlag::kSea;
    dives.back()->Activities = 0x0FFF;
    dives.back()->OtherActivity = "wall";
    dives.back()->SurfaceInterval = 90;
    dives.push_back(MakeDive(150001, 1500, 30));
    dives.back()->DiveType = DiveTypeFlag::kMultil | DiveTypeFlag::kRepetitive;
    dives.back()->Activities = 0x0010 | 0x0100;  // night and wreck
    dives.back()->SurfaceInterval = 0;
    dives.push_back(MakeDive(150002, 1500, 30));  // none of them
    const TStatistics s = ComputeStatistics(Log(std::move(dives)), {}, false, kMetric);
    const std::pair<EStatRow, int> expected[] = {
        {EStatRow::Rept, 2},  {EStatRow::Nitrox, 1}, {EStatRow::SCR, 1},    {EStatRow::Nostop, 1},
        {EStatRow::Deco, 1},  {EStatRow::Multi, 1},  {EStatRow::Square, 0}, {EStatRow::Fresh, 1},
        {EStatRow::Sea, 1},   {EStatRow::Sight, 1},  {EStatRow::Night, 2},  {EStatRow::Wreck, 2},
        {EStatRow::Photo, 1}, {EStatRow::Other, 1},  {EStatRow::R1, 3},
    };
    for (const auto& [row, n] : expected) EXPECT_EQ(s.CountOf(row), n) << StatRowName(row).toStdString();
}

TEST_F(StatisticsTest, SelectedOnlyCountsTheSelectedLinesAndDatesTheTitleFromThem) {
    std::vector<std::unique_ptr<TDiveRec>> dives;
    dives.reserve(5);
    for (int i = 0; i < 5; ++i) dives.push_back(MakeDive(DayNoOfDate(QDate(2023, 4, 1 + i)), 1500, 40));
    const TDiveCollection log = Log(std::move(dives));
    const std::vector<bool> lines{false, true, false, true};  // line 4 has no entry: unselected
    const TStatistics s = ComputeStatistics(log, lines, true, kMetric);
    EXPECT_EQ(s.Count, 2);
    EXPECT_EQ(s.ShareText(EStatRow::R1), "(100 %)");
    EXPECT_EQ(StatisticsTitle(s, true, std::nullopt), "Statistics (02.04.2023 - 04.04.2023)");
    // A selection made with the selection dialog shows that dialog's dates, in both modes.
    const auto dialog = std::make_pair(QStringLiteral("01.01.2023"), QStringLiteral("31.12.2023"));
    EXPECT_EQ(StatisticsTitle(s, false, dialog), "Statistics (01.01.2023 - 31.12.2023)");
    const TStatistics all = ComputeStatistics(log, lines, false, kMetric);
    EXPECT_EQ(all.Count, 5);
    EXPECT_EQ(StatisticsTitle(all, false, dialog), "Statistics (01.01.2023 - 31.12.2023)");
    // Without dialog dates (the dialog never opened) the counted dives date the title.
    EXPECT_EQ(StatisticsTitle(all, false, std::nullopt), "Statistics (01.04.2023 - 05.04.2023)");
    SetCurrentLanguage(kGerman);
    EXPECT_EQ(StatisticsTitle(all, true, std::nullopt), "Statistik (01.04.2023 - 05.04.2023)");
}

TEST_F(StatisticsTest, NothingSelectedShowsZerosEmptySharesAndNoDates) {
    std::vector<std::unique_ptr<TDiveRec>> dives;
    dives.push_back(MakeDive(150000, 1500, 40));
    dives.back()->DiveType = DiveTypeFlag::kNitrox;
    const TStatistics s = ComputeStatistics(Log(std::move(dives)), {false}, true, kMetric);
    for (const TStatLabel& l : StatisticsPanelLabels()) {
        const QString text = StatisticsLabelText(l, s, kEnglish, kMetric);
        if (l.Kind == EStatLabelKind::Share) {
            EXPECT_EQ(text, "") << l.Name().toStdString();
        }
        if (l.Kind != EStatLabelKind::Value) continue;
        const bool time = l.Row == EStatRow::Time || l.Row == EStatRow::avTime;
        EXPECT_EQ(text, time ? "0:00" : "0") << l.Name().toStdString();
    }
    EXPECT_EQ(StatisticsTitle(s, true, std::nullopt), "Statistics ( - )");
}

TEST_F(StatisticsTest, CaptionsFollowTheLanguageButDepthRangesOnlyTheUnits) {
    EXPECT_EQ(StatisticsCaption(EStatRow::Dives, kEnglish, kMetric), "Number of dives:");
    EXPECT_EQ(StatisticsCaption(EStatRow::Dives, kGerman, kMetric), QString::fromUtf8("Anzahl Tauchgänge:"));
    EXPECT_EQ(StatisticsCaption(EStatRow::Fresh, kGerman, kImperial), QString::fromUtf8("Süsswasser:"));
    // A language the program does not have keeps the window's built-in German captions.
    EXPECT_EQ(StatisticsCaption(EStatRow::Other, 7, kMetric), "Andere:");
    const char* metric[] = {
        "0 ... 10 m:", "10 ... 20 m:", "20 ... 30 m:", "30 ... 40 m:", "40 ... 50 m:", ">50 m:"};
    const char* imperial[] = {
        "0 ... 30 ft:", "30 ... 60 ft:", "60 ... 90 ft:", "90 ...120 ft:", "120 ...150 ft:", ">150 ft:"};
    for (int lang = 0; lang < kLanguageCount; ++lang) {
        EXPECT_EQ(StatisticsCaption(EStatRow::SCR, lang, kMetric), "SCR:");
        for (int r = 0; r < kDepthRangeCount; ++r) {
            const auto row = static_cast<EStatRow>(static_cast<int>(EStatRow::R0) + r);
            EXPECT_EQ(StatisticsCaption(row, lang, kMetric), metric[r]);
            EXPECT_EQ(StatisticsCaption(row, lang, kImperial), imperial[r]);
        }
        for (EStatRow row : StatRows()) EXPECT_FALSE(StatisticsCaption(row, lang, kMetric).isEmpty());
    }
}

TEST_F(StatisticsTest, PanelLabelsDoNotOverlapAndStayInsideThePanel) {
    const std::vector<TStatLabel>& labels = StatisticsPanelLabels();
    ASSERT_EQ(labels.size(), 3u * kStatRowCount);
    const QRect panel(0, 0, kStatisticsPanelWidth, kStatisticsPanelHeight);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        EXPECT_TRUE(panel.contains(labels[i].Rect)) << labels[i].Name().toStdString();
        for (std::size_t j = i + 1; j < labels.size(); ++j)
            EXPECT_FALSE(labels[i].Rect.intersects(labels[j].Rect))
                << labels[i].Name().toStdString() << " / " << labels[j].Name().toStdString();
    }
}

}  // namespace
