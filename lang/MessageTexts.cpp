// Message texts of both programs, language-major: entry L * count + N is message N in
// language L (0 English, 1 German, 2 French, 3 Spanish, 4 Italian). UTF-8 literals of
// characters that Windows-1252 holds; Messages.cpp keeps their Windows-1252 bytes.

#include "MessageTexts.h"

namespace {

// The tables keep one text per line with its number, easier to check against the list.
// clang-format off
constexpr const char* kKelwinTexts[] =
    {
        // English
        "Data originates from a different computer! Accept dives from the new computer?",      // 0
        "Dive computer not supported by this Kelvara version!",                                // 1
        "Data Dive",                                                                           // 2
        "Edit Dive %d",                                                                        // 3
        "Ascent",                                                                              // 4
        "Decompression",                                                                       // 5
        "Work",                                                                                // 6
        "SOS",                                                                                 // 7
        "Air cons.:",                                                                          // 8
        "Gas cons:",                                                                           // 9
        "Air",                                                                                 // 10
        "Min. water temp.:",                                                                   // 11
        "Gas:",                                                                                // 12
        "Nitrox",                                                                              // 13
        "Min. no stop time:",                                                                  // 14
        "Max. ascent time:",                                                                   // 15
        "Profile Dive",                                                                        // 16
        "min.",                                                                                // 17
        "max.",                                                                                // 18
        "Signature(s):",                                                                       // 19
        "Dive #",                                                                              // 20
        "Summary",                                                                             // 21
        "Dive #",                                                                              // 22
        "Date",                                                                                // 23
        "Depth",                                                                               // 24
        "Dur.",                                                                                // 25
        "Place",                                                                               // 26
        "Site",                                                                                // 27
        "Statistic",                                                                           // 28
        "Time",                                                                                // 29
        "Data Dive %d",                                                                        // 30
        "Statistics",                                                                          // 31
        "File '%s' is missing.",                                                               // 32
        "Save logbook as",                                                                     // 33
        "Export",                                                                              // 34
        "Open logbook",                                                                        // 35
        "Import",                                                                              // 36
        "Dive",                                                                                // 37
        "Logbook %s has changed!",                                                             // 38
        "Logbook %s not found!",                                                               // 39
        "Save?",                                                                               // 40
        "Delete %d dive(s)?",                                                                  // 41
        "Lumilink connected with COM",                                                         // 42
        "Transfer cancelled to save battery capacity!",                                        // 43
        "Communication error between Lumilink and PC!",                                        // 44
        "Communication error between Lumilink and dive computer!",                             // 45
        "Data originate from a different dive computer! Accept dives from the new computer?",  // 46
        "Divecomputer is in reset.",                                                           // 47
        "Lumilink not found!",                                                                 // 48
        "The logbook must be renumbered for this operation! Continue?",                        // 49
        "Device Err: Read only possible for EEPROM data",                                      // 50
        "Wake up",                                                                             // 51
        "/My Logbooks/",                                                                       // 52
        // German
        "Daten stammen nicht vom gleichen Computer! Sollen die Daten übernommen werden?",                // 0
        "Tauchcomputer wird von dieser Kelvara Version nicht unterstützt!",                              // 1
        "Daten Tauchgang",                                                                               // 2
        "Tauchgang %d bearbeiten",                                                                       // 3
        "Aufstieg",                                                                                      // 4
        "Dekompression",                                                                                 // 5
        "Leistung",                                                                                      // 6
        "SOS",                                                                                           // 7
        "Luftverbrauch:",                                                                                // 8
        "Gasverbrauch:",                                                                                 // 9
        "Luft",                                                                                          // 10
        "Min. Wassertemp.:",                                                                             // 11
        "Atemgas:",                                                                                      // 12
        "Nitrox",                                                                                        // 13
        "Min. Nullzeit:",                                                                                // 14
        "Max. Aufstiegszeit:",                                                                           // 15
        "Profil Tauchgang",                                                                              // 16
        "min.",                                                                                          // 17
        "max.",                                                                                          // 18
        "Unterschrift(en):",                                                                             // 19
        "TG Nr.",                                                                                        // 20
        "Zusammenfassung",                                                                               // 21
        "TG Nr.",                                                                                        // 22
        "Datum",                                                                                         // 23
        "Tiefe",                                                                                         // 24
        "Dauer",                                                                                         // 25
        "Ort",                                                                                           // 26
        "Tauchplatz",                                                                                    // 27
        "Statistik",                                                                                     // 28
        "Zeit",                                                                                          // 29
        "Daten Tauchgang %d",                                                                            // 30
        "Statistik",                                                                                     // 31
        "Datei '%s' nicht vorhanden.",                                                                   // 32
        "Logbuch speichern unter",                                                                       // 33
        "Exportieren",                                                                                   // 34
        "Logbuch öffnen",                                                                                // 35
        "Importieren",                                                                                   // 36
        "Tauchgang",                                                                                     // 37
        "Logbuch %s wurde geändert!",                                                                    // 38
        "Logbuch %s nicht gefunden!",                                                                    // 39
        "Speichern?",                                                                                    // 40
        "%d Tauchgänge löschen?",                                                                        // 41
        "Lumilink verbunden mit COM",                                                                    // 42
        "Übertragung unterbrochen um die Batterie zu schonen!",                                          // 43
        "Übertragungsfehler zwischen Lumilink und PC!",                                                  // 44
        "Übertragungsfehler zwischen Lumilink und Tauchcomputer!",                                       // 45
        "Daten stammen nicht vom gleichen Tauchcomputer! Sollen die Daten trotzdem übernommen werden?",  // 46
        "Tauchcomputer ist im Reset",                                                                    // 47
        "Lumilink nicht gefunden!",                                                                      // 48
        "Das Logbuch muss für diesen Vorgang Neu nummeriert werden! Neu nummerieren?",                   // 49
        "Device Err: Nur Auslesen von EEPROM Daten möglich",                                             // 50
        "Wecken",                                                                                        // 51
        "/Eigene Logbücher/",                                                                            // 52
        // French
        "Les données proviennent d'un autre ordinateur ! Accepter les plongées du nouvel ordinateur ?",  // 0
        "Ordinateur de plongée non pris en charge par cette version de Kelvara !",                       // 1
        "Données plongée",                                                                               // 2
        "Modifier la plongée %d",                                                                        // 3
        "Remontée",                                                                                      // 4
        "Décompression",                                                                                 // 5
        "Effort",                                                                                        // 6
        "SOS",                                                                                           // 7
        "Conso. d'air :",                                                                                // 8
        "Conso. de gaz :",                                                                               // 9
        "Air",                                                                                           // 10
        "Temp. min. de l'eau :",                                                                         // 11
        "Gaz :",                                                                                         // 12
        "Nitrox",                                                                                        // 13
        "Temps sans palier min. :",                                                                      // 14
        "Durée de remontée max. :",                                                                      // 15
        "Profil plongée",                                                                                // 16
        "min.",                                                                                          // 17
        "max.",                                                                                          // 18
        "Signature(s) :",                                                                                // 19
        "Plongée n°",                                                                                    // 20
        "Résumé",                                                                                        // 21
        "N°",                                                                                            // 22
        "Date",                                                                                          // 23
        "Prof.",                                                                                         // 24
        "Durée",                                                                                         // 25
        "Lieu",                                                                                          // 26
        "Site",                                                                                          // 27
        "Statistique",                                                                                   // 28
        "Heure",                                                                                         // 29
        "Données plongée %d",                                                                            // 30
        "Statistiques",                                                                                  // 31
        "Le fichier '%s' est introuvable.",                                                              // 32
        "Enregistrer le carnet sous",                                                                    // 33
        "Exporter",                                                                                      // 34
        "Ouvrir un carnet",                                                                              // 35
        "Importer",                                                                                      // 36
        "Plongée",                                                                                       // 37
        "Le carnet %s a été modifié !",                                                                  // 38
        "Carnet %s introuvable !",                                                                       // 39
        "Enregistrer ?",                                                                                 // 40
        "Supprimer %d plongée(s) ?",                                                                     // 41
        "Lumilink connecté au COM",                                                                      // 42
        "Transfert interrompu pour économiser la batterie !",                                            // 43
        "Erreur de communication entre le Lumilink et le PC !",                                          // 44
        "Erreur de communication entre le Lumilink et l'ordinateur de plongée !",                        // 45
        // NOLINTNEXTLINE(bugprone-suspicious-missing-comma): one text over two lines
        "Les données proviennent d'un autre ordinateur de plongée ! Accepter quand même les plongées du "
        "nouvel ordinateur ?",                                                 // 46
        "L'ordinateur de plongée est en cours de réinitialisation.",           // 47
        "Lumilink introuvable !",                                              // 48
        "Le carnet doit être renuméroté pour cette opération ! Continuer ?",   // 49
        "Erreur appareil : seule la lecture des données EEPROM est possible",  // 50
        "Réveil",                                                              // 51
        "/Carnets de plongée/",                                                // 52
        // Spanish
        "¡Los datos proceden de otro ordenador! ¿Aceptar las inmersiones del nuevo ordenador?",  // 0
        "¡Ordenador de buceo no compatible con esta versión de Kelvara!",                        // 1
        "Datos inmersión",                                                                       // 2
        "Editar inmersión %d",                                                                   // 3
        "Ascenso",                                                                               // 4
        "Descompresión",                                                                         // 5
        "Esfuerzo",                                                                              // 6
        "SOS",                                                                                   // 7
        "Consumo de aire:",                                                                      // 8
        "Consumo de gas:",                                                                       // 9
        "Aire",                                                                                  // 10
        "Temp. mín. del agua:",                                                                  // 11
        "Gas:",                                                                                  // 12
        "Nitrox",                                                                                // 13
        "Tiempo mín. sin parada:",                                                               // 14
        "Tiempo máx. de ascenso:",                                                               // 15
        "Perfil inmersión",                                                                      // 16
        "mín.",                                                                                  // 17
        "máx.",                                                                                  // 18
        "Firma(s):",                                                                             // 19
        "Inmersión n.º",                                                                         // 20
        "Resumen",                                                                               // 21
        "Inm.",                                                                                  // 22
        "Fecha",                                                                                 // 23
        "Prof.",                                                                                 // 24
        "Dur.",                                                                                  // 25
        "Lugar",                                                                                 // 26
        "Punto",                                                                                 // 27
        "Estadística",                                                                           // 28
        "Hora",                                                                                  // 29
        "Datos inmersión %d",                                                                    // 30
        "Estadísticas",                                                                          // 31
        "Falta el archivo '%s'.",                                                                // 32
        "Guardar diario como",                                                                   // 33
        "Exportar",                                                                              // 34
        "Abrir diario",                                                                          // 35
        "Importar",                                                                              // 36
        "Inmersión",                                                                             // 37
        "¡El diario %s ha cambiado!",                                                            // 38
        "¡No se encuentra el diario %s!",                                                        // 39
        "¿Guardar?",                                                                             // 40
        "¿Borrar %d inmersión(es)?",                                                             // 41
        "Lumilink conectado a COM",                                                              // 42
        "¡Transferencia interrumpida para ahorrar batería!",                                     // 43
        "¡Error de comunicación entre Lumilink y PC!",                                           // 44
        "¡Error de comunicación entre Lumilink y el ordenador de buceo!",                        // 45
        "¡Los datos proceden de otro ordenador de buceo! ¿Aceptar de todos modos las inmersiones del nuevo "
        "ordenador?",                                                     // 46
        "El ordenador de buceo se está reiniciando.",                     // 47
        "¡No se encuentra el Lumilink!",                                  // 48
        "¡El diario debe renumerarse para esta operación! ¿Continuar?",   // 49
        "Error del equipo: solo es posible leer los datos de la EEPROM",  // 50
        "Despertar",                                                      // 51
        "/Diarios de Buceo/",                                             // 52
        // Italian
        "I dati provengono da un altro computer! Accettare le immersioni del nuovo computer?",  // 0
        "Computer subacqueo non supportato da questa versione di Kelvara!",                     // 1
        "Dati immersione",                                                                      // 2
        "Modifica immersione %d",                                                               // 3
        "Risalita",                                                                             // 4
        "Decompressione",                                                                       // 5
        "Sforzo",                                                                               // 6
        "SOS",                                                                                  // 7
        "Consumo aria:",                                                                        // 8
        "Consumo gas:",                                                                         // 9
        "Aria",                                                                                 // 10
        "Temp. min. acqua:",                                                                    // 11
        "Gas:",                                                                                 // 12
        "Nitrox",                                                                               // 13
        "Tempo min. in curva:",                                                                 // 14
        "Tempo max. di risalita:",                                                              // 15
        "Profilo immersione",                                                                   // 16
        "min.",                                                                                 // 17
        "max.",                                                                                 // 18
        "Firma/e:",                                                                             // 19
        "Immersione n.",                                                                        // 20
        "Riepilogo",                                                                            // 21
        "Imm.",                                                                                 // 22
        "Data",                                                                                 // 23
        "Prof.",                                                                                // 24
        "Durata",                                                                               // 25
        "Luogo",                                                                                // 26
        "Sito",                                                                                 // 27
        "Statistica",                                                                           // 28
        "Ora",                                                                                  // 29
        "Dati immersione %d",                                                                   // 30
        "Statistiche",                                                                          // 31
        "Il file '%s' non è presente.",                                                         // 32
        "Salva logbook con nome",                                                               // 33
        "Esporta",                                                                              // 34
        "Apri logbook",                                                                         // 35
        "Importa",                                                                              // 36
        "Immersione",                                                                           // 37
        "Il logbook %s è stato modificato!",                                                    // 38
        "Logbook %s non trovato!",                                                              // 39
        "Salvare?",                                                                             // 40
        "Eliminare %d immersione/i?",                                                           // 41
        "Lumilink collegato a COM",                                                             // 42
        "Trasferimento interrotto per risparmiare la batteria!",                                // 43
        "Errore di comunicazione tra Lumilink e PC!",                                           // 44
        "Errore di comunicazione tra Lumilink e computer subacqueo!",                           // 45
        "I dati provengono da un altro computer subacqueo! Accettare comunque le immersioni del nuovo "
        "computer?",                                                             // 46
        "Il computer subacqueo è in reset.",                                     // 47
        "Lumilink non trovato!",                                                 // 48
        "Il logbook deve essere rinumerato per questa operazione! Continuare?",  // 49
        "Errore dispositivo: è possibile solo leggere i dati EEPROM",            // 50
        "Risveglio",                                                             // 51
        "/Logbook/",                                                             // 52
};
static_assert(std::size(kKelwinTexts) == static_cast<std::size_t>(kLanguageCount) * 53);

constexpr const char* kTeswinTexts[] = {
    // English
    "Transfer cancelled to save battery capacity!",                 // 0
    "Read Data from Dive computer",                                 // 1
    "Write Data to Dive computer",                                  // 2
    "Communication Error between Lumilink and Dive computer!",      // 3
    "Dive computer blocked! Perform Wakeup procedure!",             // 4
    "Dive computer has changed!Perform Read procedure first.",      // 5
    "Service necessary!",                                           // 6
    "Communication error!",                                         // 7
    "Lumilink not found! Check connections and Windows settings.",  // 8
    "Lumilink connected with COM",                                  // 9
    "very high",                                                    // 10
    "high",                                                         // 11
    "medium",                                                       // 12
    "low",                                                          // 13
    "Device Err: Read only possible for EEPROM data",               // 14
    // German
    "Übertragung unterbrochen um die Batterie zu schonen!",                               // 0
    "Daten vom Tauchcomputer lesen",                                                      // 1
    "Daten in Tauchcomputer schreiben",                                                   // 2
    "Kommunikationsfehler zwischen Lumilink und Tauchcomputer!",                          // 3
    "Tauchcomputer ist blockiert! Wecken ausführen!",                                     // 4
    "Tauchcomputer hat gewechselt! Zuerst neu lesen!",                                    // 5
    "Service nötig!",                                                                     // 6
    "Fehler bei Datenübertragung!",                                                       // 7
    "Lumilink nicht gefunden! Prüfen Sie die Anschlüsse und die Windows Einstellungen.",  // 8
    "Lumilink verbunden mit COM",                                                         // 9
    "sehr hoch",                                                                          // 10
    "hoch",                                                                               // 11
    "mittel",                                                                             // 12
    "tief",                                                                               // 13
    "Device Err: Read only possible for EEPROM data",                                     // 14
    // French
    "Transfert interrompu pour économiser la batterie !",                            // 0
    "Lire les données de l'ordinateur de plongée",                                   // 1
    "Écrire les données dans l'ordinateur de plongée",                               // 2
    "Erreur de communication entre le Lumilink et l'ordinateur de plongée !",        // 3
    "Ordinateur de plongée bloqué ! Effectuez la procédure de réveil !",             // 4
    "L'ordinateur de plongée a changé ! Effectuez d'abord une lecture.",             // 5
    "Révision nécessaire !",                                                         // 6
    "Erreur de communication !",                                                     // 7
    "Lumilink introuvable ! Vérifiez les connexions et les paramètres de Windows.",  // 8
    "Lumilink connecté au COM",                                                      // 9
    "très élevée",                                                                   // 10
    "élevée",                                                                        // 11
    "moyenne",                                                                       // 12
    "faible",                                                                        // 13
    "Device Err: Read only possible for EEPROM data",                                // 14
    // Spanish
    "¡Transferencia interrumpida para ahorrar batería!",                                      // 0
    "Leer datos del ordenador de buceo",                                                      // 1
    "Escribir datos en el ordenador de buceo",                                                // 2
    "¡Error de comunicación entre Lumilink y el ordenador de buceo!",                         // 3
    "¡Ordenador de buceo bloqueado! ¡Realice el procedimiento de despertar!",                 // 4
    "¡El ordenador de buceo ha cambiado! Realice primero una lectura.",                       // 5
    "¡Es necesaria una revisión!",                                                            // 6
    "¡Error de comunicación!",                                                                // 7
    "¡No se encuentra el Lumilink! Compruebe las conexiones y la configuración de Windows.",  // 8
    "Lumilink conectado a COM",                                                               // 9
    "muy alta",                                                                               // 10
    "alta",                                                                                   // 11
    "media",                                                                                  // 12
    "baja",                                                                                   // 13
    "Device Err: Read only possible for EEPROM data",                                         // 14
    // Italian
    "Trasferimento interrotto per risparmiare la batteria!",                           // 0
    "Leggi dati dal computer subacqueo",                                               // 1
    "Scrivi dati nel computer subacqueo",                                              // 2
    "Errore di comunicazione tra Lumilink e computer subacqueo!",                      // 3
    "Computer subacqueo bloccato! Eseguire la procedura di risveglio!",                // 4
    "Il computer subacqueo è cambiato! Eseguire prima una lettura.",                   // 5
    "Assistenza necessaria!",                                                          // 6
    "Errore di comunicazione!",                                                        // 7
    "Lumilink non trovato! Controllare i collegamenti e le impostazioni di Windows.",  // 8
    "Lumilink collegato a COM",                                                        // 9
    "molto alto",                                                                      // 10
    "alto",                                                                            // 11
    "medio",                                                                           // 12
    "basso",                                                                           // 13
    "Device Err: Read only possible for EEPROM data",                                  // 14
};
static_assert(std::size(kTeswinTexts) == static_cast<std::size_t>(kLanguageCount) * 15);

// clang-format on

}  // namespace

std::span<const char* const> KelwinMessageTexts() { return kKelwinTexts; }
std::span<const char* const> TeswinMessageTexts() { return kTeswinTexts; }
