#include "ExampleDives.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "ProfileEncoder.h"
#include "TTissueTracker.h"

namespace {

namespace Activity {
constexpr std::uint16_t kSightseeing = 1 << 0;
constexpr std::uint16_t kClub = 1 << 1;
constexpr std::uint16_t kEducation = 1 << 2;
constexpr std::uint16_t kNight = 1 << 4;
constexpr std::uint16_t kWreck = 1 << 8;
constexpr std::uint16_t kDrift = 1 << 10;
constexpr std::uint16_t kPhoto = 1 << 11;
}  // namespace Activity

namespace Type {
constexpr std::uint16_t kNostop = 0x0004;
constexpr std::uint16_t kSquare = 0x0010;
constexpr std::uint16_t kMultil = 0x0020;
constexpr std::uint16_t kFresh = 0x0040;
constexpr std::uint16_t kSea = 0x0080;
}  // namespace Type

enum Weather : std::uint8_t { kClear = 1, kCloudy = 2, kMisty = 3, kRain = 4, kStormy = 5 };
enum Suit : std::uint8_t { kShorty = 2, kOnePiece = 3, kTwoPiece = 4, kSemiDry = 5, kDrySuit = 6 };

constexpr std::uint8_t kRbt = PlanWarning::kRemainingBottomTime;
constexpr std::uint8_t kDescend = PlanWarning::kDescend;
constexpr std::uint8_t kWork = PlanWarning::kWork;

// A series of dives repeats the previous one when the computer still counts it as
// repetitive: within two days.
constexpr int kRepetitiveMinutes = 48 * 60;

TExampleDive& Downloaded(TExampleTrip& trip, const TPlanTime& start, double water, double air,
                         std::vector<TPlanLeg> legs) {
    TExampleDive& d = trip.Dives.emplace_back();
    d.Plan.Start = start;
    d.Plan.WaterTemp = water;
    d.Plan.AirTemp = air;
    d.Plan.Legs = std::move(legs);
    return d;
}

TExampleDive& ByHand(TExampleTrip& trip, const TPlanTime& start, double water, double air, double depth,
                     int minutes, int airUsed) {
    TExampleDive& d = trip.Dives.emplace_back();
    d.Plan.Start = start;
    d.Plan.WaterTemp = water;
    d.Plan.AirTemp = air;
    d.HandMaxDepth = depth;
    d.HandDiveTime = minutes;
    d.HandAirUsed = airUsed;
    return d;
}

TExampleTrip CourseTrip() {
    TExampleTrip trip;
    {
        TExampleDive& d = ByHand(trip, {2020, 5, 23, 10, 30}, 9, 16, 6.2, 32, 110);
        d.Location = "Hemmoor, Kreidesee";
        d.Site = "Einstieg Nord, Plattform";
        d.Buddies = "Jürgen Weiß (Tauchlehrer), Anja Köhler";
        d.Remarks =
            "Erster Freiwasser-Tauchgang! Maske ausblasen, Wechselatmung, Sicht 4 m – kalt, aber schön.";
        d.Weather = kCloudy;
        d.Suit = kSemiDry;
        d.TypeFlags = Type::kNostop | Type::kSquare | Type::kFresh;
        d.Activities = Activity::kEducation;
    }
    {
        TExampleDive& d = ByHand(trip, {2020, 5, 23, 14, 0}, 9, 18, 8.4, 35, 120);
        d.Location = "Hemmoor, Kreidesee";
        d.Site = "Plattform 8 m";
        d.Buddies = "Jürgen Weiß (Tauchlehrer), Anja Köhler";
        d.Remarks = "Tarierübungen über der Plattform, kontrollierter Notaufstieg geübt.";
        d.Weather = kClear;
        d.Suit = kSemiDry;
        d.TypeFlags = Type::kNostop | Type::kSquare | Type::kFresh;
        d.Activities = Activity::kEducation;
    }
    {
        TExampleDive& d = ByHand(trip, {2020, 5, 24, 10, 0}, 10, 15, 11.8, 38, 125);
        d.Location = "Hemmoor, Kreidesee";
        d.Site = "Zugmaschine / Steilwand";
        d.Buddies = "Jürgen Weiß (Tauchlehrer), Anja Köhler";
        d.Remarks = "Navigation mit Kompass, Hechte an der Steilwand. Regen an der Oberfläche.";
        d.Weather = kRain;
        d.Suit = kSemiDry;
        d.TypeFlags = Type::kNostop | Type::kMultil | Type::kFresh;
        d.Activities = Activity::kEducation;
    }
    {
        TExampleDive& d = ByHand(trip, {2020, 5, 24, 13, 30}, 10, 17, 12.3, 40, 130);
        d.Location = "Hemmoor, Kreidesee";
        d.Site = "Seilbahnwagen";
        d.Buddies = "Anja Köhler";
        d.Remarks = "Prüfungstauchgang bestanden – Open Water Diver!";
        d.Weather = kCloudy;
        d.Suit = kSemiDry;
        d.TypeFlags = Type::kNostop | Type::kMultil | Type::kFresh;
        d.Activities = Activity::kEducation | Activity::kSightseeing;
    }
    return trip;
}

TExampleTrip RedSeaTrip() {
    TExampleTrip trip;
    trip.Computer = 0;
    trip.Download = {2021, 6, 19, 19, 0};
    const char* hurghada = "Hurghada, Ägypten";
    {
        TExampleDive& d = Downloaded(trip, {2021, 6, 13, 10, 15}, 26.5, 31,
                                     {{1.2, 12}, {10, 12}, {12, 9}, {8, 7}, {0.4, 5}, {3, 5}, {0.7, 0}});
        d.Location = hurghada;
        d.Site = "Hausriff";
        d.Buddies = "Sabine Müller";
        d.Remarks = "Check-Dive, Blei von 8 auf 6 kg reduziert. Rotfeuerfisch unter dem Steg.";
        d.Weather = kClear;
        d.Suit = kShorty;
        d.TypeFlags = Type::kSea;
        d.Activities = Activity::kSightseeing;
    }
    {
        TExampleDive& d =
            Downloaded(trip, {2021, 6, 13, 14, 30}, 26.5, 33,
                       {{2, 24}, {10, 24, 2}, {2, 18}, {8, 18}, {2, 12}, {10, 12}, {2, 6}, {6, 6}, {0.7, 0}});
        d.Location = hurghada;
        d.Site = "Giftun Kebir, Südwand";
        d.Buddies = "Sabine Müller, Tom Baker";
        d.Remarks = "Multilevel along the wall, two napoleon wrasses and a hawksbill turtle.";
        d.Weather = kClear;
        d.Suit = kShorty;
        d.TypeFlags = Type::kSea | Type::kMultil;
        d.Activities = Activity::kSightseeing;
    }
    {
        TExampleDive& d = Downloaded(
            trip, {2021, 6, 14, 9, 40}, 26, 30,
            {{2, 20}, {6, 20, 3}, {12, 18, 5, 0, kWork}, {8, 15, 4}, {6, 12, 2}, {0.8, 5}, {3, 5}, {0.7, 0}});
        d.Location = hurghada;
        d.Site = "Abu Ramada Süd";
        d.Buddies = "Sabine Müller, Tom Baker";
        d.Remarks =
            "Strömungstauchgang, anfangs gegen die Strömung – Arbeitswarnung. Große Fledermausfische.";
        d.Weather = kClear;
        d.Suit = kShorty;
        d.TypeFlags = Type::kSea | Type::kMultil;
        d.Activities = Activity::kDrift | Activity::kSightseeing;
        d.Sac = 19;
    }
    {
        TExampleDive& d = Downloaded(trip, {2021, 6, 14, 13, 20}, 26, 32,
                                     {{2, 28}, {14, 27, 2}, {2, 18}, {6, 16}, {1.2, 5}, {3, 5}, {0.7, 0}});
        d.Location = hurghada;
        d.Site = "Wrack El Mina";
        d.Buddies = "Tom Baker";
        d.Remarks = "Minesweeper wreck lying on its port side; glassfish in the hull.";
        d.Weather = kClear;
        d.Suit = kShorty;
        d.TypeFlags = Type::kSea | Type::kMultil;
        d.Activities = Activity::kWreck;
    }
    {
        TExampleDive& d = Downloaded(
            trip, {2021, 6, 15, 9, 0}, 25.5, 29,
            {{2, 30}, {12, 29, 2}, {3, 20}, {6, 18}, {0.6, 8}, {8, 8}, {0.5, 5}, {3, 5}, {0.7, 0}});
        d.Location = hurghada;
        d.Site = "Carless Reef";
        d.Buddies = "Sabine Müller";
        d.Remarks =
            "Muränen ohne Ende. Beim Aufstieg zu schnell (Aufstiegswarnung) – Tarierweste zu spät entlüftet.";
        d.Weather = kCloudy;
        d.Suit = kShorty;
        d.TypeFlags = Type::kSea | Type::kMultil;
        d.Activities = Activity::kSightseeing;
    }
    {
        TExampleDive& d =
            Downloaded(trip, {2021, 6, 15, 19, 30}, 26, 28, {{1, 10}, {40, 10}, {0.6, 5}, {3, 5}, {0.7, 0}});
        d.Location = hurghada;
        d.Site = "Hausriff";
        d.Buddies = "Sabine Müller, Tom Baker";
        d.Remarks = "Night dive: spanish dancer, sleeping parrotfish in their cocoons.";
        d.Weather = kClear;
        d.Suit = kOnePiece;
        d.TypeFlags = Type::kSea | Type::kSquare;
        d.Activities = Activity::kNight;
    }
    {
        TExampleDive& d = Downloaded(trip, {2021, 6, 17, 7, 30}, 25, 27,
                                     {{2.5, 31},
                                      {23, 30, 2},
                                      {3, 30, 3, 0, kRbt},
                                      {2, 12, 1},
                                      {1.5, 6, 1, 1},
                                      {3, 6, 1, 1},
                                      {0.3, 3.5, 1, 1, kDescend},
                                      {0.3, 6, 1, 1, kDescend},
                                      {5, 6, 1, 1},
                                      {0.5, 3, 1, 1},
                                      {8, 3, 1},
                                      {0.7, 0}});
        d.Location = "Sha’ab Ali, Ägypten";
        d.Site = "Wrack SS Thistlegorm";
        d.Decompression = true;
        d.Buddies = "Tom Baker";
        d.Remarks =
            "Dekotauchgang: Stopps auf 6 m und 3 m. Starke Strömung am Ankerseil, Dekostufe kurz "
            "überschritten. Motorräder und Lkw im Laderaum 2.";
        d.Weather = kStormy;
        d.Suit = kOnePiece;
        d.TypeFlags = Type::kSea | Type::kMultil;
        d.Activities = Activity::kWreck | Activity::kPhoto;
        d.TankLitres = 15;
        d.Sac = 17;
    }
    {
        TExampleDive& d = Downloaded(trip, {2021, 6, 18, 10, 0}, 26.5, 33,
                                     {{1.5, 14}, {20, 14}, {15, 10}, {10, 6}, {0.7, 0}});
        d.Location = hurghada;
        d.Site = "Hausriff";
        d.Buddies = "Sabine Müller";
        d.Remarks = "Last dive of the trip – a turtle at the reef edge, 24 h no-fly from now.";
        d.Weather = kClear;
        d.Suit = kShorty;
        d.TypeFlags = Type::kSea | Type::kMultil;
        d.Activities = Activity::kSightseeing | Activity::kPhoto;
    }
    return trip;
}

TExampleTrip LakeConstanceTrip() {
    TExampleTrip trip;
    {
        TExampleDive& d = ByHand(trip, {2021, 10, 9, 11, 0}, 11, 12, 18.5, 35, 140);
        d.Location = "Überlingen, Bodensee";
        d.Site = "Goldbach";
        d.Buddies = "Anja Köhler, Matthias Groß";
        d.Remarks =
            "Computer beim Service – Tiefe und Zeit von Anjas Computer übernommen. Felswand bis 20 m.";
        d.Weather = kMisty;
        d.Suit = kDrySuit;
        d.TypeFlags = Type::kNostop | Type::kMultil | Type::kFresh;
        d.Activities = Activity::kClub;
        d.TankLitres = 10;
    }
    {
        TExampleDive& d = ByHand(trip, {2021, 10, 9, 14, 30}, 12, 14, 15.0, 38, 120);
        d.Location = "Wallhausen, Bodensee";
        d.Site = "Kiesbank am Strandbad";
        d.Buddies = "Matthias Groß";
        d.Remarks = "Vereinsausflug. Barsche und ein Aal im Kraut, Sicht 6 m.";
        d.Weather = kCloudy;
        d.Suit = kDrySuit;
        d.TypeFlags = Type::kNostop | Type::kSquare | Type::kFresh;
        d.Activities = Activity::kClub | Activity::kSightseeing;
        d.TankLitres = 10;
    }
    return trip;
}

TExampleTrip ElbaTrip() {
    TExampleTrip trip;
    trip.Computer = 1;
    trip.Download = {2022, 9, 17, 18, 0};
    {
        TExampleDive& d = Downloaded(trip, {2022, 9, 10, 10, 0}, 23.5, 26,
                                     {{1.5, 18}, {25, 17}, {4, 10}, {8, 8}, {0.4, 5}, {3, 5}, {0.7, 0}});
        d.Plan.O2Percent = 32;
        d.Location = "Marina di Campo, Elba";
        d.Site = "Capo Sant’Andrea";
        d.Buddies = "Giulia Rossi, Nicolò Ferrè";
        d.Remarks = "Erster Nitrox-Tauchgang (EAN32) nach dem Kurs. Seegraswiesen und Zackenbarsch.";
        d.Weather = kClear;
        d.Suit = kOnePiece;
        d.TypeFlags = Type::kSea | Type::kMultil;
        d.Activities = Activity::kSightseeing;
    }
    {
        TExampleDive& d = Downloaded(
            trip, {2022, 9, 10, 15, 0}, 23, 28,
            {{2, 28}, {10, 27, 2}, {2, 20}, {10, 19}, {2, 12}, {8, 12}, {0.8, 5}, {3, 5}, {0.7, 0}});
        d.Plan.O2Percent = 32;
        d.Location = "Marina di Campo, Elba";
        d.Site = "Scoglio della Triglia";
        d.Buddies = "Giulia Rossi";
        d.Remarks = "Gorgonians from 25 m, a moray and two octopus. Nice multilevel profile on EAN32.";
        d.Weather = kClear;
        d.Suit = kOnePiece;
        d.TypeFlags = Type::kSea | Type::kMultil;
        d.Activities = Activity::kSightseeing;
    }
    {
        TExampleDive& d =
            Downloaded(trip, {2022, 9, 11, 10, 30}, 24, 27, {{1, 12}, {40, 11}, {0.7, 5}, {3, 5}, {0.7, 0}});
        d.Location = "Pomonte, Elba";
        d.Site = "Relitto Elviscot";
        d.Buddies = "Giulia Rossi, Nicolò Ferrè";
        d.Remarks =
            "Frachter auf 12 m, ideal zum Fotografieren. Luft statt Nitrox (Füllstation geschlossen).";
        d.Weather = kClear;
        d.Suit = kOnePiece;
        d.TypeFlags = Type::kSea | Type::kSquare;
        d.Activities = Activity::kWreck | Activity::kPhoto;
    }
    {
        TExampleDive& d = Downloaded(trip, {2022, 9, 13, 9, 0}, 18, 24,
                                     {{3, 40},
                                      {15, 39, 2},
                                      {2, 40, 3, 0, kRbt},
                                      {3, 21, 1, 1},
                                      {2, 9, 1, 1},
                                      {1, 9, 1, 1},
                                      {1, 6, 1, 1},
                                      {4, 6, 1, 1},
                                      {0.5, 3, 1, 1},
                                      {9, 3},
                                      {0.7, 0}});
        d.Plan.ColdMax = 2;
        d.Location = "Marina di Campo, Elba";
        d.Site = "Secca di Fonza";
        d.Decompression = true;
        d.Buddies = "Nicolò Ferrè";
        d.Remarks =
            "Deep dive on air to 40 m, red gorgonians. Deco stops 6 m and 3 m, thermocline at 25 m (18 °C).";
        d.Weather = kCloudy;
        d.Suit = kTwoPiece;
        d.TypeFlags = Type::kSea | Type::kMultil;
        d.Activities = Activity::kSightseeing;
        d.TankLitres = 15;
    }
    {
        TExampleDive& d =
            Downloaded(trip, {2022, 9, 14, 10, 0}, 22, 27,
                       {{2, 30.5}, {5, 30, 2}, {10, 26, 2}, {5, 18}, {8, 12}, {0.8, 5}, {3, 5}, {0.7, 0}});
        d.Plan.O2Percent = 36;
        d.Location = "Isola di Pianosa";
        d.Site = "Formiche della Zanca";
        d.Buddies = "Giulia Rossi";
        d.Remarks =
            "EAN36 ein Stück zu tief: pO2 über 1,4 bar an der Kante – Lehrgeld bezahlt. Barrakudaschwarm!";
        d.Weather = kClear;
        d.Suit = kOnePiece;
        d.TypeFlags = Type::kSea | Type::kMultil;
        d.Activities = Activity::kSightseeing;
    }
    {
        TExampleDive& d =
            Downloaded(trip, {2022, 9, 14, 20, 30}, 23, 24, {{1, 9}, {45, 8}, {0.5, 5}, {3, 5}, {0.7, 0}});
        d.Plan.O2Percent = 32;
        d.Location = "Portoferraio, Elba";
        d.Site = "Spiaggia Le Ghiaie";
        d.Buddies = "Giulia Rossi, Nicolò Ferrè";
        d.Remarks = "Night dive from the beach: cuttlefish, slipper lobster and a sleeping sea bream.";
        d.Weather = kClear;
        d.Suit = kOnePiece;
        d.TypeFlags = Type::kSea | Type::kSquare;
        d.Activities = Activity::kNight;
    }
    {
        TExampleDive& d = Downloaded(trip, {2022, 9, 16, 11, 0}, 23.5, 28,
                                     {{1.5, 16}, {20, 15}, {15, 12}, {12, 7}, {3, 5}, {0.7, 0}});
        d.Plan.O2Percent = 32;
        d.Location = "Capoliveri, Elba";
        d.Site = "Punta Nasuto";
        d.Buddies = "Nicolò Ferrè";
        d.Remarks = "Fototauchgang mit Makro-Objektiv: Nacktschnecken, Schleimfische, Seepferdchen.";
        d.Weather = kClear;
        d.Suit = kOnePiece;
        d.TypeFlags = Type::kSea | Type::kMultil;
        d.Activities = Activity::kPhoto;
    }
    return trip;
}

TExampleTrip AlpineLakeTrip() {
    TExampleTrip trip;
    trip.Computer = 1;
    trip.Download = {2023, 7, 22, 18, 0};
    {
        TExampleDive& d =
            Downloaded(trip, {2023, 7, 22, 11, 0}, 7, 14,
                       {{2, 25}, {12, 24, 2}, {4, 15}, {10, 12}, {5, 8}, {0.5, 5}, {3, 5}, {0.7, 0}});
        d.Plan.AltitudeClass = 2;
        d.Plan.ColdMax = 4;
        d.Plan.SkinTemp = 32.5;
        d.Location = "Lünersee, Vorarlberg (1970 m)";
        d.Site = "Staumauer, alte Alpe";
        d.Buddies = "Matthias Groß, Stéphane Lefèvre";
        d.Remarks =
            "Bergseetauchgang: Computer auf Höhenbereich 1750–2700 m. Grundmauern der gefluteten Alpe, 7 °C.";
        d.Weather = kClear;
        d.Suit = kDrySuit;
        d.TypeFlags = Type::kFresh | Type::kMultil;
        d.Activities = Activity::kClub | Activity::kSightseeing;
        d.TankLitres = 12;
    }
    {
        TExampleDive& d =
            Downloaded(trip, {2023, 7, 22, 14, 30}, 8, 16, {{1.5, 15}, {30, 12}, {5, 6}, {0.7, 0}});
        d.Plan.AltitudeClass = 2;
        d.Plan.ColdMax = 4;
        d.Plan.InitialCold = 1;
        d.Plan.SkinTemp = 31.5;
        d.Location = "Lünersee, Vorarlberg (1970 m)";
        d.Site = "Nordufer, Geröllhalde";
        d.Buddies = "Stéphane Lefèvre";
        d.Remarks = "Shallow second dive, char (Saibling) over the scree. Cold hands after 30 minutes.";
        d.Weather = kCloudy;
        d.Suit = kDrySuit;
        d.TypeFlags = Type::kFresh | Type::kSquare;
        d.Activities = Activity::kSightseeing;
    }
    return trip;
}

TExampleTrip MaldivesTrip() {
    TExampleTrip trip;
    trip.Computer = 2;
    trip.Download = {2024, 3, 16, 19, 0};
    const char* ari = "Süd-Ari-Atoll, Malediven";
    {
        TExampleDive& d = Downloaded(trip, {2024, 3, 9, 10, 0}, 28.5, 30,
                                     {{1.5, 15}, {25, 15}, {10, 10}, {0.7, 5}, {3, 5}, {0.7, 0}});
        d.Location = ari;
        d.Site = "Hausriff Maayafushi";
        d.Buddies = "Sabine Müller";
        d.Remarks = "Check-Dive mit dem neuen Computer. Weißspitzen-Riffhai unter dem Überhang.";
        d.Weather = kClear;
        d.Suit = kShorty;
        d.TypeFlags = Type::kSea | Type::kMultil;
        d.Activities = Activity::kSightseeing;
    }
    {
        TExampleDive& d = Downloaded(
            trip, {2024, 3, 9, 14, 30}, 28.5, 31,
            {{2, 22}, {8, 22, 3}, {10, 20, 5, 0, kWork}, {6, 18, 4}, {8, 14, 2}, {1, 5}, {3, 5}, {0.7, 0}});
        d.Plan.O2Percent = 32;
        d.Location = ari;
        d.Site = "Rangali Madivaru (Manta Point)";
        d.Buddies = "Sabine Müller, Ahmed Shareef (Guide)";
        d.Remarks =
            "Drift dive on EAN32, hooked in at the cleaning station: four mantas! Strong current, heavy "
            "work.";
        d.Weather = kClear;
        d.Suit = kShorty;
        d.TypeFlags = Type::kSea | Type::kMultil;
        d.Activities = Activity::kDrift | Activity::kSightseeing;
        d.Sac = 20;
    }
    {
        TExampleDive& d = Downloaded(
            trip, {2024, 3, 10, 9, 30}, 28, 30,
            {{2, 28}, {12, 28, 2}, {2, 20}, {10, 18}, {2, 12}, {10, 10}, {0.6, 5}, {3, 5}, {0.7, 0}});
        d.Plan.O2Percent = 32;
        d.Location = ari;
        d.Site = "Maaya Thila";
        d.Buddies = "Sabine Müller";
        d.Remarks = "Thila rundum, Graue Riffhaie und Adlerrochen. Multilevel bis zum Riffdach.";
        d.Weather = kClear;
        d.Suit = kShorty;
        d.TypeFlags = Type::kSea | Type::kMultil;
        d.Activities = Activity::kSightseeing;
    }
    {
        TExampleDive& d =
            Downloaded(trip, {2024, 3, 11, 10, 0}, 28.5, 31, {{2, 20}, {45, 19}, {6, 12}, {5, 6}, {0.7, 0}});
        d.Plan.O2Percent = 40;
        d.Plan.MaxPO2 = 1.6;
        d.Plan.SCR = true;
        d.TankLitres = 5.7;
        d.Location = ari;
        d.Site = "Lagune Maayafushi";
        d.Buddies = "Kurt Brändli (Instructor)";
        d.Remarks =
            "SCR-Kurs Tag 1: halbgeschlossenes Kreislaufgerät, Zufuhrgas EAN40. Kaum Blasen – die Fische "
            "kommen ganz nah.";
        d.Weather = kClear;
        d.Suit = kOnePiece;
        d.TypeFlags = Type::kSea | Type::kSquare;
        d.Activities = Activity::kEducation;
    }
    {
        TExampleDive& d =
            Downloaded(trip, {2024, 3, 12, 9, 30}, 28, 30,
                       {{2.5, 26}, {25, 25, 2}, {5, 24, 4, 0, 0, 28}, {20, 18}, {10, 10}, {5, 6}, {0.7, 0}});
        d.Plan.O2Percent = 40;
        d.Plan.MaxPO2 = 1.6;
        d.Plan.SCR = true;
        d.TankLitres = 5.7;
        d.Location = ari;
        d.Site = "Kudarah Thila";
        d.Buddies = "Kurt Brändli (Instructor)";
        d.Remarks =
            "SCR course day 2, 70 minutes. Swimming against the current drops the loop oxygen to 28 %.";
        d.Weather = kCloudy;
        d.Suit = kOnePiece;
        d.TypeFlags = Type::kSea | Type::kMultil;
        d.Activities = Activity::kEducation | Activity::kSightseeing;
    }
    {
        TExampleDive& d =
            Downloaded(trip, {2024, 3, 12, 19, 0}, 28, 28, {{1.2, 14}, {40, 12}, {0.5, 5}, {3, 5}, {0.7, 0}});
        d.Plan.O2Percent = 32;
        d.Location = ari;
        d.Site = "Hausriff Maayafushi";
        d.Buddies = "Sabine Müller";
        d.Remarks = "Nachttauchgang: jagende Ammenhaie und Stachelrochen im Lampenlicht.";
        d.Weather = kClear;
        d.Suit = kOnePiece;
        d.TypeFlags = Type::kSea | Type::kSquare;
        d.Activities = Activity::kNight;
    }
    {
        TExampleDive& d = ByHand(trip, {2024, 3, 13, 10, 0}, 28.5, 31, 18.2, 48, 150);
        d.Location = ari;
        d.Site = "Broken Rock";
        d.Buddies = "Sabine Müller, Ahmed Shareef (Guide)";
        d.Remarks = "Tauchcomputer im Zimmer vergessen – Werte vom Computer des Guides abgeschrieben.";
        d.Weather = kClear;
        d.Suit = kShorty;
        d.TypeFlags = Type::kNostop | Type::kMultil | Type::kSea;
        d.Activities = Activity::kSightseeing;
    }
    {
        TExampleDive& d = Downloaded(trip, {2024, 3, 14, 8, 0}, 28, 29,
                                     {{2.5, 36},
                                      {20, 35, 2},
                                      {3, 35, 3, 0, kRbt},
                                      {3, 18, 1, 1},
                                      {2, 9, 1, 1},
                                      {2, 9, 1, 1},
                                      {1, 6, 1, 2},
                                      {4, 6, 1, 2},
                                      {0.3, 3.6, 1, 2, kDescend},
                                      {0.3, 6, 1, 2, kDescend},
                                      {3, 6, 1, 2},
                                      {0.5, 3, 1, 1},
                                      {6, 3},
                                      {0.7, 0}});
        d.Plan.O2Percent = 28;
        d.Location = ari;
        d.Site = "Fish Head (Mushimasmingili Thila)";
        d.Decompression = true;
        d.Buddies = "Ahmed Shareef (Guide)";
        d.Remarks =
            "Deco dive on EAN28 to 36 m, stops at 9, 6 and 3 m; briefly above the 6 m stop in the surge.";
        d.Weather = kCloudy;
        d.Suit = kShorty;
        d.TypeFlags = Type::kSea | Type::kMultil;
        d.Activities = Activity::kSightseeing | Activity::kDrift;
        d.TankLitres = 15;
    }
    {
        TExampleDive& d =
            Downloaded(trip, {2024, 3, 15, 10, 30}, 29, 32, {{1, 12}, {30, 11}, {20, 8}, {3, 5}, {0.7, 0}});
        d.Location = ari;
        d.Site = "Hausriff Maayafushi";
        d.Buddies = "Sabine Müller";
        d.Remarks = "Last dive before the flight, easy 12 m. Ein Oktopus zum Abschied.";
        d.Weather = kClear;
        d.Suit = kShorty;
        d.TypeFlags = Type::kSea | Type::kMultil;
        d.Activities = Activity::kSightseeing | Activity::kPhoto;
    }
    return trip;
}

double PlanEndSeconds(const std::vector<TPlanSample>& samples) {
    return 20.0 * static_cast<double>(samples.size() + 1);
}

// Pressure used from the tank over the dive. Open circuit: the surface consumption
// scaled by the ambient pressure of every point; semi-closed: the constant supply flow.
int AirUsedBar(const TExampleDive& dive, const std::vector<TPlanSample>& samples) {
    const double surface = 0.921875 - 0.09 * dive.Plan.AltitudeClass;
    double litres = 0;
    for (const TPlanSample& s : samples) {
        const double minutes = 1.0 / 3.0;
        if (dive.Plan.SCR) {
            litres += 8.0 * minutes;
        } else {
            litres +=
                dive.Sac * (1 + 0.08 * std::max(0, s.Work - 1)) * (surface + s.DepthUnits / 64.0) * minutes;
        }
    }
    return static_cast<int>(std::lround(litres / dive.TankLitres));
}

// Works out what each computer knew when each of its dives began.
void CompleteSeries(std::vector<TExampleTrip>& trips) {
    const auto& computers = ExampleComputers();
    for (int c = 0; c < static_cast<int>(computers.size()); ++c) {
        TTissueTracker tracker(1);
        bool haveLast = false;
        TPlanTime lastStart;
        double lastEnd = 0;  // seconds after lastStart
        std::uint32_t seed = 0x51A7 + 977 * static_cast<std::uint32_t>(c);
        for (TExampleTrip& trip : trips) {
            if (trip.Computer != c) {
                continue;
            }
            for (TExampleDive& dive : trip.Dives) {
                if (!dive.IsDownloaded()) {
                    continue;
                }
                TDivePlan& plan = dive.Plan;
                plan.Serial = computers[static_cast<std::size_t>(c)].Serial;
                plan.HwSw = computers[static_cast<std::size_t>(c)].HwSw;
                plan.DeviceTime = ExampleClockAt(c, plan.Start);
                plan.Seed = seed++;
                const int interval =
                    haveLast
                        ? static_cast<int>(
                              (static_cast<double>(SecondsBetween(lastStart, plan.Start)) - lastEnd) / 60)
                        : -1;
                if (interval < 0 || interval > kRepetitiveMinutes) {
                    tracker = TTissueTracker(plan.AltitudeClass + 1);
                    plan.SurfaceInterval = -1;
                } else {
                    tracker.Surface(interval);
                    plan.SurfaceInterval = interval;
                }
                plan.InitialTissue = tracker.Tissues();
                if (plan.Family() != PlanFamily::Basic) {
                    plan.InitialCNS = tracker.CNS();
                }
                plan.InitialBubble = tracker.Bubble();
                const std::vector<TPlanSample> samples = SamplePlan(plan);
                dive.Plan.AirUsedBar = AirUsedBar(dive, samples);
                tracker.Dive(samples, plan.O2Percent / 100.0, plan.SCR);
                haveLast = true;
                lastStart = plan.Start;
                lastEnd = PlanEndSeconds(samples);
            }
        }
    }
}

}  // namespace

const std::vector<TExampleComputer>& ExampleComputers() {
    static const std::vector<TExampleComputer> computers = {
        {0x03F1A7, 0x2C, {2021, 2, 1, 0, 0}},    // basic family, air consumption in 176/128 bar steps
        {0x0B2C4D, 0xF4, {2022, 4, 12, 9, 0}},   // family F, nitrox
        {0x1D4E52, 0xA4, {2023, 11, 20, 14, 0}}  // family A, nitrox and semi-closed rebreather
    };
    return computers;
}

std::uint32_t ExampleClockAt(int computer, const TPlanTime& at) {
    const auto& computers = ExampleComputers();
    if (computer < 0 || computer >= static_cast<int>(computers.size())) {
        throw std::out_of_range("no such example dive computer");
    }
    const std::int64_t seconds = SecondsBetween(computers[static_cast<std::size_t>(computer)].ClockZero, at);
    return static_cast<std::uint32_t>(std::max<std::int64_t>(seconds, 0) * 2);
}

std::vector<TExampleTrip> ExampleTrips() {
    std::vector<TExampleTrip> trips = {CourseTrip(), RedSeaTrip(),     LakeConstanceTrip(),
                                       ElbaTrip(),   AlpineLakeTrip(), MaldivesTrip()};
    CompleteSeries(trips);
    return trips;
}

std::vector<std::uint8_t> ExampleMemoryBlocks(int computer) {
    std::vector<std::uint8_t> memory;
    for (const TExampleTrip& trip : ExampleTrips()) {
        if (trip.Computer != computer) {
            continue;
        }
        for (const TExampleDive& dive : trip.Dives) {
            if (dive.IsDownloaded()) {
                const std::vector<std::uint8_t> block = EncodeDiveBlock(dive.Plan);
                memory.insert(memory.end(), block.begin(), block.end());
            }
        }
    }
    return memory;
}
