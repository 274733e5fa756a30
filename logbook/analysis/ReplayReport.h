#pragma once
// Text lines of a replayed profile, as `kvlog replay` prints them: one CSV line per point
// and a closing summary line. Reals carry 17 significant digits, so two replays agree
// exactly when their lines do.
//
//   for (int i = 0; i <= profile.Count; ++i) out << ReplayPointLine(i, profile.Points[i]) << '\n';
//   out << ReplaySummaryLine(profile, model.State().DecoFlag, stopInfo) << '\n';

#include <QString>
#include <cstdint>

#include "DiveProfile.h"

// index,DepthWord,Marks,Levels,O2Fraction,PO2,MOD,StopIndex,NoStopTime,StopTime,AscentTime,
// Sat1..Sat8,Loading,CNSPercent
QString ReplayPointLine(int index, const ProfilePoint& point);
// summary,DecoFlag,StopInfo,ProfileMaxDepth,MeanDepth,GasConsumption,NitroxMOD,MaxWork
QString ReplaySummaryLine(const DiveProfile& profile, bool decoFlag, std::uint8_t stopInfo);
// A real with 17 significant digits ("%.17g").
QString ReplayReal(double value);
