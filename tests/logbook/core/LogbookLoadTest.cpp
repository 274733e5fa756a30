// Loading shares repeated texts between dives and numbers dives that arrive in order as
// they come: what a user sees must stay what a plain load and SortAndRenumber give.

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

}  // namespace
