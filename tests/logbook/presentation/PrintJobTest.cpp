// Printing: the boxes of a page, the cut of texts, and whole jobs printed to PDF and read back
// (page counts, headings, columns, and every word inside its box).

#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QTemporaryDir>
#include <cerrno>

#include <gtest/gtest.h>

#include "Language.h"
#include "LogbookFile.h"
#include "PresentationTestSupport.h"
#include "PrintJob.h"
#include "SaveFaultSeam.h"
#include "TDateFormat.h"
#include "TDiveCollection.h"

namespace {

TEST(PrintBoxesTest, TwoBoxesOf170By120MillimetresAroundThePagesMiddle) {
    // A4 at 600 dots per inch, the whole sheet printable.
    const TPageGeometry a4{4961, 7016, 0, 0, 600, 600};
    const auto [upper, lower] = ComputePrintBoxes(a4);
    EXPECT_EQ(upper, (TPrintBox{2480 - 2008, 3508 - 2953, 2480 + 2008, 3508 - 118}));
    EXPECT_EQ(lower, (TPrintBox{2480 - 2008, 3508 + 118, 2480 + 2008, 3508 + 2953}));

    // The printable area starts 60 mm in and 40 mm down: the upper box's left and top stop at
    // 0, the lower box is only moved.
    const TPageGeometry inset{4961, 7016, 1417, 945, 600, 600};
    const auto [u, l] = ComputePrintBoxes(inset);
    EXPECT_EQ(u, (TPrintBox{0, 0, 4488 - 1417, 3390 - 945}));
    EXPECT_EQ(l, (TPrintBox{472 - 1417, 3626 - 945, 4488 - 1417, 6461 - 945}));
}

TEST(PrintBoxesTest, MillimetresUseEachDirectionsResolutionAndRoundTiesToEven) {
    const TPageGeometry page{0, 0, 0, 0, 53.34, 300};
    EXPECT_EQ(page.MmX(5), 10);    // 10.5 dots
    EXPECT_EQ(page.MmX(85), 178);  // 178.5 dots
    EXPECT_EQ(page.MmX(15), 32);   // 31.5 dots
    EXPECT_EQ(page.MmY(5), 59);
    EXPECT_EQ(page.MmY(125), 1476);
}

TEST(PrintBoxesTest, TextIsCutFromItsEndWithoutAnEllipsis) {
    GuiApp();
    QImage image(10, 10, QImage::Format_RGB32);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(11);
    const QFontMetrics metrics(font, &image);
    const QString text = QStringLiteral("Blue Hole, Dahab, Red Sea");
    const int max = metrics.horizontalAdvance(QStringLiteral("Blue Hole, Da")) + 1;
    const QString cut = FitText(metrics, text, max);
    EXPECT_EQ(cut, QStringLiteral("Blue Hole, Da"));
    EXPECT_EQ(FitText(metrics, text, 100000), text);
    EXPECT_EQ(FitText(metrics, text, 0), QString());
}

std::unique_ptr<TDiveRec> PrintDive(int number, int day) {
    auto d = std::make_unique<TDiveRec>();
    d->DayNo = DayNoOfDate(QDate(2024, 6, 1).addDays(day));
    d->StartTime = 9 * 60 + 30;
    d->DiveNumber = static_cast<std::uint16_t>(number);
    d->MaxDepth = 1850;
    d->DiveTime = 47;
    d->SurfaceInterval = kNotSet;
    d->AirTemperature = 2400;
    d->MinWaterTemp = 1900;
    d->TankSize = 1200;
    d->AirConsumption = 15000;
    d->Location = "Dahab";
    d->Site = "Canyon";
    return d;
}

std::unique_ptr<TDiveCollection> PrintLogbook(int count) {
    auto log = std::make_unique<TDiveCollection>();
    for (int i = 0; i < count; ++i) {
        log->AddDive(PrintDive(i + 1, i), 0, 1);
        log->At(static_cast<std::size_t>(i)).DiveNumber = static_cast<std::uint16_t>(i + 1);
    }
    return log;
}

class PrintJobTest : public testing::Test {
protected:
    void SetUp() override {
        GuiApp();
        ASSERT_TRUE(m_dir.isValid());
        SetCurrentLanguage(kEnglish);
        SetCurrentUnitSystem(kMetric);
        TDateFormat format;
        format.ShortDateFormat = QStringLiteral("dd.MM.yyyy");
        SetCurrentDateFormat(format);
    }
    void TearDown() override {
        SetCurrentLanguage(kEnglish);
        SetCurrentDateFormat(TDateFormat());
    }

    // Prints the request into a PDF and reads it back; the job stays for its figures.
    PdfPages Print(TPrintRequest request) {
        const QString path = m_dir.filePath(QStringLiteral("print%1.pdf").arg(++m_files));
        TPdfPrintTarget target(path);
        request.FileName = QStringLiteral("TRIP.LOG");
        m_job = std::make_unique<TPrintJob>(target, request);
        const TResult printed = m_job->Run();
        EXPECT_TRUE(printed.Ok()) << printed.ErrorText.toStdString();
        return ReadPdf(path);
    }
    static TPrintRequest Request(const TDiveCollection& log, EPrintWhat what) {
        TPrintRequest r;
        r.What = what;
        r.Extend = EPrintExtend::WholeLogbook;
        r.Logbook = &log;
        return r;
    }
    // A box of the job in PDF points.
    QRectF Points(const TPrintBox& box) const {
        const double k = 72.0 / 600.0;
        return {box.Left * k, box.Top * k, box.Width() * k, box.Height() * k};
    }

    QTemporaryDir m_dir;
    int m_files = 0;
    std::unique_ptr<TPrintJob> m_job;
};

TEST_F(PrintJobTest, ThreeDivesAsTextOnlyTakeTwoPages) {
    const auto log = PrintLogbook(3);
    const PdfPages pdf = Print(Request(*log, EPrintWhat::TextOnly));
    ASSERT_EQ(pdf.Count, 2);
    EXPECT_EQ(m_job->PagesStarted(), 2);
    EXPECT_TRUE(pdf.Text[0].contains("Dive # 1"));
    EXPECT_TRUE(pdf.Text[0].contains("Dive # 2"));
    EXPECT_FALSE(pdf.Text[0].contains("Dive # 3"));
    EXPECT_TRUE(pdf.Text[1].contains("Dive # 3"));
    EXPECT_EQ(pdf.Text[0].count("TRIP.LOG"), 2);
    EXPECT_EQ(pdf.Text[0].count("Signature(s):"), 2);
    for (const char* text :
         {"Maximum depth:", "18.5 m", "Dive time:", "00:47", "Dahab", "Canyon", "Sat, 01.06.2024"})
        EXPECT_TRUE(pdf.Text[0].contains(QString::fromLatin1(text))) << text;
}

TEST_F(PrintJobTest, OneDiveAsTextAndProfileFillsOnePageWithOneHeadingTwice) {
    const auto log = PrintLogbook(1);
    log->At(0).DiveNumber = 7;
    const PdfPages pdf = Print(Request(*log, EPrintWhat::TextAndProfile));
    ASSERT_EQ(pdf.Count, 1);
    EXPECT_EQ(pdf.Text[0].count("Dive # 7"), 2);
    EXPECT_EQ(m_job->BoxesStarted(), 2);
}

// A dive with a profile prints its readout above the chart, and the chart's time and depth
// labels inside the profile box.
TEST_F(PrintJobTest, ADiveWithAProfilePrintsItsReadoutAndChart) {
    LogbookLoadResult loaded = LoadLogbookFile(QStringLiteral(KV_SOURCE_DIR "/data/EXAMPLE.LOG"), false);
    ASSERT_TRUE(loaded.Ok()) << loaded.ErrorText.toStdString();
    const TDiveCollection& log = *loaded.Collection;
    std::size_t line = 0;
    while (line < log.Count() && !log.At(line).HasProfile()) ++line;
    ASSERT_LT(line, log.Count());
    TPrintRequest r = Request(log, EPrintWhat::ProfileOnly);
    r.Extend = EPrintExtend::SelectedDives;
    r.SelectedLines.assign(log.Count(), false);
    r.SelectedLines[line] = true;
    const PdfPages pdf = Print(r);
    ASSERT_EQ(pdf.Count, 1);
    for (const char* text : {"Gas:", "Min. water temp.:", "0 m", "10 m", "2'", "4'"})
        EXPECT_TRUE(pdf.Text[0].contains(QString::fromLatin1(text))) << text << "\n"
                                                                     << pdf.Text[0].toStdString();
}

TEST_F(PrintJobTest, DivesWithoutProfileStillTakeTheirProfileBoxes) {
    const auto log = PrintLogbook(3);
    TPrintRequest r = Request(*log, EPrintWhat::ProfileOnly);
    r.Extend = EPrintExtend::SelectedDives;
    r.SelectedLines = {true, false, true};
    const PdfPages pdf = Print(r);
    ASSERT_EQ(pdf.Count, 1);
    EXPECT_TRUE(pdf.Text[0].contains("Dive # 1"));
    EXPECT_FALSE(pdf.Text[0].contains("Dive # 2"));
    EXPECT_TRUE(pdf.Text[0].contains("Dive # 3"));
}

TEST_F(PrintJobTest, ALongSummaryContinuesBoxAfterBoxWithItsHeadingAndHeader) {
    auto log = PrintLogbook(60);
    log->At(0).Location = "Marsa Alam, Elphinstone Reef, northern plateau and the south";
    const PdfPages pdf = Print(Request(*log, EPrintWhat::Summary));
    const int rows = m_job->SummaryRowsPerBox();
    ASSERT_GT(rows, 10);
    ASSERT_LT(rows, 60);
    const int boxes = (60 + rows - 1) / rows;
    EXPECT_EQ(m_job->BoxesStarted(), boxes);
    ASSERT_EQ(pdf.Count, (boxes + 1) / 2);
    int headings = 0;
    int headers = 0;
    for (const QString& page : pdf.Text) {
        headings += static_cast<int>(page.count("Summary"));
        headers += static_cast<int>(page.count("Place"));
    }
    EXPECT_EQ(headings, boxes);
    EXPECT_EQ(headers, boxes);
    // The first box ends with the row of dive `rows`; the next box starts with the following.
    EXPECT_TRUE(pdf.Text[0].contains(QStringLiteral("\n%1\n").arg(rows)) ||
                pdf.Text[0].contains(QStringLiteral("%1 ").arg(rows)));
    // The location is cut to its column, without an ellipsis.
    EXPECT_TRUE(pdf.Text[0].contains("Marsa Alam"));
    EXPECT_FALSE(pdf.Text[0].contains("the south"));
    EXPECT_FALSE(pdf.Text[0].contains(QChar(0x2026)));
}

TEST_F(PrintJobTest, StatisticsFillOneBoxTitledWithTheDateRange) {
    const auto log = PrintLogbook(4);
    log->At(2).DiveType = DiveTypeFlag::kNitrox;
    TPrintRequest r = Request(*log, EPrintWhat::Statistics);
    r.Extend = EPrintExtend::SelectedDives;
    r.SelectedLines = {false, true, true, false};
    const PdfPages pdf = Print(r);
    ASSERT_EQ(pdf.Count, 1);
    EXPECT_EQ(m_job->BoxesStarted(), 1);
    const QString& page = pdf.Text[0];
    EXPECT_TRUE(page.contains("Statistics (02.06.2024 - 03.06.2024)")) << page.toStdString();
    for (const char* text : {"Number of dives:", "Total dive time:", "1:34", "10 ... 20 m:", "(100 %)",
                             "(50 %)", "SCR:", "Photo-dive:"})
        EXPECT_TRUE(page.contains(QString::fromLatin1(text))) << text;
}

// Long texts in every language: each word stays inside its box and no two words overlap.
TEST_F(PrintJobTest, EveryWordOfADivePageStaysInsideItsBoxInEveryLanguage) {
    auto log = PrintLogbook(1);
    TDiveRec& d = log->At(0);
    d.Location = "Ras Mohammed National Park, southern tip of the Sinai peninsula";
    d.Site = "Shark Reef and Yolanda Reef with the wreck of the Yolanda";
    d.Buddies = "Anna Beispiel, Bernhard Muster, Carla Exempel, Daniel Probe, Emil Test";
    d.OtherActivity = "Steep wall";
    d.Activities = 0x0FFF;
    d.DiveType = DiveTypeFlag::kNitrox | DiveTypeFlag::kDecomp | DiveTypeFlag::kMultil | DiveTypeFlag::kSea;
    d.DeviceStatus = 0x39;
    d.AltitudeRange = 3;
    d.Weather = 5;
    d.Suit = 6;
    d.Remarks = QByteArray(
        "Strong current at the plateau, we drifted along the wall to the saddle and came up near the "
        "Yolanda wreck; toilets and bathtubs everywhere, a large napoleon followed us for ten minutes, "
        "turtles, a reef shark at 25 m and a school of barracuda in the blue. Visibility 30 m, water 24 C.");
    for (int lang = 0; lang < kLanguageCount; ++lang) {
        SetCurrentLanguage(lang);
        const PdfPages pdf = Print(Request(*log, EPrintWhat::TextAndProfile));
        ASSERT_EQ(pdf.Count, 1) << lang;
        const QRectF upper = Points(m_job->UpperBox()).adjusted(-0.5, -0.5, 0.5, 0.5);
        const QRectF lower = Points(m_job->LowerBox()).adjusted(-0.5, -0.5, 0.5, 0.5);
        const std::vector<PdfWord>& words = pdf.Words[0];
        ASSERT_GT(words.size(), 100u);
        for (std::size_t i = 0; i < words.size(); ++i) {
            const PdfWord& w = words[i];
            EXPECT_TRUE(upper.contains(w.Box) || lower.contains(w.Box))
                << "language " << lang << ": " << w.Text.toStdString();
            for (std::size_t j = i + 1; j < words.size(); ++j)
                EXPECT_FALSE(w.Box.adjusted(0.3, 0.3, -0.3, -0.3)
                                 .intersects(words[j].Box.adjusted(0.3, 0.3, -0.3, -0.3)))
                    << "language " << lang << ": " << w.Text.toStdString() << " / "
                    << words[j].Text.toStdString();
        }
        // The remarks come out in full lines of the memo, the first at the remarks label.
        EXPECT_TRUE(pdf.Text[0].contains("Strong current")) << lang;
    }
}

TEST_F(PrintJobTest, AFileThatCannotBeWrittenFailsWithTheReasonAndNamesTheFile) {
    const auto log = PrintLogbook(1);
    const QString path = m_dir.filePath(QStringLiteral("missing/folder/out.pdf"));
    TPdfPrintTarget target(path);
    TPrintJob job(target, Request(*log, EPrintWhat::TextOnly));
    const TResult printed = job.Run();
    EXPECT_FALSE(printed.Ok());
    EXPECT_TRUE(printed.ErrorText.contains(path)) << printed.ErrorText.toStdString();
    EXPECT_FALSE(QFile::exists(path));
}

// A disk that fills up while the document is saved fails the print with the reason and
// keeps the document printed before.
TEST_F(PrintJobTest, AFullDiskFailsThePrintAndKeepsTheEarlierDocument) {
    const auto log = PrintLogbook(2);
    const QString path = m_dir.filePath(QStringLiteral("trip.pdf"));
    {
        QFile earlier(path);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier document");
    }
    const TSaveFaultScope full(ESaveStep::Write, ENOSPC, QStringLiteral("trip.pdf"));
    TPdfPrintTarget target(path);
    TPrintJob job(target, Request(*log, EPrintWhat::TextOnly));
    const TResult printed = job.Run();
    EXPECT_FALSE(printed.Ok());
    EXPECT_EQ(printed.ErrorText, path + QStringLiteral(": No space left on device"));
    QFile kept(path);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "earlier document");
}

}  // namespace
