#include "LogbookCommands.h"

#include <QFileInfo>
#include <algorithm>

#include "TDiveCollection.h"

QString MainCaption(const QString& logbookName, const QString& documentsDir) {
    QString shown = logbookName;
    if (!documentsDir.isEmpty()) {
        const qsizetype at = shown.indexOf(documentsDir, 0, Qt::CaseInsensitive);
        if (at >= 0) shown.remove(at, documentsDir.size());
    }
    return QStringLiteral("Kelvara [") + shown + QStringLiteral("]");
}

std::size_t DeleteDives(TDiveCollection& logbook, std::vector<std::size_t> indices) {
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    while (!indices.empty() && indices.back() >= logbook.Count()) indices.pop_back();
    if (indices.empty()) return 0;

    const bool broken = logbook.NumberingBroken();
    const std::uint16_t first = logbook.At(0).DiveNumber;
    // Last line first, so the indices of the lines still to go stay valid.
    std::for_each(indices.rbegin(), indices.rend(), [&](auto index) { logbook.RemoveAt(index); });
    if (!broken) logbook.Renumber(first);
    return indices.size();
}

std::uint16_t ProposedRenumberStart(const TDiveCollection& logbook) {
    return logbook.Count() > 1 ? logbook.At(0).DiveNumber : std::uint16_t{1};
}

QString ClockText(const QTime& time, int unitSystem, const QString& amText, const QString& pmText) {
    if (unitSystem != 1) return time.toString(QStringLiteral("HH:mm:ss"));
    int hour = time.hour() % 12;
    if (hour == 0) hour = 12;
    return QStringLiteral("%1:%2:%3 %4")
        .arg(hour)
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(time.second(), 2, 10, QLatin1Char('0'))
        .arg(time.hour() < 12 ? amText : pmText);
}

int ClockWidth(int unitSystem, const QString& amText, const QString& pmText) {
    if (unitSystem != 1) return 72;
    const auto longer = static_cast<int>(std::max(amText.size(), pmText.size()));
    return (9 + longer) * 8 + 8;
}

QString WithDefaultExtension(const QString& path, const QString& defaultExt) {
    if (path.isEmpty() || defaultExt.isEmpty()) return path;
    if (!QFileInfo(path).suffix().isEmpty()) return path;
    const QString ext = defaultExt.startsWith(QLatin1Char('.')) ? defaultExt : QLatin1Char('.') + defaultExt;
    return path + ext;
}

QString LogbookFullText(int notAdded, int languageIndex) {
    static const char* const kTexts[] = {
        "%1 dive(s) were not added: a logbook holds at most 65535 dives.",
        "%1 Tauchgänge wurden nicht übernommen: ein Logbuch fasst höchstens 65535 Tauchgänge.",
        "%1 plongée(s) non ajoutée(s) : un carnet contient au plus 65535 plongées.",
        "%1 inmersión(es) no añadida(s): un diario admite como máximo 65535 inmersiones.",
        "%1 immersione/i non aggiunta/e: un logbook contiene al massimo 65535 immersioni.",
    };
    const int row = languageIndex >= 0 && languageIndex < 5 ? languageIndex : 0;
    return QString::fromUtf8(kTexts[row]).arg(notAdded);
}
