// The texts of failed prints and of export and import in the five languages: every one is
// there in each language, distinct from the English one, and keeps its place holders.

#include <QSet>

#include <gtest/gtest.h>

#include "InterchangeTexts.h"
#include "Language.h"
#include "PrintTexts.h"

namespace {

// The place holders %1..%3 a text holds.
QSet<QString> PlaceHolders(const QString& text) {
    QSet<QString> found;
    for (const char* p : {"%1", "%2", "%3", "%s"})
        if (text.contains(QLatin1String(p))) found.insert(QLatin1String(p));
    return found;
}

TEST(ReportTexts, PrintTextsInEveryLanguageKeepTheirPlaceHolders) {
    for (int t = 0; t <= static_cast<int>(EPrintText::PageNotTaken); ++t) {
        const auto text = static_cast<EPrintText>(t);
        const QString english = PrintText(text, kEnglish);
        ASSERT_FALSE(english.isEmpty()) << t;
        for (int language = 1; language < kLanguageCount; ++language) {
            const QString translated = PrintText(text, language);
            EXPECT_NE(translated, english) << t << " in " << language;
            EXPECT_EQ(PlaceHolders(translated), PlaceHolders(english)) << t << " in " << language;
        }
    }
    EXPECT_EQ(PrintText(EPrintText::PrinterRefused, kGerman).arg("Laser"),
              QString::fromUtf8("der Drucker \"Laser\" hat das Dokument nicht angenommen"));
}

TEST(ReportTexts, InterchangeTextsInEveryLanguageKeepTheirPlaceHolders) {
    for (int t = 0; t <= static_cast<int>(EInterchangeText::TablesMissing); ++t) {
        const auto text = static_cast<EInterchangeText>(t);
        const QString english = InterchangeText(text, kEnglish);
        ASSERT_FALSE(english.isEmpty()) << t;
        for (int language = 1; language < kLanguageCount; ++language) {
            const QString translated = InterchangeText(text, language);
            EXPECT_NE(translated, english) << t << " in " << language;
            EXPECT_EQ(PlaceHolders(translated), PlaceHolders(english)) << t << " in " << language;
        }
    }
}

}  // namespace
