#pragma once
// The design of the data window's data panel, 532 x 390 pixels: its labels, value fields,
// remarks memo and bevels at fixed positions, in the panel's control order. A printed dive
// page walks these controls and places each one's text at its position scaled to the box, so
// the sheet has the layout of the data window. Value fields carry the tag that chooses their
// text (DiveFieldText).
//
//   for (const TPanelControl& c : DataPanelControls())
//       if (c.Kind == EPanelControl::Field) text = DiveFieldText(c.Tag, dive, lang, units);

#include <QString>
#include <cstdint>
#include <vector>

class TDiveRec;

inline constexpr int kDataPanelWidth = 532;
inline constexpr int kDataPanelHeight = 390;

enum class EPanelControl { Label, Field, Memo, Bevel };

struct TPanelControl {
    EPanelControl Kind;
    QString Name;  // "lDate", "vDate", "vRemarks", "Bevel1"
    int Tag;       // value fields: 1 (date) .. 18 (buddies); 0 otherwise
    int Left;
    int Top;
    int Width;
    int Height;
};

// Every control of the panel in control order: per field its label, then its value.
const std::vector<TPanelControl>& DataPanelControls();

// The caption a label shows in that language (the built-in German one for a language the
// program does not have).
QString DataPanelLabel(const QString& name, int languageIndex);

// The text of the value field with the tag: date with weekday, start time, location, site,
// altitude, weather, suit, interval, air temperature, tank size, maximum depth, minimum water
// temperature, dive time, air consumption, dive type, activities, alarms, buddies.
QString DiveFieldText(int tag, const TDiveRec& dive, int languageIndex, int unitSystem);
