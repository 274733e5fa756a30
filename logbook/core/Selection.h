#pragma once
// The criteria of the selection dialog and the dives they pick.
//
//   TSelectionCriteria c;  c.Day1 = d1;  c.Day2 = d2;  c.Activities = 0x0110;
//   std::vector<bool> lines = ApplySelection(logbook, c);   // one entry per dive

#include <QString>
#include <cstdint>
#include <vector>

class TDiveCollection;
class TDiveRec;

struct TSelectionCriteria {
    int Day1 = 0;
    int Day2 = 0;
    bool DepthEnabled = false;
    int Depth1 = 0;                // centimetres, from (inclusive)
    int Depth2 = 0;                // centimetres, to (exclusive)
    std::uint16_t DiveType = 0;    // per group: 0 = any, else the two bits the dive must have
    std::uint16_t Activities = 0;  // every bit must be set in the dive
    QString Other;                 // contained in the dive's other activity, a-z ignoring case
};

bool DiveMatches(const TDiveRec& dive, const TSelectionCriteria& criteria);
// In list order: true for a line to select, false for one to deselect.
std::vector<bool> ApplySelection(const TDiveCollection& logbook, const TSelectionCriteria& criteria);
