#pragma once
// Turns a dive plan into the bytes a dive computer of the basic family, family A or
// family F keeps in its memory: the profile block (length word, family header, point
// stream of depth words with interleaved information and gas bytes) and the whole dive
// block with its 18-byte head. Used by the example logbook generator and by anything
// that needs realistic dive computer memory (a simulated dive computer, tests).
//
//   TDivePlan plan = ...;
//   std::vector<std::uint8_t> profile = EncodeProfileBlock(plan);  // for TDiveRec::ProfileBlock
//   std::vector<std::uint8_t> block = EncodeDiveBlock(plan);        // 18 + L bytes
//   TDiveFacts facts = DiveFactsOf(plan);                           // what the head says

#include <cstdint>
#include <vector>

#include "TDivePlan.h"

// One recorded point of a plan, every 20 seconds after the start.
struct TPlanSample {
    std::uint16_t DepthUnits = 0;  // relative pressure in 1/64 bar (10 bits)
    std::uint8_t Warnings = 0;     // warning bits 0-5
    int Work = 1;
    int Bubble = 0;
    int LoopO2 = 0;  // oxygen % breathed (semi-closed rebreather), else the gas's
    std::uint16_t DepthWord() const {
        return static_cast<std::uint16_t>((DepthUnits << 6) | (Warnings & 0x3F));
    }
};

// The head values of a dive as the computer would report them.
struct TDiveFacts {
    int Points = 0;                 // recorded points (not counting the start point)
    int DiveTime = 0;               // minutes
    std::uint16_t MaxDepthRaw = 0;  // head bytes 6-7: bar x 4096
    int MaxDepthCm = 0;             // what the logbook shows: raw x 1000 / 4096, rounded
    std::uint8_t Status = 0;        // head byte 4
};

// Warning bits a dive computer records with the depth words.
namespace PlanWarning {
inline constexpr std::uint8_t kRemainingBottomTime = 0x02;  // RBT reached zero
inline constexpr std::uint8_t kAscent = 0x04;               // ascent too fast
inline constexpr std::uint8_t kDescend = 0x08;              // above the required stop
inline constexpr std::uint8_t kWork = 0x10;                 // heavy work
}  // namespace PlanWarning

// A rise of this much relative pressure within one 20 s point (12 m/min) is recorded as
// a fast ascent.
inline constexpr int kFastAscentUnits = 26;
// The point stream holds at most this many recorded points (661 decoded points).
inline constexpr int kMaxPlanPoints = 659;
// The head stores the dive time as two BCD digits plus a "+100" status bit.
inline constexpr int kMaxDiveTime = 199;

// Length of the profile header, counted from the length word: 24, 27 (A), 26 (F).
int ProfileHeaderSize(PlanFamily family);
// Family F's oxygen index for a percentage (21 -> 0, 22..50 in steps of 2 -> 1..15).
// Throws std::invalid_argument for a percentage the family cannot store.
std::uint8_t FamilyFOxygenIndex(int o2Percent);
// pO2 limit index 0..15 for 1.20 .. 1.95 bar in steps of 0.05 bar.
std::uint8_t PO2LimitIndex(double maxPO2);
std::uint8_t ToBcd(int value);

// The recorded points of a plan; throws std::invalid_argument for an empty plan, one
// longer than the point stream holds, or one whose dive time the head cannot store.
std::vector<TPlanSample> SamplePlan(const TDivePlan& plan);
TDiveFacts DiveFactsOf(const TDivePlan& plan);
TDiveFacts DiveFactsOf(const TDivePlan& plan, const std::vector<TPlanSample>& samples);

std::vector<std::uint8_t> EncodeProfileBlock(const TDivePlan& plan);
std::vector<std::uint8_t> EncodeDiveBlock(const TDivePlan& plan);
