#include "Language.h"

#include <QFileInfo>
#include <atomic>

namespace {

std::atomic<int> g_language{kEnglish};
std::atomic<int> g_unitSystem{kMetric};

}  // namespace

int CurrentLanguage() { return g_language.load(); }

void SetCurrentLanguage(int languageIndex) { g_language.store(languageIndex); }

int CurrentUnitSystem() { return g_unitSystem.load(); }

void SetCurrentUnitSystem(int unitSystem) {
    g_unitSystem.store(unitSystem == kImperial ? kImperial : kMetric);
}

bool IsValidLanguage(int languageIndex) { return languageIndex >= 0 && languageIndex < kLanguageCount; }

int LanguageRow(int languageIndex) { return IsValidLanguage(languageIndex) ? languageIndex : kEnglish; }

QStringList LanguageNames() {
    return {QStringLiteral("English"), QStringLiteral("Deutsch"), QString::fromUtf8("Français"),
            QString::fromUtf8("Español"), QStringLiteral("Italiano")};
}

int LanguageFromMarkerFiles(const QString& exeDir) {
    struct Marker {
        const char* Name;
        int Language;
    };
    static constexpr Marker kMarkers[] = {
        {"DEU.CFG", kGerman}, {"FRA.CFG", kFrench}, {"ESP.CFG", kSpanish}, {"ITA.CFG", kItalian}};
    QString dir = exeDir;
    if (!dir.isEmpty() && !dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
    for (const Marker& m : kMarkers) {
        // Only existence counts; a folder of that name is no marker file.
        const QFileInfo info(dir + QLatin1String(m.Name));
        if (info.exists() && !info.isDir()) return m.Language;
    }
    return kEnglish;
}
