// The print dialog through the main window's Print command: its choices, their reset by a
// change of language, and the print into a PDF file when the system has no printer.

#include <QAction>
#include <QLabel>
#include <QListView>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "KelwinTestSupport.h"
#include "Language.h"
#include "TCaptionRegistry.h"
#include "TDateFormat.h"
#include "TKelvara.h"
#include "TKelwinDiveWindows.h"
#include "TKelwinReports.h"
#include "TPrintDlg.h"
#include "TRadioGroup.h"
#include "TestApplication.h"
#include "WhenModalShown.h"

namespace {

int PdfPageCount(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {path});
    if (!p.waitForFinished(60000)) return -1;
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                          .match(QString::fromUtf8(p.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

class PrintDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        SetCurrentLanguage(kEnglish);
        SetCurrentUnitSystem(kMetric);
        ASSERT_TRUE(m_dir.isValid());
        m_settings = SettingsRecord::Defaults();
        auto prompts = std::make_unique<TScriptedPrompts>();
        m_prompts = prompts.get();
        m_main = std::make_unique<TKelvara>(
            m_settings,
            TKelwinPaths{m_dir.path() + "/exe/", m_dir.path() + "/data/", m_dir.path() + "/docs/"},
            std::move(prompts));
        m_dives = std::make_unique<TKelwinDiveWindows>(*m_main);
        m_reports = std::make_unique<TKelwinReports>(*m_main, m_dives->SelectDialog());
        TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(kEnglish);
        m_main->SetLogbookName(m_dir.path() + "/TRIP.LOG");
        m_main->ReplaceLogbook(Logbook({4, 5, 6}));
        m_main->show();
    }
    void TearDown() override {
        EXPECT_TRUE(m_prompts->Unexpected.isEmpty()) << m_prompts->Unexpected.join(", ").toStdString();
        m_reports.reset();
        m_dives.reset();
        m_main.reset();
        SetCurrentLanguage(kEnglish);
    }
    TPrintDlg& Dlg() { return *m_reports->PrintDlg(); }
    // Prints through the Print command with the given choices into `pdf`.
    bool PrintWith(int what, int extend, const QString& pdf) {
        m_prompts->SaveFiles.push_back(pdf);
        TWhenModalShown<TPrintDlg> answer([what, extend](TPrintDlg& d) {
            d.What()->SetItemIndex(what);
            d.Extend()->SetItemIndex(extend);
            d.OKBtn()->click();
        });
        m_main->Action(ECommand::Print)->trigger();
        return answer.Ran();
    }

    QTemporaryDir m_dir;
    SettingsRecord m_settings;
    TScriptedPrompts* m_prompts = nullptr;
    std::unique_ptr<TKelvara> m_main;
    std::unique_ptr<TKelwinDiveWindows> m_dives;
    std::unique_ptr<TKelwinReports> m_reports;
};

TEST_F(PrintDlgTest, ChoicesSurviveJobsAndAChangeOfLanguageResetsThem) {
    EXPECT_EQ(Dlg().What()->ItemIndex(), 2);
    EXPECT_EQ(Dlg().Extend()->ItemIndex(), 0);
    EXPECT_EQ(Dlg().What()->Items(),
              QStringList({"Text only", "Profile only", "Text and Profile", "Summary", "Statistic"}));
    Dlg().What()->SetItemIndex(3);
    Dlg().Extend()->SetItemIndex(1);
    TWhenModalShown<TPrintDlg> cancel([](TPrintDlg& d) { d.CancelBtn()->click(); });
    m_main->Action(ECommand::Print)->trigger();
    ASSERT_TRUE(cancel.Ran());
    EXPECT_EQ(Dlg().What()->ItemIndex(), 3);
    EXPECT_EQ(Dlg().Extend()->ItemIndex(), 1);

    m_main->ApplyOptions(kSpanish, kMetric);
    m_main->ApplyOptions(kEnglish, kMetric);
    EXPECT_EQ(Dlg().What()->ItemIndex(), 2);
    EXPECT_EQ(Dlg().Extend()->ItemIndex(), 0);
}

TEST_F(PrintDlgTest, WithoutPrinterThePrintGoesToAPdfFileTheUserChooses) {
    if (Dlg().HasSystemPrinter()) GTEST_SKIP() << "this machine has a printer";
    EXPECT_EQ(Dlg().PrinterName()->text(), "PDF file (no printer installed)");
    m_main->ApplyOptions(kGerman, kMetric);
    EXPECT_EQ(Dlg().PrinterName()->text(), "PDF-Datei (kein Drucker eingerichtet)");
    m_main->ApplyOptions(kEnglish, kMetric);

    // Lines 0 and 2 selected, "Text only": two boxes on one page.
    m_main->SelectLine(0, true);
    const QString pdf = m_dir.path() + "/trip.pdf";
    ASSERT_TRUE(PrintWith(0, 0, pdf));
    ASSERT_FALSE(m_prompts->Dialogs.empty());
    EXPECT_EQ(m_prompts->Dialogs.back().Suggested, m_dir.path() + "/docs/TRIP.pdf");
    EXPECT_EQ(m_prompts->Dialogs.back().Title, "Print to PDF file");
    EXPECT_TRUE(m_prompts->Errors.isEmpty()) << m_prompts->Errors.join(", ").toStdString();
    EXPECT_EQ(PdfPageCount(pdf), 1);

    // The whole logbook as text and profile: a page per dive.
    ASSERT_TRUE(PrintWith(2, 1, pdf));
    EXPECT_EQ(PdfPageCount(pdf), 3);
    // Every window shows the dive of the focused line again.
    ASSERT_NE(m_main->CurrentDive(), nullptr);
    EXPECT_EQ(m_main->CurrentDive(), &m_main->Logbook().At(static_cast<std::size_t>(m_main->FocusedIndex())));
}

TEST_F(PrintDlgTest, AFailedPrintReportsThePlatformsReason) {
    if (Dlg().HasSystemPrinter()) GTEST_SKIP() << "this machine has a printer";
    const QString pdf = m_dir.path() + "/no/such/folder/trip.pdf";
    ASSERT_TRUE(PrintWith(3, 1, pdf));
    ASSERT_EQ(m_prompts->Errors.size(), 1);
    EXPECT_TRUE(m_prompts->Errors[0].startsWith("Printing failed: ")) << m_prompts->Errors[0].toStdString();
    EXPECT_TRUE(m_prompts->Errors[0].contains(pdf));
}

TEST_F(PrintDlgTest, CancellingTheFileChoicePrintsNothing) {
    if (Dlg().HasSystemPrinter()) GTEST_SKIP() << "this machine has a printer";
    ASSERT_TRUE(PrintWith(2, 0, QString()));
    EXPECT_TRUE(m_prompts->Errors.isEmpty());
    EXPECT_EQ(m_main->CurrentDive(), &m_main->Logbook().At(2));
}

}  // namespace
