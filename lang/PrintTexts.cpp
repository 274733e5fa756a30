#include "PrintTexts.h"

#include "Language.h"

namespace {

constexpr int kTextCount = 4;

// One row per language (English, German, French, Spanish, Italian), UTF-8.
constexpr const char* kTexts[kLanguageCount][kTextCount] = {
    {"Print to PDF file", "PDF file|*.pdf", "PDF file (no printer installed)", "Printing failed: %s"},
    {"In PDF-Datei drucken", "PDF-Datei|*.pdf", "PDF-Datei (kein Drucker eingerichtet)",
     "Drucken fehlgeschlagen: %s"},
    {"Imprimer dans un fichier PDF", "Fichier PDF|*.pdf", "Fichier PDF (aucune imprimante installée)",
     "L'impression a échoué : %s"},
    {"Imprimir en un archivo PDF", "Archivo PDF|*.pdf", "Archivo PDF (ninguna impresora instalada)",
     "Error al imprimir: %s"},
    {"Stampa su file PDF", "File PDF|*.pdf", "File PDF (nessuna stampante installata)",
     "Stampa non riuscita: %s"},
};

}  // namespace

QString PrintText(EPrintText text, int languageIndex) {
    const int i = static_cast<int>(text);
    if (i < 0 || i >= kTextCount) return {};
    return QString::fromUtf8(kTexts[LanguageRow(languageIndex)][i]);
}
