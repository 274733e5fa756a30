#include "Selection.h"

#include "Cp1252.h"
#include "TDiveCollection.h"
#include "TDiveRec.h"

namespace {

// Only the letters a-z become capitals, as the dive's stored bytes are compared directly.
QByteArray UpperAscii(QByteArray bytes) {
    for (char& c : bytes)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return bytes;
}

}  // namespace

bool DiveMatches(const TDiveRec& dive, const TSelectionCriteria& c) {
    if (dive.DayNo < c.Day1 || dive.DayNo > c.Day2) return false;
    if (c.DepthEnabled && !(c.Depth1 <= dive.MaxDepth && dive.MaxDepth < c.Depth2)) return false;
    for (int shift : {2, 4, 6, 8}) {
        const int wanted = (c.DiveType >> shift) & 3;
        if (wanted != 0 && wanted != ((dive.DiveType >> shift) & 3)) return false;
    }
    if ((dive.Activities & c.Activities) != c.Activities) return false;
    if (!c.Other.isEmpty()) {
        if (dive.OtherActivity.isEmpty()) return false;
        const QByteArray wanted = UpperAscii(UnicodeToCp1252Lossy(c.Other));
        if (!UpperAscii(dive.OtherActivity).contains(wanted)) return false;
    }
    return true;
}

std::vector<bool> ApplySelection(const TDiveCollection& logbook, const TSelectionCriteria& criteria) {
    std::vector<bool> lines;
    lines.reserve(logbook.Count());
    for (std::size_t i = 0; i < logbook.Count(); ++i) lines.push_back(DiveMatches(logbook.At(i), criteria));
    return lines;
}
