// The main window's Export and Import with UDDF and CSV files: the format follows the
// chosen filter and the extension, and UDDF dives come back into the open logbook.

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QListView>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "CaptionList.h"
#include "InterchangeCommands.h"
#include "InterchangeTexts.h"
#include "KelwinTestSupport.h"
#include "Language.h"
#include "Startup.h"
#include "TCaptionRegistry.h"
#include "TKelvara.h"
#include "TestApplication.h"

namespace {

class KelwinInterchangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        SetCurrentLanguage(kEnglish);
        SetCurrentUnitSystem(kMetric);
        ASSERT_TRUE(m_dir.isValid());
        m_settings = SettingsRecord::Defaults();
        auto prompts = std::make_unique<TScriptedPrompts>();
        m_prompts = prompts.get();
        // The delivered tables: the UDDF export replays the profiles.
        m_main = std::make_unique<TKelvara>(
            m_settings, TKelwinPaths{QStringLiteral(KV_SOURCE_DIR "/data/"), Path("data/"), Path("docs/")},
            std::move(prompts));
        QDir().mkpath(Path("data"));
        TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(kEnglish);
        m_prompts->OpenFiles.push_back(TFileChoice{QStringLiteral(KV_SOURCE_DIR "/data/EXAMPLE.LOG"), 0});
        Trigger(ECommand::Open);
    }
    void TearDown() override {
        EXPECT_TRUE(m_prompts->Unexpected.isEmpty()) << m_prompts->Unexpected.join(", ").toStdString();
        m_main.reset();
    }
    QString Path(const QString& name) const { return m_dir.path() + "/" + name; }
    void Trigger(ECommand command) { m_main->Action(command)->trigger(); }
    void Export(const QString& path, int filter) {
        m_prompts->SaveFiles.push_back(path);
        m_prompts->SaveFilters.push_back(filter);
        Trigger(ECommand::Export);
    }

    QTemporaryDir m_dir;
    SettingsRecord m_settings;
    TScriptedPrompts* m_prompts = nullptr;
    std::unique_ptr<TKelvara> m_main;
};

TEST_F(KelwinInterchangeTest, ExportedUddfOfTheSelectedDivesComesBackThroughImport) {
    m_main->DiveList()->clearSelection();
    m_main->SelectLine(4, true);
    m_main->SelectLine(20, true);
    Export(Path("trip"), kExportFilterUddf);  // the filter's extension is added
    EXPECT_EQ(m_prompts->Dialogs.back().Filter, ExportDialogFilter(kEnglish));
    ASSERT_TRUE(m_prompts->Errors.isEmpty()) << m_prompts->Errors.join('\n').toStdString();
    ASSERT_TRUE(QFileInfo::exists(Path("trip.uddf")));
    EXPECT_FALSE(m_main->Modified());

    TDiveRec selected = m_main->Logbook().At(20);
    Trigger(ECommand::New);
    m_prompts->OpenFiles.push_back(TFileChoice{Path("trip.uddf"), 0});
    Trigger(ECommand::Import);
    EXPECT_EQ(m_prompts->Dialogs.back().Filter, ImportDialogFilter(kEnglish));
    ASSERT_TRUE(m_prompts->Errors.isEmpty()) << m_prompts->Errors.join('\n').toStdString();
    ASSERT_EQ(m_main->Logbook().Count(), 2u);
    // The new logbook is numbered on from the first dive's number, 5.
    EXPECT_EQ(m_main->Logbook().At(0).DiveNumber, 5);
    selected.DiveNumber = 6;
    EXPECT_TRUE(m_main->Logbook().At(1) == selected);
    EXPECT_TRUE(m_main->Modified());
}

TEST_F(KelwinInterchangeTest, TheExtensionWinsOverTheFilterAndCsvIsATable) {
    m_main->SelectLine(0, true);
    Export(Path("dives.csv"), kExportFilterLogbook);
    ASSERT_TRUE(m_prompts->Errors.isEmpty());
    EXPECT_TRUE(ReadAll(Path("dives.csv"))
                    .startsWith("\xEF\xBB\xBF"
                                "Dive #,Date,"));

    Export(Path("book"), kExportFilterLogbook);
    EXPECT_TRUE(QFileInfo::exists(Path("book.LOG")));
}

TEST_F(KelwinInterchangeTest, ADamagedUddfIsReportedAndChangesNothing) {
    WriteBytes(Path("bad.uddf"), "<uddf xmlns=\"http://www.streit.cc/uddf/3.2/\"><profiledata>");
    const std::size_t before = m_main->Logbook().Count();
    m_prompts->OpenFiles.push_back(TFileChoice{Path("bad.uddf"), 0});
    Trigger(ECommand::Import);
    ASSERT_EQ(m_prompts->Errors.size(), 1);
    EXPECT_TRUE(m_prompts->Errors[0].contains(Path("bad.uddf")));
    EXPECT_EQ(m_main->Logbook().Count(), before);
    EXPECT_FALSE(m_main->Modified());
}

TEST(ExportTarget, FormatFromExtensionOrFilter) {
    EXPECT_EQ(ExportTargetOf({QStringLiteral("a.uddf"), kExportFilterCsv}).Format, EInterchangeFormat::Uddf);
    const TExportTarget csv = ExportTargetOf({QStringLiteral("a"), kExportFilterCsv});
    EXPECT_EQ(csv.Format, EInterchangeFormat::Csv);
    EXPECT_EQ(csv.Path, QStringLiteral("a.csv"));
    const TExportTarget odd = ExportTargetOf({QStringLiteral("a.txt"), kExportFilterUddf});
    EXPECT_EQ(odd.Format, EInterchangeFormat::Uddf);
    EXPECT_EQ(odd.Path, QStringLiteral("a.txt"));
    EXPECT_EQ(ExportTargetOf({QStringLiteral("a"), 3}).Path, QStringLiteral("a.LOG"));
    EXPECT_TRUE(IsUddfChoice({QStringLiteral("x.UDDF"), 0}));
    EXPECT_TRUE(IsUddfChoice({QStringLiteral("x.xml"), kImportFilterUddf}));
    EXPECT_FALSE(IsUddfChoice({QStringLiteral("x.log"), kImportFilterUddf}));
}

}  // namespace
