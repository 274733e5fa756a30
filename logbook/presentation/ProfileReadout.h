#pragma once
// The one-line readout above a profile chart: gas, lowest water temperature, consumption with
// its peak, and the no-stop or ascent time once the dive has been analysed. The profile
// window shows it in its panel; printing puts it over the printed profile.
//
//   DecodeProfile(profile, dive);                  // GasConsumption, WorkFactor, MaxWork, O2Percent
//   panel->setText(ProfileReadout(dive, profile)); // current language and unit system
//   QString de = ProfileReadout(dive, profile, kImperial, kGerman);
//
// The readout reads the dive's DiveType bits 0x100 (nitrox) and 0x200 (rebreather) each on
// its own, the dive's temperature, tank and consumption values, Analysed and StopInfo.

#include <QString>

#include "DiveProfile.h"

class TDiveRec;

QString ProfileReadout(const TDiveRec& dive, const DiveProfile& profile);
QString ProfileReadout(const TDiveRec& dive, const DiveProfile& profile, int unitSystem, int language);

// Cubic feet per litre divisor of the imperial consumption figures.
inline constexpr double kLitresPerCubicFoot = 28.3;
