// Kelwin's logbook session without a window: every logbook command's Cancel path leaves
// the logbook, its name and its "unsaved changes" state as they were, and what a command
// changes marks the logbook modified (or saved).

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "KelwinTestSupport.h"
#include "Language.h"
#include "LogbookCommands.h"
#include "Selection.h"
#include "TDiveCollection.h"
#include "TLogbookSession.h"

namespace {

// The calls a window would get, and the selection it would report.
class TRecordingView : public ILogbookView {
public:
    explicit TRecordingView(TLogbookSession& session) : m_session(session) {}

    std::vector<std::size_t> Selection;
    int Released = 0;
    int Replaced = 0;
    int Filled = 0;
    int CurrentLine = -2;
    int ShownAgain = 0;
    std::vector<bool> SelectedLines;
    QString Name;

    void ReleaseCurrent() override {
        if (m_session.DropCurrent()) ++Released;
    }
    void LogbookReplaced(TDiveCollection&) override { ++Replaced; }
    void FillDiveList(int) override { ++Filled; }
    void SelectLine(int, bool) override {}
    void MakeCurrent(int line) override {
        m_session.SetCurrent(line);
        CurrentLine = line;
    }
    void ShowCurrentAgain(int line) override {
        MakeCurrent(line);
        ++ShownAgain;
    }
    void SelectLines(const std::vector<bool>& lines) override { SelectedLines = lines; }
    std::vector<std::size_t> SelectedIndices() const override { return Selection; }
    void LogbookNameChanged(const QString& name) override { Name = name; }

private:
    TLogbookSession& m_session;
};

class LogbookSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "kv_session_tests";
        static char* argv[] = {name, nullptr};
        // Lives until the test program ends.
        static const QCoreApplication* const app =
            QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
        Q_UNUSED(app);
        SetCurrentLanguage(kEnglish);
        ASSERT_TRUE(m_dir.isValid());
        QDir().mkpath(Path("data"));
        m_settings = SettingsRecord::Defaults();
        m_session = std::make_unique<TLogbookSession>(
            m_settings, TKelwinPaths{Path("exe/"), Path("data/"), Path("docs/")}, m_prompts);
        m_view = std::make_unique<TRecordingView>(*m_session);
        m_session->SetView(m_view.get());
        m_session->SaveDialog().DefaultExt = QStringLiteral(".LOG");
    }
    void TearDown() override {
        EXPECT_TRUE(m_prompts.Unexpected.isEmpty()) << m_prompts.Unexpected.join(", ").toStdString();
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }

    // The session holding dives 1..3 from "open.log", saved and current on the last one.
    void OpenThree() {
        WriteLogbook(Path("open.log"), *Logbook({1, 2, 3}));
        m_prompts.OpenFiles.push_back(TFileChoice{Path("open.log"), 0});
        m_session->Open();
        ASSERT_EQ(m_session->Logbook().Count(), 3u);
        ASSERT_FALSE(m_session->Modified());
    }

    QTemporaryDir m_dir;
    SettingsRecord m_settings;
    TScriptedPrompts m_prompts;
    std::unique_ptr<TLogbookSession> m_session;
    std::unique_ptr<TRecordingView> m_view;
};

TEST_F(LogbookSessionTest, OpenShowsTheLastDiveAndCancelOrADamagedFileKeepsTheOpenLogbook) {
    OpenThree();
    EXPECT_EQ(m_settings.LogbookName, Path("open.log"));
    EXPECT_EQ(m_view->Name, Path("open.log"));
    EXPECT_EQ(m_view->CurrentLine, 2);
    EXPECT_EQ(m_session->CurrentDive(), &m_session->Logbook().At(2));

    m_prompts.OpenFiles.push_back(TFileChoice{});  // Cancel in the file dialog
    m_session->Open();
    WriteBytes(Path("damaged.log"), QByteArray("\xa1\x00garbage", 9));
    m_prompts.OpenFiles.push_back(TFileChoice{Path("damaged.log"), 0});
    m_session->Open();
    ASSERT_EQ(m_prompts.Errors.size(), 1);
    EXPECT_TRUE(m_prompts.Errors[0].contains("damaged.log")) << m_prompts.Errors[0].toStdString();
    EXPECT_EQ(Numbers(m_session->Logbook()), (std::vector<std::uint16_t>{1, 2, 3}));
    EXPECT_EQ(m_settings.LogbookName, Path("open.log"));
    EXPECT_FALSE(m_session->Modified());
}

TEST_F(LogbookSessionTest, CloseQueryCancelOrAFailedSaveStopsNewAndOpen) {
    OpenThree();
    m_session->SetModified(true);
    m_prompts.YesNoCancel = {EAnswer::Cancel};
    m_session->New();
    m_prompts.YesNoCancel = {EAnswer::Cancel};
    m_session->Open();
    EXPECT_EQ(m_session->Logbook().Count(), 3u);
    EXPECT_TRUE(m_session->Modified());

    // Yes, but the logbook cannot be saved: going on would lose the changes.
    m_settings.LogbookName = kNoNameLogbook;
    m_prompts.YesNoCancel = {EAnswer::Yes};
    m_prompts.SaveFiles = {QString()};  // the save dialog is cancelled
    EXPECT_EQ(m_session->CloseQuery(), EAnswer::Cancel);
    EXPECT_TRUE(m_session->Modified());

    m_prompts.YesNoCancel = {EAnswer::No};
    m_session->New();
    EXPECT_TRUE(m_session->Logbook().IsEmpty());
    EXPECT_EQ(m_settings.LogbookName, kNoNameLogbook);
    EXPECT_EQ(m_session->CurrentDive(), nullptr);
    EXPECT_FALSE(m_session->Modified());
    EXPECT_GE(m_view->Released, 1);
}

TEST_F(LogbookSessionTest, SaveOfAnUnnamedLogbookAsksAndOnlyAStoredFileClearsModified) {
    m_session->ReplaceLogbook(Logbook({1, 2}));
    m_session->SetModified(true);
    m_settings.LogbookName = kNoNameLogbook;
    m_prompts.SaveFiles = {QString()};
    m_session->Save();
    EXPECT_TRUE(m_session->Modified());
    EXPECT_EQ(m_settings.LogbookName, kNoNameLogbook);

    m_prompts.SaveFiles = {Path("saved")};  // the default extension is added
    m_session->Save();
    EXPECT_FALSE(m_session->Modified());
    EXPECT_EQ(m_settings.LogbookName, Path("saved.LOG"));
    EXPECT_TRUE(QFile::exists(Path("saved.LOG")));

    // Save as into a folder that does not exist: reported, name and state kept.
    m_session->SetModified(true);
    m_prompts.SaveFiles = {Path("missing/elsewhere.log")};
    m_session->SaveAs();
    EXPECT_EQ(m_prompts.Errors.size(), 1);
    EXPECT_EQ(m_settings.LogbookName, Path("saved.LOG"));
    EXPECT_TRUE(m_session->Modified());
}

TEST_F(LogbookSessionTest, ImportAddsDivesAndMarksModifiedCancelChangesNothing) {
    OpenThree();
    m_prompts.OpenFiles.push_back(TFileChoice{});
    m_session->Import();
    EXPECT_EQ(m_session->Logbook().Count(), 3u);
    EXPECT_FALSE(m_session->Modified());

    auto other = Logbook({7, 8});
    other->At(0).DayNo = 160000;
    other->At(1).DayNo = 160001;
    WriteLogbook(Path("other.log"), *other);
    m_prompts.OpenFiles.push_back(TFileChoice{Path("other.log"), 0});
    m_session->Import();
    EXPECT_EQ(Numbers(m_session->Logbook()), (std::vector<std::uint16_t>{1, 2, 3, 4, 5}));
    EXPECT_TRUE(m_session->Modified());
    EXPECT_EQ(m_view->CurrentLine, 4);
}

TEST_F(LogbookSessionTest, ExportWritesTheSelectedDivesWithoutMarkingTheLogbook) {
    OpenThree();
    m_view->Selection = {0, 2};
    m_prompts.SaveFiles = {QString()};
    m_session->Export();
    EXPECT_FALSE(QFile::exists(Path("part.log")));

    m_prompts.SaveFiles = {Path("part.log")};
    m_session->Export();
    LogbookLoadResult part = LoadLogbookFile(Path("part.log"), false);
    ASSERT_TRUE(part.Ok());
    ASSERT_EQ(part.Collection->Count(), 2u);  // the first and the third dive
    EXPECT_EQ(part.Collection->At(0).DayNo, m_session->Logbook().At(0).DayNo);
    EXPECT_EQ(part.Collection->At(1).DayNo, m_session->Logbook().At(2).DayNo);
    EXPECT_FALSE(m_session->Modified());
}

TEST_F(LogbookSessionTest, RenumberAndDeleteMarkModifiedOnlyWhenTheyChangeTheLogbook) {
    OpenThree();
    m_prompts.StartNumbers = {TScriptedPrompts::kCancel};
    m_session->Renumber();
    EXPECT_EQ(Numbers(m_session->Logbook()), (std::vector<std::uint16_t>{1, 2, 3}));
    EXPECT_FALSE(m_session->Modified());
    m_prompts.StartNumbers = {40};
    m_session->Renumber();
    EXPECT_EQ(Numbers(m_session->Logbook()), (std::vector<std::uint16_t>{40, 41, 42}));
    EXPECT_TRUE(m_session->Modified());

    m_session->SetModified(false);
    m_view->Selection = {};
    m_session->Delete();  // nothing selected: nothing asked
    m_view->Selection = {1};
    m_prompts.YesNo = {false};
    m_session->Delete();
    EXPECT_EQ(m_session->Logbook().Count(), 3u);
    EXPECT_FALSE(m_session->Modified());
    m_prompts.YesNo = {true};
    const int released = m_view->Released;
    m_session->Delete();
    EXPECT_EQ(Numbers(m_session->Logbook()), (std::vector<std::uint16_t>{40, 41}));
    EXPECT_TRUE(m_session->Modified());
    EXPECT_EQ(m_view->Released, released + 1);  // the current dive was let go first
    EXPECT_EQ(m_prompts.Asked.size(), 2);
}

TEST_F(LogbookSessionTest, BrokenNumberingAsksForAStartNumberAndCancelKeepsIt) {
    m_session->ReplaceLogbook(Logbook({5, 9, 6}));
    ASSERT_TRUE(m_session->Logbook().NumberingBroken());
    m_prompts.StartNumbers = {TScriptedPrompts::kCancel};
    EXPECT_FALSE(m_session->EnsureNumbering());
    EXPECT_EQ(Numbers(m_session->Logbook()), (std::vector<std::uint16_t>{5, 9, 6}));
    EXPECT_FALSE(m_session->Modified());
    m_prompts.StartNumbers = {5};
    EXPECT_TRUE(m_session->EnsureNumbering());
    EXPECT_EQ(Numbers(m_session->Logbook()), (std::vector<std::uint16_t>{5, 6, 7}));
    EXPECT_TRUE(m_session->Modified());
}

TEST_F(LogbookSessionTest, InsertAsksTheFirstDivesStartNumberAndCancelLeavesTheLogbookUnchanged) {
    m_prompts.StartNumbers = {TScriptedPrompts::kCancel};
    EXPECT_FALSE(m_session->InsertDive(Dive(0, 4)));
    EXPECT_TRUE(m_session->Logbook().IsEmpty());
    EXPECT_FALSE(m_session->Modified());
    EXPECT_EQ(m_session->CurrentDive(), nullptr);

    m_prompts.StartNumbers = {7};
    EXPECT_TRUE(m_session->InsertDive(Dive(0, 4)));
    EXPECT_EQ(Numbers(m_session->Logbook()), (std::vector<std::uint16_t>{7}));
    EXPECT_TRUE(m_session->Modified());
    EXPECT_EQ(m_session->CurrentDive(), &m_session->Logbook().At(0));
}

TEST_F(LogbookSessionTest, InsertSortsTheDiveInByDateAndMakesItCurrent) {
    OpenThree();  // days 0, 1, 2
    auto dive = Dive(0, 1);
    dive->StartTime = 900;  // after the dive of day 1 at 10:00
    const TDiveRec* added = dive.get();
    EXPECT_TRUE(m_session->InsertDive(std::move(dive)));
    EXPECT_EQ(Numbers(m_session->Logbook()), (std::vector<std::uint16_t>{1, 2, 3, 4}));
    EXPECT_EQ(&m_session->Logbook().At(2), added);
    EXPECT_EQ(m_view->CurrentLine, 2);
    EXPECT_EQ(m_session->CurrentDive(), added);
    EXPECT_TRUE(m_session->Modified());
}

TEST_F(LogbookSessionTest, AFullLogbookRefusesAnInsertedDiveWithAMessage) {
    auto full = std::make_unique<TDiveCollection>();
    for (std::size_t i = 0; i < TDiveCollection::kMaxDives; ++i)
        full->AddDive(Dive(1, static_cast<int>(i)), 0, 1);
    m_session->ReplaceLogbook(std::move(full));
    EXPECT_FALSE(m_session->InsertDive(Dive(0, 70000)));
    EXPECT_EQ(m_session->Logbook().Count(), TDiveCollection::kMaxDives);
    ASSERT_EQ(m_prompts.Information.size(), 1);
    EXPECT_EQ(m_prompts.Information[0], LogbookFullText(1, kEnglish));
    EXPECT_FALSE(m_session->Modified());
}

TEST_F(LogbookSessionTest, AnEditedHandEnteredDiveMovesToItsNewDateADownloadedOneStays) {
    OpenThree();
    TDiveRec& first = m_session->Logbook().At(0);
    first.DayNo += 10;  // as the edit dialog stores a new date
    m_session->DiveEdited(first);
    EXPECT_EQ(&m_session->Logbook().At(2), &first);
    EXPECT_EQ(Numbers(m_session->Logbook()), (std::vector<std::uint16_t>{1, 2, 3}));
    EXPECT_EQ(m_session->CurrentDive(), &first);
    EXPECT_EQ(m_view->ShownAgain, 1);
    EXPECT_TRUE(m_session->Modified());

    TDiveRec& downloaded = m_session->Logbook().At(0);
    downloaded.DeviceTime = 5000;
    downloaded.DayNo += 100;
    m_session->DiveEdited(downloaded);
    EXPECT_EQ(&m_session->Logbook().At(0), &downloaded);
    EXPECT_EQ(m_view->ShownAgain, 2);
}

TEST_F(LogbookSessionTest, TimeZoneShiftsTheSelectedDivesAndSelectionFollowsTheCriteria) {
    OpenThree();
    m_view->Selection = {0, 2};
    EXPECT_EQ(m_session->ShiftSelected(90, true), 2u);
    EXPECT_EQ(m_session->Logbook().At(0).StartTime, 690);
    EXPECT_EQ(m_session->Logbook().At(1).StartTime, 600);
    EXPECT_EQ(m_session->Logbook().At(2).StartTime, 690);
    EXPECT_TRUE(m_session->Modified());

    m_session->SetHandSelection(true);
    TSelectionCriteria criteria;
    criteria.Day1 = 150001;
    criteria.Day2 = 150002;
    m_session->SelectDives(criteria);
    EXPECT_EQ(m_view->SelectedLines, (std::vector<bool>{false, true, true}));
    EXPECT_FALSE(m_session->HandSelection());
}

TEST_F(LogbookSessionTest, WorksWithoutAView) {
    m_session->SetView(nullptr);
    m_session->ReplaceLogbook(Logbook({1, 2}));
    EXPECT_EQ(m_session->CurrentDive(), &m_session->Logbook().At(1));
    EXPECT_TRUE(m_session->SetCurrent(0));
    EXPECT_FALSE(m_session->SetCurrent(0));  // the same dive again
    EXPECT_TRUE(m_session->DropCurrent());
    EXPECT_FALSE(m_session->DropCurrent());
}

}  // namespace
