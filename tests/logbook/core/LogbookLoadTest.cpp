// Loading shares repeated texts between dives and numbers dives that arrive in order as
// they come: what a user sees must stay what a plain load and SortAndRenumber give.

#include <QFile>
#include <QTemporaryDir>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "LogbookFile.h"
#include "TDiveCollection.h"
#include "TLogbookWriter.h"
#include "TTextPool.h"

namespace {

QByteArray Image(const std::vector<TDiveRec>& dives, std::uint16_t count, bool dos = false) {
    TLogbookWriter out;
    out.WriteU16(TDiveCollection::kFormatMark);
    out.WriteU32(7);
    out.WriteU16(count);
    out.WriteU32(0);
    for (const TDiveRec& d : dives) d.WriteToStream(out, dos);
    return out.Data();
}

TDiveRec Dive(std::int32_t day, std::uint16_t number, const char* site) {
    TDiveRec d;
    d.DayNo = day;
    d.DiveNumber = number;
    d.Site = site;
    d.Location = "Elba";
    return d;
}

TEST(LogbookLoad, RepeatedTextsAreSharedYetEachDiveKeepsItsOwn) {
    std::vector<TDiveRec> dives;
    dives.reserve(6);
    for (int i = 0; i < 6; ++i)
        dives.push_back(Dive(150000 + i, 1, i % 2 ? "Capo d'Enfola" : "Scoglio della Triglia"));
    dives[3].Remarks = "Sicht 20 m, Str\x94mung";  // DOS byte: read as the Windows-1252 o-umlaut
    const LogbookLoadResult r = LoadLogbookBytes(Image(dives, 6), true);
    ASSERT_TRUE(r.Ok()) << r.ErrorText.toStdString();
    TDiveCollection& log = *r.Collection;
    EXPECT_EQ(log[3].Remarks, QByteArray("Sicht 20 m, Str\xF6mung"));
    EXPECT_EQ(log[0].Location.constData(), log[5].Location.constData()) << "one copy of a repeated text";
    EXPECT_EQ(log[1].Site.constData(), log[3].Site.constData());

    log[1].Site.data()[0] = 'K';  // an edit in place detaches the dive's own copy
    EXPECT_EQ(log[1].Site, QByteArray("Kapo d'Enfola"));
    EXPECT_EQ(log[3].Site, QByteArray("Capo d'Enfola"));
    // The texts are kept for later loads, which the edit must not have reached.
    const LogbookLoadResult again = LoadLogbookBytes(Image(dives, 6), true);
    ASSERT_TRUE(again.Ok());
    EXPECT_EQ(again.Collection->At(1).Site, QByteArray("Capo d'Enfola"));
    EXPECT_EQ(again.Collection->At(1).Site.constData(), log[3].Site.constData());
}

TEST(LogbookLoad, KeptTextsAreSharedUpToTheirBoundAndEndInAZeroByte) {
    TKeptTexts kept(40);
    const QByteArray reef = kept.Get("Elphinstone Reef");  // 17 bytes with its zero byte
    EXPECT_EQ(reef, QByteArray("Elphinstone Reef"));
    EXPECT_EQ(reef.constData()[reef.size()], '\0');
    EXPECT_EQ(kept.Get("Elphinstone Reef").constData(), reef.constData());
    const QByteArray alam = kept.Get("Marsa Alam");  // 28 bytes kept in all
    EXPECT_EQ(kept.Get(std::string_view("Marsa Alam")).constData(), alam.constData());
    // Beyond the bound: the same text, but each time an array of its own.
    const QByteArray first = kept.Get("Dahab, Blue Hole");
    const QByteArray second = kept.Get("Dahab, Blue Hole");
    EXPECT_EQ(first, second);
    EXPECT_NE(first.constData(), second.constData());
    EXPECT_EQ(kept.Get("Marsa Alam").constData(), alam.constData()) << "what was kept stays kept";

    // A pool takes its texts from the store it is given, however many pools there are.
    TTextPool one(kept);
    TTextPool two(kept);
    EXPECT_EQ(one.Get("Elphinstone Reef").constData(), two.Get("Elphinstone Reef").constData());
}

TEST(LogbookLoad, ATextDifferingFromTheDiveBeforesInAnyOneByteIsItsOwn) {
    // The dive before's text is compared a word at a time with an overlapping last word:
    // a difference in any byte of any length must be seen.
    TTextPool pool;
    for (std::size_t length = 1; length <= 40; ++length) {
        const std::string before(length, 'a');
        for (std::size_t at = 0; at < length; ++at) {
            std::string text = before;
            text[at] = 'b';
            QByteArray first;
            QByteArray second;
            pool.Assign(2, before, first);
            pool.Assign(2, text, second);
            ASSERT_EQ(second, QByteArray::fromStdString(text)) << length << " " << at;
            ASSERT_EQ(first, QByteArray::fromStdString(before));
        }
        QByteArray again;
        pool.Assign(2, before, again);
        pool.Assign(2, before, again);
        EXPECT_EQ(again, QByteArray::fromStdString(before));
    }
    QByteArray longer;
    pool.Assign(0, "Marsa", longer);
    pool.Assign(0, "Marsa Alam", longer);
    EXPECT_EQ(longer, QByteArray("Marsa Alam"));
    pool.Assign(0, "", longer);
    EXPECT_TRUE(longer.isEmpty());
}

TEST(LogbookLoad, TwoThreadsLoadingAtOnceShareTheKeptTexts) {
    TKeptTexts kept(1 << 20);
    std::vector<QByteArray> got[2];
    auto take = [&kept](std::vector<QByteArray>& out) {
        for (int i = 0; i < 2000; ++i) out.push_back(kept.Get("site " + std::to_string(i % 500)));
    };
    std::thread other(take, std::ref(got[1]));
    take(got[0]);
    other.join();
    for (int i = 0; i < 2000; ++i) {
        ASSERT_EQ(got[0][i], QByteArray("site ") + QByteArray::number(i % 500)) << i;
        ASSERT_EQ(got[0][i].constData(), got[1][i].constData()) << i;
    }
}

TEST(LogbookLoad, TextsBeyondThePoolsLimitReadAsWell) {
    TTextPool pool;
    std::vector<QByteArray> seen;
    for (std::size_t i = 0; i < TTextPool::kMaxTexts + 50; ++i) seen.push_back(pool.Get(std::to_string(i)));
    for (std::size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(seen[i], QByteArray::number(i)) << i;
    EXPECT_EQ(pool.Get("17").constData(), seen[17].constData());
    EXPECT_EQ(pool.Get(std::to_string(TTextPool::kMaxTexts + 49)), seen.back()) << "copied, not kept";
    EXPECT_TRUE(pool.Get("").isEmpty());
}

TEST(LogbookLoad, NumbersAreThoseOfSortAndRenumberInOrderOrNot) {
    // In order, numbered from the first dive's number and wrapping past 65535; then the
    // same dives with the last one out of order, which the sort has to move.
    std::vector<TDiveRec> dives{Dive(150000, 65534, "a"), Dive(150001, 9, "b"), Dive(150002, 9, "c"),
                                Dive(150003, 9, "d")};
    for (const bool shuffled : {false, true}) {
        SCOPED_TRACE(shuffled);
        if (shuffled) dives.back().DayNo = 149999;
        const LogbookLoadResult r = LoadLogbookBytes(Image(dives, 4), false);
        ASSERT_TRUE(r.Ok());

        TDiveCollection expected;
        for (const TDiveRec& d : dives) {
            auto copy = std::make_unique<TDiveRec>(d);
            const std::uint16_t number = d.DiveNumber;
            expected.AddDive(std::move(copy), 0, 1);
            expected.At(expected.Count() - 1).DiveNumber = number;
        }
        expected.SortAndRenumber();
        EXPECT_EQ(r.Collection->StartNumber, expected.StartNumber);
        ASSERT_EQ(r.Collection->Count(), expected.Count());
        for (std::size_t i = 0; i < expected.Count(); ++i)
            EXPECT_EQ(r.Collection->At(i), expected.At(i)) << i;
    }
    EXPECT_EQ(LoadLogbookBytes(Image({Dive(150000, 321, "a")}, 1), false).Collection->At(0).DiveNumber, 321)
        << "a single dive keeps its number";
}

TEST(LogbookLoad, LargeFilesReadAheadLoadAsTheirBytesDo) {
    // Several megabytes, so the file is read on its own thread in chunks; records of
    // every profile length fall across the chunks' ends.
    std::vector<TDiveRec> dives;
    for (int i = 0; i < 9000; ++i) {
        TDiveRec d = Dive(150000 + i, static_cast<std::uint16_t>(i + 1), i % 3 ? "Punta Nera" : "Secca");
        d.DeviceTime = static_cast<std::uint32_t>(1000 + i);
        const auto length = static_cast<std::size_t>(i * 37 % 1200);
        if (length > 0) {
            d.ProfileBlock.assign(length + 2, static_cast<std::uint8_t>(i));
            d.ProfileBlock[0] = static_cast<std::uint8_t>(length & 0xFF);
            d.ProfileBlock[1] = static_cast<std::uint8_t>(length >> 8);
        }
        dives.push_back(d);
    }
    const QByteArray image = Image(dives, static_cast<std::uint16_t>(dives.size()));
    ASSERT_GT(image.size(), 4 << 20);
    QTemporaryDir dir;
    auto write = [&dir](const QByteArray& bytes) {
        QString path = dir.filePath(QStringLiteral("big.log"));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        EXPECT_EQ(f.write(bytes), bytes.size());
        return path;
    };

    const LogbookLoadResult fromFile = LoadLogbookFile(write(image), false);
    ASSERT_TRUE(fromFile.Ok()) << fromFile.ErrorText.toStdString();
    ASSERT_EQ(fromFile.Collection->Count(), dives.size());
    for (std::size_t i = 0; i < dives.size(); ++i) ASSERT_EQ(fromFile.Collection->At(i), dives[i]) << i;

    // A header that counts fewer dives than follow: the load ends while the reading
    // thread is still ahead, and stops it.
    const LogbookLoadResult first100 = LoadLogbookFile(write(Image(dives, 100)), false);
    ASSERT_TRUE(first100.Ok());
    EXPECT_EQ(first100.Collection->Count(), 100u);

    // Cut inside a record near a chunk's end, at its end, and just after it, in files
    // read on the device's thread and read ahead: the file fails as its bytes do,
    // naming the same place.
    for (const qsizetype cut :
         {qsizetype{256 << 10} - 3, qsizetype{512 << 10}, qsizetype{768 << 10} + 1, qsizetype{1280 << 10} - 3,
          qsizetype{2 << 20}, qsizetype{2 << 20} + 1, qsizetype{3 << 20} + 7, image.size() - 1}) {
        const QByteArray shortImage = image.left(cut);
        const LogbookLoadResult bytes = LoadLogbookBytes(shortImage, false);
        const LogbookLoadResult file = LoadLogbookFile(write(shortImage), false);
        ASSERT_EQ(bytes.Error, LogbookError::ReadError);
        ASSERT_EQ(file.Error, LogbookError::ReadError) << cut;
        EXPECT_FALSE(file.Collection);
        EXPECT_TRUE(file.ErrorText.contains(bytes.ErrorText)) << file.ErrorText.toStdString();
    }
}

}  // namespace
