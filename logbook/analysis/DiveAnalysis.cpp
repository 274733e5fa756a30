#include "DiveAnalysis.h"

#include "ProfileDecoder.h"

ProfileDiveInfo ProfileInfoOf(const TDiveRec& dive) {
    ProfileDiveInfo info;
    info.HwSw = dive.HwSw;
    info.DiveType = dive.DiveType;
    info.AltitudeRange = dive.AltitudeRange;
    info.TankSize = dive.TankSize;
    info.AirConsumption = dive.AirConsumption;
    info.DiveTime = dive.DiveTime;
    info.MinWaterTemp = dive.MinWaterTemp;
    return info;
}

bool DecodeProfile(DiveProfile& profile, const TDiveRec& dive) {
    return DecodeProfile(profile, std::span<const std::uint8_t>(dive.ProfileBlock), ProfileInfoOf(dive));
}

bool ReplayDive(const TDiveRec& dive, DiveProfile& profile, TTissueModel& model, bool imperial) {
    const ProfileDiveInfo info = ProfileInfoOf(dive);
    if (!DecodeProfile(profile, std::span<const std::uint8_t>(dive.ProfileBlock), info)) {
        return false;
    }
    model.ModelReset(profile, info, imperial);
    model.ReplayAll();
    return true;
}

bool AnalyseDive(TDiveRec& dive, DiveProfile& profile, TTissueModel& model) {
    if (!ReplayDive(dive, profile, model)) {
        return false;
    }
    dive.StopInfo = SummariseProfile(profile, dive.DiveType, model.State().DecoFlag);
    dive.Analysed = 1;
    return true;
}
