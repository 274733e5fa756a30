// The profile window: showing and leaving with the current dive, the cursor under keys and
// mouse, the replay in idle time that stores the dive's analysis, and its place in the main
// window (Profile command, the dive list's cursor keys).

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMdiArea>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <memory>

#include <gtest/gtest.h>

#include "DiveAnalysis.h"
#include "KelwinTestSupport.h"
#include "Language.h"
#include "TCaptionRegistry.h"
#include "TDispDlg.h"
#include "TGraphDlg.h"
#include "TIdleHook.h"
#include "TKelvara.h"
#include "TKelwinApp.h"
#include "TKelwinProfile.h"
#include "TParameterTables.h"
#include "TProfileBlockBuilder.h"
#include "TTissueModel.h"
#include "TableGenerator.h"
#include "TestApplication.h"

namespace {

// A key pressed and released on a widget, as the keyboard delivers it.
void KeyClick(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(widget, &release);
}

void Mouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// A downloaded air dive of `minutes` at 18 m (family F, so the model counts oxygen too).
std::unique_ptr<TDiveRec> ProfiledDive(std::uint16_t number, int minutes, double depth = 1.8) {
    TProfileBlockBuilder b(ProfileFamily::F);
    b.AddWaypoint(0, 0).AddWaypoint(2, depth).AddWaypoint(minutes - 4, depth).AddWaypoint(minutes, 0);
    auto d = std::make_unique<TDiveRec>();
    d->DiveNumber = number;
    d->DayNo = 150000 + number;
    d->StartTime = 600;
    d->HwSw = 0x00F0;
    d->AltitudeRange = 1;
    d->TankSize = 1200;
    d->AirConsumption = 14000;
    d->DiveTime = static_cast<std::uint16_t>(minutes);
    d->MinWaterTemp = 1800;
    d->DeviceTime = 1000u + number;
    d->ProfileBlock = b.Build();
    return d;
}

class GraphDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        SetCurrentLanguage(kEnglish);
        SetCurrentUnitSystem(kMetric);
        ASSERT_TRUE(m_dir.isValid());
        const TResult written = WriteTables(GenerateTables(DefaultTableSettings()), m_dir.path());
        ASSERT_TRUE(written.Ok()) << written.ErrorText.toStdString();
        m_tables = std::make_unique<TParameterTables>(m_dir.path());
        m_tables->OpenParameterTables();
        m_settings = SettingsRecord::Defaults();
        m_area = std::make_unique<QMdiArea>();
        m_area->resize(900, 700);
        m_area->show();
        QApplication::setActiveWindow(m_area.get());  // keyboard focus needs an active window
        m_graph = new TGraphDlg(*m_area, m_settings, *m_tables, m_idle);
        m_graph->UpdateCompanions = [this](int point) { m_companions.push_back(point); };
        m_graph->ProfileWindowStateChanged = [this](bool shown, bool minimised) {
            m_states.emplace_back(shown, minimised);
        };
        m_graph->DiveAnalysed = [this](TDiveRec* d) { m_analysed.push_back(d); };
        m_graph->ReportError = [this](const QString& text) { m_errors << text; };
        m_graph->resize(700, 450);
        m_idle.Install();
    }
    void TearDown() override {
        if (m_graph && !m_graph->parent()) delete m_graph.data();
        m_area.reset();
    }

    // Runs idle turns until the replay has finished (or a generous number of turns).
    void FinishReplay() {
        for (int turn = 0; turn < 5000 && m_graph->Replaying(); ++turn)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    int XOfPoint(int i) const {
        const ProfileLayout& l = m_graph->Plot().Layout;
        return l.OriginX + PointToX(l, i);
    }
    void Key(int key, Qt::KeyboardModifiers m = Qt::NoModifier) { KeyClick(m_graph->Scroller(), key, m); }
    // The chart as the window paints it (which also lays it out).
    QImage Paint() { return m_graph->Chart()->grab().toImage(); }

    QTemporaryDir m_dir;
    std::unique_ptr<TParameterTables> m_tables;
    SettingsRecord m_settings;
    TIdleHook m_idle;  // outlives the window, which leaves it at its end
    std::unique_ptr<QMdiArea> m_area;
    QPointer<TGraphDlg> m_graph;
    std::vector<int> m_companions;
    std::vector<std::pair<bool, bool>> m_states;
    std::vector<TDiveRec*> m_analysed;
    QStringList m_errors;
};

TEST_F(GraphDlgTest, ReplayStoresTheAnalysisAndRenewsTheReadout) {
    auto dive = ProfiledDive(12, 40);
    m_graph->ShowDive(dive.get());
    EXPECT_EQ(m_graph->windowTitle(), "Profile Dive 12");
    EXPECT_EQ(m_graph->ReplayedCount(), 0);
    EXPECT_FALSE(m_graph->GrPanel()->text().contains("no stop"));
    Paint();
    FinishReplay();
    ASSERT_FALSE(m_graph->Replaying());
    EXPECT_EQ(m_graph->ReplayedCount(), m_graph->Profile().Count + 1);

    // The same result as a replay of the dive in one go.
    TDiveRec expected = *dive;
    expected.Analysed = 0;
    auto profile = std::make_unique<DiveProfile>();
    TTissueModel model(*m_tables);
    AnalyseDive(expected, *profile, model);
    EXPECT_EQ(dive->Analysed, 1);
    EXPECT_EQ(dive->StopInfo, expected.StopInfo);
    EXPECT_EQ(dive->DiveType, expected.DiveType);
    EXPECT_TRUE(
        m_graph->GrPanel()->text().endsWith(QStringLiteral("Min. no stop time: %1'").arg(dive->StopInfo)))
        << m_graph->GrPanel()->text().toStdString();
    ASSERT_EQ(m_analysed.size(), 1u);
    EXPECT_EQ(m_analysed[0], dive.get());
    // The companions saw the cursor's point when the dive came and when the replay reached it.
    EXPECT_EQ(m_companions, (std::vector<int>{0, 0}));
    EXPECT_TRUE(m_errors.isEmpty());
}

TEST_F(GraphDlgTest, AnAnalysedDiveKeepsItsStoredResult) {
    auto dive = ProfiledDive(3, 30);
    dive->Analysed = 1;
    dive->StopInfo = 0x80 | 42;
    const std::uint16_t type = dive->DiveType;
    m_graph->ShowDive(dive.get());
    FinishReplay();
    EXPECT_EQ(dive->StopInfo, 0x80 | 42);
    EXPECT_EQ(dive->DiveType, type);
    EXPECT_TRUE(m_analysed.empty());
    EXPECT_TRUE(m_graph->GrPanel()->text().endsWith("Max. ascent time: 42'"));
}

TEST_F(GraphDlgTest, KeysMoveTheCursorWithinTheProfile) {
    auto dive = ProfiledDive(1, 30);
    m_graph->ShowDive(dive.get());
    FinishReplay();
    const int count = m_graph->Profile().Count;
    m_companions.clear();
    Key(Qt::Key_End);
    EXPECT_EQ(m_graph->CursorIndex(), count);
    Key(Qt::Key_Right);  // at the last point it stays
    EXPECT_EQ(m_graph->CursorIndex(), count);
    Key(Qt::Key_Left);
    EXPECT_EQ(m_graph->CursorIndex(), count - 1);
    Key(Qt::Key_Right, Qt::ControlModifier);  // would pass the end: stays
    EXPECT_EQ(m_graph->CursorIndex(), count - 1);
    Key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(m_graph->CursorIndex(), count - 4);
    Key(Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);  // Ctrl only on its own
    EXPECT_EQ(m_graph->CursorIndex(), count - 5);
    Key(Qt::Key_Home);
    EXPECT_EQ(m_graph->CursorIndex(), 0);
    Key(Qt::Key_Left);
    EXPECT_EQ(m_graph->CursorIndex(), 0);
    // Every key, also one that does not move the cursor, showed its point in the companions.
    Key(Qt::Key_A);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_companions,
              (std::vector<int>{count, count, count - 1, count - 1, count - 4, count - 5, 0, 0, 0}));
    // The scroll bar never saw the cursor keys.
    EXPECT_EQ(m_graph->Scroller()->value(), 0);
}

TEST_F(GraphDlgTest, MouseMovesAndDragsTheCursorAndFocusesTheScrollBar) {
    auto dive = ProfiledDive(1, 30);
    m_graph->ShowDive(dive.get());
    m_graph->ShowWindow();
    Paint();
    QWidget* chart = m_graph->Chart();
    const int y = m_graph->PlotArea().center().y();

    Mouse(chart, QEvent::MouseButtonPress, QPoint(XOfPoint(30), y), Qt::LeftButton);
    EXPECT_EQ(m_graph->CursorIndex(), 30);
    Mouse(chart, QEvent::MouseMove, QPoint(XOfPoint(45), y), Qt::LeftButton);
    EXPECT_EQ(m_graph->CursorIndex(), 45);
    Mouse(chart, QEvent::MouseButtonRelease, QPoint(XOfPoint(45), y), Qt::NoButton);
    EXPECT_EQ(m_graph->Scroller(), QApplication::focusWidget());
    // After the button is up a move no longer drags; left of the chart is ignored.
    Mouse(chart, QEvent::MouseMove, QPoint(XOfPoint(10), y), Qt::NoButton);
    EXPECT_EQ(m_graph->CursorIndex(), 45);
    Mouse(chart, QEvent::MouseButtonPress, QPoint(2, y), Qt::LeftButton);
    Mouse(chart, QEvent::MouseButtonRelease, QPoint(2, y), Qt::NoButton);
    EXPECT_EQ(m_graph->CursorIndex(), 45);
    EXPECT_EQ(m_companions.back(), 45);
}

TEST_F(GraphDlgTest, CursorMoveRepaintsOnlyItsStrips) {
    auto dive = ProfiledDive(1, 30);
    m_graph->ShowDive(dive.get());
    const QImage before = Paint();
    EXPECT_TRUE(m_graph->MoveCursor(20));
    EXPECT_FALSE(m_graph->MoveCursor(-1));
    EXPECT_FALSE(m_graph->MoveCursor(m_graph->Profile().Count + 1));
    const QImage after = Paint();
    QRect changed;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y)) changed |= QRect(x, y, 1, 1);
    const ProfileLayout& l = m_graph->Plot().Layout;
    EXPECT_EQ(changed.left(), l.OriginX + PointToX(l, 0));
    EXPECT_EQ(changed.right(), l.OriginX + PointToX(l, 20));
    EXPECT_EQ(changed.height(), l.FullHeight + 1);
    // The line inverts the chart under it (aqua XOR), here the background of the band.
    const int x = l.OriginX + PointToX(l, 20);
    const int y = l.OriginY + l.DepthHeight + 3;
    const QRgb under = before.pixel(x + 1, y);
    EXPECT_EQ(after.pixel(x, y), qRgb(qRed(under), 255 - qGreen(under), 255 - qBlue(under)));
}

TEST_F(GraphDlgTest, ADiveWithoutProfileTakesTheWindowOutAndItComesBackInPlace) {
    auto dive = ProfiledDive(1, 30);
    m_graph->ShowDive(dive.get());
    m_graph->move(40, 30);
    const QRect placed = m_graph->geometry();
    m_states.clear();
    TDiveRec hand;  // entered by hand: no profile
    m_graph->ShowDive(&hand);
    EXPECT_TRUE(m_graph->TakenOut());
    EXPECT_FALSE(m_graph->isVisible());
    EXPECT_EQ(m_graph->Dive(), nullptr);
    EXPECT_FALSE(m_graph->Replaying());
    ASSERT_FALSE(m_states.empty());
    EXPECT_EQ(m_states.back(), std::make_pair(false, false));
    m_companions.clear();
    Key(Qt::Key_End);  // nothing to move, nothing to show
    EXPECT_TRUE(m_companions.empty());

    m_graph->ShowDive(dive.get());
    EXPECT_FALSE(m_graph->TakenOut());
    EXPECT_TRUE(m_graph->isVisible());
    EXPECT_EQ(m_graph->geometry(), placed);
    EXPECT_EQ(m_states.back(), std::make_pair(true, false));
    EXPECT_EQ(m_graph->CursorIndex(), 0);
}

TEST_F(GraphDlgTest, ProfileCommandRestoresTheMinimisedWindow) {
    auto dive = ProfiledDive(1, 30);
    m_graph->ShowDive(dive.get());
    m_graph->showMinimized();
    EXPECT_EQ(m_states.back(), std::make_pair(true, true));
    m_graph->ShowWindow();
    EXPECT_FALSE(m_graph->isMinimized());
    EXPECT_EQ(m_states.back(), std::make_pair(true, false));
    EXPECT_EQ(QApplication::focusWidget(), m_graph->Scroller());
}

TEST_F(GraphDlgTest, MissingTableIsReportedAndTheChartStillShows) {
    auto dive = ProfiledDive(1, 30);
    QFile::remove(m_dir.path() + "/KvASC.TAB");
    m_graph->ShowDive(dive.get());
    ASSERT_EQ(m_errors.size(), 1);
    EXPECT_TRUE(m_errors[0].contains("KvASC.TAB"));
    EXPECT_FALSE(m_graph->Replaying());
    FinishReplay();
    EXPECT_EQ(dive->Analysed, 0);
    EXPECT_FALSE(m_graph->TakenOut());
}

// When the main window is destroyed its idle hook goes before the child windows.
TEST(GraphDlgLifetimeTest, TheWindowMayOutliveTheIdleHook) {
    TestApplication();
    TParameterTables tables(QStringLiteral("/nonexistent/"));
    SettingsRecord settings = SettingsRecord::Defaults();
    auto idle = std::make_unique<TIdleHook>();
    QMdiArea area;
    auto* window = new TGraphDlg(area, settings, tables, *idle);
    const QPointer<TGraphDlg> graph = window;
    idle.reset();
    delete window;
    EXPECT_TRUE(graph.isNull());
}

// The profile window inside Kelwin: started on a logbook whose last dive has a profile.
TEST(GraphDlgStartTest, ProfileCommandAndTheDiveListsCursorKeys) {
    TestApplication();
    SetCurrentLanguage(kEnglish);
    SetCurrentUnitSystem(kMetric);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString exe = dir.path() + "/exe/";
    MakeProgramFolder(exe);
    ASSERT_TRUE(WriteTables(GenerateTables(DefaultTableSettings()), exe).Ok());
    TDiveCollection log;
    log.AddDive(std::make_unique<TDiveRec>(*Dive(1, 0)), 0, 1);  // hand-entered, no profile
    log.AddDive(ProfiledDive(2, 35), 0, 1);
    WriteLogbook(exe + "EXAMPLE.LOG", log);  // a first start opens the example logbook
    TKelwinEnvironment env;
    env.ExeDir = exe;
    env.AppDataFolder = dir.path() + "/appdata";
    env.Arguments = {exe + "EXAMPLE.LOG"};
    env.Locale = QLocale(QLocale::English, QLocale::UnitedStates);
    env.ShowSplash = false;
    env.MakePrompts = [] { return std::make_unique<TScriptedPrompts>(); };
    {
        TKelwinApp app(env);
        ASSERT_TRUE(app.Start());
        TKelvara& main = *app.MainWindow();
        TGraphDlg& graph = *app.Profile()->GraphDlg();
        ASSERT_EQ(graph.Dive(), main.CurrentDive());
        EXPECT_TRUE(main.Action(ECommand::Profile)->isEnabled());
        EXPECT_TRUE(main.Button(ECommand::Profile)->isEnabled());
        std::vector<int> shown;
        graph.UpdateCompanions = [&shown](int point) { shown.push_back(point); };

        QListView* list = main.DiveList();
        list->setFocus();
        const int line = main.FocusedIndex();
        KeyClick(list, Qt::Key_End);
        EXPECT_EQ(graph.CursorIndex(), graph.Profile().Count);
        KeyClick(list, Qt::Key_Left, Qt::ControlModifier);
        EXPECT_EQ(graph.CursorIndex(), graph.Profile().Count - 3);
        KeyClick(list, Qt::Key_Home);
        EXPECT_EQ(graph.CursorIndex(), 0);
        EXPECT_EQ(main.FocusedIndex(), line);  // the keys were consumed
        EXPECT_EQ(shown.size(), 3u);

        // The replay finishes in idle time and the data window shows the analysed dive.
        for (int turn = 0; turn < 5000 && graph.Replaying(); ++turn) QCoreApplication::processEvents();
        EXPECT_EQ(main.CurrentDive()->Analysed, 1);

        main.Action(ECommand::Profile)->trigger();
        EXPECT_EQ(QApplication::focusWidget(), graph.Scroller());

        // The hand-entered dive has no profile: the window leaves, the command is disabled.
        main.SelectLine(0);
        main.MakeCurrent(0);
        EXPECT_TRUE(graph.TakenOut());
        EXPECT_FALSE(main.Action(ECommand::Profile)->isEnabled());
        main.SetModified(false);
    }
}

}  // namespace
