#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Startup.h"

namespace {

TEST(AdjustShortDateFormat, GivesFourDigitYears) {
    const std::pair<const char*, const char*> cases[] = {{"dd.MM.yy", "dd.MM.yyyy"},
                                                         {"M/d/yy", "M/d/yyyy"},
                                                         {"yy-MM-dd", "yyyy-MM-dd"},
                                                         {"dd.MM.yyyy", "dd.MM.yyyy"},
                                                         {"d/M/y", "d/M/yyyy"},
                                                         {"dd.MM.", "dd.MM."},
                                                         {"yyy", "yyy"},
                                                         {"yY", "yyyY"},
                                                         {"y.M.Y", "yyy.M.Y"},
                                                         {"Yy/MM", "Yyyyy/MM"}};
    for (const auto& [in, out] : cases)
        EXPECT_EQ(AdjustShortDateFormat(QString::fromLatin1(in)), QString::fromLatin1(out)) << in;
}

class FolderTest : public testing::Test {
protected:
    QTemporaryDir m_dir;
    QString Path(const QString& rel) const { return m_dir.path() + "/" + rel; }
    void Touch(const QString& path, const QByteArray& content = "x") {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
};

TEST_F(FolderTest, DataDirIsCreatedBelowTheApplicationDataFolder) {
    const QString dir = DataDir(Path("appdata"), Path("exe/"));
    EXPECT_EQ(dir, Path("appdata/Vandrel/Kelvara/"));
    EXPECT_TRUE(QFileInfo(dir).isDir());
}

TEST_F(FolderTest, DataDirFallsBackToTheProgramFolder) {
    EXPECT_EQ(DataDir(QString(), Path("exe/")), Path("exe/"));
    Touch(Path("blocked"));  // a file where the folder should go
    EXPECT_EQ(DataDir(Path("blocked"), Path("exe")), Path("exe/"));
}

TEST(Folders, DocumentsDirAndSpecialFolderKinds) {
    EXPECT_EQ(DocumentsDir("/home/u/Documents"), QStringLiteral("/home/u/Documents/"));
    EXPECT_EQ(DocumentsDir(QString()), QStringLiteral("/"));
    EXPECT_TRUE(SpecialFolder(3).isEmpty());
}

TEST_F(FolderTest, CommandLineWithAPathSplitAtItsBlank) {
    Touch(Path("my dives.log"));
    const QStringList args = {Path("my"), "dives.log"};
    EXPECT_EQ(LogbookFromCommandLine(args, "last.log"), Path("my dives.log"));
}

TEST_F(FolderTest, CommandLineWithTwoLogbooksOpensTheSecond) {
    Touch(Path("a.log"));
    Touch(Path("b.log"));
    EXPECT_EQ(LogbookFromCommandLine({Path("a.log"), Path("b.log")}, "last.log"), Path("b.log"));
    EXPECT_EQ(LogbookFromCommandLine({Path("a.log"), Path("nothing.log")}, "last.log"), Path("a.log"));
}

TEST_F(FolderTest, CommandLineWithoutAnExistingFileKeepsTheLastLogbook) {
    QDir().mkpath(Path("folder"));
    EXPECT_EQ(LogbookFromCommandLine({}, "last.log"), QStringLiteral("last.log"));
    EXPECT_EQ(LogbookFromCommandLine({Path("none.log")}, "last.log"), QStringLiteral("last.log"));
    EXPECT_EQ(LogbookFromCommandLine({Path("folder")}, "last.log"), QStringLiteral("last.log"));
}

class FirstStartTest : public FolderTest {
protected:
    void SetUp() override { Touch(Path("exe/EXAMPLE.LOG"), "example"); }
    FirstStartInput Input(const QString& documents) {
        FirstStartInput in;
        in.ExeDir = Path("exe/");
        in.DocumentsFolder = documents;
        in.ChooseLanguage = [] { return 2; };
        in.LogbooksFolder = [](int language) {
            return language == 2 ? QStringLiteral("/Carnets de plong\u00E9e/")
                                 : QStringLiteral("/My Logbooks/");
        };
        return in;
    }
};

TEST_F(FirstStartTest, CopiesTheExampleIntoTheLanguagesLogbookFolder) {
    QDir().mkpath(Path("docs"));
    const FirstStartResult r = ApplyFirstStart(Input(Path("docs")));
    const QString copy = Path(QStringLiteral("docs/Carnets de plong\u00E9e/EXAMPLE.LOG"));
    EXPECT_TRUE(r.LanguageChosen);
    EXPECT_EQ(r.LanguageIndex, 2);
    EXPECT_TRUE(r.ExampleCopied);
    EXPECT_EQ(r.LogbookName, copy);
    QFile f(copy);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("example"));
}

TEST_F(FirstStartTest, AnExistingCopyIsOpenedAndNotOverwritten) {
    const QString copy = Path(QStringLiteral("docs/Carnets de plong\u00E9e/EXAMPLE.LOG"));
    Touch(copy, "my own dives");
    const FirstStartResult r = ApplyFirstStart(Input(Path("docs")));
    EXPECT_EQ(r.LogbookName, copy);
    EXPECT_FALSE(r.ExampleCopied);
    QFile f(copy);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("my own dives"));
}

TEST_F(FirstStartTest, WithoutDocumentsFolderTheExampleNextToTheProgramIsUsedInEnglish) {
    bool asked = false;
    FirstStartInput in = Input(QString());
    in.ChooseLanguage = [&] {
        asked = true;
        return 2;
    };
    const FirstStartResult r = ApplyFirstStart(in);
    EXPECT_FALSE(asked);
    EXPECT_FALSE(r.LanguageChosen);
    EXPECT_EQ(r.LanguageIndex, 0);
    EXPECT_EQ(r.LogbookName, Path("exe/EXAMPLE.LOG"));
}

TEST_F(FirstStartTest, FolderThatCannotBeCreatedKeepsTheExampleNextToTheProgram) {
    Touch(Path("docs"));  // a file in place of the documents folder
    const FirstStartResult r = ApplyFirstStart(Input(Path("docs")));
    EXPECT_EQ(r.LogbookName, Path("exe/EXAMPLE.LOG"));
    EXPECT_FALSE(r.ExampleCopied);
}

TEST_F(FolderTest, CanOpenReadWriteNeverCreatesTheFile) {
    EXPECT_FALSE(CanOpenReadWrite(Path("none.log")));
    EXPECT_FALSE(QFile::exists(Path("none.log")));
    QDir().mkpath(Path("dir"));
    EXPECT_FALSE(CanOpenReadWrite(Path("dir")));
    Touch(Path("yes.log"));
    EXPECT_TRUE(CanOpenReadWrite(Path("yes.log")));
}

}  // namespace
