// The statistics window through the main window's Statistics command: which dives it counts,
// its radio buttons, its title, and its captions after a change of language or units.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "KelwinTestSupport.h"
#include "Language.h"
#include "TCaptionRegistry.h"
#include "TDateFormat.h"
#include "TKelvara.h"
#include "TKelwinDiveWindows.h"
#include "TKelwinReports.h"
#include "TSelectDialog.h"
#include "TStatistic.h"
#include "TestApplication.h"
#include "WhenModalShown.h"

namespace {

class StatisticTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        SetCurrentLanguage(kEnglish);
        SetCurrentUnitSystem(kMetric);
        TDateFormat format;
        format.ShortDateFormat = QStringLiteral("dd.MM.yyyy");
        SetCurrentDateFormat(format);
        ASSERT_TRUE(m_dir.isValid());
        m_settings = SettingsRecord::Defaults();
        auto prompts = std::make_unique<TScriptedPrompts>();
        m_main = std::make_unique<TKelvara>(
            m_settings,
            TKelwinPaths{m_dir.path() + "/exe/", m_dir.path() + "/data/", m_dir.path() + "/docs/"},
            std::move(prompts));
        m_dives = std::make_unique<TKelwinDiveWindows>(*m_main);
        m_reports = std::make_unique<TKelwinReports>(*m_main, m_dives->SelectDialog());
        TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(kEnglish);
        m_main->show();
    }
    void TearDown() override {
        m_reports.reset();
        m_dives.reset();
        m_main.reset();
        SetCurrentLanguage(kEnglish);
        SetCurrentUnitSystem(kMetric);
        SetCurrentDateFormat(TDateFormat());
    }

    // Five dives on 1..5 April 2023: 12 m, 25 m, 12 m, 45 m, 8 m; the second one on nitrox.
    void UseFiveDives() {
        auto log = Logbook({1, 2, 3, 4, 5});
        const int depths[] = {1200, 2500, 1200, 4500, 800};
        for (std::size_t i = 0; i < log->Count(); ++i) {
            log->At(i).DayNo = DayNoOfDate(QDate(2023, 4, 1 + static_cast<int>(i)));
            log->At(i).MaxDepth = static_cast<std::int16_t>(depths[i]);
        }
        log->At(1).DiveType = DiveTypeFlag::kNitrox;
        m_main->ReplaceLogbook(std::move(log));
    }
    void SelectByHand(const std::vector<int>& lines) {
        m_main->DiveList()->clearSelection();
        for (int line : lines) m_main->SelectLine(line, true);
        m_main->SetHandSelection(true);
    }
    TStatistic& Window() { return *m_reports->Statistic(); }
    QString Text(const char* label) { return Window().Label(QString::fromLatin1(label))->text(); }

    QTemporaryDir m_dir;
    SettingsRecord m_settings;
    std::unique_ptr<TKelvara> m_main;
    std::unique_ptr<TKelwinDiveWindows> m_dives;
    std::unique_ptr<TKelwinReports> m_reports;
};

TEST_F(StatisticTest, CommandCountsTheSelectedDivesWhenMoreThanOneLineIsSelected) {
    UseFiveDives();
    SelectByHand({1, 3});
    QString title;
    QString shown[4];
    TWhenModalShown<TStatistic> check([&](TStatistic& w) {
        EXPECT_TRUE(w.RadioSel()->isChecked());
        EXPECT_FALSE(w.RadioAll()->isChecked());
        title = w.windowTitle();
        shown[0] = Text("nDives");
        shown[1] = Text("pDives");
        shown[2] = Text("nNitrox");
        shown[3] = Text("pNitrox");
        w.RadioAll()->click();  // recounts the whole logbook
        EXPECT_EQ(Text("nDives"), "5");
        EXPECT_EQ(Text("nR1"), "2");
        EXPECT_EQ(Text("pR1"), "(40 %)");
        EXPECT_EQ(Text("nR5"), "0");
        EXPECT_EQ(w.windowTitle(), "Statistics (01.04.2023 - 05.04.2023)");
        w.OKBtn()->click();
    });
    m_main->Action(ECommand::Statistics)->trigger();
    ASSERT_TRUE(check.Ran());
    EXPECT_EQ(title, "Statistics (02.04.2023 - 04.04.2023)");
    EXPECT_EQ(shown[0], "2");
    EXPECT_EQ(shown[1], "(100 %)");
    EXPECT_EQ(shown[2], "1");
    EXPECT_EQ(shown[3], "(50 %)");
}

TEST_F(StatisticTest, OneSelectedLineCountsTheWholeLogbook) {
    UseFiveDives();
    SelectByHand({2});
    Window().Prepare();
    EXPECT_TRUE(Window().RadioAll()->isChecked());
    EXPECT_EQ(Text("nDives"), "5");
    EXPECT_EQ(Text("nR0"), "1");
    EXPECT_EQ(Text("pR0"), "(20 %)");
    EXPECT_EQ(Text("nR4"), "1");

    // "Selected dives" with no line selected: zeros, empty shares, no dates.
    m_main->DiveList()->clearSelection();
    Window().RadioSel()->click();
    EXPECT_EQ(Text("nDives"), "0");
    EXPECT_EQ(Text("pDives"), "");
    EXPECT_EQ(Text("nTime"), "0:00");
    EXPECT_EQ(Text("navTime"), "0:00");
    EXPECT_EQ(Text("pNitrox"), "");
    EXPECT_EQ(Window().windowTitle(), "Statistics ( - )");
}

TEST_F(StatisticTest, TitleTakesTheSelectionDialogsDatesAfterASelectionWithIt) {
    UseFiveDives();
    TSelectDialog& select = *m_dives->SelectDialog();
    select.Load(m_main->Logbook());
    select.Date1()->setText("02.04.2023");
    select.Date2()->setText("30.04.2023");
    SelectByHand({1, 2, 3, 4});
    m_main->SetHandSelection(false);  // as the selection dialog's OK leaves it
    Window().Prepare();
    EXPECT_EQ(Window().windowTitle(), "Statistics (02.04.2023 - 30.04.2023)");
    Window().RadioAll()->click();
    EXPECT_EQ(Window().windowTitle(), "Statistics (02.04.2023 - 30.04.2023)");
}

TEST_F(StatisticTest, CaptionsFollowLanguageAndUnitsExceptTheFixedOnes) {
    UseFiveDives();
    m_main->ApplyOptions(kGerman, kImperial);
    EXPECT_EQ(Text("Dives"), QString::fromUtf8("Anzahl Tauchgänge:"));
    EXPECT_EQ(Text("R0"), "0 ... 30 ft:");
    EXPECT_EQ(Text("R3"), "90 ...120 ft:");
    EXPECT_EQ(Text("SCR"), "SCR:");
    Window().Prepare();
    EXPECT_EQ(Text("nR0"), "1");  // 8 m is 26 ft
    EXPECT_EQ(Text("nR1"), "2");  // 12 m is 39.6 ft, rounded 40
    EXPECT_EQ(Text("nR2"), "1");  // 25 m is 82.5 ft, rounded to the even 82
    m_main->ApplyOptions(kFrench, kMetric);
    EXPECT_EQ(Text("R5"), ">50 m:");
    EXPECT_EQ(Text("SCR"), "SCR:");
    EXPECT_EQ(Text("Dives"), QString::fromUtf8("Nombre de plongées :"));
}

TEST_F(StatisticTest, CommandIsEnabledOnlyWithACurrentDive) {
    m_main->ReplaceLogbook(std::make_unique<TDiveCollection>());
    EXPECT_FALSE(m_main->Action(ECommand::Statistics)->isEnabled());
    EXPECT_FALSE(m_main->Button(ECommand::Statistics)->isEnabled());
    UseFiveDives();
    EXPECT_TRUE(m_main->Action(ECommand::Statistics)->isEnabled());
    EXPECT_TRUE(m_main->Button(ECommand::Statistics)->isEnabled());
}

}  // namespace
