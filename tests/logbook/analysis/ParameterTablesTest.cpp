#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "AnalysisTestSupport.h"
#include "Language.h"
#include "Real48.h"
#include "TParameterTables.h"

namespace {

// A table file whose real n holds the value n, so a read shows where it came from.
QByteArray CountingReals(int reals) {
    QByteArray out;
    for (int n = 0; n < reals; ++n) {
        const auto b = DoubleToReal48(n);
        out.append(reinterpret_cast<const char*>(b.data()), 6);
    }
    return out;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

class ParameterTables : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        WriteFile(Path(kRealTableName), CountingReals(512 * 24));
        WriteFile(Path(kFiktTableName), CountingReals(64 * 24));
        WriteFile(Path(kWeightTableName), CountingReals(64));
        WriteFile(Path(kAscentTableName), CountingReals(256));
        WriteFile(Path(kToxTableName), CountingReals(117));
    }
    QString Path(const QString& name) const { return QDir(m_dir.path()).filePath(name); }

    QTemporaryDir m_dir;
};

TEST_F(ParameterTables, RecordsAreSelectedByLevels) {
    TParameterTables tables(m_dir.path());
    tables.OpenParameterTables();
    TCoeffRecord rec;
    // (7, 7, 7) is the last record, at offset 73584 = real 12264
    ASSERT_TRUE(tables.LoadRealRecord(rec, 7, 7, 7));
    EXPECT_EQ(rec.Compartments[0].k, 73584 / 6);
    EXPECT_EQ(rec.Compartments[7].b, 73584 / 6 + 23);
    ASSERT_TRUE(tables.LoadRealRecord(rec, 2, 3, 4));
    EXPECT_EQ(rec.Compartments[0].k, (2 * 64 + 3 * 8 + 4) * 24);
    ASSERT_TRUE(tables.LoadFiktRecord(rec, 5, 6));
    EXPECT_EQ(rec.Compartments[1].a, (5 * 8 + 6) * 24 + 4);
    EXPECT_EQ(tables.Weight(3, 5), 21);  // (j - 1) * 8 + w
}

TEST_F(ParameterTables, WholeTablesAreRead) {
    TParameterTables tables(m_dir.path() + "/");
    tables.OpenParameterTables();
    std::array<double, kAscentReals> ascent{};
    tables.LoadAscentTable(ascent);
    EXPECT_EQ(ascent[255], 255);
    std::array<double, kToxReals> tox{};
    tables.LoadToxTable(tox);
    EXPECT_EQ(tox[116], 116);
}

struct MissingCase {
    QString file;
    std::string text;
    bool atOpening;
};

class MissingTable : public ParameterTables, public ::testing::WithParamInterface<MissingCase> {};

TEST_P(MissingTable, IsReportedWithItsPrefix) {
    const MissingCase& c = GetParam();
    ASSERT_TRUE(QFile::remove(Path(c.file)));
    TParameterTables tables(m_dir.path());
    std::string text;
    try {
        tables.OpenParameterTables();
        std::array<double, kAscentReals> ascent{};
        std::array<double, kToxReals> tox{};
        tables.LoadAscentTable(ascent);
        tables.LoadToxTable(tox);
    } catch (const EMissingTabFile& e) {
        text = e.Text().toStdString();
        EXPECT_EQ(std::string(e.what()), text);
        EXPECT_EQ(e.FileName(), c.file);
    }
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(tables.IsOpen(), !c.atOpening || c.file == kWeightTableName);
}

INSTANTIATE_TEST_SUITE_P(
    Files, MissingTable,
    ::testing::Values(MissingCase{kRealTableName, "5: File 'KvREAL.TAB' is missing.", true},
                      MissingCase{kFiktTableName, "4: File 'KvFIKT.TAB' is missing.", true},
                      MissingCase{kWeightTableName, "3: File 'KvEPS.TAB' is missing.", true},
                      MissingCase{kAscentTableName, "1: File 'KvASC.TAB' is missing.", false},
                      MissingCase{kToxTableName, "2: File 'KvDoTox.TAB' is missing.", false}));

TEST_F(ParameterTables, FirstMissingFileIsReported) {
    ASSERT_TRUE(QFile::remove(Path(kFiktTableName)));
    ASSERT_TRUE(QFile::remove(Path(kWeightTableName)));
    TParameterTables tables(m_dir.path());
    try {
        tables.OpenParameterTables();
        FAIL() << "no error";
    } catch (const EMissingTabFile& e) {
        EXPECT_EQ(e.Text(), "4: File 'KvFIKT.TAB' is missing.");
    }
}

TEST_F(ParameterTables, MissingTableAtResetSpeaksTheCurrentLanguage) {
    ASSERT_TRUE(QFile::remove(Path(kAscentTableName)));
    ASSERT_TRUE(QFile::remove(Path(kWeightTableName)));
    TParameterTables tables(m_dir.path());
    auto textOf = [](const auto& load) {
        try {
            load();
        } catch (const EMissingTabFile& e) {
            return e.Text();
        }
        return QString();
    };
    std::array<double, kAscentReals> ascent{};
    const int language = CurrentLanguage();
    SetCurrentLanguage(kGerman);
    // at start the language is not known yet: English
    EXPECT_EQ(textOf([&] { tables.OpenParameterTables(); }), "3: File 'KvEPS.TAB' is missing.");
    EXPECT_EQ(textOf([&] { tables.LoadAscentTable(ascent); }), "1: Datei 'KvASC.TAB' nicht vorhanden.");
    SetCurrentLanguage(language);
    tables.SetMissingFileMessage(QStringLiteral("Fichier '%s' absent."));
    EXPECT_EQ(textOf([&] { tables.LoadAscentTable(ascent); }), "1: Fichier 'KvASC.TAB' absent.");
}

TEST_F(ParameterTables, ShortFilesReplaceOnlyWhatTheyHold) {
    WriteFile(Path(kToxTableName), CountingReals(117).left(6 * 10 + 3));
    WriteFile(Path(kFiktTableName), CountingReals(64 * 24).left(63 * 144 + 6 * 5));
    TParameterTables tables(m_dir.path());
    tables.OpenParameterTables();
    std::array<double, kToxReals> tox;
    tox.fill(-1);
    tables.LoadToxTable(tox);
    EXPECT_EQ(tox[9], 9);
    EXPECT_EQ(tox[10], -1);  // the half real and the rest keep their values
    TCoeffRecord rec;
    rec.Compartments.fill({-1, -1, -1});
    EXPECT_FALSE(tables.LoadFiktRecord(rec, 7, 7));
    EXPECT_EQ(rec.Compartments[1].a, 63 * 24 + 4);
    EXPECT_EQ(rec.Compartments[1].b, -1);
}

TEST_F(ParameterTables, RecordsStayWhenTheFilesAreNotOpen) {
    TParameterTables tables(m_dir.path());
    TCoeffRecord rec;
    rec.Compartments[0].k = 42;
    EXPECT_FALSE(tables.LoadRealRecord(rec, 1, 1, 1));
    EXPECT_FALSE(tables.LoadFiktRecord(rec, 1, 1));
    EXPECT_EQ(rec.Compartments[0].k, 42);
    tables.OpenParameterTables();
    tables.CloseParameterTables();
    EXPECT_FALSE(tables.LoadRealRecord(rec, 1, 1, 1));
    EXPECT_EQ(rec.Compartments[0].k, 42);
}

}  // namespace
