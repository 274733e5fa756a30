// UDDF export: schema-valid documents, the computer's own figures at each waypoint, and
// the round trip of a whole logbook through UDDF.

#include <QBuffer>
#include <QXmlStreamReader>
#include <cerrno>

#include "DiveAnalysis.h"
#include "InterchangeFile.h"
#include "InterchangeTestSupport.h"
#include "InterchangeTexts.h"
#include "SaveFaultSeam.h"
#include "SaveTexts.h"
#include "TLogbookWriter.h"
#include "TTissueModel.h"
#include "UddfValues.h"
#include "UddfWriter.h"

namespace {

struct TWaypoint {
    double Depth = -1;
    int DiveTime = -1;
    int NoDecoTime = -1;
    double StopDepth = -1;
    int StopDuration = -1;
    int Cns = -1;
    double PO2 = -1;
    QStringList Alarms;
};

// Waypoints of the dive with the given id.
std::vector<TWaypoint> Waypoints(const QByteArray& uddf, const QString& diveId) {
    std::vector<TWaypoint> points;
    QXmlStreamReader xml(uddf);
    bool inDive = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("dive")) inDive = xml.attributes().value(QLatin1String("id")) == diveId;
            if (!inDive) continue;
            if (name == QLatin1String("waypoint")) points.emplace_back();
            if (points.empty()) continue;
            TWaypoint& w = points.back();
            if (name == QLatin1String("decostop")) {
                w.StopDepth = xml.attributes().value(QLatin1String("decodepth")).toDouble();
                w.StopDuration = xml.attributes().value(QLatin1String("duration")).toInt();
            } else if (name == QLatin1String("depth")) {
                w.Depth = xml.readElementText().toDouble();
            } else if (name == QLatin1String("divetime")) {
                w.DiveTime = xml.readElementText().toInt();
            } else if (name == QLatin1String("nodecotime")) {
                w.NoDecoTime = xml.readElementText().toInt();
            } else if (name == QLatin1String("cns")) {
                w.Cns = xml.readElementText().toInt();
            } else if (name == QLatin1String("calculatedpo2")) {
                w.PO2 = xml.readElementText().toDouble();
            } else if (name == QLatin1String("alarm")) {
                w.Alarms << xml.readElementText();
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("dive")) {
            inDive = false;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return points;
}

QByteArray UddfOf(const TDiveCollection& log, const std::vector<std::size_t>& indices,
                  TParameterTables* tables) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const UddfWriteResult r = WriteUddf(buffer, log, indices, tables);
    EXPECT_TRUE(r.Ok()) << r.ErrorText.toStdString();
    return buffer.data();
}

class UddfExportTest : public testing::Test {
protected:
    QTemporaryDir m_dir;
    std::unique_ptr<TDiveCollection> m_log = ExampleLogbook();
    std::unique_ptr<TParameterTables> m_tables = DeliveredTables();
    QString Path(const char* name) const { return m_dir.path() + QLatin1Char('/') + QLatin1String(name); }

    ExportResult Export(const QString& path, const std::vector<std::size_t>& indices,
                        TParameterTables* tables) {
        ExportOptions options;
        options.Tables = tables;
        return ExportDives(path, EInterchangeFormat::Uddf, *m_log, indices, options);
    }
};

TEST_F(UddfExportTest, ExampleLogbookComesBackByteForByte) {
    const QString uddf = Path("example.uddf");
    ASSERT_TRUE(Export(uddf, AllIndices(*m_log), m_tables.get()).Ok());

    TDiveCollection back;
    const UddfImportResult imported = ImportUddfFile(back, uddf, 0);
    ASSERT_TRUE(imported.Ok()) << imported.ErrorText.toStdString();
    EXPECT_TRUE(imported.Notes.isEmpty());
    EXPECT_EQ(imported.Summary.Added, m_log->Count());
    ASSERT_EQ(back.Count(), m_log->Count());
    EXPECT_EQ(back.DiveComputerId, m_log->DiveComputerId);
    for (std::size_t i = 0; i < back.Count(); ++i) EXPECT_EQ(back.At(i), m_log->At(i)) << "dive " << i;

    TLogbookWriter original;
    TLogbookWriter roundTrip;
    m_log->SaveToStream(original, false);
    back.SaveToStream(roundTrip, false);
    EXPECT_TRUE(original.Data() == roundTrip.Data());
}

TEST_F(UddfExportTest, WaypointsShowWhatTheComputerShowed) {
    // Every family and a dive that needed stops: the figures equal a replay of that dive alone.
    bool sawStop = false;
    bool sawCns = false;
    for (std::size_t i = 0; i < m_log->Count(); ++i) {
        const TDiveRec& dive = m_log->At(i);
        if (!dive.HasProfile()) continue;
        // Exported among all dives, compared with a replay from a fresh model.
        const std::vector<TWaypoint> points =
            Waypoints(UddfOf(*m_log, {0, i}, m_tables.get()), UddfDiveId(i));
        auto profile = std::make_unique<DiveProfile>();
        TTissueModel model(*m_tables);
        ASSERT_TRUE(ReplayDive(dive, *profile, model));
        ASSERT_EQ(points.size(), static_cast<std::size_t>(profile->Count + 1)) << "dive " << dive.DiveNumber;
        const bool toxicity = profile->Family != ProfileFamily::Basic;
        for (int k = 0; k <= profile->Count; ++k) {
            const ProfilePoint& p = profile->Points[static_cast<std::size_t>(k)];
            const TWaypoint& w = points[static_cast<std::size_t>(k)];
            SCOPED_TRACE(testing::Message() << "dive " << dive.DiveNumber << " point " << k);
            EXPECT_EQ(w.DiveTime, k * 20);
            EXPECT_NEAR(w.Depth, PointDepth(p) * 10, 0.0005);
            if (p.StopIndex > 0) {
                sawStop = true;
                EXPECT_DOUBLE_EQ(w.StopDepth, model.State().StopDepth[p.StopIndex] * 10);
                EXPECT_EQ(w.StopDuration, p.StopTime * 60);
                EXPECT_EQ(w.NoDecoTime, -1);
            } else {
                EXPECT_EQ(w.StopDepth, -1);
                EXPECT_EQ(w.NoDecoTime, p.NoStopTime * 60);
            }
            EXPECT_EQ(w.Cns, toxicity ? p.CNSPercent : -1);
            if (toxicity) {
                sawCns = sawCns || p.CNSPercent > 0;
                EXPECT_NEAR(w.PO2, p.PO2 * 1e5, 0.5);
            }
            EXPECT_EQ(w.Alarms.contains(QLatin1String("ascent")), (p.DepthWord & 0x04) != 0);
        }
    }
    EXPECT_TRUE(sawStop);
    EXPECT_TRUE(sawCns);
}

TEST_F(UddfExportTest, SelectedDivesOnly) {
    const QString two = Path("two.uddf");
    ASSERT_TRUE(Export(two, {2, 26}, m_tables.get()).Ok());
    TDiveCollection back;
    ASSERT_TRUE(ImportUddfFile(back, two, 0).Ok());
    ASSERT_EQ(back.Count(), 2u);
    EXPECT_EQ(back.At(0), m_log->At(2));
    EXPECT_EQ(back.At(1).DeviceTime, m_log->At(26).DeviceTime);
}

TEST_F(UddfExportTest, EveryWrittenDocumentValidatesAgainstTheSchema) {
    KV_REQUIRE_UDDF_SCHEMA();
    const QString all = Path("all.uddf");
    ASSERT_TRUE(Export(all, AllIndices(*m_log), m_tables.get()).Ok());
    EXPECT_EQ(SchemaComplaint(all), QString());
    const QString two = Path("two.uddf");
    ASSERT_TRUE(Export(two, {2, 26}, m_tables.get()).Ok());
    EXPECT_EQ(SchemaComplaint(two), QString());
    const QString none = Path("none.uddf");
    ASSERT_TRUE(Export(none, {}, nullptr).Ok());
    EXPECT_EQ(SchemaComplaint(none), QString());

    // Unset values, texts with markup characters and characters beyond ASCII, no site
    // name but a location, a zero dive number and an out-of-range day.
    TDiveCollection log;
    auto dive = TDiveRec::CreateEmpty(QDateTime(QDate(2021, 7, 1), QTime(23, 59)));
    dive->Location = "Lac <L\xE9man> & \"Rh\xF4ne\"";
    dive->Buddies = "A;B, ;C D E";
    dive->Remarks = "\x80 5 \x93quoted\x94 ]]> end";
    dive->Weather = 6;
    dive->Suit = 1;
    dive->AltitudeRange = 4;
    dive->Activities = 0xFFF;
    dive->OtherActivity = "Mapping";
    dive->DeviceStatus = 0x3F;
    log.AddDive(std::move(dive), 0, 0);
    auto odd = TDiveRec::CreateEmpty(QDateTime(QDate(2021, 7, 2), QTime(8, 0)));
    odd->DayNo = -5000000;
    odd->StartTime = 32767;
    odd->DiveType = 0x3FF;
    odd->TankSize = -3;
    log.AddDive(std::move(odd), 0, 0);
    const QString path = Path("odd.uddf");
    ExportOptions options;
    ASSERT_TRUE(ExportDives(path, EInterchangeFormat::Uddf, log, {0, 1}, options).Ok());
    EXPECT_EQ(SchemaComplaint(path), QString());
    TDiveCollection back;
    ASSERT_TRUE(ImportUddfFile(back, path, 0).Ok());
    ASSERT_EQ(back.Count(), 2u);
}

// A remark holding control characters (a damaged or foreign logbook) once stopped the
// export with an empty message, and a profile block the decoder refuses was written with
// the waypoints of the dive before it. Now both dives export, the document is valid, and
// the record images bring them back unchanged.
TEST_F(UddfExportTest, ControlCharactersAndARefusedProfileStillExportEveryDive) {
    std::size_t first = 0;
    while (first < m_log->Count() && !m_log->At(first).HasProfile()) ++first;
    ASSERT_LT(first, m_log->Count());
    TDiveCollection log;
    auto profiled = std::make_unique<TDiveRec>(m_log->At(first));
    profiled->Remarks = "bell\x07 and\x01 line\r\nnext";
    log.AddDive(std::move(profiled), 0, 0);
    auto refused = std::make_unique<TDiveRec>(m_log->At(first));
    refused->DeviceTime += 7200;
    refused->DayNo += 1;
    refused->ProfileBlock = {0x05};  // shorter than the block's own length field
    log.AddDive(std::move(refused), 0, 0);
    ASSERT_EQ(log.Count(), 2u);
    log.At(0).DiveNumber = 1;
    log.At(1).DiveNumber = 2;

    const QString path = Path("control.uddf");
    ExportOptions options;
    options.Tables = m_tables.get();
    const ExportResult r = ExportDives(path, EInterchangeFormat::Uddf, log, {0, 1}, options);
    ASSERT_TRUE(r.Ok()) << r.ErrorText.toStdString();
    const QByteArray uddf = ReadAll(path);
    EXPECT_FALSE(Waypoints(uddf, UddfDiveId(0)).empty());
    EXPECT_TRUE(Waypoints(uddf, UddfDiveId(1)).empty());
    if (SchemaCheckAvailable()) {
        EXPECT_EQ(SchemaComplaint(path), QString());
    }

    TDiveCollection back;
    ASSERT_TRUE(ImportUddfFile(back, path, 0).Ok());
    ASSERT_EQ(back.Count(), 2u);
    EXPECT_EQ(back.At(0), log.At(0));
    // The record image carries no profile block this short; everything else returns.
    TDiveRec withoutBlock = log.At(1);
    withoutBlock.ProfileBlock.clear();
    EXPECT_EQ(back.At(1), withoutBlock);
}

TEST_F(UddfExportTest, WithoutTablesNothingIsWrittenAndAnOldFileStays) {
    const QString path = Path("keep.uddf");
    ASSERT_TRUE(WriteAll(path, "old contents"));
    const ExportResult r = Export(path, AllIndices(*m_log), nullptr);
    EXPECT_FALSE(r.Ok());
    EXPECT_TRUE(r.ErrorText.contains(path));
    EXPECT_EQ(ReadAll(path), QByteArray("old contents"));

    TParameterTables missing(m_dir.path());
    const ExportResult r2 = Export(Path("new.uddf"), AllIndices(*m_log), &missing);
    EXPECT_FALSE(r2.Ok());
    EXPECT_FALSE(QFileInfo::exists(Path("new.uddf")));
}

TEST_F(UddfExportTest, AnUnknownFormatOrMissingTablesAreReportedInTheUsersLanguage) {
    ExportOptions options;
    options.LanguageIndex = kGerman;
    const ExportResult unknown =
        ExportDives(Path("dives.txt"), EInterchangeFormat::Unknown, *m_log, AllIndices(*m_log), options);
    EXPECT_EQ(unknown.ErrorText,
              InterchangeText(EInterchangeText::WriteFailed, kGerman)
                  .arg(Path("dives.txt"), InterchangeText(EInterchangeText::UnknownFormat, kGerman)));
    const ExportResult noTables =
        ExportDives(Path("dives.uddf"), EInterchangeFormat::Uddf, *m_log, AllIndices(*m_log), options);
    EXPECT_TRUE(noTables.ErrorText.contains(InterchangeText(EInterchangeText::TablesMissing, kGerman)))
        << noTables.ErrorText.toStdString();
    EXPECT_FALSE(QFileInfo::exists(Path("dives.txt")));
    EXPECT_FALSE(QFileInfo::exists(Path("dives.uddf")));
}

// A disk that fills up during the export fails it with the platform's reason in the user's
// language, for UDDF and CSV alike, and the file exported before stays as it was.
TEST_F(UddfExportTest, AFullDiskFailsTheExportAndKeepsTheEarlierFile) {
    for (const char* name : {"full.uddf", "full.csv"}) {
        const QString path = Path(name);
        ASSERT_TRUE(WriteAll(path, "earlier export"));
        ExportOptions options;
        options.Tables = m_tables.get();
        options.LanguageIndex = kGerman;
        const TSaveFaultScope full(ESaveStep::Write, ENOSPC, name);
        const ExportResult r = ExportDives(path, FormatOfPath(path), *m_log, AllIndices(*m_log), options);
        EXPECT_FALSE(r.Ok()) << name;
        EXPECT_TRUE(r.ErrorText.contains(path)) << r.ErrorText.toStdString();
        EXPECT_TRUE(r.ErrorText.contains(SystemErrorText(ENOSPC, kGerman))) << r.ErrorText.toStdString();
        EXPECT_EQ(ReadAll(path), QByteArray("earlier export")) << name;
    }
}

TEST(InterchangeFormat, FollowsTheExtension) {
    EXPECT_EQ(FormatOfPath(QStringLiteral("/a/b.LOG")), EInterchangeFormat::Logbook);
    EXPECT_EQ(FormatOfPath(QStringLiteral("b.kvl")), EInterchangeFormat::Logbook);
    EXPECT_EQ(FormatOfPath(QStringLiteral("b.Uddf")), EInterchangeFormat::Uddf);
    EXPECT_EQ(FormatOfPath(QStringLiteral("b.csv")), EInterchangeFormat::Csv);
    EXPECT_EQ(FormatOfPath(QStringLiteral("b.uddf.txt")), EInterchangeFormat::Unknown);
    EXPECT_EQ(FormatOfPath(QStringLiteral("uddf")), EInterchangeFormat::Unknown);
}

}  // namespace
