#include "ReportOptions.h"

#include <QLocale>
#include <QStringList>

#include "Commands.h"
#include "Language.h"
#include "LogbookFile.h"
#include "TDateFormat.h"

std::optional<int> LanguageOption(const QString& name) {
    static const QStringList kNames{QStringLiteral("en"), QStringLiteral("de"), QStringLiteral("fr"),
                                    QStringLiteral("es"), QStringLiteral("it")};
    const qsizetype i = kNames.indexOf(name);
    if (i < 0) return std::nullopt;
    return static_cast<int>(i);
}

std::optional<int> UnitsOption(const QString& name) {
    if (name == QLatin1String("metric")) return kMetric;
    if (name == QLatin1String("imperial")) return kImperial;
    return std::nullopt;
}

void UseReportSettings(int languageIndex, int unitSystem) {
    SetCurrentLanguage(languageIndex);
    SetCurrentUnitSystem(unitSystem);
    SetCurrentDateFormat(TDateFormat::FromLocale(QLocale::system()));
}

std::vector<bool> SelectedLines(std::size_t lineCount, const std::vector<std::size_t>& indices) {
    std::vector<bool> lines(lineCount, false);
    for (std::size_t i : indices)
        if (i < lineCount) lines[i] = true;
    return lines;
}

std::unique_ptr<TDiveCollection> LoadReportLogbook(const char* command, const QString& path) {
    LogbookLoadResult loaded = LoadLogbookFile(path, false);
    if (!loaded.Ok()) {
        // Every message names the file, once.
        const QString reason = loaded.ErrorText.contains(path)
                                   ? loaded.ErrorText
                                   : path + QStringLiteral(": ") + loaded.ErrorText;
        PrintError(QStringLiteral("kvlog %1: %2\n").arg(QLatin1String(command), reason));
        return nullptr;
    }
    return std::move(loaded.Collection);
}
