#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <array>
#include <memory>

#include "Language.h"

namespace {
// Qt's file name part of each language, in the program's order of languages.
constexpr std::array<const char*, 5> kQtLanguages = {"en", "de", "fr", "es", "it"};

std::unique_ptr<QTranslator>& Installed() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}
}  // namespace

QString QtTranslationsFolder() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

bool UseQtTranslations(int languageIndex) {
    // Without an application there is nothing to translate (tools, tests of the tables).
    if (!IsValidLanguage(languageIndex) || QCoreApplication::instance() == nullptr) return false;
    std::unique_ptr<QTranslator>& installed = Installed();
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    if (languageIndex == kEnglish) return true;
    auto translator = std::make_unique<QTranslator>();
    const QString name = QStringLiteral("qtbase_") + QLatin1String(kQtLanguages[languageIndex]);
    if (!translator->load(name, QtTranslationsFolder())) return false;
    QCoreApplication::installTranslator(translator.get());
    installed = std::move(translator);
    return true;
}
