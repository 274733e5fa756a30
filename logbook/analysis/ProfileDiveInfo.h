#pragma once
// The few values of a dive record that decoding and the model need, so both can run
// from raw profile bytes as well as from a logbook's TDiveRec.

#include <cstdint>

#include "DiveProfile.h"

struct ProfileDiveInfo {
    std::uint16_t HwSw = 0;
    std::uint16_t DiveType = 0;
    std::uint8_t AltitudeRange = 1;
    std::int16_t TankSize = 32767;         // 1/100 litre
    std::uint16_t AirConsumption = 32767;  // 1/100 bar
    std::uint16_t DiveTime = 32767;        // minutes
    std::int16_t MinWaterTemp = 32767;     // 1/100 degree Celsius

    int FamilyNibble() const { return (HwSw >> 4) & 0xF; }
    bool IsFamilyA() const { return FamilyNibble() == 0xA; }
    bool IsFamilyF() const { return FamilyNibble() == 0xF; }
    ProfileFamily Family() const {
        return IsFamilyA() ? ProfileFamily::A : IsFamilyF() ? ProfileFamily::F : ProfileFamily::Basic;
    }
    bool IsNitrox() const { return (DiveType & 0x100) != 0; }
    bool IsSCR() const { return (DiveType & 0x200) != 0; }
};
