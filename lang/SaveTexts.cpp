#include "SaveTexts.h"

#include <QLocale>
#include <array>
#include <cerrno>

namespace {

using TFive = std::array<const char*, kLanguageCount>;  // English, German, French, Spanish, Italian

struct TErrorText {
    int ErrorNumber;
    TFive Texts;
};

// The reasons a user meets when saving; the others keep the platform's English description.
const TErrorText kErrorTexts[] = {
    {ENOSPC,
     {"No space left on device", "Kein Platz mehr auf dem Datenträger",
      "Plus d'espace disponible sur le périphérique", "No queda espacio en el dispositivo",
      "Spazio esaurito sul dispositivo"}},
    {EDQUOT,
     {"Disk quota exceeded", "Speicherplatzkontingent überschritten", "Quota de disque dépassé",
      "Cuota de disco excedida", "Quota del disco superata"}},
    {EROFS,
     {"Read-only file system", "Schreibgeschütztes Dateisystem", "Système de fichiers en lecture seule",
      "Sistema de archivos de solo lectura", "File system in sola lettura"}},
    {EACCES,
     {"Permission denied", "Keine Berechtigung", "Permission refusée", "Permiso denegado",
      "Permesso negato"}},
    {EPERM,
     {"Operation not permitted", "Vorgang nicht zulässig", "Opération non permise", "Operación no permitida",
      "Operazione non permessa"}},
    {EFBIG,
     {"File too large", "Datei zu groß", "Fichier trop volumineux", "Archivo demasiado grande",
      "File troppo grande"}},
    {EIO,
     {"Input/output error", "Ein-/Ausgabefehler", "Erreur d'entrée/sortie", "Error de entrada/salida",
      "Errore di input/output"}},
    {ENOENT,
     {"No such file or directory", "Datei oder Verzeichnis nicht gefunden",
      "Aucun fichier ou dossier de ce nom", "No existe el archivo o el directorio",
      "File o directory inesistente"}},
    {ENOTDIR,
     {"Not a directory", "Ist kein Verzeichnis", "N'est pas un dossier", "No es un directorio",
      "Non è una directory"}},
    {EISDIR,
     {"Is a directory", "Ist ein Verzeichnis", "Est un dossier", "Es un directorio", "È una directory"}},
    {ENAMETOOLONG,
     {"File name too long", "Dateiname zu lang", "Nom de fichier trop long",
      "Nombre de archivo demasiado largo", "Nome del file troppo lungo"}},
    {EBUSY,
     {"Device or resource busy", "Gerät oder Ressource belegt", "Périphérique ou ressource occupé",
      "Dispositivo o recurso ocupado", "Dispositivo o risorsa occupata"}},
};

constexpr TFive kMismatch = {
    "the file read back differs from what was written",
    "die zurückgelesene Datei weicht vom Geschriebenen ab",
    "le fichier relu diffère de ce qui a été écrit",
    "el archivo releído no coincide con lo escrito",
    "il file riletto è diverso da quanto scritto",
};

constexpr TFive kCannotSave = {
    "Cannot save \"%1\": %2",
    "\"%1\" kann nicht gespeichert werden: %2",
    "Impossible d'enregistrer \"%1\" : %2",
    "No se puede guardar \"%1\": %2",
    "Impossibile salvare \"%1\": %2",
};

constexpr TFive kCannotBackUp = {
    "The previous file cannot be kept as a backup in \"%1\": %2. Nothing was saved.",
    "Die bisherige Datei kann nicht als Sicherung in \"%1\" abgelegt werden: %2. Es wurde nichts "
    "gespeichert.",
    "Impossible de conserver une copie de sauvegarde du fichier précédent dans \"%1\" : %2. Rien n'a été "
    "enregistré.",
    "No se puede guardar una copia de seguridad del archivo anterior en \"%1\": %2. No se ha guardado nada.",
    "Impossibile conservare una copia di sicurezza del file precedente in \"%1\": %2. Non è stato salvato "
    "nulla.",
};

constexpr TFive kRestore = {
    "Kelvara was not closed properly. There are unsaved changes of logbook %1 from %2.\nRestore them?",
    "Kelvara wurde nicht ordnungsgemäß beendet. Es gibt nicht gespeicherte Änderungen am Logbuch %1 vom %2.\n"
    "Wiederherstellen?",
    "Kelvara n'a pas été fermé correctement. Il existe des modifications non enregistrées du carnet %1 du "
    "%2.\nLes restaurer ?",
    "Kelvara no se cerró correctamente. Hay cambios sin guardar en el diario %1 del %2.\n¿Restaurarlos?",
    "Kelvara non è stato chiuso correttamente. Ci sono modifiche non salvate al logbook %1 del %2.\n"
    "Ripristinarle?",
};

QString Text(const TFive& texts, int languageIndex) {
    return QString::fromUtf8(texts[static_cast<std::size_t>(LanguageRow(languageIndex))]);
}

}  // namespace

QString SystemErrorText(int errorNumber, int languageIndex) {
    for (const TErrorText& e : kErrorTexts)
        if (e.ErrorNumber == errorNumber) return Text(e.Texts, languageIndex);
    return SystemErrorDescription(errorNumber);
}

QString SaveReasonText(const TSaveResult& result, int languageIndex) {
    if (result.Ok()) return {};
    // Without an error number the reason is the save's own: a mismatch on reading back, or
    // what the writer of a streamed save could not produce.
    if (result.ErrorNumber == 0)
        return result.FailedStep == ESaveStep::Verify ? Text(kMismatch, languageIndex) : result.Reason;
    return SystemErrorText(result.ErrorNumber, languageIndex);
}

QString SaveErrorText(const TSaveResult& result, int languageIndex) {
    if (result.Ok()) return {};
    const TFive& frame = result.FailedStep == ESaveStep::Backup ? kCannotBackUp : kCannotSave;
    return Text(frame, languageIndex).arg(result.Path, SaveReasonText(result, languageIndex));
}

QString RestoreChangesText(const QString& logbook, const QDateTime& when, int languageIndex) {
    const QString time = QLocale().toString(when, QLocale::ShortFormat);
    return Text(kRestore, languageIndex).arg(logbook, time);
}

QString ReadErrorText(const QString& path, const QString& reason, int languageIndex) {
    constexpr TFive kTexts = {"Cannot read file %1: %2", "Datei %1 kann nicht gelesen werden: %2",
                              "Impossible de lire le fichier %1 : %2", "No se puede leer el archivo %1: %2",
                              "Impossibile leggere il file %1: %2"};
    return QString::fromUtf8(kTexts[static_cast<std::size_t>(LanguageRow(languageIndex))]).arg(path, reason);
}
