#include "DownloadTexts.h"

#include <array>

#include "Language.h"
#include "Messages.h"

QString NotAddedText(int count, int languageIndex) {
    static const std::array<const char*, kLanguageCount> kTexts{
        "%d dive(s) not added: the logbook already holds the maximum of 65535 dives.",
        "%d Tauchgang/Tauchgänge nicht übernommen: Das Logbuch enthält bereits die Höchstzahl von 65535 "
        "Tauchgängen.",
        "%d plongée(s) non ajoutée(s) : le carnet contient déjà le maximum de 65535 plongées.",
        "%d inmersión(es) no añadida(s): el diario ya contiene el máximo de 65535 inmersiones.",
        "%d immersione/i non aggiunta/e: il logbook contiene già il massimo di 65535 immersioni."};
    return FormatMessage(QString::fromUtf8(kTexts[LanguageRow(languageIndex)]), count);
}
