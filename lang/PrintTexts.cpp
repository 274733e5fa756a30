#include "PrintTexts.h"

#include "Language.h"

namespace {

constexpr int kTextCount = 8;

// One row per language (English, German, French, Spanish, Italian), UTF-8.
constexpr const char* kTexts[kLanguageCount][kTextCount] = {
    {"Print to PDF file", "PDF file|*.pdf", "PDF file (no printer installed)", "Printing failed: %s",
     "the document %1 cannot be started", "the printer \"%1\" did not accept the document",
     "the printer \"%1\" reported an error", "the printer did not take the page"},
    {"In PDF-Datei drucken", "PDF-Datei|*.pdf", "PDF-Datei (kein Drucker eingerichtet)",
     "Drucken fehlgeschlagen: %s", "das Dokument %1 kann nicht begonnen werden",
     "der Drucker \"%1\" hat das Dokument nicht angenommen", "der Drucker \"%1\" hat einen Fehler gemeldet",
     "der Drucker hat die Seite nicht angenommen"},
    {"Imprimer dans un fichier PDF", "Fichier PDF|*.pdf", "Fichier PDF (aucune imprimante installée)",
     "L'impression a échoué : %s", "le document %1 ne peut pas être commencé",
     "l'imprimante \"%1\" n'a pas accepté le document", "l'imprimante \"%1\" a signalé une erreur",
     "l'imprimante n'a pas pris la page"},
    {"Imprimir en un archivo PDF", "Archivo PDF|*.pdf", "Archivo PDF (ninguna impresora instalada)",
     "Error al imprimir: %s", "no se puede iniciar el documento %1",
     "la impresora \"%1\" no aceptó el documento", "la impresora \"%1\" informó de un error",
     "la impresora no aceptó la página"},
    {"Stampa su file PDF", "File PDF|*.pdf", "File PDF (nessuna stampante installata)",
     "Stampa non riuscita: %s", "impossibile iniziare il documento %1",
     "la stampante \"%1\" non ha accettato il documento", "la stampante \"%1\" ha segnalato un errore",
     "la stampante non ha accettato la pagina"},
};

}  // namespace

QString PrintText(EPrintText text, int languageIndex) {
    const int i = static_cast<int>(text);
    if (i < 0 || i >= kTextCount) return {};
    return QString::fromUtf8(kTexts[LanguageRow(languageIndex)][i]);
}
