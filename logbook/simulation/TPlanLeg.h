#pragma once
// One leg of a dive plan: the depth moves linearly from where the previous leg ended
// to `ToDepth` within `Minutes`; the levels and warnings hold for every point recorded
// during the leg.
//
//   TPlanLeg{2.5, 18}            // descend to 18 m in 2.5 minutes
//   TPlanLeg{20, 18, 3}          // 20 minutes at 18 m, workload level 3
//   TPlanLeg{1, 4, 1, 0, 0x08}   // shoots above the stop: "descend" warning

#include <cstdint>

struct TPlanLeg {
    double Minutes = 0;
    double ToDepth = 0;         // metres of sea water (1 bar = 10 m), relative to the surface
    int Work = 1;               // workload level 0..7
    int Bubble = 0;             // microbubble level 0..7
    std::uint8_t Warnings = 0;  // warning bits 0-5 the dive computer records with each depth word
    int LoopO2 = 0;             // semi-closed rebreather: oxygen % in the loop; 0 = from the workload
};
