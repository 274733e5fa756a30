// CSV export: what a spreadsheet reads from it, checked with Python's csv module.

#include <QJsonArray>
#include <QJsonDocument>
#include <QStandardPaths>

#include "Cp1252.h"
#include "CsvWriter.h"
#include "DayNumber.h"
#include "InterchangeFile.h"
#include "InterchangeTestSupport.h"
#include "InterchangeTexts.h"
#include "Language.h"
#include "UnitFormat.h"

namespace {

// The rows Python's csv module reads from the file, or an empty array when python3 is missing.
QJsonArray PythonRows(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("python3"),
            {QStringLiteral("-c"),
             QStringLiteral("import csv, json, sys\n"
                            "with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:\n"
                            "    print(json.dumps(list(csv.reader(f, strict=True))))\n"),
             path});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        ADD_FAILURE() << "python3 failed: " << p.readAllStandardError().toStdString();
        return {};
    }
    return QJsonDocument::fromJson(p.readAllStandardOutput()).array();
}

class CsvExportTest : public testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
            GTEST_SKIP() << "python3 is not installed";
    }
    QTemporaryDir m_dir;
    QString Path(const char* name) const { return m_dir.path() + QLatin1Char('/') + QLatin1String(name); }

    QJsonArray Export(const TDiveCollection& log, const std::vector<std::size_t>& indices, int lang,
                      int units) {
        ExportOptions options;
        options.LanguageIndex = lang;
        options.UnitSystem = units;
        const QString path = Path("dives.csv");
        EXPECT_TRUE(ExportDives(path, EInterchangeFormat::Csv, log, indices, options).Ok());
        return PythonRows(path);
    }
};

TEST_F(CsvExportTest, ExampleLogbookIsOneRowPerDive) {
    auto log = ExampleLogbook();
    const QJsonArray rows = Export(*log, AllIndices(*log), kEnglish, kMetric);
    ASSERT_EQ(rows.size(), static_cast<qsizetype>(log->Count() + 1));
    for (const auto& row : rows) EXPECT_EQ(row.toArray().size(), kCsvColumnCount);
    const QJsonArray header = rows[0].toArray();
    EXPECT_EQ(header[0].toString(), QStringLiteral("Dive #"));
    EXPECT_EQ(header[11].toString(), QStringLiteral("Max. depth (m)"));
    EXPECT_EQ(header[8].toString(), QStringLiteral("Air temperature (°C)"));
    const QJsonArray first = rows[1].toArray();
    EXPECT_EQ(first[0].toString(), QString::number(log->At(0).DiveNumber));
    EXPECT_EQ(first[1].toString(), DateFromDayNo(log->At(0).DayNo).toString(Qt::ISODate));
    EXPECT_EQ(first[11].toString(), FormatNumber(log->At(0).MaxDepth / 100.0, 1));
    EXPECT_EQ(first[18].toString(), Cp1252ToUnicode(log->At(0).Remarks));
}

TEST_F(CsvExportTest, QuotingUnitsAndLanguage) {
    TDiveCollection log;
    auto d = TDiveRec::CreateEmpty(QDateTime(QDate(2022, 3, 4), QTime(7, 5)));
    d->Remarks = "Sicht 5 m, \"gut\"";
    d->Buddies = "Anna;\nBen";
    d->Location = "K\xF6nigssee";
    d->MaxDepth = 3050;
    d->MinWaterTemp = 1000;
    d->AirConsumption = 15000;
    d->Weather = 4;
    log.AddDive(std::move(d), 0, 0);

    QJsonArray rows = Export(log, {0}, kGerman, kImperial);
    ASSERT_EQ(rows.size(), 2);
    const QJsonArray header = rows[0].toArray();
    EXPECT_EQ(header[11].toString(), QStringLiteral("Max. Tiefe (ft)"));
    EXPECT_EQ(header[13].toString(), QStringLiteral("Min. Wassertemp. (°F)"));
    EXPECT_EQ(header[14].toString(), QStringLiteral("Luftverbrauch (psi)"));
    const QJsonArray row = rows[1].toArray();
    EXPECT_EQ(row[1].toString(), QStringLiteral("2022-03-04"));
    EXPECT_EQ(row[2].toString(), QStringLiteral("07:05"));
    EXPECT_EQ(row[3].toString(), QStringLiteral("Königssee"));
    EXPECT_EQ(row[7].toString(), QStringLiteral("Regen"));
    EXPECT_EQ(row[11].toString(), QStringLiteral("101"));
    EXPECT_EQ(row[13].toString(), QStringLiteral("50"));
    EXPECT_EQ(row[14].toString(), QStringLiteral("2176"));
    EXPECT_EQ(row[17].toString(), QStringLiteral("Anna;\nBen"));
    EXPECT_EQ(row[18].toString(), QStringLiteral("Sicht 5 m, \"gut\""));
    EXPECT_EQ(row[8].toString(), QString());  // air temperature not set
}

TEST(CsvLine, QuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(CsvLine({QStringLiteral("a"), QStringLiteral("b c"), QString()}), QStringLiteral("a,b c,"));
    EXPECT_EQ(CsvLine({QStringLiteral("a,b"), QStringLiteral("say \"hi\""), QStringLiteral("x\r\ny")}),
              QStringLiteral("\"a,b\",\"say \"\"hi\"\"\",\"x\r\ny\""));
}

}  // namespace
