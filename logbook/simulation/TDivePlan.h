#pragma once
// Everything the dive computer would have recorded about one dive, in plain terms:
// which computer, when, the depth plan, gas, temperatures and the tissue state at the
// start. The profile encoder turns it into the bytes of the computer's memory.
//
//   TDivePlan plan;
//   plan.HwSw = 0xF4;  plan.O2Percent = 32;  plan.Legs = {{2, 20}, {35, 20}, {3, 5}, ...};
//   std::vector<std::uint8_t> block = EncodeDiveBlock(plan);

#include <array>
#include <cstdint>
#include <vector>

#include "TPlanLeg.h"
#include "TPlanTime.h"

enum class PlanFamily : std::uint8_t { Basic, A, F };

struct TDivePlan {
    std::uint32_t Serial = 0;      // serial number of the dive computer (24 bits)
    std::uint8_t HwSw = 0x24;      // hardware/software code: family in the high nibble
    TPlanTime Start;               // local start of the dive
    std::uint32_t DeviceTime = 0;  // the computer's clock at the start, ticks of 0.5 s

    std::uint8_t AltitudeClass = 0;  // 0..3, status bits 6-7
    int SurfaceInterval = -1;        // minutes since the previous dive; -1 = first dive of a series
    int AirUsedBar = 0;              // tank pressure used; 0 = not measured
    double WaterTemp = 20;           // minimum water temperature, degrees Celsius
    double AirTemp = 20;             // surface temperature when the dive started
    double SkinTemp = 33.5;          // the computer's estimate at the start
    int InitialCold = 0;             // cold level at the start (0..7)
    int ColdMax = 0;                 // cold level reached after half an hour in the water

    int O2Percent = 21;   // breathing gas; the supply gas of a semi-closed rebreather
    double MaxPO2 = 1.4;  // pO2 limit set on the computer (families A and F)
    bool SCR = false;     // family A: semi-closed rebreather dive

    std::array<double, 8> InitialTissue{};  // nitrogen pressure of each compartment, bar
    double InitialBubble = 0;
    double InitialBubbleVolume = 0;
    double InitialCNS = 0;  // percent

    bool Wobble = true;      // small depth noise, so a level line looks recorded, not drawn
    std::uint32_t Seed = 1;  // of that noise
    std::vector<TPlanLeg> Legs;

    PlanFamily Family() const {
        const int nibble = (HwSw >> 4) & 0xF;
        return nibble == 0xA ? PlanFamily::A : nibble == 0xF ? PlanFamily::F : PlanFamily::Basic;
    }
};
