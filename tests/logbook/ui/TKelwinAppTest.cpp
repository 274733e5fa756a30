// Kelwin's start-up and shutdown on temporary program, data and documents folders.

#include <QAction>
#include <QImage>
#include <QListView>
#include <QMenu>
#include <QScreen>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include "CaptionList.h"
#include "KelwinTestSupport.h"
#include "Language.h"
#include "Messages.h"
#include "Startup.h"
#include "TDispDlg.h"
#include "TKelvara.h"
#include "TKelwinApp.h"
#include "TKelwinDiveWindows.h"
#include "TTitleFit.h"
#include "TestApplication.h"

namespace {

class TKelwinAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        SetCurrentLanguage(kEnglish);
        SetCurrentUnitSystem(kMetric);
        ASSERT_TRUE(m_dir.isValid());
        MakeProgramFolder(ExeDir());
        QDir().mkpath(Path("appdata"));
        QDir().mkpath(Path("docs"));
    }
    void TearDown() override {
        SetCurrentLanguage(kEnglish);
        SetCurrentUnitSystem(kMetric);
    }

    QString Path(const QString& name) const { return m_dir.path() + "/" + name; }
    QString ExeDir() const { return Path("exe/"); }
    QString DataDir() const { return Path("appdata/Vandrel/Kelvara/"); }

    TKelwinEnvironment Environment(const QStringList& args = {}) {
        TKelwinEnvironment env;
        env.ExeDir = ExeDir();
        env.AppDataFolder = Path("appdata");
        env.DocumentsFolder = Path("docs");
        env.Arguments = args;
        env.Locale = QLocale(QLocale::German, QLocale::Germany);
        env.ShowSplash = false;
        env.MakePrompts = [this] {
            auto p = std::make_unique<TScriptedPrompts>();
            m_prompts = p.get();
            return p;
        };
        return env;
    }

    // Settings of an earlier run, so that the start is not a first start.
    void WriteEarlierSettings(const SettingsRecord& s) {
        QDir().mkpath(DataDir());
        WriteSettings(DataDir(), s);
    }

    QTemporaryDir m_dir;
    TScriptedPrompts* m_prompts = nullptr;
};

TEST_F(TKelwinAppTest, ComesUpReadyWithTheLastDiveOfTheNamedLogbook) {
    WriteEarlierSettings(SettingsRecord::Defaults());
    WriteLogbook(Path("trip.log"), *Logbook({5, 6, 7}, {false, false, true}));
    TKelwinApp app(Environment({Path("trip.log")}));
    ASSERT_TRUE(app.Start()) << app.StartError().toStdString();
    TKelvara* main = app.MainWindow();
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(main->Ready());
    EXPECT_TRUE(main->IdleHook().Installed());
    EXPECT_EQ(main->Logbook().Count(), 3u);
    EXPECT_EQ(main->CurrentDive(), &main->Logbook().At(2));
    EXPECT_TRUE(main->HasProfile());
    EXPECT_EQ(main->SelectedIndices(), (std::vector<std::size_t>{2}));
    EXPECT_EQ(main->Menu(0)->title(), "&Logbook");  // English by default
    EXPECT_EQ(app.DataDir(), DataDir());
}

// Every dialog and tool window of the program shows its whole title in every language
// ("Ländereinstellungen" was cut in the country settings dialog).
TEST_F(TKelwinAppTest, EveryWindowShowsItsWholeTitleInEveryLanguage) {
    WriteEarlierSettings(SettingsRecord::Defaults());
    WriteLogbook(Path("trip.log"), *Logbook({5, 6, 7}, {false, false, true}));
    TKelwinApp app(Environment({Path("trip.log")}));
    ASSERT_TRUE(app.Start()) << app.StartError().toStdString();
    int checked = 0;
    for (int lang = 0; lang < 5; ++lang) {
        app.MainWindow()->ApplyOptions(lang, kMetric);
        for (QWidget* window : QApplication::topLevelWidgets()) {
            const Qt::WindowType type = window->windowType();
            if (window == app.MainWindow() || (type != Qt::Dialog && type != Qt::Tool)) continue;
            if (window->windowTitle().isEmpty()) continue;
            const bool wasVisible = window->isVisible();
            window->show();
            QCoreApplication::processEvents();
            EXPECT_GE(window->width(), TitleBarWidth(window->windowTitle()))
                << window->objectName().toStdString() << " \"" << window->windowTitle().toStdString() << "\"";
            if (!wasVisible) window->hide();
            ++checked;
        }
    }
    EXPECT_GE(checked, 5 * 6);  // the dialogs of the dive windows, options, transfer, port, ...
}

TEST_F(TKelwinAppTest, SplashIsShownWhileStartingWhenItsPictureIsThere) {
    WriteEarlierSettings(SettingsRecord::Defaults());
    TKelwinEnvironment env = Environment();
    env.ShowSplash = true;
    {
        TKelwinApp app(env);
        ASSERT_TRUE(app.Start());
        EXPECT_FALSE(app.SplashShown());
    }
    QImage picture(480, 300, QImage::Format_RGB32);
    picture.fill(Qt::darkBlue);
    ASSERT_TRUE(picture.save(ExeDir() + "Kelwin.BMP", "BMP"));
    TKelwinApp app(env);
    ASSERT_TRUE(app.Start());
    EXPECT_TRUE(app.SplashShown());
    // Closed and released at the end of the start-up.
    for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_NE(w->objectName(), "Splash");
}

TEST_F(TKelwinAppTest, MissingTableStopsTheStartWithItsEnglishMessage) {
    SetCurrentLanguage(kGerman);
    QFile::remove(ExeDir() + "KvFIKT.TAB");
    TKelwinApp app(Environment());
    EXPECT_FALSE(app.Start());
    EXPECT_EQ(app.StartError(), "4: File 'KvFIKT.TAB' is missing.");
    EXPECT_EQ(app.MainWindow(), nullptr);
}

TEST_F(TKelwinAppTest, FirstStartWithFrenchMarkerComesUpInFrenchOnTheCopiedExample) {
    WriteBytes(ExeDir() + "FRA.CFG", QByteArray());
    TKelwinApp app(Environment());
    ASSERT_TRUE(app.Start());
    const QString copy = Path("docs") + QString::fromUtf8("/Carnets de plongée/EXAMPLE.LOG");
    EXPECT_TRUE(QFileInfo::exists(copy));
    EXPECT_EQ(ReadAll(copy), ReadAll(ExeDir() + "EXAMPLE.LOG"));
    EXPECT_EQ(app.Settings().LogbookName, copy);
    EXPECT_EQ(app.Settings().LanguageIndex, kFrench);
    EXPECT_EQ(CurrentLanguage(), kFrench);
    TKelvara* main = app.MainWindow();
    EXPECT_EQ(main->Logbook().Count(), 3u);
    EXPECT_EQ(main->windowTitle(), QString::fromUtf8("Kelvara [Carnets de plongée/EXAMPLE.LOG]"));
    const auto french = CaptionList(Program::Kelwin, "TKelvara", kFrench);
    for (const CaptionEntry& e : french) {
        if (e.ControlName() == "LogbookMenu") {
            EXPECT_EQ(main->Menu(0)->title(), e.Text());
        }
    }
    EXPECT_NE(main->Menu(0)->title(), "&Logbook");
}

TEST_F(TKelwinAppTest, FirstStartWithoutDocumentsFolderOpensTheExampleBesideTheProgram) {
    TKelwinEnvironment env = Environment();
    env.DocumentsFolder.clear();
    WriteBytes(ExeDir() + "DEU.CFG", QByteArray());
    TKelwinApp app(std::move(env));
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.Settings().LogbookName, ExeDir() + "EXAMPLE.LOG");
    EXPECT_EQ(CurrentLanguage(), kEnglish);
    EXPECT_EQ(app.MainWindow()->Logbook().Count(), 3u);
}

TEST_F(TKelwinAppTest, ForeignVersionSettingsGiveTheDefaultWindowAndNoName) {
    SettingsRecord s = SettingsRecord::Defaults();
    s.MainPlacement = {100, 120, 900, 700, 0};
    s.LogbookName = ExeDir() + "EXAMPLE.LOG";
    WriteEarlierSettings(s);
    auto image = ReadAll(DataDir() + "KVWIN.DSK");
    image.replace(1, 4, "3.05");
    WriteBytes(DataDir() + "KVWIN.DSK", image);

    TKelwinApp app(Environment());
    ASSERT_TRUE(app.Start());
    TKelvara* main = app.MainWindow();
    EXPECT_EQ(main->frameGeometry(), QRect(0, 0, 640, 480));
    EXPECT_EQ(app.Settings().LogbookName, "NONAME.LOG");
    EXPECT_EQ(main->windowTitle(), "Kelvara [NONAME.LOG]");
    EXPECT_EQ(main->Logbook().Count(), 0u);
    EXPECT_FALSE(QFileInfo::exists(DataDir() + "KVWIN.DSK"));
    // No example was copied: this is not a first start.
    EXPECT_FALSE(QFileInfo::exists(Path("docs/My Logbooks")));
}

TEST_F(TKelwinAppTest, TwoArgumentsNamingLogbooksOpenTheSecond) {
    WriteEarlierSettings(SettingsRecord::Defaults());
    WriteLogbook(Path("a.log"), *Logbook({1}));
    WriteLogbook(Path("b.log"), *Logbook({1, 2}));
    TKelwinApp app(Environment({Path("a.log"), Path("b.log")}));
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.Settings().LogbookName, Path("b.log"));
    EXPECT_EQ(app.MainWindow()->Logbook().Count(), 2u);
}

TEST_F(TKelwinAppTest, PathWithABlankSplitIntoTwoArgumentsOpensThatFile) {
    WriteEarlierSettings(SettingsRecord::Defaults());
    QDir().mkpath(Path("my dives"));
    WriteLogbook(Path("my dives/red sea.log"), *Logbook({1, 2, 3, 4}));
    const QString full = Path("my dives/red sea.log");
    const qsizetype blank = full.indexOf(' ');
    TKelwinApp app(
        Environment({full.left(blank), full.mid(blank + 1, full.indexOf(' ', blank + 1) - blank - 1),
                     full.mid(full.indexOf(' ', blank + 1) + 1)}));
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.Settings().LogbookName, full);
    EXPECT_EQ(app.MainWindow()->Logbook().Count(), 4u);
}

TEST_F(TKelwinAppTest, PathWithOneBlankSplitInTwoOpensThatFile) {
    WriteEarlierSettings(SettingsRecord::Defaults());
    WriteLogbook(Path("red sea.log"), *Logbook({1, 2}));
    const QString full = Path("red sea.log");
    const qsizetype blank = full.lastIndexOf(' ');
    TKelwinApp app(Environment({full.left(blank), full.mid(blank + 1)}));
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.Settings().LogbookName, full);
    EXPECT_EQ(app.MainWindow()->Logbook().Count(), 2u);
}

TEST_F(TKelwinAppTest, DamagedLastLogbookStartsEmptyUnderNoNameAndSaysWhy) {
    SettingsRecord s = SettingsRecord::Defaults();
    s.LogbookName = Path("damaged.log");
    WriteEarlierSettings(s);
    WriteBytes(Path("damaged.log"), QByteArray("\xA1\x00garbage", 9));
    const QByteArray before = ReadAll(Path("damaged.log"));
    TKelwinApp app(Environment());
    ASSERT_TRUE(app.Start());
    ASSERT_EQ(m_prompts->Errors.size(), 1);
    EXPECT_EQ(app.Settings().LogbookName, "NONAME.LOG");
    EXPECT_EQ(app.MainWindow()->Logbook().Count(), 0u);
    EXPECT_EQ(ReadAll(Path("damaged.log")), before);
}

TEST_F(TKelwinAppTest, MaximisedAtCloseComesUpMaximisedAndRestoresItsRectangle) {
    WriteEarlierSettings(SettingsRecord::Defaults());
    QRect before;
    {
        TKelwinApp app(Environment());
        ASSERT_TRUE(app.Start());
        TKelvara* main = app.MainWindow();
        main->setGeometry(50, 60, 700, 500);
        QCoreApplication::processEvents();
        before = main->frameGeometry();
        main->showMaximized();
        QCoreApplication::processEvents();
        ASSERT_TRUE(main->isMaximized());
        ASSERT_NE(main->frameGeometry(), before);
        ASSERT_TRUE(main->close());
    }
    const SettingsRecord stored = ReadSettings(DataDir());
    EXPECT_EQ(stored.MainPlacement,
              (WindowPlacement{before.left(), before.top(), before.right() + 1, before.bottom() + 1, 2}));

    TKelwinApp again(Environment());
    ASSERT_TRUE(again.Start());
    TKelvara* main = again.MainWindow();
    QCoreApplication::processEvents();
    EXPECT_TRUE(main->isMaximized());
    main->showNormal();
    QCoreApplication::processEvents();
    EXPECT_EQ(main->frameGeometry(), before);
}

TEST_F(TKelwinAppTest, SettingsChangedWhileRunningReachTheFileAtClose) {
    WriteEarlierSettings(SettingsRecord::Defaults());
    TKelwinApp app(Environment());
    ASSERT_TRUE(app.Start());
    app.MainWindow()->ApplyOptions(kSpanish, 1);
    EXPECT_EQ(ReadSettings(DataDir()).LanguageIndex, 0);
    ASSERT_TRUE(app.MainWindow()->close());
    const SettingsRecord stored = ReadSettings(DataDir());
    EXPECT_EQ(stored.LanguageIndex, kSpanish);
    EXPECT_EQ(stored.UnitSystem, 1);
}

// Five runs in a row, normal and maximised: after the first close the stored placement of
// the main window no longer changes (a frame counted twice would move and grow it each run).
TEST_F(TKelwinAppTest, StoredPlacementStaysPutOverFiveRuns) {
    for (const std::uint8_t state : {std::uint8_t{0}, std::uint8_t{2}}) {
        SettingsRecord s = SettingsRecord::Defaults();
        s.MainPlacement = {200, 150, 900, 700, state};
        WriteEarlierSettings(s);
        std::vector<WindowPlacement> stored;
        for (int run = 0; run < 5; ++run) {
            TKelwinApp app(Environment());
            ASSERT_TRUE(app.Start());
            QCoreApplication::processEvents();
            ASSERT_TRUE(app.MainWindow()->close());
            stored.push_back(ReadSettings(DataDir()).MainPlacement);
        }
        for (const WindowPlacement& p : stored) EXPECT_EQ(p, stored.front()) << int(state);
        EXPECT_EQ(stored.front(), (WindowPlacement{200, 150, 900, 700, state}));
    }
}

// The data window comes up in the state it had at the last close.
TEST_F(TKelwinAppTest, DataWindowComesUpMinimisedWhenItWasClosedSo) {
    SettingsRecord s = SettingsRecord::Defaults();
    s.DataPlacement = {10, 20, 400, 300, 1};
    WriteEarlierSettings(s);
    WriteLogbook(Path("trip.log"), *Logbook({5, 6}));
    TKelwinApp app(Environment({Path("trip.log")}));
    ASSERT_TRUE(app.Start());
    QCoreApplication::processEvents();
    TDispDlg& disp = *app.DiveWindows()->DispDlg();
    EXPECT_TRUE(disp.isMinimized());
    app.MainWindow()->Action(ECommand::Data)->trigger();
    EXPECT_FALSE(disp.isMinimized());
    EXPECT_TRUE(disp.widget()->isVisible());
    EXPECT_EQ(disp.pos(), QPoint(10, 20));
    ASSERT_TRUE(app.MainWindow()->close());
}

// Placements at the ends of the 32-bit range (a damaged settings file) start the program with
// its windows on the screen; the sanitizer build runs this start too.
TEST_F(TKelwinAppTest, ExtremePlacementsComeUpOnTheScreen) {
    SettingsRecord s = SettingsRecord::Defaults();
    const WindowPlacement extreme{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN, 0};
    const WindowPlacement inverted{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 0};
    s.MainPlacement = extreme;
    s.DataPlacement = inverted;
    s.ProfilePlacement = extreme;
    WriteEarlierSettings(s);
    WriteLogbook(Path("trip.log"), *Logbook({5, 6}));
    TKelwinApp app(Environment({Path("trip.log")}));
    ASSERT_TRUE(app.Start());
    QCoreApplication::processEvents();
    TKelvara* main = app.MainWindow();
    const QRect screen = main->screen()->availableGeometry();
    EXPECT_TRUE(screen.intersects(main->frameGeometry())) << main->frameGeometry().x();
    EXPECT_LE(main->width(), screen.width());
    EXPECT_GE(main->width(), main->minimumWidth());
    TDispDlg& disp = *app.DiveWindows()->DispDlg();
    EXPECT_LE(disp.width(), TDispDlg::kMaxWidth);
    ASSERT_TRUE(main->close());
    const SettingsRecord stored = ReadSettings(DataDir());
    EXPECT_TRUE(
        screen.intersects(QRect(QPoint(stored.MainPlacement.Left, stored.MainPlacement.Top),
                                QPoint(stored.MainPlacement.Right - 1, stored.MainPlacement.Bottom - 1))));
}

}  // namespace
