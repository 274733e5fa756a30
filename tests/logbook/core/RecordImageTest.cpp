#include <QBuffer>

#include <gtest/gtest.h>

#include "CoreTestData.h"
#include "DayNumber.h"
#include "DosText.h"
#include "EStreamReadError.h"
#include "TDiveRec.h"
#include "TLogbookReader.h"

namespace {

TDiveRec FullRecord() {
    TDiveRec r;
    r.DayNo = 150000;
    r.StartTime = 600;
    r.Location = "Hurghada";
    r.Site = "Abu Ramada";
    r.AltitudeRange = 1;
    r.SurfaceInterval = 95;
    r.Weather = 2;
    r.AirTemperature = 2850;
    r.Suit = 3;
    r.TankSize = 1200;
    r.MaxDepth = 2345;
    r.DiveTime = 48;
    r.MinWaterTemp = 2400;
    r.AirConsumption = 14000;
    r.DiveType = 0x0185;
    r.Activities = 0x0A01;
    r.OtherActivity = "Fotos";
    r.Buddies = "Bj\xF6rn";
    r.Remarks = "Sch\xF6ne Sicht \x80";
    r.DeviceStatus = 0x43;
    r.DiveNumber = 17;
    r.DeviceTime = 0x89ABCDEF;
    r.HwSw = 0x1A3;
    r.Analysed = 1;
    r.StopInfo = 0x85;
    r.Reserved = 0x11223344;
    r.ProfileBlock = coretest::Profile(300, 7);
    return r;
}

TEST(RecordImage, IsWrittenFieldByFieldLittleEndian) {
    TDiveRec r;
    r.DayNo = 0x00024A5B;
    r.StartTime = 0x0102;
    r.Location = "AB";
    r.AltitudeRange = 3;
    r.SurfaceInterval = -2;
    r.Weather = 4;
    r.AirTemperature = 0x0304;
    r.Suit = 5;
    r.TankSize = 0x0506;
    r.MaxDepth = 0x0708;
    r.DiveTime = 0x090A;
    r.MinWaterTemp = 0x0B0C;
    r.AirConsumption = 0x0D0E;
    r.DiveType = 0x0F10;
    r.Activities = 0x1112;
    r.Remarks = "x";
    r.DeviceStatus = 0x1314;
    r.DiveNumber = 0x1516;
    r.DeviceTime = 0x1718191A;
    r.HwSw = 0x1B1C;
    r.Analysed = 0x1D;
    r.StopInfo = 0x1E;
    r.Reserved = 0x1F202122;
    r.ProfileBlock = {2, 0, 0xAA, 0xBB};
    const QByteArray expected = QByteArray::fromHex(
        "a000"
        "5b4a0200"
        "0201"
        "024142"
        "00"
        "03"
        "feff"
        "04"
        "0403"
        "05"
        "0605"
        "0807"
        "0a09"
        "0c0b"
        "0e0d"
        "100f"
        "1211"
        "00"
        "00"
        "0178"
        "1413"
        "1615"
        "1a191817"
        "1c1b"
        "1d"
        "1e"
        "2221201f"
        "0200aabb");
    EXPECT_EQ(coretest::Image(r).toHex(), expected.toHex());
}

TEST(RecordImage, RoundTripKeepsEveryField) {
    const TDiveRec r = FullRecord();
    TLogbookReader in(coretest::Image(r));
    auto back = TDiveRec::CreateFromStream(in, false);
    EXPECT_EQ(*back, r);
    EXPECT_TRUE(in.AtEnd());
}

TEST(RecordImage, WithoutProfileWritesLengthZeroAndReadsBackWithoutProfile) {
    TDiveRec r = FullRecord();
    r.ProfileBlock.clear();
    const QByteArray image = coretest::Image(r);
    EXPECT_EQ(image.right(2), QByteArray(2, '\0'));
    TLogbookReader in(image);
    auto back = TDiveRec::CreateFromStream(in, false);
    EXPECT_FALSE(back->HasProfile());
    EXPECT_FALSE(back->ListLine().contains(QChar(0xBB)));
}

TEST(RecordImage, TextsLongerThan255BytesAreCut) {
    TDiveRec r;
    r.Buddies = QByteArray(300, 'b');
    TLogbookReader in(coretest::Image(r));
    EXPECT_EQ(TDiveRec::CreateFromStream(in, false)->Buddies, QByteArray(255, 'b'));
}

TEST(RecordImage, EveryCutImageRaisesTheReadError) {
    const QByteArray image = coretest::Image(FullRecord());
    for (qsizetype n = 0; n < image.size(); ++n) {
        TLogbookReader in(image.left(n));
        EXPECT_THROW(TDiveRec::CreateFromStream(in, false), EStreamReadError) << "cut at " << n;
    }
}

TEST(RecordImage, ProfileLengthBeyondTheStreamIsAnErrorNotAnAllocation) {
    TDiveRec r;
    QByteArray image = coretest::Image(r);
    image[image.size() - 2] = char(0xFF);
    image[image.size() - 1] = char(0xFF);
    image.append("abc");
    TLogbookReader in(image);
    try {
        TDiveRec::CreateFromStream(in, false);
        FAIL() << "no read error";
    } catch (const EStreamReadError& e) {
        EXPECT_NE(std::string(e.what()).find("65535"), std::string::npos) << e.what();
    }
}

TEST(RecordImage, DeviceReaderGivesTheSameRecordsAcrossItsBufferRefills) {
    // Records with the largest profile cross the reader's internal chunks at many places.
    std::vector<TDiveRec> dives;
    QByteArray image;
    for (int i = 0; i < 9; ++i) {
        TDiveRec r = FullRecord();
        r.DiveNumber = static_cast<std::uint16_t>(i);
        r.ProfileBlock = coretest::Profile(i % 2 ? 65535 : static_cast<std::uint16_t>(1000 * i + 1),
                                           static_cast<std::uint8_t>(i));
        image += coretest::Image(r);
        dives.push_back(r);
    }
    QBuffer device(&image);
    ASSERT_TRUE(device.open(QIODevice::ReadOnly));
    TLogbookReader in(device);
    for (const TDiveRec& expected : dives) EXPECT_EQ(*TDiveRec::CreateFromStream(in, false), expected);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(in.Position(), static_cast<std::size_t>(image.size()));
    EXPECT_THROW(in.ReadU8(), EStreamReadError);
}

TEST(RecordImage, DeviceReaderReportsACutProfile) {
    TDiveRec r = FullRecord();
    r.ProfileBlock = coretest::Profile(65535);
    QByteArray image = coretest::Image(r);
    image.chop(1);
    QBuffer device(&image);
    ASSERT_TRUE(device.open(QIODevice::ReadOnly));
    TLogbookReader in(device);
    EXPECT_THROW(TDiveRec::CreateFromStream(in, false), EStreamReadError);
}

struct OldDayCase {
    std::int32_t Stored;
    std::int32_t DayNo;
};

class OldDayNumberTest : public testing::TestWithParam<OldDayCase> {};

TEST_P(OldDayNumberTest, IsConvertedOnReading) {
    TDiveRec r;
    r.DayNo = GetParam().Stored;
    TLogbookReader in(coretest::Image(r));
    EXPECT_EQ(TDiveRec::CreateFromStream(in, false)->DayNo, GetParam().DayNo);
}

INSTANTIATE_TEST_SUITE_P(Days, OldDayNumberTest,
                         testing::Values(OldDayCase{109632, 146157},  // 1 March 2000
                                         OldDayCase{109631, 146155},  // 28 February 2000
                                         OldDayCase{109573, 146097},  // 1 January 2000 - 1
                                         OldDayCase{127834, 164359},  // last old number
                                         OldDayCase{127835, 127835},  // first new number
                                         OldDayCase{150000, 150000}));

TEST(DosText, TableEntriesFromTheOldCodePage) {
    EXPECT_EQ(OemToAnsiTable[0x82 - 0x80], 0xE9);
    EXPECT_EQ(OemToAnsiTable[0x8E - 0x80], 0xC0);
    EXPECT_EQ(OemToAnsiTable[0xA7 - 0x80], 0xB0);
    EXPECT_EQ(OemToAnsiTable[0x9B - 0x80], 0x9B);
    for (int b = 0xB0; b <= 0xFF; ++b) EXPECT_EQ(OemToAnsiTable[b - 0x80], b);
}

TEST(DosText, EveryByteTheTableHoldsSurvivesAWriteAndRead) {
    QByteArray all;
    for (int b = 1; b < 256; ++b) all.append(char(b));
    TDiveRec r;
    r.Location = all.left(255);
    TLogbookReader in(coretest::Image(r, true));
    const QByteArray back = TDiveRec::CreateFromStream(in, true)->Location;
    ASSERT_EQ(back.size(), r.Location.size());
    for (qsizetype i = 0; i < back.size(); ++i) {
        const auto b = static_cast<std::uint8_t>(r.Location[i]);
        const bool held =
            b < 0x80 || std::find(OemToAnsiTable.begin(), OemToAnsiTable.end(), b) != OemToAnsiTable.end();
        if (held) {
            EXPECT_EQ(static_cast<std::uint8_t>(back[i]), b) << "byte " << int(b);
        }
    }
}

TEST(DosText, AccentedLettersAreStoredInTheDosCodePage) {
    TDiveRec r;
    r.Site = "Caf\xE9";  // é
    r.Buddies = "\xB0";  // degree sign: first entry holding B0 is DOS 0xA7
    r.Remarks = "\x80";  // euro sign is not in the table: written unchanged
    const QByteArray image = coretest::Image(r, true);
    EXPECT_TRUE(
        image.contains(QByteArray("\x04"
                                  "Caf\x82",
                                  5)));
    EXPECT_TRUE(image.contains(QByteArray("\x01\xA7", 2)));
    TLogbookReader in(image);
    auto back = TDiveRec::CreateFromStream(in, true);
    EXPECT_EQ(back->Site, QByteArray("Caf\xE9"));
    EXPECT_EQ(back->Buddies, QByteArray("\xB0"));
    EXPECT_EQ(back->Remarks, QByteArray("\xC7"));  // read back through the table
    // Without the DOS flag texts are stored as they are.
    EXPECT_TRUE(coretest::Image(r, false).contains(QByteArray("Caf\xE9")));
}

}  // namespace
