// The damaged-logbook and no-new-dive texts in the five languages.

#include <QSet>

#include <gtest/gtest.h>

#include "FaultTexts.h"
#include "Language.h"

namespace {

TEST(FaultTexts, DamagedLogbookNamesTheFileInEveryLanguageWithTheDetailAfterIt) {
    QSet<QString> seen;
    for (int language = 0; language < kLanguageCount; ++language) {
        const QString text = DamagedLogbookText("/home/ann/Dives 2024.LOG", "Stream read error: x", language);
        EXPECT_TRUE(text.section('\n', 0, 0).contains("\"/home/ann/Dives 2024.LOG\"")) << language;
        EXPECT_EQ(text.section('\n', 1), "Stream read error: x") << language;
        seen.insert(text);
    }
    EXPECT_EQ(seen.size(), kLanguageCount);
    EXPECT_EQ(DamagedLogbookText("a.log", "", kGerman),
              QString::fromUtf8("Das Logbuch \"a.log\" ist beschädigt und kann nicht gelesen werden."));
    // A path holding "%1" is not taken for a place holder.
    EXPECT_TRUE(DamagedLogbookText("/x/%1.log", "", kEnglish).contains("/x/%1.log"));
}

TEST(FaultTexts, NoNewDiveInEveryLanguageAndEnglishForAnUnknownOne) {
    QSet<QString> seen;
    for (int language = 0; language < kLanguageCount; ++language) seen.insert(NoNewDiveText(language));
    EXPECT_EQ(seen.size(), kLanguageCount);
    EXPECT_EQ(NoNewDiveText(7), NoNewDiveText(kEnglish));
    EXPECT_EQ(NoNewDiveText(kEnglish), "The dive computer holds no new dive.");
}

}  // namespace
