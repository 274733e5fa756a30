#include <random>

#include <gtest/gtest.h>

#include "CoreTestData.h"
#include "EStreamReadError.h"
#include "StartNumberRule.h"
#include "TDiveCollection.h"
#include "TLogbookReader.h"
#include "TLogbookWriter.h"

using coretest::Dive;

namespace {

// A logbook file of the dives; `claimed` replaces the stored count when not negative.
QByteArray LogbookBytes(std::uint32_t id, const std::vector<TDiveRec>& dives, int claimed = -1) {
    TLogbookWriter w;
    w.WriteU16(161);
    w.WriteU32(id);
    w.WriteU16(static_cast<std::uint16_t>(claimed < 0 ? static_cast<int>(dives.size()) : claimed));
    w.WriteU32(0x00FA05DC);
    for (const TDiveRec& d : dives) d.WriteToStream(w, false);
    return w.Data();
}

TDiveRec Numbered(std::int32_t day, std::uint16_t time, std::uint16_t number, const char* location,
                  std::uint32_t deviceTime = 0) {
    TDiveRec d = *Dive(day, time, deviceTime, location);
    d.DiveNumber = number;
    return d;
}

std::vector<QByteArray> Locations(const TDiveCollection& c) {
    std::vector<QByteArray> v;
    for (const auto& d : c.Dives()) v.push_back(d->Location);
    return v;
}

std::vector<int> Numbers(const TDiveCollection& c) {
    std::vector<int> v;
    for (const auto& d : c.Dives()) v.push_back(d->DiveNumber);
    return v;
}

// ---- load -----------------------------------------------------------------------------

TEST(LoadFromStream, SortsByDateAndNumbersFromTheFirstStoredDive) {
    const QByteArray file = LogbookBytes(
        0x123456,
        {Numbered(150010, 600, 5, "c"), Numbered(150001, 700, 6, "a"), Numbered(150001, 800, 9, "b")});
    TDiveCollection c;
    TLogbookReader in(file);
    ASSERT_EQ(c.LoadFromStream(in, false), LogbookFormat::Ok);
    EXPECT_EQ(c.DiveComputerId, 0x123456u);
    EXPECT_EQ(Locations(c), (std::vector<QByteArray>{"a", "b", "c"}));
    EXPECT_EQ(Numbers(c), (std::vector<int>{5, 6, 7}));
    EXPECT_EQ(c.StartNumber, 5u);
}

TEST(LoadFromStream, EqualDayAndTimeKeepTheirStoredOrder) {
    const QByteArray file =
        LogbookBytes(0, {Numbered(150001, 600, 1, "second day"), Numbered(150000, 600, 2, "x"),
                         Numbered(150000, 600, 3, "y"), Numbered(150000, 600, 4, "z")});
    TDiveCollection c;
    TLogbookReader in(file);
    c.LoadFromStream(in, false);
    EXPECT_EQ(Locations(c), (std::vector<QByteArray>{"x", "y", "z", "second day"}));
}

TEST(LoadFromStream, WrongMarkGivesAnEmptyLogbook) {
    QByteArray file = LogbookBytes(7, {Numbered(150000, 0, 1, "a")});
    file[0] = char(0xA0);
    TDiveCollection c;
    TLogbookReader in(file);
    EXPECT_EQ(c.LoadFromStream(in, false), LogbookFormat::Invalid);
    EXPECT_TRUE(c.IsEmpty());
    EXPECT_EQ(c.DiveComputerId, 0u);
}

TEST(LoadFromStream, MoreRecordsClaimedThanStoredIsAReadError) {
    const QByteArray file =
        LogbookBytes(0, {Numbered(150000, 0, 1, "a"), Numbered(150000, 1, 2, "b")}, 65535);
    TDiveCollection c;
    TLogbookReader in(file);
    EXPECT_THROW(c.LoadFromStream(in, false), EStreamReadError);
}

// ---- sorting, numbering --------------------------------------------------------------

// The reference order: passes over neighbouring pairs, swapping later-before-earlier.
void BubbleSort(std::vector<TDiveRec>& v) {
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (std::size_t i = 0; i + 1 < v.size(); ++i) {
            if (TDiveCollection::CompareDives(v[i], v[i + 1]) == 1) {
                std::swap(v[i], v[i + 1]);
                swapped = true;
            }
        }
    }
}

TEST(SortAndRenumber, GivesTheSameOrderAsTheBubbleSort) {
    std::mt19937 rng(42);
    for (int round = 0; round < 20; ++round) {
        std::vector<TDiveRec> dives;
        TDiveCollection c;
        const int n = 2 + static_cast<int>(rng() % 200);
        for (int i = 0; i < n; ++i) {
            // Few distinct days and times so that many dives compare equal.
            TDiveRec d =
                Numbered(150000 + static_cast<int>(rng() % 5), static_cast<std::uint16_t>((rng() % 3) * 700),
                         static_cast<std::uint16_t>(100 + i), "", static_cast<std::uint32_t>(i + 1));
            dives.push_back(d);
            c.AddDive(std::make_unique<TDiveRec>(d), 0, 1);
        }
        c.Renumber(100);
        BubbleSort(dives);
        c.SortAndRenumber();
        ASSERT_EQ(c.Count(), dives.size());
        for (std::size_t i = 0; i < dives.size(); ++i) {
            EXPECT_EQ(c[i].DeviceTime, dives[i].DeviceTime) << "round " << round << " index " << i;
            EXPECT_EQ(c[i].DiveNumber, 100 + i);
        }
    }
}

TEST(SortAndRenumber, StartTimeComparesAsUnsigned) {
    TDiveCollection c;
    c.AddDive(Dive(150000, 40000, 0, "late"), 0, 0);
    c.AddDive(Dive(150000, 10, 0, "early"), 0, 0);
    c.SortAndRenumber();
    EXPECT_EQ(Locations(c), (std::vector<QByteArray>{"early", "late"}));
}

TEST(SortAndRenumber, FewerThanTwoDivesChangeNothing) {
    TDiveCollection c;
    c.StartNumber = 40;
    c.AddDive(Dive(150000, 0), 0, 0);
    c[0].DiveNumber = 7;
    c.SortAndRenumber();
    EXPECT_EQ(c.StartNumber, 40u);
    EXPECT_EQ(c[0].DiveNumber, 7);
}

TEST(Renumber, WrapsAt16Bits) {
    TDiveCollection c;
    for (int i = 0; i < 3; ++i) c.AddDive(Dive(150000 + i, 0), 0, 0);
    c.Renumber(65535);
    EXPECT_EQ(Numbers(c), (std::vector<int>{65535, 0, 1}));
    EXPECT_TRUE(c.NumberingBroken());  // counted without wrapping
}

TEST(NumberingBroken, Cases) {
    struct Case {
        std::vector<int> Numbers;
        bool Broken;
    };
    const Case cases[] = {{{}, false},       {{9}, false},   {{3, 4, 5}, false},   {{3, 5}, true},
                          {{3, 4, 4}, true}, {{5, 4}, true}, {{0, 1, 2, 3}, false}};
    for (const Case& k : cases) {
        TDiveCollection c;
        for (int n : k.Numbers) {
            c.AddDive(Dive(150000, 0), 0, 0);
            c[c.Count() - 1].DiveNumber = static_cast<std::uint16_t>(n);
        }
        EXPECT_EQ(c.NumberingBroken(), k.Broken) << testing::PrintToString(k.Numbers);
    }
}

TEST(NextDiveNumber, FollowsTheLastDiveOrTheStartNumber) {
    TDiveCollection c;
    c.StartNumber = 100;
    EXPECT_EQ(c.NextDiveNumber(), 100);
    c.AddDive(Dive(150000, 0), 0, 0);
    EXPECT_EQ(c[0].DiveNumber, 100);
    c[0].DiveNumber = 65535;
    EXPECT_EQ(c.NextDiveNumber(), 0);
}

// ---- adding dives ----------------------------------------------------------------------

struct AddCase {
    const char* Name;
    std::uint32_t Present;  // DeviceTime of the dive already in the logbook
    std::uint32_t Offered;
    std::uint32_t Threshold;
    int DiveChoice;
    AddDiveResult Result;
};

class AddDiveTest : public testing::TestWithParam<AddCase> {};

TEST_P(AddDiveTest, Rules) {
    const AddCase& k = GetParam();
    TDiveCollection c;
    c.AddDive(Dive(150000, 0, k.Present), 0, 1);
    EXPECT_EQ(c.AddDive(Dive(150001, 0, k.Offered), k.Threshold, k.DiveChoice), k.Result);
    EXPECT_EQ(c.Count(), k.Result == AddDiveResult::Accepted ? 2u : 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AddDiveTest,
    testing::Values(
        AddCase{"HandEnteredAlways", 500, 0, 500, 0, AddDiveResult::Accepted},
        AddCase{"DuplicateRefused", 500, 500, 0, 1, AddDiveResult::Duplicate},
        AddCase{"NewerAccepted", 500, 501, 500, 0, AddDiveResult::Accepted},
        AddCase{"OlderRefused", 500, 499, 500, 0, AddDiveResult::NotNewer},
        AddCase{"EqualToThresholdRefused", 400, 500, 500, 0, AddDiveResult::NotNewer},
        AddCase{"OlderWithAllDives", 500, 499, 500, 1, AddDiveResult::Accepted},
        AddCase{"ThresholdZeroTakesAll", 500, 0x90000000u, 0, 0, AddDiveResult::Accepted},
        // The clock is unsigned: a value past 2^31 is later than one before it.
        AddCase{"NewerPast2To31", 0x7FFFFFF0u, 0x80000005u, 0x7FFFFFF0u, 0, AddDiveResult::Accepted},
        AddCase{"OlderPast2To31", 0x80000010u, 0x80000005u, 0x80000010u, 0, AddDiveResult::NotNewer}),
    [](const testing::TestParamInfo<AddCase>& info) { return info.param.Name; });

TEST(AddDive, RefusesTheDiveAfter65535) {
    TDiveCollection c;
    for (std::size_t i = 0; i < TDiveCollection::kMaxDives; ++i)
        ASSERT_EQ(c.AddDive(Dive(150000, 0), 0, 0), AddDiveResult::Accepted);
    EXPECT_EQ(c.AddDive(Dive(150000, 0), 0, 0), AddDiveResult::Full);
    EXPECT_EQ(c.AddDive(Dive(150000, 0, 77), 0, 1), AddDiveResult::Full);
    EXPECT_EQ(c.Count(), 65535u);

    // The saved file holds them all and reads back complete.
    TLogbookWriter w;
    c.SaveToStream(w, false);
    TDiveCollection back;
    TLogbookReader in(w.Data());
    back.LoadFromStream(in, false);
    EXPECT_EQ(back.Count(), 65535u);
}

// ---- import --------------------------------------------------------------------------

TEST(ImportFromStream, IntoItselfAddsOnlyTheHandEnteredDives) {
    TDiveCollection c;
    c.AddDive(Dive(150000, 600, 0, "hand"), 0, 0);
    c.AddDive(Dive(150001, 600, 1000, "down1"), 0, 0);
    c.AddDive(Dive(150002, 600, 0x80000000u, "down2"), 0, 0);
    TLogbookWriter w;
    c.SaveToStream(w, false);

    TLogbookReader in(w.Data());
    const ImportSummary s = c.ImportFromStream(in, false);
    EXPECT_EQ(s.Offered, 3u);
    EXPECT_EQ(s.Added, 1u);
    EXPECT_EQ(s.Duplicates, 2u);
    EXPECT_EQ(Locations(c), (std::vector<QByteArray>{"hand", "down1", "down2", "hand"}));
    EXPECT_EQ(c[3].DiveNumber, c[2].DiveNumber + 1);
}

TEST(ImportFromStream, AcceptsDivesOlderThanTheNewestAndClockValuesPast2To31) {
    TDiveCollection c;
    c.AddDive(Dive(150000, 600, 5000), 0, 0);
    const QByteArray file =
        LogbookBytes(99, {Numbered(149000, 0, 1, "old", 10), Numbered(151000, 0, 2, "big", 0xF0000000u),
                          Numbered(151001, 0, 3, "twice", 777), Numbered(151002, 0, 4, "twice", 777)});
    TLogbookReader in(file);
    const ImportSummary s = c.ImportFromStream(in, false);
    EXPECT_EQ(s.Added, 3u);
    EXPECT_EQ(s.Duplicates, 1u);      // the second copy inside the same file
    EXPECT_EQ(c.DiveComputerId, 0u);  // the imported file's identifier is not kept
}

TEST(ImportFromStream, DamagedFileAddsNothing) {
    TDiveCollection c;
    c.AddDive(Dive(150000, 600, 5000, "mine"), 0, 0);
    QByteArray file = LogbookBytes(0, {Numbered(149000, 0, 1, "a"), Numbered(149001, 0, 2, "b")});
    file.chop(3);
    TLogbookReader in(file);
    EXPECT_THROW(c.ImportFromStream(in, false), EStreamReadError);
    EXPECT_EQ(Locations(c), (std::vector<QByteArray>{"mine"}));
}

TEST(ImportFromStream, WrongMarkAddsNothing) {
    TDiveCollection c;
    QByteArray file = LogbookBytes(0, {Numbered(149000, 0, 1, "a")});
    file[1] = 1;
    TLogbookReader in(file);
    EXPECT_EQ(c.ImportFromStream(in, false).Format, LogbookFormat::Invalid);
    EXPECT_TRUE(c.IsEmpty());
}

TEST(ImportFromStream, CountsTheDivesThatFoundNoRoom) {
    TDiveCollection c;
    for (std::size_t i = 0; i + 1 < TDiveCollection::kMaxDives; ++i) c.AddDive(Dive(150000, 0), 0, 0);
    const QByteArray file =
        LogbookBytes(0, {Numbered(1, 0, 1, "a", 11), Numbered(2, 0, 2, "b", 12), Numbered(3, 0, 3, "c")});
    TLogbookReader in(file);
    const ImportSummary s = c.ImportFromStream(in, false);
    EXPECT_EQ(s.Added, 1u);
    EXPECT_EQ(s.NotAdded, 2u);
    EXPECT_EQ(c.Count(), TDiveCollection::kMaxDives);
}

// ---- save ------------------------------------------------------------------------------

TEST(SaveToStream, EmptyLogbookIsTheTwelveHeaderBytes) {
    TDiveCollection c;
    c.DiveComputerId = 0x00A1B2C3;
    TLogbookWriter w;
    c.SaveToStream(w, false);
    EXPECT_EQ(w.Data().toHex(), QByteArray("a100c3b2a1000000dc05fa00"));
}

TEST(SaveToStream, SelectedOnlyWritesTheSelectedDivesInListOrder) {
    TDiveCollection c;
    c.DiveComputerId = 4242;
    for (int i = 0; i < 5; ++i) c.AddDive(Dive(150000 + i, 0, 0, QByteArray::number(i).constData()), 0, 0);
    TLogbookWriter w;
    c.SaveToStream(w, false, true, [](std::size_t i) { return i == 0 || i == 2 || i == 4; });

    TLogbookReader in(w.Data());
    EXPECT_EQ(in.ReadU16(), 161);
    EXPECT_EQ(in.ReadU32(), 4242u);
    EXPECT_EQ(in.ReadU16(), 3);
    in.Skip(4);
    for (const char* expected : {"0", "2", "4"})
        EXPECT_EQ(TDiveRec::CreateFromStream(in, false)->Location, expected);
    EXPECT_TRUE(in.AtEnd());

    // Without the flag the predicate does not matter.
    TLogbookWriter all;
    c.SaveToStream(all, false, false, [](std::size_t) { return false; });
    TDiveCollection back;
    TLogbookReader allIn(all.Data());
    back.LoadFromStream(allIn, false);
    EXPECT_EQ(back.Count(), 5u);
}

// ---- start number ------------------------------------------------------------------------

TEST(StartNumberRule, Cases) {
    struct Case {
        bool Ok;
        const char* Text;
        int Value;
        bool Accepted;
    };
    const Case cases[] = {{true, "abc", 1, true},         {true, "70000", 4464, true},
                          {false, "42", 1, false},        {true, "42", 42, true},
                          {true, " 7 ", 7, true},         {true, "", 1, true},
                          {true, "-1", 65535, true},      {true, "12x", 1, true},
                          {true, "99999999999", 1, true}, {true, "65536", 0, true}};
    for (const Case& k : cases) {
        const StartNumberAnswer a = StartNumberFromDialog(k.Ok, QString::fromLatin1(k.Text));
        EXPECT_EQ(a.Value, k.Value) << k.Text;
        EXPECT_EQ(a.Accepted, k.Accepted) << k.Text;
    }
}

}  // namespace
