#include <QStringList>

#include <gtest/gtest.h>

#include "FileFilters.h"
#include "Language.h"

namespace {

TEST(FileFilters, OpenFiltersOfTheFiveLanguages) {
    const char* french =
        "Carnet de plongée Kelvara|*.log;*.kvl|Carnet de plongée Kelvara < V.3.02|*.log;*.kvl|Tous fichiers "
        "(*.*)|*.*";
    const char* expected[kLanguageCount] = {
        "Kelvara Logbook|*.log;*.kvl|Kelvara Logbook < V.3.02|*.log;*.kvl|All files (*.*)|*.*",
        "Kelvara Logbuch|*.log;*.kvl|Kelvara Logbuch < V.3.02|*.log;*.kvl|Alle Dateien (*.*)|*.*",
        french,  // longer than a line, so written out above
        "Kelvara Logbook|*.log;*.kvl|Kelvara Logbook < V.3.02|*.log;*.kvl|Todos los archivos (*.*)|*.*",
        "Logbook Kelvara|*.log;*.kvl|Logbook Kelvara < V.3.02|*.log;*.kvl|Tutti i file (*.*)|*.*"};
    for (int lang = 0; lang < kLanguageCount; ++lang)
        EXPECT_EQ(OpenDialogFilter(lang), QString::fromUtf8(expected[lang]));
    EXPECT_EQ(OpenDialogFilter(7), QString::fromUtf8(expected[0]));
}

TEST(FileFilters, SaveFilterLeavesOutTheMiddleEntry) {
    EXPECT_EQ(SaveDialogFilter(kEnglish), QStringLiteral("Kelvara Logbook|*.log;*.kvl|All files (*.*)|*.*"));
    for (int lang = 0; lang < kLanguageCount; ++lang) {
        QStringList open = OpenDialogFilter(lang).split(QLatin1Char('|'));
        ASSERT_EQ(open.size(), 6);
        open.remove(2, 2);
        EXPECT_EQ(SaveDialogFilter(lang), open.join(QLatin1Char('|')));
    }
}

TEST(FileFilters, QtFormOfTheFilters) {
    EXPECT_EQ(QtFileFilter(OpenDialogFilter(kEnglish)),
              QStringLiteral(
                  "Kelvara Logbook (*.log *.kvl);;Kelvara Logbook < V.3.02 (*.log *.kvl);;All files (*)"));
    EXPECT_EQ(QtFileFilter(SaveDialogFilter(kGerman)),
              QStringLiteral("Kelvara Logbuch (*.log *.kvl);;Alle Dateien (*)"));
    EXPECT_EQ(QtFileFilter(QStringLiteral("Text|*.txt")), QStringLiteral("Text (*.txt)"));
    EXPECT_EQ(QtFileFilter(QStringLiteral("Text (*.txt)|*.txt")), QStringLiteral("Text (*.txt)"));
    EXPECT_EQ(QtFileFilter(QString()), QString());
    EXPECT_EQ(QtFileFilter(QStringLiteral("dangling")), QString());
}

}  // namespace
