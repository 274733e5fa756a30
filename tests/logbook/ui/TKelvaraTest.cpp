// The main window's logbook commands, driven through its menu items and tool buttons with
// scripted answers to its questions.

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include "CaptionList.h"
#include "FileSizeLimit.h"
#include "KelwinTestSupport.h"
#include "Language.h"
#include "LogbookCommands.h"
#include "Messages.h"
#include "SaveFaultSeam.h"
#include "Startup.h"
#include "TAboutBox.h"
#include "TCaptionRegistry.h"
#include "TKelvara.h"
#include "TOptions.h"
#include "TRadioGroup.h"
#include "TestApplication.h"

namespace {

class TKelvaraTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        SetCurrentLanguage(kEnglish);
        SetCurrentUnitSystem(kMetric);
        ASSERT_TRUE(m_dir.isValid());
        m_settings = SettingsRecord::Defaults();
        auto prompts = std::make_unique<TScriptedPrompts>();
        m_prompts = prompts.get();
        m_main = std::make_unique<TKelvara>(
            m_settings, TKelwinPaths{Path("exe/"), Path("data/"), Path("docs/")}, std::move(prompts));
        QDir().mkpath(Path("data"));
        TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(kEnglish);
    }
    void TearDown() override {
        EXPECT_TRUE(m_prompts->Unexpected.isEmpty()) << m_prompts->Unexpected.join(", ").toStdString();
        m_main.reset();
    }

    QString Path(const QString& name) const { return m_dir.path() + "/" + name; }

    // Writes the logbook and opens it through the Open command.
    void OpenLogbook(const std::vector<std::uint16_t>& numbers, std::vector<bool> profiles = {}) {
        WriteLogbook(Path("open.log"), *Logbook(numbers, std::move(profiles)));
        m_prompts->OpenFiles.push_back(TFileChoice{Path("open.log"), 0});
        Trigger(ECommand::Open);
        ASSERT_EQ(m_main->Logbook().Count(), numbers.size());
    }

    void Trigger(ECommand command) { m_main->Action(command)->trigger(); }

    QStringList ListLines() const {
        QStringList lines;
        auto* model = m_main->DiveList()->model();
        for (int i = 0; i < model->rowCount(); ++i) lines << model->index(i, 0).data().toString();
        return lines;
    }

    void SelectLines(const std::vector<int>& lines) {
        m_main->DiveList()->clearSelection();
        for (int line : lines) m_main->SelectLine(line, true);
    }

    QTemporaryDir m_dir;
    SettingsRecord m_settings;
    TScriptedPrompts* m_prompts = nullptr;
    std::unique_ptr<TKelvara> m_main;
};

TEST_F(TKelvaraTest, ToolBarHasSixteenButtonsWithHintsAndTheClockOnTheRight) {
    QStringList hints;
    for (QAction* action : m_main->ToolBar()->actions())
        if (!action->toolTip().isEmpty() && !action->icon().isNull()) hints << action->toolTip();
    EXPECT_EQ(hints, (QStringList{"New logbook", "Open logbook", "Save logbook", "Print", "Transfer dives",
                                  "Edit dive", "Insert dive", "Delete dives", "Statistic", "Select dives",
                                  "Adjust local time", "Data window", "Profile window", "Dive computer",
                                  "Physiological data", "Tissue data"}));
    EXPECT_EQ(m_main->Clock()->width(), 72);
    EXPECT_EQ(m_main->Action(ECommand::Open)->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(m_main->Action(ECommand::Save)->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(m_main->Action(ECommand::Transfer)->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(m_main->Action(ECommand::Insert)->shortcut(), QKeySequence(Qt::Key_F7));
    EXPECT_EQ(m_main->Action(ECommand::Delete)->shortcut(), QKeySequence(Qt::Key_F8));
}

TEST_F(TKelvaraTest, MenusFollowTheLanguage) {
    EXPECT_EQ(m_main->Menu(0)->title(), "&Logbook");
    EXPECT_EQ(m_main->Action(ECommand::SaveAs)->text(), "Save &as");
    TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(kGerman);
    EXPECT_EQ(m_main->Menu(0)->title(), "&Logbuch");
    EXPECT_EQ(m_main->Action(ECommand::Open)->text(), "Ö&ffnen");
    EXPECT_EQ(m_main->Button(ECommand::Delete)->toolTip(), "Tauchgänge löschen");
    EXPECT_EQ(m_main->OpenDialog().Filter,
              "Kelvara Logbuch|*.log;*.kvl|Kelvara Logbuch < V.3.02|*.log;*.kvl|Alle Dateien (*.*)|*.*");
    EXPECT_EQ(m_main->SaveDialog().DefaultExt, ".LOG");
}

TEST_F(TKelvaraTest, LanguageDialogOkAppliesLanguageUnitsClockAndShowsTheDiveAgain) {
    OpenLogbook({1, 2});
    int shown = 0, rebuilt = 0;
    m_main->AddCurrentDiveListener([&](TDiveRec* dive) { shown += dive ? 1 : 0; });
    m_main->AddUnitsChangedListener([&] { ++rebuilt; });
    m_main->ApplyOptions(kFrench, 1);
    EXPECT_EQ(m_settings.LanguageIndex, kFrench);
    EXPECT_EQ(m_settings.UnitSystem, 1);
    EXPECT_EQ(CurrentLanguage(), kFrench);
    EXPECT_EQ(CurrentUnitSystem(), 1);
    EXPECT_EQ(m_main->Clock()->width(), (9 + 2) * 8 + 8);  // "AM"/"PM" of the test locale
    EXPECT_TRUE(m_main->Clock()->text().endsWith("AM") || m_main->Clock()->text().endsWith("PM"));
    EXPECT_EQ(m_main->Menu(0)->title(),
              QString::fromUtf8(CaptionList(Program::Kelwin, "TKelvara", kFrench)[16].Texts));
    EXPECT_EQ(rebuilt, 1);
    EXPECT_EQ(shown, 1);
    m_main->ApplyOptions(kEnglish, 0);
    EXPECT_EQ(m_main->Clock()->width(), 72);
}

TEST_F(TKelvaraTest, CountrySettingsCommandRunsTheDialogWithTheCurrentChoices) {
    m_settings.UnitSystem = 1;
    QMetaObject::invokeMethod(
        m_main.get(),
        [this] {
            TOptions* options = m_main->Options();
            EXPECT_TRUE(options->isVisible());
            EXPECT_EQ(options->LangSel()->ItemIndex(), kEnglish);
            EXPECT_EQ(options->UnitSel()->ItemIndex(), 1);
            options->LangSel()->SetItemIndex(kGerman);
            options->UnitSel()->SetItemIndex(0);
            options->findChild<QPushButton*>("OKBtn")->click();
        },
        Qt::QueuedConnection);
    Trigger(ECommand::CountrySettings);
    EXPECT_EQ(m_settings.LanguageIndex, kGerman);
    EXPECT_EQ(m_settings.UnitSystem, 0);
    EXPECT_EQ(m_main->Menu(0)->title(), "&Logbuch");
    EXPECT_EQ(m_main->Clock()->width(), 72);

    QMetaObject::invokeMethod(
        m_main.get(),
        [this] {
            m_main->Options()->LangSel()->SetItemIndex(kItalian);
            m_main->Options()->findChild<QPushButton*>("CancelBtn")->click();
        },
        Qt::QueuedConnection);
    Trigger(ECommand::CountrySettings);
    EXPECT_EQ(m_settings.LanguageIndex, kGerman);
    EXPECT_EQ(CurrentLanguage(), kGerman);
}

TEST_F(TKelvaraTest, InformationBoxReportsAMissingPictureAndShowsTheVersion) {
    QString version;
    QMetaObject::invokeMethod(
        m_main.get(),
        [&version] {
            auto* box = qobject_cast<TAboutBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            version = box->Version()->text();
            box->accept();
        },
        Qt::QueuedConnection);
    Trigger(ECommand::Info);
    EXPECT_EQ(version, " Version 3.06");
    ASSERT_EQ(m_prompts->Errors.size(), 1);
    EXPECT_EQ(m_prompts->Errors[0], "File '" + Path("exe/Kelwin.BMP") + "' is missing.");
}

TEST_F(TKelvaraTest, CommandsOfWindowsNotBuiltYetStayDisabled) {
    OpenLogbook({1, 2}, {true, true});
    for (ECommand c :
         {ECommand::Transfer, ECommand::Insert, ECommand::Edit, ECommand::Statistics, ECommand::Select,
          ECommand::TimeZone, ECommand::Print, ECommand::Data, ECommand::Profile, ECommand::DiveComputer,
          ECommand::Physiological, ECommand::Tissue, ECommand::SerialPort}) {
        EXPECT_FALSE(m_main->Action(c)->isEnabled()) << static_cast<int>(c);
        if (QAction* button = m_main->Button(c)) {
            EXPECT_FALSE(button->isEnabled()) << static_cast<int>(c);
        }
    }
    for (ECommand c : {ECommand::New, ECommand::Open, ECommand::Save, ECommand::SaveAs, ECommand::Import,
                       ECommand::Export, ECommand::Renumber, ECommand::Delete, ECommand::Exit,
                       ECommand::DiveList, ECommand::CountrySettings, ECommand::Info})
        EXPECT_TRUE(m_main->Action(c)->isEnabled()) << static_cast<int>(c);
}

TEST_F(TKelvaraTest, EnablingFollowsTheCurrentDiveAndItsProfile) {
    int edits = 0;
    m_main->SetCommandHandler(ECommand::Edit, [&] { ++edits; });
    m_main->SetCommandHandler(ECommand::Profile, [] {});
    OpenLogbook({1, 2}, {true, false});
    // The last dive (no profile) is current.
    EXPECT_TRUE(m_main->Action(ECommand::Edit)->isEnabled());
    EXPECT_TRUE(m_main->Button(ECommand::Edit)->isEnabled());
    EXPECT_FALSE(m_main->Action(ECommand::Profile)->isEnabled());
    EXPECT_FALSE(m_main->HasProfile());
    m_main->DiveList()->setCurrentIndex(m_main->DiveList()->model()->index(0, 0));
    EXPECT_TRUE(m_main->HandSelection());
    EXPECT_EQ(m_main->CurrentDive(), &m_main->Logbook().At(0));
    EXPECT_TRUE(m_main->HasProfile());
    EXPECT_TRUE(m_main->Action(ECommand::Profile)->isEnabled());
    EXPECT_TRUE(m_main->Button(ECommand::Profile)->isEnabled());
    emit m_main->DiveList()->doubleClicked(m_main->DiveList()->model()->index(0, 0));
    EXPECT_EQ(edits, 1);

    Trigger(ECommand::New);
    EXPECT_EQ(m_main->CurrentDive(), nullptr);
    EXPECT_FALSE(m_main->Action(ECommand::Edit)->isEnabled());
    EXPECT_FALSE(m_main->Action(ECommand::Renumber)->isEnabled());
    EXPECT_FALSE(m_main->Action(ECommand::Profile)->isEnabled());
}

TEST_F(TKelvaraTest, ListKeysMoveTheProfileCursorAndAreConsumed) {
    OpenLogbook({1, 2, 3});
    std::vector<std::pair<int, bool>> keys;
    m_main->SetProfileKeyHandler(
        [&](int key, Qt::KeyboardModifiers m) { keys.emplace_back(key, (m & Qt::ControlModifier) != 0); });
    QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::NoModifier);
    QKeyEvent ctrlLeft(QEvent::KeyPress, Qt::Key_Left, Qt::ControlModifier);
    QApplication::sendEvent(m_main->DiveList(), &home);
    QApplication::sendEvent(m_main->DiveList(), &ctrlLeft);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0], std::make_pair(static_cast<int>(Qt::Key_Home), false));
    EXPECT_EQ(keys[1], std::make_pair(static_cast<int>(Qt::Key_Left), true));
    // Home did not move the list to its first line.
    EXPECT_EQ(m_main->FocusedIndex(), 2);
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(m_main->DiveList(), &up);
    EXPECT_EQ(m_main->FocusedIndex(), 1);
    EXPECT_EQ(m_main->CurrentDive(), &m_main->Logbook().At(1));
}

TEST_F(TKelvaraTest, OpenShowsTheListAndMakesTheLastDiveCurrent) {
    OpenLogbook({7, 8, 9}, {false, true, false});
    EXPECT_EQ(ListLines(), (QStringList{"0007", "0008»", "0009"}));
    EXPECT_EQ(m_main->CurrentDive(), &m_main->Logbook().At(2));
    EXPECT_EQ(m_main->SelectedIndices(), (std::vector<std::size_t>{2}));
    EXPECT_EQ(m_settings.LogbookName, Path("open.log"));
    EXPECT_EQ(m_main->windowTitle(), "Kelvara [" + Path("open.log") + "]");
    EXPECT_FALSE(m_main->Modified());
    EXPECT_EQ(m_prompts->Dialogs.back().Title, "Open logbook");
}

TEST_F(TKelvaraTest, CaptionLeavesOutTheDocumentsFolder) {
    m_main->SetLogbookName(Path("DOCS/My Logbooks/EXAMPLE.LOG"));
    EXPECT_EQ(m_main->windowTitle(), "Kelvara [My Logbooks/EXAMPLE.LOG]");
}

TEST_F(TKelvaraTest, OpenOfAMissingFileChangesNothing) {
    OpenLogbook({1, 2});
    m_prompts->OpenFiles.push_back(TFileChoice{Path("none.log"), 0});
    Trigger(ECommand::Open);
    ASSERT_EQ(m_prompts->Information.size(), 1);
    EXPECT_EQ(m_prompts->Information[0], "Logbook " + Path("none.log") + " not found!");
    EXPECT_EQ(m_main->Logbook().Count(), 2u);
    EXPECT_EQ(m_settings.LogbookName, Path("open.log"));
}

struct BadFile {
    const char* Name;
    QByteArray Bytes;
    const char* ErrorStart;
};

class OpenBadFileTest : public TKelvaraTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(OpenBadFileTest, KeepsTheOpenLogbookUnchangedAndSaysWhy) {
    OpenLogbook({4, 5, 6});
    m_main->SetModified(true);
    TDiveRec* current = m_main->CurrentDive();
    WriteBytes(Path("bad.log"), GetParam().Bytes);
    m_prompts->YesNoCancel.push_back(EAnswer::No);
    m_prompts->OpenFiles.push_back(TFileChoice{Path("bad.log"), 0});
    Trigger(ECommand::Open);
    ASSERT_EQ(m_prompts->Errors.size(), 1);
    EXPECT_TRUE(m_prompts->Errors[0].startsWith(GetParam().ErrorStart)) << m_prompts->Errors[0].toStdString();
    EXPECT_EQ(Numbers(m_main->Logbook()), (std::vector<std::uint16_t>{4, 5, 6}));
    EXPECT_EQ(m_main->CurrentDive(), current);
    EXPECT_TRUE(m_main->Modified());
    EXPECT_EQ(m_settings.LogbookName, Path("open.log"));
    EXPECT_EQ(ListLines().size(), 3);
}

QByteArray CutLogbook() {
    TLogbookWriter w;
    Logbook({1, 2})->SaveToStream(w, false);
    return w.Data().left(w.Data().size() - 5);
}

INSTANTIATE_TEST_SUITE_P(Files, OpenBadFileTest,
                         ::testing::Values(BadFile{"wrong mark", QByteArray("PK\x03\x04 not a logbook"),
                                                   "Invalid dataformat"},
                                           BadFile{"cut inside a record", CutLogbook(), ""},
                                           BadFile{"empty file", QByteArray(), ""}),
                         [](const auto& info) { return std::to_string(info.index); });

TEST_F(TKelvaraTest, OlderFormatFilterReadsDosTexts) {
    auto log = Logbook({1});
    log->At(0).Location = QByteArray("Caf\x82");  // DOS code page: e acute
    WriteLogbook(Path("old.log"), *log);
    m_prompts->OpenFiles.push_back(TFileChoice{Path("old.log"), 1});
    Trigger(ECommand::Open);
    ASSERT_EQ(m_main->Logbook().Count(), 1u);
    EXPECT_EQ(m_main->Logbook().At(0).Location, QByteArray("Caf\xE9"));
    EXPECT_EQ(m_settings.DosText, 0);  // the setting itself is not changed
    m_prompts->OpenFiles.push_back(TFileChoice{Path("old.log"), 0});
    Trigger(ECommand::Open);
    EXPECT_EQ(m_main->Logbook().At(0).Location, QByteArray("Caf\x82"));
}

TEST_F(TKelvaraTest, SaveOfANewLogbookAsksForANameAndCancelWritesNothing) {
    m_main->SetModified(true);
    ASSERT_EQ(m_settings.LogbookName, "NONAME.LOG");
    m_prompts->SaveFiles.emplace_back();
    m_main->Button(ECommand::Save)->trigger();
    ASSERT_EQ(m_prompts->Dialogs.size(), 1u);
    EXPECT_EQ(m_prompts->Dialogs[0].Title, "Save logbook as");
    EXPECT_EQ(m_prompts->Dialogs[0].DefaultExt, ".LOG");
    EXPECT_TRUE(m_main->Modified());
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList());
    EXPECT_FALSE(QFileInfo::exists("NONAME.LOG"));
}

// A name that did not fit the settings record comes back empty: it is a logbook without a name.
TEST_F(TKelvaraTest, EmptyLogbookNameSavesThroughSaveAs) {
    m_main->SetLogbookName(QString());
    EXPECT_EQ(m_settings.LogbookName, "NONAME.LOG");
    EXPECT_EQ(m_main->windowTitle(), "Kelvara [NONAME.LOG]");
    m_main->SetModified(true);
    m_prompts->SaveFiles.push_back(Path("named.log"));
    Trigger(ECommand::Save);
    ASSERT_EQ(m_prompts->Dialogs.size(), 1u);
    EXPECT_EQ(m_prompts->Dialogs[0].Title, "Save logbook as");
    EXPECT_FALSE(m_main->Modified());
    EXPECT_TRUE(m_prompts->Errors.isEmpty());
    EXPECT_EQ(m_settings.LogbookName, Path("named.log"));
}

// Clicking a line, also the one already current, is a selection by hand.
TEST_F(TKelvaraTest, ClickOnTheCurrentLineIsAHandSelection) {
    OpenLogbook({1, 2, 3});
    m_main->show();
    ASSERT_EQ(m_main->FocusedIndex(), 2);
    m_main->SetHandSelection(false);
    QListView* list = m_main->DiveList();
    const QRect line = list->visualRect(list->model()->index(2, 0));
    const QPointF at = line.center();
    QMouseEvent press(QEvent::MouseButtonPress, at, list->viewport()->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, list->viewport()->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &press);
    QApplication::sendEvent(list->viewport(), &release);
    EXPECT_EQ(m_main->FocusedIndex(), 2);
    EXPECT_TRUE(m_main->HandSelection());
}

// The file dialogs start in the open logbook's folder, or the documents folder for a new one.
TEST_F(TKelvaraTest, FileDialogsStartInTheLogbooksFolder) {
    m_prompts->OpenFiles.push_back(TFileChoice{});
    Trigger(ECommand::Open);
    ASSERT_EQ(m_prompts->Dialogs.size(), 1u);
    EXPECT_EQ(m_prompts->Dialogs[0].Directory, Path("docs/"));

    QDir().mkpath(Path("trips"));
    WriteLogbook(Path("trips/a.log"), *Logbook({1}));
    m_prompts->OpenFiles.push_back(TFileChoice{Path("trips/a.log"), 0});
    m_prompts->OpenFiles.push_back(TFileChoice{});
    m_prompts->SaveFiles = {QString(), QString()};
    Trigger(ECommand::Open);
    Trigger(ECommand::Import);
    Trigger(ECommand::SaveAs);
    Trigger(ECommand::Export);
    ASSERT_EQ(m_prompts->Dialogs.size(), 5u);
    EXPECT_EQ(m_prompts->Dialogs[1].Directory, Path("docs/"));  // still the new logbook then
    for (std::size_t i = 2; i < 5; ++i) EXPECT_EQ(m_prompts->Dialogs[i].Directory, Path("trips")) << i;
}

TEST_F(TKelvaraTest, SaveAsWritesAndRenames) {
    OpenLogbook({1, 2, 3});
    m_main->SetModified(true);
    m_prompts->SaveFiles.push_back(Path("trip"));
    Trigger(ECommand::SaveAs);
    EXPECT_FALSE(m_main->Modified());
    EXPECT_EQ(m_settings.LogbookName, Path("trip.LOG"));
    EXPECT_EQ(ReadAll(Path("trip.LOG")), ReadAll(Path("open.log")));
}

TEST_F(TKelvaraTest, FailedSaveKeepsModifiedAndTheFileOnDisk) {
    OpenLogbook({1, 2, 3});
    const QByteArray before = ReadAll(Path("open.log"));
    m_main->SetModified(true);
    {
        // Writes past 100 bytes fail as on a full disk, for root too.
        TFileSizeLimit limit(100);
        Trigger(ECommand::Save);
    }
    ASSERT_EQ(m_prompts->Errors.size(), 1);
    EXPECT_EQ(m_prompts->Errors[0],
              QStringLiteral("Cannot save \"%1\": File too large").arg(Path("open.log")));
    EXPECT_TRUE(m_main->Modified());
    EXPECT_EQ(ReadAll(Path("open.log")), before);
    EXPECT_TRUE(BackupsOf(Path("data/Backups"), "open").isEmpty());

    // In the user's language, and the save goes through once there is room again.
    SetCurrentLanguage(kGerman);
    {
        TSaveFaultScope full(ESaveStep::Write, ENOSPC, "open.log");
        Trigger(ECommand::Save);
    }
    SetCurrentLanguage(kEnglish);
    ASSERT_EQ(m_prompts->Errors.size(), 2);
    EXPECT_EQ(m_prompts->Errors[1],
              QStringLiteral("\"%1\" kann nicht gespeichert werden: Kein Platz mehr auf dem Datenträger")
                  .arg(Path("open.log")));
    Trigger(ECommand::Save);
    EXPECT_EQ(m_prompts->Errors.size(), 2);
    EXPECT_FALSE(m_main->Modified());
}

TEST_F(TKelvaraTest, EachSaveKeepsThePreviousFileAsABackup) {
    OpenLogbook({1, 2, 3});
    std::vector<QByteArray> versions{ReadAll(Path("open.log"))};
    for (int i = 0; i < 2; ++i) {
        m_prompts->YesNo.push_back(true);
        SelectLines({0});
        Trigger(ECommand::Delete);
        Trigger(ECommand::Save);
        versions.push_back(ReadAll(Path("open.log")));
    }
    const QStringList backups = BackupsOf(Path("data/Backups"), "open");
    ASSERT_EQ(backups.size(), 2);
    EXPECT_EQ(ReadAll(backups[0]), versions[0]);
    EXPECT_EQ(ReadAll(backups[1]), versions[1]);
    EXPECT_EQ(LoadLogbookFile(Path("open.log"), false).Collection->Count(), 1u);
    const QByteArray second = versions[2];

    // A backup that cannot be written stops the save: nothing is replaced without it.
    TSaveFaultScope noBackup(ESaveStep::Backup, EROFS);
    m_main->SetModified(true);
    Trigger(ECommand::Save);
    ASSERT_EQ(m_prompts->Errors.size(), 1);
    EXPECT_TRUE(m_prompts->Errors[0].contains("Read-only file system")) << m_prompts->Errors[0].toStdString();
    EXPECT_TRUE(m_main->Modified());
    EXPECT_EQ(ReadAll(Path("open.log")), second);
}

TEST_F(TKelvaraTest, SettingsThatCannotBeWrittenAtCloseAreReportedAndTheOldFileKept) {
    WriteSettings(Path("data/"), m_settings);
    const QByteArray before = ReadAll(Path("data/KVWIN.DSK"));
    m_main->show();
    m_main->move(77, 88);
    {
        TFileSizeLimit limit(100);  // the record has 376 bytes
        EXPECT_TRUE(m_main->close());
    }
    ASSERT_EQ(m_prompts->Errors.size(), 1);
    EXPECT_EQ(m_prompts->Errors[0],
              QStringLiteral("Cannot save \"%1\": File too large").arg(Path("data/KVWIN.DSK")));
    EXPECT_EQ(ReadAll(Path("data/KVWIN.DSK")), before);
}

TEST_F(TKelvaraTest, SaveThatCannotCreateItsFileReportsAndKeepsModified) {
    OpenLogbook({1, 2, 3});
    const QByteArray before = ReadAll(Path("open.log"));
    m_main->SetModified(true);
    // The folder of the target is an ordinary file, so nothing can be created there.
    m_main->SetLogbookName(Path("open.log/inner.log"));
    Trigger(ECommand::Save);
    ASSERT_EQ(m_prompts->Errors.size(), 1);
    EXPECT_TRUE(m_main->Modified());
    EXPECT_EQ(ReadAll(Path("open.log")), before);
    // Closing asks, tries to save again, fails again and so keeps the program running.
    m_main->show();
    m_prompts->YesNoCancel.push_back(EAnswer::Yes);
    EXPECT_FALSE(m_main->close());
    EXPECT_EQ(m_prompts->Errors.size(), 2);
}

TEST_F(TKelvaraTest, ExportWritesOnlyTheSelectedLinesAndChangesNothingElse) {
    OpenLogbook({1, 2, 3, 4, 5});
    SelectLines({0, 2, 4});
    m_prompts->SaveFiles.push_back(Path("part.log"));
    Trigger(ECommand::Export);
    EXPECT_EQ(m_prompts->Dialogs.back().Title, "Export");
    LogbookLoadResult part = LoadLogbookFile(Path("part.log"), false);
    ASSERT_TRUE(part.Ok());
    ASSERT_EQ(part.Collection->Count(), 3u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(part.Collection->At(i).DayNo, m_main->Logbook().At(2 * i).DayNo);
    EXPECT_EQ(m_settings.LogbookName, Path("open.log"));
    EXPECT_FALSE(m_main->Modified());
}

TEST_F(TKelvaraTest, ImportMergesSortsAndKeepsTheFirstNumber) {
    OpenLogbook({20, 21});
    auto other = std::make_unique<TDiveCollection>();
    auto early = Dive(1, -10);  // before every dive of the open logbook
    other->AddDive(std::move(early), 0, 1);
    WriteLogbook(Path("other.log"), *other);
    m_prompts->OpenFiles.push_back(TFileChoice{Path("other.log"), 0});
    Trigger(ECommand::Import);
    EXPECT_EQ(m_prompts->Dialogs.back().Title, "Import");
    ASSERT_EQ(m_main->Logbook().Count(), 3u);
    EXPECT_EQ(Numbers(m_main->Logbook()), (std::vector<std::uint16_t>{20, 21, 22}));
    EXPECT_EQ(m_main->Logbook().At(0).DayNo, 150000 - 10);
    EXPECT_TRUE(m_main->Modified());
    EXPECT_EQ(m_main->CurrentDive(), &m_main->Logbook().At(2));
    // The line of the dive current before (now line 2) and the last line are selected.
    EXPECT_EQ(m_main->SelectedIndices(), (std::vector<std::size_t>{2}));
}

TEST_F(TKelvaraTest, ImportIntoAFullLogbookSaysHowManyDivesWereNotAdded) {
    auto full = std::make_unique<TDiveCollection>();
    for (std::size_t i = 0; i < TDiveCollection::kMaxDives; ++i)
        full->AddDive(Dive(static_cast<std::uint16_t>(i), static_cast<int>(i)), 0, 1);
    ASSERT_EQ(full->Count(), TDiveCollection::kMaxDives);
    m_main->ReplaceLogbook(std::move(full));
    WriteLogbook(Path("two.log"), *Logbook({1, 2}));
    m_prompts->OpenFiles.push_back(TFileChoice{Path("two.log"), 0});
    Trigger(ECommand::Import);
    EXPECT_EQ(m_main->Logbook().Count(), TDiveCollection::kMaxDives);
    ASSERT_EQ(m_prompts->Information.size(), 1);
    EXPECT_EQ(m_prompts->Information[0], LogbookFullText(2, kEnglish));
    EXPECT_EQ(m_main->DiveList()->model()->rowCount(), 65535);
}

TEST_F(TKelvaraTest, ImportOfADamagedFileAddsNothing) {
    OpenLogbook({1, 2});
    WriteBytes(Path("cut.log"), CutLogbook());
    m_prompts->OpenFiles.push_back(TFileChoice{Path("cut.log"), 0});
    Trigger(ECommand::Import);
    EXPECT_EQ(m_prompts->Errors.size(), 1);
    EXPECT_EQ(Numbers(m_main->Logbook()), (std::vector<std::uint16_t>{1, 2}));
    EXPECT_FALSE(m_main->Modified());
}

TEST_F(TKelvaraTest, RenumberProposesTheFirstNumber) {
    OpenLogbook({5, 6, 7});
    m_prompts->StartNumbers.push_back(TScriptedPrompts::kCancel);
    Trigger(ECommand::Renumber);
    EXPECT_EQ(m_prompts->StartNumberShown, (std::vector<std::uint16_t>{5}));
    EXPECT_EQ(Numbers(m_main->Logbook()), (std::vector<std::uint16_t>{5, 6, 7}));
    EXPECT_FALSE(m_main->Modified());
    m_prompts->StartNumbers.push_back(100);
    Trigger(ECommand::Renumber);
    EXPECT_EQ(Numbers(m_main->Logbook()), (std::vector<std::uint16_t>{100, 101, 102}));
    EXPECT_EQ(ListLines(), (QStringList{"0100", "0101", "0102"}));
    EXPECT_TRUE(m_main->Modified());
}

TEST_F(TKelvaraTest, EnsureNumberingAsksOnlyWhenBroken) {
    OpenLogbook({1, 2, 3});
    EXPECT_TRUE(m_main->EnsureNumbering());
    EXPECT_TRUE(m_prompts->StartNumberShown.empty());
    OpenLogbook({65535, 0});  // wrapped numbering counts as broken
    m_prompts->StartNumbers.push_back(TScriptedPrompts::kCancel);
    EXPECT_FALSE(m_main->EnsureNumbering());
    EXPECT_EQ(m_prompts->StartNumberShown.back(), 65535);
    EXPECT_FALSE(m_main->Modified());
    m_prompts->StartNumbers.push_back(40);
    EXPECT_TRUE(m_main->EnsureNumbering());
    EXPECT_EQ(Numbers(m_main->Logbook()), (std::vector<std::uint16_t>{40, 41}));
    EXPECT_TRUE(m_main->Modified());
}

TEST_F(TKelvaraTest, DeletingLinesTwoAndThreeOfTenToFourteenLeavesTenToTwelve) {
    OpenLogbook({10, 11, 12, 13, 14});
    SelectLines({1, 2});
    m_prompts->YesNo.push_back(true);
    m_main->Button(ECommand::Delete)->trigger();
    ASSERT_EQ(m_prompts->Asked.size(), 1);
    EXPECT_EQ(m_prompts->Asked[0], "Delete 2 dive(s)?");
    EXPECT_EQ(Numbers(m_main->Logbook()), (std::vector<std::uint16_t>{10, 11, 12}));
    EXPECT_EQ(ListLines(), (QStringList{"0010", "0011", "0012"}));
    EXPECT_EQ(m_main->CurrentDive(), &m_main->Logbook().At(2));
    EXPECT_TRUE(m_main->Modified());
}

TEST_F(TKelvaraTest, DeleteAnsweredNoKeepsEverything) {
    OpenLogbook({10, 11, 12});
    SelectLines({0});
    m_prompts->YesNo.push_back(false);
    Trigger(ECommand::Delete);
    EXPECT_EQ(Numbers(m_main->Logbook()), (std::vector<std::uint16_t>{10, 11, 12}));
    EXPECT_FALSE(m_main->Modified());
}

TEST_F(TKelvaraTest, DeletingEveryDiveDisablesTheDiveCommands) {
    m_main->SetCommandHandler(ECommand::Edit, [] {});
    m_main->SetCommandHandler(ECommand::Statistics, [] {});
    OpenLogbook({1, 2, 3});
    auto* shownLast = reinterpret_cast<TDiveRec*>(1);
    m_main->AddCurrentDiveListener([&](TDiveRec* dive) { shownLast = dive; });
    SelectLines({0, 1, 2});
    m_prompts->YesNo.push_back(true);
    Trigger(ECommand::Delete);
    EXPECT_EQ(m_main->Logbook().Count(), 0u);
    EXPECT_TRUE(ListLines().isEmpty());
    EXPECT_EQ(m_main->CurrentDive(), nullptr);
    EXPECT_EQ(shownLast, nullptr);
    for (ECommand c : {ECommand::Delete, ECommand::Edit, ECommand::Statistics, ECommand::Renumber})
        EXPECT_FALSE(m_main->Action(c)->isEnabled()) << static_cast<int>(c);
    EXPECT_FALSE(m_main->Button(ECommand::Delete)->isEnabled());
    EXPECT_FALSE(m_main->Button(ECommand::Edit)->isEnabled());
}

TEST_F(TKelvaraTest, DeletingFromBrokenNumberingKeepsTheRemainingNumbers) {
    OpenLogbook({3, 4, 5, 6});
    // Loading renumbers; a broken numbering exists only in memory (as after editing).
    const std::uint16_t numbers[] = {3, 8, 9, 30};
    for (std::size_t i = 0; i < 4; ++i) m_main->Logbook().At(i).DiveNumber = numbers[i];
    m_main->FillDiveList(3);
    ASSERT_TRUE(m_main->Logbook().NumberingBroken());
    SelectLines({1});
    m_prompts->YesNo.push_back(true);
    Trigger(ECommand::Delete);
    EXPECT_EQ(Numbers(m_main->Logbook()), (std::vector<std::uint16_t>{3, 9, 30}));
    EXPECT_EQ(ListLines(), (QStringList{"0003", "0009", "0030"}));
}

TEST_F(TKelvaraTest, NewAsksFirstAndCancelKeepsTheLogbook) {
    OpenLogbook({1, 2});
    m_main->SetModified(true);
    m_prompts->YesNoCancel.push_back(EAnswer::Cancel);
    Trigger(ECommand::New);
    EXPECT_EQ(m_prompts->Asked.back(), "Logbook " + Path("open.log") + " has changed!\nSave?");
    EXPECT_EQ(m_main->Logbook().Count(), 2u);
    m_prompts->YesNoCancel.push_back(EAnswer::No);
    Trigger(ECommand::New);
    EXPECT_EQ(m_main->Logbook().Count(), 0u);
    EXPECT_EQ(m_settings.LogbookName, "NONAME.LOG");
    EXPECT_EQ(m_main->windowTitle(), "Kelvara [NONAME.LOG]");
    EXPECT_FALSE(m_main->Modified());
}

TEST_F(TKelvaraTest, CloseQueryWithoutChangesDoesNotAsk) {
    OpenLogbook({1});
    EXPECT_EQ(m_main->CloseQuery(), EAnswer::No);
    EXPECT_TRUE(m_prompts->Asked.isEmpty());
}

TEST_F(TKelvaraTest, CloseAnsweredCancelKeepsTheProgramRunning) {
    OpenLogbook({1, 2});
    m_main->show();
    m_main->SetModified(true);
    m_prompts->YesNoCancel.push_back(EAnswer::Cancel);
    EXPECT_FALSE(m_main->close());
    EXPECT_TRUE(m_main->isVisible());
    EXPECT_FALSE(QFileInfo::exists(Path("data/KVWIN.DSK")));
}

TEST_F(TKelvaraTest, CloseAnsweredNoWritesTheSettingsButNotTheLogbook) {
    OpenLogbook({1, 2});
    const QByteArray before = ReadAll(Path("open.log"));
    m_main->show();
    m_main->Logbook().At(0).Location = "changed";
    m_main->SetModified(true);
    m_prompts->YesNoCancel.push_back(EAnswer::No);
    EXPECT_TRUE(m_main->close());
    EXPECT_EQ(ReadAll(Path("open.log")), before);
    const SettingsRecord stored = ReadSettings(Path("data/"));
    EXPECT_EQ(stored.LogbookName, Path("open.log"));
}

TEST_F(TKelvaraTest, CloseAnsweredYesSavesFirst) {
    OpenLogbook({1, 2});
    m_main->show();
    m_main->Logbook().At(0).Location = "changed";
    m_main->SetModified(true);
    m_prompts->YesNoCancel.push_back(EAnswer::Yes);
    EXPECT_TRUE(m_main->close());
    LogbookLoadResult saved = LoadLogbookFile(Path("open.log"), false);
    ASSERT_TRUE(saved.Ok());
    EXPECT_EQ(saved.Collection->At(0).Location, QByteArray("changed"));
    EXPECT_TRUE(QFileInfo::exists(Path("data/KVWIN.DSK")));
}

TEST_F(TKelvaraTest, CloseAnsweredYesButSaveAsCancelledKeepsRunning) {
    m_main->show();
    m_main->SetModified(true);
    m_prompts->YesNoCancel.push_back(EAnswer::Yes);
    m_prompts->SaveFiles.emplace_back();
    EXPECT_FALSE(m_main->close());
    EXPECT_TRUE(m_main->Modified());
    EXPECT_FALSE(QFileInfo::exists(Path("data/KVWIN.DSK")));
}

TEST_F(TKelvaraTest, ClosingKeepsThePlacementsOfWindowsItDoesNotKnow) {
    m_settings.DataPlacement = {11, 12, 313, 214, 1};
    m_settings.TissuePlacement = {21, 22, 323, 224, 2};
    m_main->show();
    EXPECT_TRUE(m_main->close());
    const SettingsRecord stored = ReadSettings(Path("data/"));
    EXPECT_EQ(stored.DataPlacement, (WindowPlacement{11, 12, 313, 214, 1}));
    EXPECT_EQ(stored.TissuePlacement, (WindowPlacement{21, 22, 323, 224, 2}));
}

TEST_F(TKelvaraTest, ToggleMarksFollowTheStoredStates) {
    m_settings.PanelPlacement.State = 1;
    m_settings.PhysioPlacement.State = 0;
    m_settings.TissuePlacement.State = 2;
    m_main->RestoreFromSettings();
    EXPECT_FALSE(m_main->Action(ECommand::DiveComputer)->isChecked());
    EXPECT_TRUE(m_main->Action(ECommand::Physiological)->isChecked());
    EXPECT_TRUE(m_main->Action(ECommand::Tissue)->isChecked());
}

}  // namespace
