// Caption lists of the configuration tool's windows: for each window one block per
// language, naming the same controls in the same order. The windows are laid out with the
// English texts; these lists overwrite them at start and after every change of language.
// An empty control name is the window's own title.

#include "CaptionTables.h"

namespace {

using K = CaptionKind;

// One assignment per line, so that the languages can be compared line by line.
// clang-format off
constexpr CaptionEntry kTComOptEn[] = {
    {"", K::Caption, "Serial Port"},
    {"CancelBtn", K::Caption, "Cancel"},
};
constexpr CaptionEntry kTComOptDe[] = {
    {"", K::Caption, "Schnittstelle"},
    {"CancelBtn", K::Caption, "Abbrechen"},
};
constexpr CaptionEntry kTComOptFr[] = {
    {"", K::Caption, "Port série"},
    {"CancelBtn", K::Caption, "Annuler"},
};
constexpr CaptionEntry kTComOptEs[] = {
    {"", K::Caption, "Puerto serie"},
    {"CancelBtn", K::Caption, "Cancelar"},
};
constexpr CaptionEntry kTComOptIt[] = {
    {"", K::Caption, "Porta seriale"},
    {"CancelBtn", K::Caption, "Annulla"},
};

constexpr CaptionEntry kTOptionsEn[] = {
    {"", K::Caption, "Language"},
    {"LangSel", K::Caption, "Language"},
    {"CancelBtn", K::Caption, "Cancel"},
};
constexpr CaptionEntry kTOptionsDe[] = {
    {"", K::Caption, "Sprache"},
    {"LangSel", K::Caption, "Sprache"},
    {"CancelBtn", K::Caption, "Abbrechen"},
};
constexpr CaptionEntry kTOptionsFr[] = {
    {"", K::Caption, "Langue"},
    {"LangSel", K::Caption, "Langue"},
    {"CancelBtn", K::Caption, "Annuler"},
};
constexpr CaptionEntry kTOptionsEs[] = {
    {"", K::Caption, "Idioma"},
    {"LangSel", K::Caption, "Idioma"},
    {"CancelBtn", K::Caption, "Cancelar"},
};
constexpr CaptionEntry kTOptionsIt[] = {
    {"", K::Caption, "Lingua"},
    {"LangSel", K::Caption, "Lingua"},
    {"CancelBtn", K::Caption, "Annulla"},
};

constexpr CaptionEntry kTCfEn[] = {
    {"LWorkLoad", K::Caption, "Work load (vvO2 max)"},
    {"LDosage", K::Caption, "Dosage"},
    {"ReadBtn", K::Hint, "Read"},
    {"WriteBtn", K::Hint, "Write"},
    {"WakeUpBtn", K::Hint, "Wake up"},
    {"PrintBtn", K::Hint, "Print"},
    {"DiveComputerMenu", K::Caption, "&Dive Computer"},
    {"ReadItem", K::Caption, "&Read"},
    {"WriteItem", K::Caption, "&Write"},
    {"WakeUpItem", K::Caption, "Wake &up"},
    {"PrintItem", K::Caption, "&Print"},
    {"ExitItem", K::Caption, "E&xit"},
    {"OptionsMenu", K::Caption, "&Options"},
    {"Language", K::Caption, "&Language"},
    {"InterfaceItem", K::Caption, "&Serial Port"},
    {"Units", K::Caption, "Unit system"},
    {"Units", K::Items, "Metric\nImperial"},
    {"LTankReserve", K::Caption, "Tank reserve"},
    {"LBreathWarning", K::Caption, "Over breathing"},
    {"LDives", K::Caption, "Dives"},
    {"Buzzer", K::Caption, "Buzzer"},
    {"Buzzer", K::Items, "Off\nOn"},
    {"LBattery", K::Caption, "Battery"},
    {"LInsens1", K::Caption, "insens."},
    {"LSensitive1", K::Caption, "sensitive"},
    {"LInsens2", K::Caption, "insens."},
    {"LSensitive2", K::Caption, "sensitive"},
    {"LSensitivity", K::Caption, "Sensitivity"},
    {"LPremixReset", K::Caption, "Premix reset after"},
    {"BreathBox", K::Caption, "Breath settings"},
    {"NitroxBox", K::Caption, "Nitrox settings"},
    {"SCRBox", K::Caption, "SCR settings"},
};
constexpr CaptionEntry kTCfDe[] = {
    {"LWorkLoad", K::Caption, "Belastung (vvO2 max)"},
    {"LDosage", K::Caption, "Dosierung"},
    {"ReadBtn", K::Hint, "Lesen"},
    {"WriteBtn", K::Hint, "Schreiben"},
    {"WakeUpBtn", K::Hint, "Wecken"},
    {"PrintBtn", K::Hint, "Drucken"},
    {"DiveComputerMenu", K::Caption, "&Tauchcomputer"},
    {"ReadItem", K::Caption, "&Lesen"},
    {"WriteItem", K::Caption, "&Schreiben"},
    {"WakeUpItem", K::Caption, "&Wecken"},
    {"PrintItem", K::Caption, "&Drucken"},
    {"ExitItem", K::Caption, "&Beenden"},
    {"OptionsMenu", K::Caption, "&Optionen"},
    {"Language", K::Caption, "&Sprache"},
    {"InterfaceItem", K::Caption, "Sch&nittstelle"},
    {"Units", K::Caption, "Einheiten"},
    {"Units", K::Items, "Metrisch\nImperial"},
    {"LTankReserve", K::Caption, "Flaschenreserve"},
    {"LBreathWarning", K::Caption, "Überatmung"},
    {"LDives", K::Caption, "Tauchgänge"},
    {"Buzzer", K::Caption, "Summer"},
    {"Buzzer", K::Items, "Aus\nEin"},
    {"LBattery", K::Caption, "Batterie"},
    {"LInsens1", K::Caption, "unempf."},
    {"LSensitive1", K::Caption, "empfindlich"},
    {"LInsens2", K::Caption, "unempf."},
    {"LSensitive2", K::Caption, "empfindlich"},
    {"LSensitivity", K::Caption, "Empfindlichkeit"},
    {"LPremixReset", K::Caption, "Premix zurücksetzen nach"},
    {"BreathBox", K::Caption, "Atemeinstellungen"},
    {"NitroxBox", K::Caption, "Nitrox-Einstellungen"},
    {"SCRBox", K::Caption, "SCR-Einstellungen"},
};
constexpr CaptionEntry kTCfFr[] = {
    {"LWorkLoad", K::Caption, "Charge de travail (vvO2 max)"},
    {"LDosage", K::Caption, "Dosage"},
    {"ReadBtn", K::Hint, "Lire"},
    {"WriteBtn", K::Hint, "Écrire"},
    {"WakeUpBtn", K::Hint, "Réveiller"},
    {"PrintBtn", K::Hint, "Imprimer"},
    {"DiveComputerMenu", K::Caption, "&Ordinateur de plongée"},
    {"ReadItem", K::Caption, "&Lire"},
    {"WriteItem", K::Caption, "É&crire"},
    {"WakeUpItem", K::Caption, "&Réveiller"},
    {"PrintItem", K::Caption, "&Imprimer"},
    {"ExitItem", K::Caption, "&Quitter"},
    {"OptionsMenu", K::Caption, "&Options"},
    {"Language", K::Caption, "&Langue"},
    {"InterfaceItem", K::Caption, "Port &série"},
    {"Units", K::Caption, "Unités"},
    {"Units", K::Items, "Métrique\nImpérial"},
    {"LTankReserve", K::Caption, "Réserve bouteille"},
    {"LBreathWarning", K::Caption, "Hyperventilation"},
    {"LDives", K::Caption, "Plongées"},
    {"Buzzer", K::Caption, "Alarme sonore"},
    {"Buzzer", K::Items, "Arrêt\nMarche"},
    {"LBattery", K::Caption, "Batterie"},
    {"LInsens1", K::Caption, "peu sens."},
    {"LSensitive1", K::Caption, "sensible"},
    {"LInsens2", K::Caption, "peu sens."},
    {"LSensitive2", K::Caption, "sensible"},
    {"LSensitivity", K::Caption, "Sensibilité"},
    {"LPremixReset", K::Caption, "Réinit. du prémélange après"},
    {"BreathBox", K::Caption, "Réglages respiration"},
    {"NitroxBox", K::Caption, "Réglages Nitrox"},
    {"SCRBox", K::Caption, "Réglages SCR"},
};
constexpr CaptionEntry kTCfEs[] = {
    {"LWorkLoad", K::Caption, "Carga de trabajo (vvO2 máx.)"},
    {"LDosage", K::Caption, "Dosificación"},
    {"ReadBtn", K::Hint, "Leer"},
    {"WriteBtn", K::Hint, "Escribir"},
    {"WakeUpBtn", K::Hint, "Despertar"},
    {"PrintBtn", K::Hint, "Imprimir"},
    {"DiveComputerMenu", K::Caption, "&Ordenador de buceo"},
    {"ReadItem", K::Caption, "&Leer"},
    {"WriteItem", K::Caption, "&Escribir"},
    {"WakeUpItem", K::Caption, "&Despertar"},
    {"PrintItem", K::Caption, "&Imprimir"},
    {"ExitItem", K::Caption, "&Salir"},
    {"OptionsMenu", K::Caption, "&Opciones"},
    {"Language", K::Caption, "&Idioma"},
    {"InterfaceItem", K::Caption, "Puerto &serie"},
    {"Units", K::Caption, "Unidades"},
    {"Units", K::Items, "Métrico\nImperial"},
    {"LTankReserve", K::Caption, "Reserva de botella"},
    {"LBreathWarning", K::Caption, "Hiperventilación"},
    {"LDives", K::Caption, "Inmersiones"},
    {"Buzzer", K::Caption, "Avisador acústico"},
    {"Buzzer", K::Items, "Apagado\nEncendido"},
    {"LBattery", K::Caption, "Batería"},
    {"LInsens1", K::Caption, "poco sens."},
    {"LSensitive1", K::Caption, "sensible"},
    {"LInsens2", K::Caption, "poco sens."},
    {"LSensitive2", K::Caption, "sensible"},
    {"LSensitivity", K::Caption, "Sensibilidad"},
    {"LPremixReset", K::Caption, "Reinicio de premezcla tras"},
    {"BreathBox", K::Caption, "Ajustes de respiración"},
    {"NitroxBox", K::Caption, "Ajustes Nitrox"},
    {"SCRBox", K::Caption, "Ajustes SCR"},
};
constexpr CaptionEntry kTCfIt[] = {
    {"LWorkLoad", K::Caption, "Carico di lavoro (vvO2 max)"},
    {"LDosage", K::Caption, "Dosaggio"},
    {"ReadBtn", K::Hint, "Leggi"},
    {"WriteBtn", K::Hint, "Scrivi"},
    {"WakeUpBtn", K::Hint, "Risveglia"},
    {"PrintBtn", K::Hint, "Stampa"},
    {"DiveComputerMenu", K::Caption, "&Computer subacqueo"},
    {"ReadItem", K::Caption, "&Leggi"},
    {"WriteItem", K::Caption, "&Scrivi"},
    {"WakeUpItem", K::Caption, "&Risveglia"},
    {"PrintItem", K::Caption, "S&tampa"},
    {"ExitItem", K::Caption, "&Esci"},
    {"OptionsMenu", K::Caption, "&Opzioni"},
    {"Language", K::Caption, "&Lingua"},
    {"InterfaceItem", K::Caption, "Porta &seriale"},
    {"Units", K::Caption, "Unità di misura"},
    {"Units", K::Items, "Metrico\nImperiale"},
    {"LTankReserve", K::Caption, "Riserva bombola"},
    {"LBreathWarning", K::Caption, "Iperventilazione"},
    {"LDives", K::Caption, "Immersioni"},
    {"Buzzer", K::Caption, "Segnale acustico"},
    {"Buzzer", K::Items, "Spento\nAcceso"},
    {"LBattery", K::Caption, "Batteria"},
    {"LInsens1", K::Caption, "poco sens."},
    {"LSensitive1", K::Caption, "sensibile"},
    {"LInsens2", K::Caption, "poco sens."},
    {"LSensitive2", K::Caption, "sensibile"},
    {"LSensitivity", K::Caption, "Sensibilità"},
    {"LPremixReset", K::Caption, "Reset premiscela dopo"},
    {"BreathBox", K::Caption, "Impostazioni respirazione"},
    {"NitroxBox", K::Caption, "Impostazioni Nitrox"},
    {"SCRBox", K::Caption, "Impostazioni SCR"},
};

// clang-format on

constexpr CaptionWindow kWindows[] = {
    {"TComOpt", {kTComOptEn, kTComOptDe, kTComOptFr, kTComOptEs, kTComOptIt}},
    {"TOptions", {kTOptionsEn, kTOptionsDe, kTOptionsFr, kTOptionsEs, kTOptionsIt}},
    {"TCf", {kTCfEn, kTCfDe, kTCfFr, kTCfEs, kTCfIt}},
};

}  // namespace

std::span<const CaptionWindow> TeswinCaptionWindows() { return kWindows; }
