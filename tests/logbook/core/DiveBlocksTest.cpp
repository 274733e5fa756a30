// A loaded logbook builds its dives in shared blocks of memory. Whatever is done with
// such a dive afterwards (taken out, copied, edited, swapped, deleted one by one, or a
// load that fails half-way) must leave every dive with bytes that stay valid and give
// each block back once its last dive is gone.

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "DiveBlocks.h"
#include "LogbookFile.h"
#include "TDiveCollection.h"
#include "TLogbookReader.h"
#include "TLogbookWriter.h"

namespace {

// A dive whose profile bytes tell it apart: a length word, then `length` bytes from `seed`.
TDiveRec ProfileDive(int i, std::uint16_t length) {
    TDiveRec d;
    d.DayNo = 150000 + i;
    d.DiveNumber = static_cast<std::uint16_t>(i + 1);
    d.DeviceTime = static_cast<std::uint32_t>(1000 + i * 7200);
    d.Site = "Punta Galera";
    d.ProfileBlock.resize(length + 2u);
    d.ProfileBlock[0] = static_cast<std::uint8_t>(length & 0xFF);
    d.ProfileBlock[1] = static_cast<std::uint8_t>(length >> 8);
    for (std::size_t k = 2; k < d.ProfileBlock.size(); ++k)
        d.ProfileBlock[k] = static_cast<std::uint8_t>(k * 7 + static_cast<std::size_t>(i));
    return d;
}

std::vector<TDiveRec> Dives(int count) {
    std::vector<TDiveRec> dives;
    dives.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        dives.push_back(ProfileDive(i, static_cast<std::uint16_t>(100 + i % 400)));
    return dives;
}

QByteArray Image(const std::vector<TDiveRec>& dives) {
    TLogbookWriter out;
    out.WriteU16(TDiveCollection::kFormatMark);
    out.WriteU32(7);
    out.WriteU16(static_cast<std::uint16_t>(dives.size()));
    out.WriteU32(0);
    for (const TDiveRec& d : dives) d.WriteToStream(out, false);
    return out.Data();
}

std::unique_ptr<TDiveCollection> Load(const std::vector<TDiveRec>& dives) {
    LogbookLoadResult r = LoadLogbookBytes(Image(dives), false);
    EXPECT_TRUE(r.Ok()) << r.ErrorText.toStdString();
    return std::move(r.Collection);
}

// Overwrites freed memory of about a block's size, so that bytes still read from a
// released block would show (and the sanitizer build reports the read itself).
void ScribbleFreedMemory() {
    std::vector<std::unique_ptr<std::uint8_t[]>> junk;
    for (int i = 0; i < 64; ++i) {
        junk.push_back(std::make_unique<std::uint8_t[]>(std::size_t{66} << 10));
        std::fill_n(junk.back().get(), std::size_t{66} << 10, std::uint8_t{0xEE});
    }
}

TEST(DiveBlocks, LoadedDivesLiveInSharedBlocksThatGoBackWithTheirLastDive) {
    const std::size_t before = TDiveBlocks::Live();
    const std::vector<TDiveRec> dives = Dives(1000);
    auto log = Load(dives);
    ASSERT_TRUE(log);
    const std::size_t blocks = TDiveBlocks::Live() - before;
    EXPECT_GT(blocks, 1u) << "1000 dives with profiles need more than one block";
    EXPECT_LT(blocks, 20u) << "and far fewer blocks than dives";
    for (std::size_t i = 0; i < log->Count(); ++i) {
        const TDivePtr& d = log->Dives()[i];
        ASSERT_NE(d.get_deleter().Block, nullptr);
        EXPECT_EQ(*d, dives[i]);
    }

    // Dives deleted from the front, one at a time: the blocks go back one by one, the
    // last only with the last dive.
    std::size_t fewest = blocks;
    while (log->Count() > 1) {
        log->RemoveAt(0);
        fewest = std::min(fewest, TDiveBlocks::Live() - before);
        EXPECT_EQ(log->At(0), dives[1000 - log->Count()]);
    }
    EXPECT_EQ(TDiveBlocks::Live() - before, 1u);
    EXPECT_LT(fewest, blocks);
    log->RemoveAt(0);
    EXPECT_EQ(TDiveBlocks::Live(), before);
}

TEST(DiveBlocks, DivesTakenCopiedOrMovedOutKeepTheirBytesAfterTheLogbookIsGone) {
    const std::size_t before = TDiveBlocks::Live();
    const std::vector<TDiveRec> dives = Dives(300);
    auto log = Load(dives);
    ASSERT_TRUE(log);

    std::unique_ptr<TDiveRec> taken = log->TakeAt(10);
    const TDiveRec copied = log->At(20);
    TDiveRec moved = std::move(log->At(30));
    TDiveRec assigned;
    assigned = std::move(log->At(40));
    std::vector<TDiveRec> grown;
    for (std::size_t i = 50; i < 60; ++i) grown.push_back(log->At(i));  // copies, then moves as it grows
    log.reset();
    EXPECT_EQ(TDiveBlocks::Live(), before);
    ScribbleFreedMemory();

    EXPECT_EQ(*taken, dives[10]);
    // Each taken dive moves the later ones up by one.
    EXPECT_EQ(copied, dives[21]);
    EXPECT_EQ(moved, dives[31]);
    EXPECT_EQ(assigned, dives[41]);
    for (std::size_t i = 0; i < grown.size(); ++i) EXPECT_EQ(grown[i], dives[51 + i]) << i;
    EXPECT_EQ(taken->ProfileBlock.get_allocator().Block(), nullptr);
    EXPECT_EQ(moved.ProfileBlock.get_allocator().Block(), nullptr);
    EXPECT_EQ(assigned.ProfileBlock.get_allocator().Block(), nullptr);
}

TEST(DiveBlocks, EditsAndSwapsInsideALoadedLogbookKeepEveryDiveIntact) {
    const std::vector<TDiveRec> dives = Dives(200);
    auto log = Load(dives);
    ASSERT_TRUE(log);
    std::vector<TDiveRec> expected = dives;

    // A profile grown past its room moves out of the block; one cut shorter stays.
    for (int k = 0; k < 500; ++k) log->At(5).ProfileBlock.push_back(static_cast<std::uint8_t>(k));
    for (int k = 0; k < 500; ++k) expected[5].ProfileBlock.push_back(static_cast<std::uint8_t>(k));
    log->At(6).ProfileBlock.resize(10);
    expected[6].ProfileBlock.resize(10);
    // Replaced by a dive from outside, in both ways of assigning.
    log->At(7) = dives[100];
    expected[7] = dives[100];
    TDiveRec outside = dives[101];
    log->At(8) = std::move(outside);
    expected[8] = dives[101];
    // Two loaded dives swapped, and a loaded dive copied onto another.
    std::swap(log->At(9), log->At(10));
    std::swap(expected[9], expected[10]);
    log->At(11) = log->At(12);
    expected[11] = expected[12];
    log->At(13).ProfileBlock = std::vector<std::uint8_t>{2, 0, 0xAA, 0xBB};
    expected[13].ProfileBlock = std::vector<std::uint8_t>{2, 0, 0xAA, 0xBB};

    for (std::size_t i = 0; i < log->Count(); ++i) EXPECT_EQ(log->At(i), expected[i]) << i;
    // Every dive still reads back as it shows, through a save and a load (which puts the
    // copied-in dives back in date order).
    TLogbookWriter out;
    log->SaveToStream(out, false);
    LogbookLoadResult again = LoadLogbookBytes(out.Data(), false);
    ASSERT_TRUE(again.Ok());
    std::stable_sort(expected.begin(), expected.end(),
                     [](const TDiveRec& a, const TDiveRec& b) { return a.DayNo < b.DayNo; });
    for (std::size_t i = 0; i < log->Count(); ++i) {
        const auto back = again.Collection->At(i).ProfileBytes();
        const auto shown = expected[i].ProfileBytes();
        EXPECT_TRUE(std::equal(back.begin(), back.end(), shown.begin(), shown.end())) << i;
    }
}

TEST(DiveBlocks, ALoadThatFailsHalfWayOrSortsGivesEveryBlockBack) {
    const std::size_t before = TDiveBlocks::Live();
    const std::vector<TDiveRec> dives = Dives(700);
    const QByteArray image = Image(dives);
    for (const qsizetype cut : {qsizetype{300}, image.size() / 2, image.size() - 1}) {
        const LogbookLoadResult r = LoadLogbookBytes(image.left(cut), false);
        EXPECT_FALSE(r.Ok()) << cut;
        EXPECT_EQ(TDiveBlocks::Live(), before) << cut;
    }
    // Stored newest first: the loaded dives are sorted, each keeping its own bytes.
    std::vector<TDiveRec> reversed(dives.rbegin(), dives.rend());
    {
        auto log = Load(reversed);
        ASSERT_TRUE(log);
        for (std::size_t i = 0; i < log->Count(); ++i)
            EXPECT_EQ(log->At(i).ProfileBlock, dives[i].ProfileBlock) << i;
        // Importing the same dives again adds none of them, and the unused ones go.
        const std::size_t loaded = TDiveBlocks::Live();
        TLogbookReader in(image);
        const ImportSummary s = log->ImportFromStream(in, false);
        EXPECT_EQ(s.Added, 0u);
        EXPECT_EQ(TDiveBlocks::Live(), loaded);
    }
    EXPECT_EQ(TDiveBlocks::Live(), before);
}

}  // namespace
