#include "InterchangeTexts.h"

#include <array>

#include "FileFilters.h"
#include "Language.h"

namespace {

using Row = std::array<const char*, kLanguageCount>;

// English, German, French, Spanish, Italian.
constexpr Row kUddfEntry = {
    "UDDF (Universal Dive Data Format)|*.uddf", "UDDF (Universal Dive Data Format)|*.uddf",
    "UDDF (Universal Dive Data Format)|*.uddf", "UDDF (Universal Dive Data Format)|*.uddf",
    "UDDF (Universal Dive Data Format)|*.uddf"};
constexpr Row kCsvEntry = {"CSV table|*.csv", "CSV-Tabelle|*.csv", "Tableau CSV|*.csv", "Tabla CSV|*.csv",
                           "Tabella CSV|*.csv"};

constexpr std::array<Row, kCsvColumnCount> kColumns = {{
    {"Dive #", "TG Nr.", "N° plongée", "N° inmersión", "N° immersione"},
    {"Date", "Datum", "Date", "Fecha", "Data"},
    {"Time", "Zeit", "Heure", "Hora", "Ora"},
    {"Location", "Ort", "Lieu", "Lugar", "Località"},
    {"Site", "Tauchplatz", "Site", "Punto de inmersión", "Punto d'immersione"},
    {"Altitude range", "Höhenbereich", "Altitude", "Altitud", "Altitudine"},
    {"Interval", "Intervall", "Intervalle", "Intervalo", "Intervallo"},
    {"Weather", "Wetter", "Météo", "Tiempo", "Tempo"},
    {"Air temperature", "Lufttemperatur", "Température de l'air", "Temperatura del aire",
     "Temperatura dell'aria"},
    {"Dive suit", "Tauchanzug", "Combinaison", "Traje", "Muta"},
    {"Tank size", "Flaschengröße", "Volume du bloc", "Volumen de la botella", "Volume bombola"},
    {"Max. depth", "Max. Tiefe", "Profondeur max.", "Profundidad máx.", "Profondità max."},
    {"Dive time (min)", "Tauchzeit (min)", "Durée (min)", "Duración (min)", "Durata (min)"},
    {"Min. water temp.", "Min. Wassertemp.", "Temp. eau min.", "Temp. agua mín.", "Temp. acqua min."},
    {"Air consumption", "Luftverbrauch", "Consommation d'air", "Consumo de aire", "Consumo d'aria"},
    {"Dive type", "Tauchgangsart", "Type de plongée", "Tipo de inmersión", "Tipo d'immersione"},
    {"Activities", "Aktivitäten", "Activités", "Actividades", "Attività"},
    {"Buddies", "Tauchpartner", "Équipiers", "Compañeros", "Compagni"},
    {"Remarks", "Bemerkungen", "Remarques", "Observaciones", "Note"},
    {"Alarms", "Alarme", "Alarmes", "Alarmas", "Allarmi"},
}};

constexpr Row kTexts[] = {
    // UddfDamaged
    {"%1 is not a readable UDDF file (line %2: %3). Nothing was imported.",
     "%1 ist keine lesbare UDDF-Datei (Zeile %2: %3). Es wurde nichts importiert.",
     "%1 n'est pas un fichier UDDF lisible (ligne %2 : %3). Rien n'a été importé.",
     "%1 no es un archivo UDDF legible (línea %2: %3). No se ha importado nada.",
     "%1 non è un file UDDF leggibile (riga %2: %3). Non è stato importato nulla."},
    // UddfForeign
    {"%1 is not a UDDF file of version 3.2. Nothing was imported.",
     "%1 ist keine UDDF-Datei der Version 3.2. Es wurde nichts importiert.",
     "%1 n'est pas un fichier UDDF de version 3.2. Rien n'a été importé.",
     "%1 no es un archivo UDDF de la versión 3.2. No se ha importado nada.",
     "%1 non è un file UDDF della versione 3.2. Non è stato importato nulla."},
    // UddfNoDateTime
    {"%1: dive %2 has no date and time. Nothing was imported.",
     "%1: Tauchgang %2 hat kein Datum und keine Zeit. Es wurde nichts importiert.",
     "%1 : la plongée %2 n'a ni date ni heure. Rien n'a été importé.",
     "%1: la inmersión %2 no tiene fecha ni hora. No se ha importado nada.",
     "%1: l'immersione %2 non ha data e ora. Non è stato importato nulla."},
    // UddfBadDump
    {"%1: the record of dive %2 is damaged. Nothing was imported.",
     "%1: Der Datensatz von Tauchgang %2 ist beschädigt. Es wurde nichts importiert.",
     "%1 : l'enregistrement de la plongée %2 est endommagé. Rien n'a été importé.",
     "%1: el registro de la inmersión %2 está dañado. No se ha importado nada.",
     "%1: il record dell'immersione %2 è danneggiato. Non è stato importato nulla."},
    // UddfBadValue
    {"%1: dive %2 has an unreadable value in <%3>. Nothing was imported.",
     "%1: Tauchgang %2 hat einen unlesbaren Wert in <%3>. Es wurde nichts importiert.",
     "%1 : la plongée %2 a une valeur illisible dans <%3>. Rien n'a été importé.",
     "%1: la inmersión %2 tiene un valor ilegible en <%3>. No se ha importado nada.",
     "%1: l'immersione %2 ha un valore illeggibile in <%3>. Non è stato importato nulla."},
    // TextCut
    {"Dive %1: %2 cut to 255 characters (%3 characters left out).",
     "Tauchgang %1: %2 auf 255 Zeichen gekürzt (%3 Zeichen weggelassen).",
     "Plongée %1 : %2 réduit à 255 caractères (%3 caractères omis).",
     "Inmersión %1: %2 recortado a 255 caracteres (%3 caracteres omitidos).",
     "Immersione %1: %2 ridotto a 255 caratteri (%3 caratteri omessi)."},
    // TextReplaced
    {"Dive %1: characters of %2 that the logbook cannot hold were replaced by \"?\".",
     "Tauchgang %1: Zeichen in %2, die das Logbuch nicht speichern kann, wurden durch \"?\" ersetzt.",
     "Plongée %1 : les caractères de %2 que le carnet ne peut pas enregistrer ont été remplacés par \"?\".",
     "Inmersión %1: los caracteres de %2 que el diario no puede guardar se han sustituido por \"?\".",
     "Immersione %1: i caratteri di %2 che il logbook non può salvare sono stati sostituiti da \"?\"."},
    // WriteFailed
    {"Cannot write file %1: %2", "Datei %1 kann nicht geschrieben werden: %2",
     "Impossible d'écrire le fichier %1 : %2", "No se puede escribir el archivo %1: %2",
     "Impossibile scrivere il file %1: %2"},
    // Imported
    {"%1 dive(s) imported from %2.", "%1 Tauchgänge aus %2 importiert.", "%1 plongée(s) importée(s) de %2.",
     "%1 inmersión(es) importada(s) de %2.", "%1 immersione/i importata/e da %2."},
    // NotAdded
    {"%1 dive(s) were already in the logbook and were not added again.",
     "%1 Tauchgänge waren schon im Logbuch und wurden nicht noch einmal hinzugefügt.",
     "%1 plongée(s) figuraient déjà dans le carnet et n'ont pas été ajoutées.",
     "%1 inmersión(es) ya estaban en el diario y no se han añadido de nuevo.",
     "%1 immersione/i erano già nel logbook e non sono state aggiunte."},
    // NoDives
    {"%1 holds no dives.", "%1 enthält keine Tauchgänge.", "%1 ne contient aucune plongée.",
     "%1 no contiene inmersiones.", "%1 non contiene immersioni."},
    // OpenFailed
    {"Cannot open file %1: %2", "Datei %1 kann nicht geöffnet werden: %2",
     "Impossible d'ouvrir le fichier %1 : %2", "No se puede abrir el archivo %1: %2",
     "Impossibile aprire il file %1: %2"},
    // UnknownFormat
    {"the file name has no extension of a known format (.log, .kvl, .uddf, .csv)",
     "der Dateiname hat keine Endung eines bekannten Formats (.log, .kvl, .uddf, .csv)",
     "le nom du fichier n'a pas l'extension d'un format connu (.log, .kvl, .uddf, .csv)",
     "el nombre del archivo no tiene la extensión de un formato conocido (.log, .kvl, .uddf, .csv)",
     "il nome del file non ha l'estensione di un formato noto (.log, .kvl, .uddf, .csv)"},
    // TablesMissing
    {"the parameter tables of the dive computer's model are not available",
     "die Parametertabellen des Tauchcomputer-Modells sind nicht verfügbar",
     "les tables de paramètres du modèle de l'ordinateur de plongée ne sont pas disponibles",
     "las tablas de parámetros del modelo del ordenador de buceo no están disponibles",
     "le tabelle dei parametri del modello del computer subacqueo non sono disponibili"},
};

QString Pick(const Row& row, int languageIndex) {
    return QString::fromUtf8(row[static_cast<std::size_t>(LanguageRow(languageIndex))]);
}

// The first entry of the program's save filter: the logbook in the user's language.
QString LogbookEntries(const QString& filter, int entries) {
    return filter.section(QLatin1Char('|'), 0, 2 * entries - 1);
}

QString AllFilesEntry(int languageIndex) {
    return SaveDialogFilter(languageIndex).section(QLatin1Char('|'), 2, 3);
}

}  // namespace

QString ExportDialogFilter(int languageIndex) {
    return LogbookEntries(SaveDialogFilter(languageIndex), 1) + QLatin1Char('|') +
           Pick(kUddfEntry, languageIndex) + QLatin1Char('|') + Pick(kCsvEntry, languageIndex) +
           QLatin1Char('|') + AllFilesEntry(languageIndex);
}

QString ImportDialogFilter(int languageIndex) {
    return LogbookEntries(OpenDialogFilter(languageIndex), 2) + QLatin1Char('|') +
           Pick(kUddfEntry, languageIndex) + QLatin1Char('|') + AllFilesEntry(languageIndex);
}

QString CsvColumnTitle(ECsvColumn column, int languageIndex, const QString& unit) {
    const QString title = Pick(kColumns[static_cast<std::size_t>(column)], languageIndex);
    return unit.isEmpty() ? title : title + QStringLiteral(" (") + unit + QLatin1Char(')');
}

QString InterchangeText(EInterchangeText text, int languageIndex) {
    return Pick(kTexts[static_cast<std::size_t>(text)], languageIndex);
}
