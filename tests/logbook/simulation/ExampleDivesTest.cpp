// The example dives as a dive computer's history: clock values, surface intervals and
// tissue state follow each computer's series, the mix of dives covers what the
// logbook has to show, and each computer's memory cuts back into its dive blocks.

#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "ExampleDives.h"
#include "ProfileEncoder.h"
#include "TTissueTracker.h"

namespace {

struct Flat {
    int Computer;
    const TExampleDive* Dive;
};

class ExampleDivesTest : public ::testing::Test {
protected:
    void SetUp() override {
        trips = ExampleTrips();
        for (const TExampleTrip& t : trips) {
            for (const TExampleDive& d : t.Dives) {
                all.push_back({t.Computer, &d});
            }
        }
    }
    std::vector<TExampleTrip> trips;
    std::vector<Flat> all;
};

TEST_F(ExampleDivesTest, AboutThirtyDivesOfEveryKind) {
    EXPECT_GE(all.size(), 28u);
    EXPECT_LE(all.size(), 36u);
    std::set<PlanFamily> families;
    int byHand = 0, nitrox = 0, scr = 0, altitude = 0, deco = 0, work = 0, rbt = 0, multilevel = 0;
    for (const Flat& f : all) {
        const TExampleDive& d = *f.Dive;
        if (!d.IsDownloaded()) {
            ++byHand;
            continue;
        }
        families.insert(d.Plan.Family());
        nitrox += !d.Plan.SCR && d.Plan.O2Percent != 21;
        scr += d.Plan.SCR;
        altitude += d.Plan.AltitudeClass > 0;
        std::uint8_t warnings = 0;
        for (const TPlanSample& s : SamplePlan(d.Plan)) {
            warnings |= s.Warnings;
        }
        deco += (warnings & PlanWarning::kDescend) != 0;
        work += (warnings & PlanWarning::kWork) != 0;
        rbt += (warnings & PlanWarning::kRemainingBottomTime) != 0;
        multilevel += (d.TypeFlags & 0x20) != 0;
    }
    EXPECT_EQ(families.size(), 3u);
    EXPECT_GE(byHand, 5);
    EXPECT_GE(nitrox, 5);
    EXPECT_GE(scr, 1);
    EXPECT_GE(altitude, 1);
    EXPECT_GE(deco, 1);
    EXPECT_GE(work, 1);
    EXPECT_GE(rbt, 1);
    EXPECT_GE(multilevel, 5);
}

TEST_F(ExampleDivesTest, ClockValuesAndSurfaceIntervalsFollowEachComputer) {
    for (int c = 0; c < static_cast<int>(ExampleComputers().size()); ++c) {
        const TExampleDive* previous = nullptr;
        for (const Flat& f : all) {
            if (f.Computer != c || !f.Dive->IsDownloaded()) {
                continue;
            }
            const TDivePlan& p = f.Dive->Plan;
            EXPECT_EQ(p.DeviceTime, ExampleClockAt(c, p.Start));
            EXPECT_EQ(p.Serial, ExampleComputers()[c].Serial);
            if (!previous) {
                EXPECT_EQ(p.SurfaceInterval, -1) << "first dive of computer " << c;
                for (double tissue : p.InitialTissue) {
                    EXPECT_GT(tissue, 0.44);
                    EXPECT_LT(tissue, 0.69);
                }
            } else {
                EXPECT_GT(p.DeviceTime, previous->Plan.DeviceTime);
                const auto gap = SecondsBetween(previous->Plan.Start, p.Start) / 60;
                const int lasted = (static_cast<int>(SamplePlan(previous->Plan).size()) + 1) / 3;
                if (p.SurfaceInterval >= 0) {
                    EXPECT_NEAR(p.SurfaceInterval, gap - lasted, 1);
                    // Still loaded from the dive before: the slowest compartment holds more
                    // than a diver who has been at the surface for days.
                    const double rested = TTissueTracker(p.AltitudeClass + 1).Tissues()[7];
                    EXPECT_GT(p.InitialTissue[7], rested + 0.001);
                } else {
                    EXPECT_GT(gap, 48 * 60);
                }
            }
            previous = f.Dive;
        }
    }
}

TEST_F(ExampleDivesTest, MemoryOfEachComputerCutsIntoItsDiveBlocks) {
    for (int c = 0; c < static_cast<int>(ExampleComputers().size()); ++c) {
        const std::vector<std::uint8_t> memory = ExampleMemoryBlocks(c);
        // The whole memory fits one reply image (16-bit length, code, clock, XOR byte).
        EXPECT_LE(memory.size() + 8, 32770u);
        std::vector<std::uint32_t> clocks;
        std::size_t pos = 0;
        while (pos < memory.size()) {
            ASSERT_LE(pos + 18, memory.size());
            const std::uint32_t serial = (memory[pos] << 16) | (memory[pos + 1] << 8) | memory[pos + 2];
            EXPECT_EQ(serial, ExampleComputers()[c].Serial);
            EXPECT_EQ(memory[pos + 3], ExampleComputers()[c].HwSw);
            clocks.push_back(memory[pos + 11] | (memory[pos + 12] << 8) | (memory[pos + 13] << 16) |
                             (static_cast<std::uint32_t>(memory[pos + 14]) << 24));
            pos += 18 + (memory[pos + 16] | (memory[pos + 17] << 8));
        }
        EXPECT_EQ(pos, memory.size());
        std::vector<std::uint32_t> expected;
        for (const Flat& f : all) {
            if (f.Computer == c && f.Dive->IsDownloaded()) {
                expected.push_back(f.Dive->Plan.DeviceTime);
            }
        }
        EXPECT_EQ(clocks, expected);
    }
}

TEST_F(ExampleDivesTest, GeneratedTwiceGivesTheSameBytes) {
    for (int c = 0; c < static_cast<int>(ExampleComputers().size()); ++c) {
        EXPECT_EQ(ExampleMemoryBlocks(c), ExampleMemoryBlocks(c));
    }
}

}  // namespace
