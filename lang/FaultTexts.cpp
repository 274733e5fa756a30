#include "FaultTexts.h"

#include "Language.h"

namespace {
const char* const kDamagedLogbook[kLanguageCount] = {
    "The logbook \"%1\" is damaged and cannot be read.",
    "Das Logbuch \"%1\" ist beschädigt und kann nicht gelesen werden.",
    "Le carnet \"%1\" est endommagé et ne peut pas être lu.",
    "El diario \"%1\" está dañado y no se puede leer.",
    "Il logbook \"%1\" è danneggiato e non può essere letto.",
};

const char* const kNoNewDive[kLanguageCount] = {
    "The dive computer holds no new dive.",
    "Der Tauchcomputer enthält keinen neuen Tauchgang.",
    "L'ordinateur de plongée ne contient aucune nouvelle plongée.",
    "El ordenador de buceo no contiene ninguna inmersión nueva.",
    "Il computer subacqueo non contiene nuove immersioni.",
};
}  // namespace

QString DamagedLogbookText(const QString& path, const QString& detail, int languageIndex) {
    QString text = QString::fromUtf8(kDamagedLogbook[LanguageRow(languageIndex)]).arg(path);
    if (!detail.isEmpty()) text += QLatin1Char('\n') + detail;
    return text;
}

QString NoNewDiveText(int languageIndex) { return QString::fromUtf8(kNoNewDive[LanguageRow(languageIndex)]); }
