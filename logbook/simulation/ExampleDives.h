#pragma once
// The dives of the example logbook: a diver's course dives entered by hand, and trips
// to the Red Sea, Elba, an alpine lake and the Maldives logged by three dive computers
// (basic family, family F with nitrox, family A with nitrox and a semi-closed
// rebreather). ExampleTrips() returns them complete: device clock values, surface
// intervals, tissue state, oxygen toxicity and air used are worked out along each
// computer's series of dives, so every dive block is what that computer would hold.
//
//   for (const TExampleTrip& trip : ExampleTrips())
//       for (const TExampleDive& dive : trip.Dives)
//           if (dive.IsDownloaded()) use(EncodeDiveBlock(dive.Plan), trip.Download);
//
//   // Memory of one dive computer (oldest dive first) and its clock at a time:
//   std::vector<std::uint8_t> blocks = ExampleMemoryBlocks(2);
//   std::uint32_t now = ExampleClockAt(2, TPlanTime{2024, 3, 16, 19, 0});

#include <cstdint>
#include <string>
#include <vector>

#include "TDivePlan.h"

struct TExampleComputer {
    std::uint32_t Serial = 0;
    std::uint8_t HwSw = 0;
    TPlanTime ClockZero;  // when the computer's clock read 0
};

// One dive with what the diver wrote down about it. Texts are UTF-8.
struct TExampleDive {
    TDivePlan Plan;  // downloaded dives: the legs; hand-entered dives: only the start and temperatures
    double TankLitres = 12;
    double Sac = 16;  // surface air consumption, litres per minute (open circuit)
    std::string Location;
    std::string Site;
    std::string Buddies;
    std::string Remarks;
    std::string OtherActivity;
    std::uint8_t Weather = 0;
    std::uint8_t Suit = 0;
    std::uint16_t TypeFlags = 0;  // set by the diver: water, ascent, and for hand-entered dives the rest
    std::uint16_t Activities = 0;
    bool Decompression = false;  // planned with decompression stops
    // Hand-entered dives only.
    double HandMaxDepth = 0;  // metres
    int HandDiveTime = 0;     // minutes
    int HandAirUsed = 0;      // bar, 0 = not noted

    bool IsDownloaded() const { return !Plan.Legs.empty(); }
};

struct TExampleTrip {
    int Computer = -1;   // index into ExampleComputers(); -1 for hand-entered dives
    TPlanTime Download;  // when the dives were transferred to the logbook
    std::vector<TExampleDive> Dives;
};

const std::vector<TExampleComputer>& ExampleComputers();
std::vector<TExampleTrip> ExampleTrips();

// The computer's clock (ticks of 0.5 s) at a local time.
std::uint32_t ExampleClockAt(int computer, const TPlanTime& at);
// Dive blocks of one computer's dives, back to back, oldest first.
std::vector<std::uint8_t> ExampleMemoryBlocks(int computer);
