// UDDF import: dives written by another program, damaged documents, and dives that are
// already in the logbook.

#include <QBuffer>

#include "Cp1252.h"
#include "DayNumber.h"
#include "InterchangeFile.h"
#include "InterchangeTestSupport.h"
#include "Language.h"
#include "TLogbookWriter.h"
#include "UddfReader.h"

namespace {

// A document in the style of another logbook program: no record images, sites and buddies
// defined after the dives, temperatures only at the waypoints for the second dive.
QByteArray ForeignUddf(const QString& remarks = QStringLiteral("Manta at the cleaning station.")) {
    return QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<uddf xmlns="http://www.streit.cc/uddf/3.2/" version="3.2.0">
 <generator><name>Other logbook</name></generator>
 <profiledata>
  <repetitiongroup id="rg">
   <dive id="d1">
    <informationbeforedive>
     <link ref="s1"/><link ref="b1"/><link ref="b2"/><link ref="nothing"/>
     <divenumber>41</divenumber>
     <datetime>2023-08-14T09:41:37+07:00</datetime>
     <airtemperature>303.15</airtemperature>
    </informationbeforedive>
    <samples><waypoint><depth>0</depth><divetime>0</divetime><temperature>299</temperature></waypoint></samples>
    <informationafterdive>
     <greatestdepth>18.456</greatestdepth>
     <diveduration>2790</diveduration>
     <lowesttemperature>300.65</lowesttemperature>
     <notes><para>%1</para><para>Strong
      current.</para></notes>
    </informationafterdive>
   </dive>
   <dive id="d2">
    <informationbeforedive>
     <datetime>2023-08-13T16:05:00Z</datetime>
    </informationbeforedive>
    <samples>
     <waypoint><depth>3</depth><divetime>0</divetime><temperature>301.15</temperature></waypoint>
     <waypoint><depth>12</depth><divetime>60</divetime><temperature>299.15</temperature></waypoint>
    </samples>
    <informationafterdive><greatestdepth>12</greatestdepth><diveduration>1500</diveduration></informationafterdive>
   </dive>
  </repetitiongroup>
 </profiledata>
 <divesite><site id="s1"><name>Manta Point</name><geography><location>Nusa Penida</location></geography></site></divesite>
 <diver>
  <owner id="me"><personal><firstname>Me</firstname><lastname>Myself</lastname></personal></owner>
  <buddy id="b1"><personal><firstname>Ketut</firstname><lastname>Wirawan</lastname></personal></buddy>
  <buddy id="b2"><personal><firstname>Lena</firstname><lastname></lastname></personal></buddy>
 </diver>
</uddf>
)")
        .arg(remarks)
        .toUtf8();
}

UddfReadResult Read(const QByteArray& document) {
    QBuffer buffer;
    buffer.setData(document);
    buffer.open(QIODevice::ReadOnly);
    return ReadUddf(buffer, QStringLiteral("trip.uddf"), 0);
}

class UddfImportTest : public testing::Test {
protected:
    QTemporaryDir m_dir;
    QString Path(const char* name) const { return m_dir.path() + QLatin1Char('/') + QLatin1String(name); }
};

TEST_F(UddfImportTest, AnotherProgramsDivesBecomeHandEnteredDives) {
    const UddfReadResult r = Read(ForeignUddf());
    ASSERT_TRUE(r.Ok()) << r.ErrorText.toStdString();
    ASSERT_EQ(r.Dives.size(), 2u);
    const TDiveRec& d = *r.Dives[0];
    EXPECT_EQ(d.DeviceTime, 0u);
    EXPECT_FALSE(d.HasProfile());
    EXPECT_EQ(d.DayNo, DayNoFromDate(QDate(2023, 8, 14)));  // local date, zone ignored
    EXPECT_EQ(d.StartTime, 9 * 60 + 41);                    // seconds dropped
    EXPECT_EQ(d.MaxDepth, 1846);                            // 1845.6 cm rounded
    EXPECT_EQ(d.DiveTime, 46);                              // 46.5 minutes round to even
    EXPECT_EQ(d.MinWaterTemp, 2750);                        // lowesttemperature before waypoints
    EXPECT_EQ(d.AirTemperature, 3000);
    EXPECT_EQ(d.Site, QByteArray("Manta Point"));
    EXPECT_EQ(d.Location, QByteArray("Nusa Penida"));
    EXPECT_EQ(d.Buddies, QByteArray("Ketut Wirawan, Lena"));
    EXPECT_EQ(d.Remarks, QByteArray("Manta at the cleaning station. Strong current."));
    EXPECT_EQ(d.TankSize, kNotSet);
    EXPECT_EQ(d.SurfaceInterval, kNotSet);

    const TDiveRec& e = *r.Dives[1];
    EXPECT_EQ(e.MinWaterTemp, 2600);  // the lowest waypoint temperature
    EXPECT_EQ(e.AirTemperature, kNotSet);
    EXPECT_TRUE(e.Site.isEmpty());
    EXPECT_EQ(e.StartTime, 16 * 60 + 5);
}

TEST_F(UddfImportTest, OtherEncodingsAndDocumentTypesReadTheSame) {
    const QString utf8 = QString::fromUtf8(ForeignUddf(QStringLiteral("Str\u00F6mung von Nord")));
    const UddfReadResult expected = Read(utf8.toUtf8());
    ASSERT_TRUE(expected.Ok()) << expected.ErrorText.toStdString();
    ASSERT_EQ(expected.Dives[0]->Remarks, QByteArray("Str\xF6mung von Nord Strong current."));
    const QList<QByteArray> documents = {
        QString(utf8).replace(QStringLiteral("UTF-8"), QStringLiteral("ISO-8859-1")).toLatin1(),
        QString(utf8)
            .replace(QStringLiteral("?>\n"), QStringLiteral("?>\n<!DOCTYPE uddf [<!ENTITY e \"Nord\">]>\n"))
            .replace(QStringLiteral("von Nord"), QStringLiteral("von &e;"))
            .toUtf8(),
    };
    for (const QByteArray& document : documents) {
        const UddfReadResult r = Read(document);
        ASSERT_TRUE(r.Ok()) << r.ErrorText.toStdString();
        ASSERT_EQ(r.Dives.size(), expected.Dives.size());
        for (std::size_t i = 0; i < r.Dives.size(); ++i) EXPECT_EQ(*r.Dives[i], *expected.Dives[i]);
    }
}

TEST_F(UddfImportTest, ImportSortsRenumbersAndKeepsTheNumberingOfANewLogbook) {
    const QString path = Path("trip.uddf");
    ASSERT_TRUE(WriteAll(path, ForeignUddf()));
    TDiveCollection log;
    const UddfImportResult r = ImportUddfFile(log, path, 0);
    ASSERT_TRUE(r.Ok());
    ASSERT_EQ(log.Count(), 2u);
    // The 13 August dive comes first and takes the number the file gave its first dive.
    EXPECT_EQ(log.At(0).StartTime, 16 * 60 + 5);
    EXPECT_EQ(log.At(0).DiveNumber, 41);
    EXPECT_EQ(log.At(1).DiveNumber, 42);
    EXPECT_EQ(log.DiveComputerId, 0u);

    // Hand-entered dives come again on a second import, as with a logbook import.
    ASSERT_TRUE(ImportUddfFile(log, path, 0).Ok());
    EXPECT_EQ(log.Count(), 4u);
    EXPECT_FALSE(log.NumberingBroken());
}

TEST_F(UddfImportTest, DownloadedDivesAreNotAddedTwice) {
    auto log = ExampleLogbook();
    const QString path = Path("example.uddf");
    ExportOptions options;
    auto tables = DeliveredTables();
    options.Tables = tables.get();
    ASSERT_TRUE(ExportDives(path, EInterchangeFormat::Uddf, *log, {4, 5, 0}, options).Ok());
    const std::size_t before = log->Count();
    const UddfImportResult r = ImportUddfFile(*log, path, 0);
    ASSERT_TRUE(r.Ok());
    EXPECT_EQ(r.Summary.Duplicates, 2u);
    EXPECT_EQ(r.Summary.Added, 1u);
    EXPECT_EQ(log->Count(), before + 1);
}

TEST_F(UddfImportTest, LongAndForeignTextsAreCutWithANote) {
    const QString longText = QString(300, QLatin1Char('x'));
    UddfReadResult r = Read(ForeignUddf(longText));
    ASSERT_TRUE(r.Ok());
    EXPECT_EQ(r.Dives[0]->Remarks.size(), 255);
    ASSERT_EQ(r.Notes.size(), 1);
    EXPECT_TRUE(r.Notes[0].contains(QLatin1String("41"))) << r.Notes[0].toStdString();
    EXPECT_TRUE(r.Notes[0].contains(QLatin1String("Remarks")));
    EXPECT_TRUE(r.Notes[0].contains(QLatin1String("61")));  // 300 + " Strong current." - 255

    r = Read(ForeignUddf(QStringLiteral("Caf\u00e9 \u4e2d")));
    ASSERT_TRUE(r.Ok());
    EXPECT_EQ(r.Dives[0]->Remarks, QByteArray("Caf\xE9 ? Strong current."));
    EXPECT_EQ(r.Notes.size(), 1);
}

TEST_F(UddfImportTest, BadDocumentsNameTheFileAndTheDiveAndImportNothing) {
    struct Case {
        const char* What;
        QByteArray Document;
        const char* Names;  // besides the file
    };
    QByteArray noDate = ForeignUddf();
    noDate.replace("<datetime>2023-08-13T16:05:00Z</datetime>", "");
    QByteArray badDepth = ForeignUddf();
    badDepth.replace("<greatestdepth>12</greatestdepth>", "<greatestdepth>deep</greatestdepth>");
    QByteArray otherNs = ForeignUddf();
    otherNs.replace("http://www.streit.cc/uddf/3.2/", "http://www.streit.cc/uddf/3.1/");
    QByteArray badDump = ForeignUddf();
    badDump.replace("</uddf>",
                    "<divecomputercontrol><divecomputerdump><link ref=\"d1\"/><datetime>2023-08-14T09:41:00"
                    "</datetime><dcdump>oAA=</dcdump></divecomputerdump></divecomputercontrol></uddf>");
    const Case cases[] = {
        {"cut short", ForeignUddf().left(900), "line"},
        {"not XML", QByteArray("\x89PNG\r\n\x1A\n"), "line"},
        {"no date", noDate, "dive 2"},
        {"bad number", badDepth, "greatestdepth"},
        {"other namespace", otherNs, "3.2"},
        {"damaged record image", badDump, "dive 41"},
        {"empty file", QByteArray(), "UDDF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        const QString path = Path("bad.uddf");
        ASSERT_TRUE(WriteAll(path, c.Document));
        auto log = ExampleLogbook();
        TLogbookWriter before;
        log->SaveToStream(before, false);
        const UddfImportResult r = ImportUddfFile(*log, path, 0);
        EXPECT_FALSE(r.Ok());
        EXPECT_TRUE(r.ErrorText.contains(path)) << r.ErrorText.toStdString();
        EXPECT_TRUE(r.ErrorText.contains(QLatin1String(c.Names))) << r.ErrorText.toStdString();
        TLogbookWriter after;
        log->SaveToStream(after, false);
        EXPECT_TRUE(before.Data() == after.Data());
    }
}

TEST_F(UddfImportTest, MessagesFollowTheLanguage) {
    QByteArray noDate = ForeignUddf();
    noDate.replace("<datetime>2023-08-14T09:41:37+07:00</datetime>", "");
    QBuffer buffer(&noDate);
    buffer.open(QIODevice::ReadOnly);
    const UddfReadResult r = ReadUddf(buffer, QStringLiteral("f.uddf"), kGerman);
    EXPECT_EQ(
        r.ErrorText,
        QStringLiteral("f.uddf: Tauchgang 41 hat kein Datum und keine Zeit. Es wurde nichts importiert."));
}

}  // namespace
