// The three companion windows of the profile: their toggles and check marks, following
// the profile window, placements in the settings record, and what they show at a point.

#include <QAction>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "KelwinTestSupport.h"
#include "Language.h"
#include "TCaptionRegistry.h"
#include "TCompanionWidgets.h"
#include "TDiveComp.h"
#include "TFaktData.h"
#include "TKelvara.h"
#include "TKelwinApp.h"
#include "TKelwinCompanions.h"
#include "TNeedle.h"
#include "TTissData.h"
#include "TestApplication.h"

namespace {

class CompanionWindowsTest : public testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        SetCurrentLanguage(kGerman);
        SetCurrentUnitSystem(kMetric);
        ASSERT_TRUE(m_dir.isValid());
        m_settings.PanelPlacement = {123, 77, 300, 200, 0};
        m_settings.PhysioPlacement = {40, 50, 200, 200, 1};  // minimised when the program closed
        TKelwinPaths paths{m_dir.path() + "/", m_dir.path() + "/", m_dir.path() + "/"};
        m_main = std::make_unique<TKelvara>(m_settings, paths, std::make_unique<TScriptedPrompts>());
        m_main->RestoreFromSettings();
        m_companions = std::make_unique<TKelwinCompanions>(*m_main);
        m_main->ReplaceLogbook(Logbook({1, 2}, {false, true}));
        ASSERT_TRUE(m_main->HasProfile());

        m_profile = std::make_unique<DiveProfile>();
        m_profile->Count = 12;
        m_dive.MaxDepth = 2210;
        m_dive.TankSize = 1000;
        m_dive.AirConsumption = 14000;
        m_dive.AltitudeRange = 1;
        m_companions->SetSource([this] {
            return CompanionInput{m_profile.get(), m_replayed, &m_dive, kMetric};
        });
    }
    void TearDown() override {
        m_companions.reset();
        m_main->SetModified(false);
        m_main.reset();
        SetCurrentLanguage(kEnglish);
    }
    ProfilePoint& Point(int i) { return m_profile->Points[static_cast<std::size_t>(i)]; }
    bool Marked(ECommand c) const { return m_main->Action(c)->isChecked(); }
    TTissData& Tissue() const { return *m_companions->Tissue(); }
    TFaktData& Physio() const { return *m_companions->Physio(); }
    TDiveComp& Panel() const { return *m_companions->Panel(); }
    template <typename T = QLabel>
    T* Control(QWidget& window, const char* name) const {
        T* control = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    QTemporaryDir m_dir;
    SettingsRecord m_settings;
    std::unique_ptr<TKelvara> m_main;
    std::unique_ptr<TKelwinCompanions> m_companions;
    std::unique_ptr<DiveProfile> m_profile;
    TDiveRec m_dive;
    int m_replayed = 13;
};

TEST_F(CompanionWindowsTest, ToolWindowsTakeTheirPlaceAndStateFromTheSettings) {
    for (QWidget* w : std::initializer_list<QWidget*>{&Tissue(), &Physio(), &Panel()}) {
        EXPECT_TRUE(w->isWindow());
        EXPECT_TRUE(w->windowFlags() & Qt::Tool);
        EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_FALSE(w->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint));
        EXPECT_EQ(w->minimumSize(), w->maximumSize());  // fixed border
        EXPECT_FALSE(w->isVisible());                   // no dive shown yet
    }
    EXPECT_EQ(Panel().pos(), QPoint(123, 77));
    EXPECT_TRUE(Physio().Minimised());
    EXPECT_FALSE(Panel().Minimised());
    EXPECT_TRUE(Marked(ECommand::DiveComputer));
    EXPECT_FALSE(Marked(ECommand::Physiological));
    EXPECT_TRUE(Marked(ECommand::Tissue));
    EXPECT_EQ(Panel().windowTitle(), "Tauchcomputer");
    EXPECT_EQ(Physio().windowTitle(), "Physiol. Daten");
    EXPECT_EQ(Tissue().windowTitle(), "Gewebedaten");
    TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(kEnglish);
    EXPECT_EQ(Tissue().windowTitle(), "Tissue Data");
    EXPECT_EQ(Control(Tissue(), "LBone")->text(), "Bone");
    EXPECT_EQ(Control(Physio(), "LNormal")->text(), "normal");
    EXPECT_EQ(Panel().windowTitle(), "Dive computer");
}

TEST_F(CompanionWindowsTest, WindowsFollowTheProfileWindowUnlessMinimised) {
    m_companions->FollowProfileWindow(true, false);
    EXPECT_TRUE(Tissue().isVisible());
    EXPECT_TRUE(Panel().isVisible());
    EXPECT_FALSE(Physio().isVisible());  // minimised by its toggle

    m_companions->FollowProfileWindow(true, true);  // the profile window is minimised
    EXPECT_FALSE(Tissue().isVisible());
    EXPECT_FALSE(Panel().isVisible());
    m_companions->FollowProfileWindow(true, false);
    EXPECT_TRUE(Tissue().isVisible());
    m_companions->FollowProfileWindow(false, false);  // no dive with a profile
    EXPECT_FALSE(Tissue().isVisible());
    EXPECT_FALSE(Panel().isVisible());
    EXPECT_FALSE(Tissue().Minimised());  // hidden with the profile window, not minimised
}

TEST_F(CompanionWindowsTest, TogglesSwitchBetweenNormalAndMinimisedWithTheirMarks) {
    m_companions->FollowProfileWindow(true, false);
    m_main->Action(ECommand::Physiological)->trigger();
    EXPECT_FALSE(Physio().Minimised());
    EXPECT_TRUE(Physio().isVisible());
    EXPECT_TRUE(Marked(ECommand::Physiological));

    m_main->Button(ECommand::DiveComputer)->trigger();  // the tool button does the same
    EXPECT_TRUE(Panel().Minimised());
    EXPECT_FALSE(Panel().isVisible());
    EXPECT_FALSE(Marked(ECommand::DiveComputer));
    m_main->Action(ECommand::DiveComputer)->trigger();
    EXPECT_TRUE(Panel().isVisible());
    EXPECT_TRUE(Marked(ECommand::DiveComputer));

    // A toggle while the profile window is away restores the state without showing it.
    m_companions->FollowProfileWindow(false, false);
    m_main->Action(ECommand::Tissue)->trigger();
    EXPECT_TRUE(Tissue().Minimised());
    m_main->Action(ECommand::Tissue)->trigger();
    EXPECT_FALSE(Tissue().Minimised());
    EXPECT_FALSE(Tissue().isVisible());
    EXPECT_TRUE(Marked(ECommand::Tissue));
}

TEST_F(CompanionWindowsTest, PaintingSetsTheCheckMark) {
    m_companions->FollowProfileWindow(true, false);
    m_main->Action(ECommand::Tissue)->setChecked(false);
    Tissue().grab();
    EXPECT_TRUE(Marked(ECommand::Tissue));
}

TEST_F(CompanionWindowsTest, PlacementsAndStatesAreSavedWhenTheProgramCloses) {
    m_companions->FollowProfileWindow(true, false);
    Panel().move(210, 180);
    m_main->Action(ECommand::Tissue)->trigger();  // minimised
    m_main->SetModified(false);
    ASSERT_TRUE(m_main->close());
    EXPECT_EQ(m_settings.PanelPlacement.Left, 210);
    EXPECT_EQ(m_settings.PanelPlacement.Top, 180);
    EXPECT_EQ(m_settings.PanelPlacement.State, 0);
    EXPECT_EQ(m_settings.TissuePlacement.State, 1);
    EXPECT_EQ(m_settings.PhysioPlacement.State, 1);
}

TEST_F(CompanionWindowsTest, UpdateCompanionsShowsThePointInAllThreeWindows) {
    m_profile->Family = ProfileFamily::F;
    m_profile->WorkFactor = 4;
    for (int k = 0; k <= 12; ++k) Point(k).Levels = static_cast<std::uint16_t>(2 << 6 | 3 << 3 | 1);
    ProfilePoint& p = Point(6);
    p.DepthWord = static_cast<std::uint16_t>(96 << 6);  // 1.5 bar
    p.Saturation = {101, 100, 80, 60, 40, 30, 20, 10};
    p.Loading = 0x02;
    p.StopIndex = 1;
    p.StopTime = 2;
    p.AscentTime = 7;
    p.CNSPercent = 10;
    p.O2Fraction = 0.32;
    p.PO2 = 0.8;
    m_companions->FollowProfileWindow(true, false);
    m_companions->UpdateCompanions(6);

    EXPECT_EQ(Control<TBarGauge>(Tissue(), "T0")->Value(), 100);
    EXPECT_EQ(Control<TBarGauge>(Tissue(), "T0")->Colour(), QColor(255, 0, 255));
    EXPECT_EQ(Control<TBarGauge>(Tissue(), "T1")->Colour(), QColor(255, 0, 0));
    EXPECT_EQ(Control<TBarGauge>(Tissue(), "T2")->Colour(), QColor(0, 255, 0));
    EXPECT_EQ(Control<TBarGauge>(Tissue(), "T7")->Value(), 10);

    EXPECT_EQ(Physio().BubbleBar()->Value(), 25);
    EXPECT_EQ(Physio().WorkBar()->Value(), 38);  // 37.5 to the even neighbour
    EXPECT_EQ(Physio().TempBar()->Value(), 12);
    EXPECT_EQ(Physio().VisibleDial(), 1);
    EXPECT_EQ(Physio().AirCons()->Value(), 20);  // 4 × 3 + 8
    EXPECT_EQ(Physio().AirCons()->Max(), 60);
    EXPECT_EQ(Physio().AirCons()->Rotation(), TRot::A90);

    EXPECT_EQ(Control(Panel(), "Depth")->text(), "15.0 m");
    EXPECT_EQ(Control(Panel(), "Time")->text(), "  2:");
    EXPECT_EQ(Control(Panel(), "Max")->text(), "22.1 m");
    EXPECT_EQ(Control(Panel(), "Level")->text(), "3");
    EXPECT_EQ(Control(Panel(), "Deco")->text(), "2:");
    EXPECT_EQ(Control(Panel(), "Asc")->text(), "7:");
    EXPECT_EQ(Control(Panel(), "oTox")->text(), "10%");
    EXPECT_EQ(Control(Panel(), "O2Label")->text(), " 32%");
    EXPECT_EQ(Control(Panel(), "pO2Label")->text(), "0.80bar");
    EXPECT_TRUE(Control<TPictureBox>(Panel(), "DecoStopImg")->isVisible());
    EXPECT_FALSE(Control<TPictureBox>(Panel(), "NostopImg")->isVisible());
    EXPECT_TRUE(Control<TPictureBox>(Panel(), "mImg")->isVisible());
    EXPECT_TRUE(Control<TPictureBox>(Panel(), "CNSImg")->isVisible());
    EXPECT_TRUE(Control(Panel(), "pO2Label")->isVisible());
    EXPECT_EQ(Control(Panel(), "Depth")->y(), 4);  // compact layout
    EXPECT_EQ(Control(Panel(), "O2")->y(), 64);

    // A dive without tank data: the empty dial and the needle at 0.
    m_dive.TankSize = kNotSet;
    m_companions->UpdateCompanions(6);
    EXPECT_EQ(Physio().VisibleDial(), 0);
    EXPECT_EQ(Physio().AirCons()->Value(), 0);

    // The cursor ahead of the replay: depth and time, no stop figures.
    m_replayed = 6;
    m_companions->UpdateCompanions(6);
    EXPECT_EQ(Control(Panel(), "Depth")->text(), "15.0 m");
    EXPECT_TRUE(Control(Panel(), "Deco")->text().isEmpty());
    EXPECT_TRUE(Control(Panel(), "Level")->text().isEmpty());
    EXPECT_FALSE(Control<TPictureBox>(Panel(), "DecoStopImg")->isVisible());
    EXPECT_FALSE(Control<TPictureBox>(Panel(), "AscImg")->isVisible());
    EXPECT_FALSE(Control(Panel(), "pO2Label")->isVisible());

    // The basic family: the open layout without the lower row and the CNS mark.
    m_profile->Family = ProfileFamily::Basic;
    m_replayed = 13;
    m_companions->UpdateCompanions(6);
    EXPECT_EQ(Control(Panel(), "Depth")->y(), 8);
    EXPECT_EQ(Control(Panel(), "Max")->y(), 56);
    EXPECT_FALSE(Control<TPictureBox>(Panel(), "CNSImg")->isVisible());
    EXPECT_FALSE(Control(Panel(), "O2")->isVisible());
    EXPECT_TRUE(Control(Panel(), "oTox")->text().isEmpty());
}

TEST(CompanionStartTest, StartUpCreatesTheWindowsWithTheirToggles) {
    TestApplication();
    SetCurrentLanguage(kEnglish);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString exe = dir.path() + "/exe/";
    MakeProgramFolder(exe);
    TKelwinEnvironment env;
    env.ExeDir = exe;
    env.AppDataFolder = dir.path() + "/appdata";
    env.Arguments = {exe + "EXAMPLE.LOG"};
    env.Locale = QLocale(QLocale::English, QLocale::UnitedStates);
    env.ShowSplash = false;
    env.MakePrompts = [] { return std::make_unique<TScriptedPrompts>(); };
    TKelwinApp app(env);
    ASSERT_TRUE(app.Start());
    ASSERT_NE(app.Companions(), nullptr);
    for (ECommand c : {ECommand::DiveComputer, ECommand::Physiological, ECommand::Tissue})
        EXPECT_TRUE(app.MainWindow()->CommandAvailable(c)) << static_cast<int>(c);
    EXPECT_EQ(app.Companions()->Tissue()->parentWidget(), app.MainWindow());
    app.MainWindow()->SetModified(false);
}

}  // namespace
