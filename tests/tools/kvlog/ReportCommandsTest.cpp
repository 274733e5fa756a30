// kvlog stats and kvlog print run as programs on logbooks written by the core.

#include <QDate>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "LogbookFile.h"
#include "TDateFormat.h"
#include "TDiveCollection.h"

namespace {

struct KvlogResult {
    int Exit = -1;
    QString Out;
    QString Err;
};

KvlogResult Kvlog(const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Dates in the German short format whatever the machine's locale is.
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KV_BIN_DIR "/kvlog"), args);
    KvlogResult r;
    if (!p.waitForFinished(120000)) return r;
    r.Exit = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.Out = QString::fromUtf8(p.readAllStandardOutput());
    r.Err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// Dives 1..6 on 1..6 May 2024: depths 9.94, 10.0, 9.96, 9.1, 32.0 and 55.0 m; times 45, 50,
// 52 minutes, then none; dive 5 nitrox and night, dive 6 repetitive.
void WriteStatsLogbook(const QString& path) {
    TDiveCollection log;
    const int depths[] = {994, 1000, 996, 910, 3200, 5500};
    const int times[] = {45, 50, 52, kNotSet, kNotSet, kNotSet};
    for (int i = 0; i < 6; ++i) {
        auto d = std::make_unique<TDiveRec>();
        d->DayNo = DayNoOfDate(QDate(2024, 5, 1 + i));
        d->StartTime = 600;
        d->MaxDepth = static_cast<std::int16_t>(depths[i]);
        d->DiveTime = static_cast<std::uint16_t>(times[i]);
        d->SurfaceInterval = i == 5 ? 60 : kNotSet;
        if (i == 4) {
            d->DiveType = 0x0100;
            d->Activities = 0x0010;
        }
        log.AddDive(std::move(d), 0, 1);
        log.At(static_cast<std::size_t>(i)).DiveNumber = static_cast<std::uint16_t>(i + 1);
    }
    ASSERT_TRUE(SaveLogbookFile(path, log, false).Ok());
}

QStringList Lines(const QString& text) { return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }

QString Row(const QStringList& lines, const QString& name) {
    for (const QString& l : lines)
        if (l.startsWith(name + QLatin1Char('\t'))) return l;
    return {};
}

class ReportCommandsTest : public testing::Test {
protected:
    QTemporaryDir m_dir;
    QString Path(const char* name) const { return m_dir.path() + "/" + name; }
    void SetUp() override { WriteStatsLogbook(Path("stats.log")); }
};

TEST_F(ReportCommandsTest, StatsPrintsEveryRowInTheWindowsOrderThenTheTitle) {
    const KvlogResult r = Kvlog({"stats", Path("stats.log")});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    const QStringList lines = Lines(r.Out);
    ASSERT_EQ(lines.size(), 32);
    const QStringList names = {"Dives", "Time",   "avTime", "Rept",  "R0",     "R1",    "R2",    "R3",
                               "R4",    "R5",     "Nitrox", "SCR",   "Nostop", "Deco",  "Multi", "Square",
                               "Fresh", "Sea",    "Sight",  "Club",  "Edu",    "Instr", "Night", "Cave",
                               "Ice",   "Search", "Wreck",  "River", "Drift",  "Photo", "Other"};
    for (int i = 0; i < names.size(); ++i) EXPECT_EQ(lines[i].section('\t', 0, 0), names[i]);
    EXPECT_EQ(lines[0], "Dives\tNumber of dives:\t6\t(100 %)");
    EXPECT_EQ(lines[1], "Time\tTotal dive time:\t2:27\t");
    EXPECT_EQ(lines[2], "avTime\tAverage dive time:\t0:24\t");   // 147 / 6 = 24.5, to the even 24
    EXPECT_EQ(Row(lines, "R0"), "R0\t0 ... 10 m:\t2\t(33 %)");   // 9.94 m and 9.1 m
    EXPECT_EQ(Row(lines, "R1"), "R1\t10 ... 20 m:\t2\t(33 %)");  // 10.0 m and 9.96 m
    EXPECT_EQ(Row(lines, "R3"), "R3\t30 ... 40 m:\t1\t(17 %)");
    EXPECT_EQ(Row(lines, "R5"), "R5\t>50 m:\t1\t(17 %)");
    EXPECT_EQ(Row(lines, "Rept"), "Rept\tRepetive dives:\t1\t(17 %)");
    EXPECT_EQ(Row(lines, "SCR"), "SCR\tSCR:\t0\t(0 %)");
    EXPECT_EQ(lines[31], "Title\tStatistics (01.05.2024 - 06.05.2024)");
}

TEST_F(ReportCommandsTest, StatsOfListedDivesInGermanAndImperialUnits) {
    const KvlogResult r =
        Kvlog({"stats", Path("stats.log"), "--dives", " 1-3, 5 ,99", "--units", "imperial", "--lang", "de"});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    const QStringList lines = Lines(r.Out);
    EXPECT_EQ(Row(lines, "Dives"), QString::fromUtf8("Dives\tAnzahl Tauchgänge:\t4\t(100 %)"));
    EXPECT_EQ(Row(lines, "R0"), "R0\t0 ... 30 ft:\t0\t(0 %)");
    EXPECT_EQ(Row(lines, "R1"), "R1\t30 ... 60 ft:\t3\t(75 %)");  // 32.8, 33 and 32.9 ft
    EXPECT_EQ(Row(lines, "R3"), "R3\t90 ...120 ft:\t1\t(25 %)");  // 105.6 ft
    EXPECT_EQ(Row(lines, "SCR"), "SCR\tSCR:\t0\t(0 %)");
    EXPECT_EQ(Row(lines, "Night"), "Night\tNacht-TG:\t1\t(25 %)");
    EXPECT_EQ(lines.last(), "Title\tStatistik (01.05.2024 - 05.05.2024)");
}

TEST_F(ReportCommandsTest, StatsOfAListNamingNoDiveShowsZeros) {
    const KvlogResult r = Kvlog({"stats", Path("stats.log"), "--dives", "40-50"});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    const QStringList lines = Lines(r.Out);
    EXPECT_EQ(Row(lines, "Dives"), "Dives\tNumber of dives:\t0\t");
    EXPECT_EQ(Row(lines, "avTime"), "avTime\tAverage dive time:\t0:00\t");
    EXPECT_EQ(lines.last(), "Title\tStatistics ( - )");
}

TEST_F(ReportCommandsTest, StatsRefusesBadArgumentsAndNamesAnUnreadableFile) {
    for (const QStringList& args :
         {QStringList{"stats", Path("stats.log"), "--dives", "3,x"},
          QStringList{"stats", Path("stats.log"), "--dives", "9-5"},
          QStringList{"stats", Path("stats.log"), "--lang", "nl"},
          QStringList{"stats", Path("stats.log"), "--units", "furlongs"}, QStringList{"stats"}}) {
        const KvlogResult r = Kvlog(args);
        EXPECT_EQ(r.Exit, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.Err.contains("Usage: kvlog stats")) << r.Err.toStdString();
    }
    const KvlogResult missing = Kvlog({"stats", Path("missing.log")});
    EXPECT_EQ(missing.Exit, 1);
    EXPECT_TRUE(missing.Err.contains(Path("missing.log"))) << missing.Err.toStdString();
    EXPECT_TRUE(missing.Out.isEmpty());
}

int PdfPages(const QString& path, QString* text) {
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    if (!info.waitForFinished(60000)) return -1;
    const QString out = QString::fromUtf8(info.readAllStandardOutput());
    const qsizetype at = out.indexOf(QStringLiteral("Pages:"));
    if (at < 0) return -1;
    QProcess toText;
    toText.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    toText.waitForFinished(60000);
    if (text) *text = QString::fromUtf8(toText.readAllStandardOutput());
    return out.mid(at + 6).section(QLatin1Char('\n'), 0, 0).trimmed().toInt();
}

TEST_F(ReportCommandsTest, PrintWritesThePagesOfEachChoiceIntoAPdf) {
    struct Case {
        QStringList Args;
        int Pages;
        const char* Text;
    };
    const Case cases[] = {
        {{}, 6, "Dive # 6"},                                       // both, whole logbook: a page per dive
        {{"--what", "text"}, 3, "Signature(s):"},                  // six text boxes
        {{"--what", "profile", "--dives", "2-3"}, 1, "Dive # 3"},  // two profile boxes
        {{"--what", "summary", "--lang", "de"}, 1, "Zusammenfassung"},
        {{"--what", "statistics", "--dives", "1,2"}, 1, "Statistics (01.05.2024 - 02.05.2024)"},
    };
    for (const Case& c : cases) {
        const QString pdf = Path("out.pdf");
        QFile::remove(pdf);
        const KvlogResult r = Kvlog(QStringList{"print", Path("stats.log"), "--pdf", pdf} + c.Args);
        ASSERT_EQ(r.Exit, 0) << c.Args.join(' ').toStdString() << ": " << r.Err.toStdString();
        QString text;
        EXPECT_EQ(PdfPages(pdf, &text), c.Pages) << c.Args.join(' ').toStdString();
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.Text))) << c.Args.join(' ').toStdString();
        EXPECT_TRUE(text.contains("stats.log")) << "the footer names the logbook";
    }
}

TEST_F(ReportCommandsTest, PrintRefusesBadArgumentsAndReportsAFileItCannotWrite) {
    for (const QStringList& args :
         {QStringList{"print", Path("stats.log")},
          QStringList{"print", Path("stats.log"), "--pdf", Path("o.pdf"), "--what", "all"},
          QStringList{"print", Path("stats.log"), "--pdf", Path("o.pdf"), "--dives", "-"}}) {
        const KvlogResult r = Kvlog(args);
        EXPECT_EQ(r.Exit, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.Err.contains("Usage: kvlog print")) << r.Err.toStdString();
    }
    const QString unwritable = Path("no/such/folder/o.pdf");
    const KvlogResult r = Kvlog({"print", Path("stats.log"), "--pdf", unwritable});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_TRUE(r.Err.contains(unwritable)) << r.Err.toStdString();
}

}  // namespace
