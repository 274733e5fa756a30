#pragma once
// The order of the dive fields shared by the data window and the edit dialog: two columns
// (date, time, altitude, weather, suit on the left; location, site, interval, air
// temperature, tank size on the right), then maximum depth and minimum temperature beside
// dive time and air consumption, then type, activities, alarms, buddies and remarks across
// the full width. Names are the suffixes of the controls ("Date" -> lDate, vDate, eDate).

#include <array>

struct TDiveFieldPlace {
    const char* Name;
    const char* GermanLabel;  // built-in label text
    int Row;
    int Column;  // 0 left, 1 right; -1 across the full width
};

inline constexpr std::array<TDiveFieldPlace, 19> kDiveFieldPlaces{{
    {"Date", "Datum:", 0, 0},          {"Immers", "Zeit:", 1, 0},
    {"Range", "Höhenbereich:", 2, 0},  {"Cond", "Wetter:", 3, 0},
    {"Suit", "Tauchanzug:", 4, 0},     {"Location", "Ort:", 0, 1},
    {"Site", "Tauchplatz:", 1, 1},     {"Interv", "Intervall:", 2, 1},
    {"Temp", "Lufttemperatur:", 3, 1}, {"Volume", "Flaschengrösse:", 4, 1},
    {"Max", "Maximaltiefe:", 5, 0},    {"Mintemp", "Min. Temperatur:", 6, 0},
    {"Time", "Tauchzeit:", 5, 1},      {"Used", "Luftverbrauch:", 6, 1},
    {"Type", "Tauchgang-Typ:", 7, -1}, {"Activity", "Aktivitäten:", 8, -1},
    {"Alarms", "Alarme:", 9, -1},      {"Buddy", "Tauchpartner:", 10, -1},
    {"Remarks", "Kommentar:", 11, -1},
}};
