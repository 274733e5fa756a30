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

// Each of `count` texts: there in English, translated in every other language, with the
// same place holders.
template <typename Text>
void ExpectTranslatedWithTheirPlaceHolders(int count, Text text) {
    for (int t = 0; t < count; ++t) {
        const QString english = text(t, kEnglish);
        ASSERT_FALSE(english.isEmpty()) << t;
        for (int language = 1; language < kLanguageCount; ++language) {
            const QString translated = text(t, language);
            EXPECT_NE(translated, english) << t << " in " << language;
            EXPECT_EQ(PlaceHolders(translated), PlaceHolders(english)) << t << " in " << language;
        }
    }
}

TEST(ReportTexts, PrintAndInterchangeTextsInEveryLanguageKeepTheirPlaceHolders) {
    ExpectTranslatedWithTheirPlaceHolders(
        static_cast<int>(EPrintText::PageNotTaken) + 1,
        [](int t, int language) { return PrintText(static_cast<EPrintText>(t), language); });
    ExpectTranslatedWithTheirPlaceHolders(
        static_cast<int>(EInterchangeText::TablesMissing) + 1,
        [](int t, int language) { return InterchangeText(static_cast<EInterchangeText>(t), language); });
    EXPECT_EQ(PrintText(EPrintText::PrinterRefused, kGerman).arg("Laser"),
              QString::fromUtf8("der Drucker \"Laser\" hat das Dokument nicht angenommen"));
}

}  // namespace
