#pragma once
// Glue between a logbook dive and the analysis: the dive values the decoder needs, and
// the whole replay of one dive that the profile window runs point by point.
//
//   DiveProfile profile;
//   TTissueModel model(tables);
//   if (AnalyseDive(dive, profile, model)) { /* dive.Analysed, StopInfo, DiveType set */ }

#include "DiveProfile.h"
#include "ProfileDiveInfo.h"
#include "TDiveRec.h"
#include "TTissueModel.h"

ProfileDiveInfo ProfileInfoOf(const TDiveRec& dive);

// Decodes the dive's profile block; false (profile unchanged) when it has none.
bool DecodeProfile(DiveProfile& profile, const TDiveRec& dive);

// Decodes, resets the model and replays every point. False when the dive has no profile.
// Raises EMissingTabFile when the ascent or toxicity table is missing.
bool ReplayDive(const TDiveRec& dive, DiveProfile& profile, TTissueModel& model, bool imperial = false);

// Replays the dive and stores the result as the profile window does at the last point:
// Analysed, StopInfo and the no-stop / decompression dive type bit.
bool AnalyseDive(TDiveRec& dive, DiveProfile& profile, TTissueModel& model);
