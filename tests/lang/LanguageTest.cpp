#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Language.h"

namespace {

class MarkerFiles : public testing::Test {
protected:
    void Touch(const char* name) {
        QFile f(m_dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QString Dir() const { return m_dir.path(); }
    QTemporaryDir m_dir;
};

TEST_F(MarkerFiles, NoneMeansEnglish) { EXPECT_EQ(LanguageFromMarkerFiles(Dir()), kEnglish); }

TEST_F(MarkerFiles, EachFilePicksItsLanguage) {
    const struct {
        const char* Name;
        int Language;
    } cases[] = {{"ITA.CFG", kItalian}, {"ESP.CFG", kSpanish}, {"FRA.CFG", kFrench}, {"DEU.CFG", kGerman}};
    // Adding the files in reverse order: each new one comes earlier in the search order.
    for (const auto& c : cases) {
        Touch(c.Name);
        EXPECT_EQ(LanguageFromMarkerFiles(Dir()), c.Language) << c.Name;
    }
}

TEST_F(MarkerFiles, GermanWinsOverItalian) {
    Touch("ITA.CFG");
    Touch("DEU.CFG");
    EXPECT_EQ(LanguageFromMarkerFiles(Dir()), kGerman);
    EXPECT_EQ(LanguageFromMarkerFiles(Dir() + QLatin1Char('/')), kGerman);
}

TEST_F(MarkerFiles, OnlyExistenceCountsNotContentOrFolders) {
    Touch("FRA.CFG");  // empty file
    EXPECT_EQ(LanguageFromMarkerFiles(Dir()), kFrench);
    ASSERT_TRUE(QDir(Dir()).mkdir(QStringLiteral("DEU.CFG")));
    EXPECT_EQ(LanguageFromMarkerFiles(Dir()), kFrench);
    Touch("deu.cfg");  // the names are exact
    EXPECT_EQ(LanguageFromMarkerFiles(Dir()), kFrench);
}

TEST(Language, RowFallsBackToEnglish) {
    for (int i = 0; i < kLanguageCount; ++i) EXPECT_EQ(LanguageRow(i), i);
    for (int i : {-1, 5, 200}) {
        EXPECT_FALSE(IsValidLanguage(i));
        EXPECT_EQ(LanguageRow(i), kEnglish);
    }
    EXPECT_EQ(LanguageNames(), (QStringList{QStringLiteral("English"), QStringLiteral("Deutsch"),
                                            QString::fromUtf8("Français"), QString::fromUtf8("Español"),
                                            QStringLiteral("Italiano")}));
}

}  // namespace
