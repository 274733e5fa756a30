#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <cstdint>
#include <random>

#include <gtest/gtest.h>

#include "CoreTestData.h"
#include "DayNumber.h"
#include "LogbookFile.h"
#include "TLogbookWriter.h"
#include <sys/resource.h>

namespace {

class LogbookFileTest : public testing::Test {
protected:
    QTemporaryDir m_dir;
    QString Path(const char* name) const { return m_dir.path() + "/" + name; }
    void WriteRaw(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray ReadRaw(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static TDiveCollection Sample(int dives) {
        TDiveCollection c;
        c.DiveComputerId = 0x654321;
        for (int i = 0; i < dives; ++i) {
            auto d = coretest::Dive(150000 + i, 600, 1000u + i, "Dahab");
            d->ProfileBlock = coretest::Profile(200, static_cast<std::uint8_t>(i));
            c.AddDive(std::move(d), 0, 0);
        }
        return c;
    }
};

TEST_F(LogbookFileTest, SaveAndLoadRoundTrip) {
    const TDiveCollection c = Sample(4);
    ASSERT_TRUE(SaveLogbookFile(Path("a.log"), c, false).Ok());
    const LogbookLoadResult r = LoadLogbookFile(Path("a.log"), false);
    ASSERT_TRUE(r.Ok()) << r.ErrorText.toStdString();
    ASSERT_EQ(r.Collection->Count(), 4u);
    EXPECT_EQ(r.Collection->DiveComputerId, 0x654321u);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(r.Collection->At(i), c.At(i));
}

struct DamageCase {
    const char* Name;
    std::function<QByteArray(QByteArray)> Damage;
    LogbookError Error;
};

class DamagedFileTest : public LogbookFileTest, public testing::WithParamInterface<DamageCase> {};

TEST_P(DamagedFileTest, GivesTheErrorAndNoCollection) {
    TLogbookWriter w;
    Sample(3).SaveToStream(w, false);
    WriteRaw(Path("bad.log"), GetParam().Damage(w.Data()));
    const LogbookLoadResult r = LoadLogbookFile(Path("bad.log"), false);
    EXPECT_EQ(r.Error, GetParam().Error);
    EXPECT_EQ(r.Collection, nullptr);
    EXPECT_FALSE(r.ErrorText.isEmpty());
    if (r.Error == LogbookError::InvalidDataformat) {
        EXPECT_EQ(r.ErrorText, QStringLiteral("Invalid dataformat"));
    } else {
        // Which file, that it is damaged, and then where the stream ran out.
        EXPECT_EQ(r.ErrorText.section('\n', 0, 0),
                  QStringLiteral("The logbook \"%1\" is damaged and cannot be read.").arg(Path("bad.log")));
        EXPECT_TRUE(r.ErrorText.section('\n', 1).startsWith(QStringLiteral("Stream read error")))
            << r.ErrorText.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Damages, DamagedFileTest,
    testing::Values(
        DamageCase{"NotALogbook", [](const QByteArray&) { return QByteArray("GIF89a not a logbook at all"); },
                   LogbookError::InvalidDataformat},
        DamageCase{"EmptyFile", [](const QByteArray&) { return QByteArray(); }, LogbookError::ReadError},
        DamageCase{"CutHeader", [](const QByteArray& b) { return b.left(7); }, LogbookError::ReadError},
        DamageCase{"EndsInsideARecord", [](const QByteArray& b) { return b.left(b.size() - 50); },
                   LogbookError::ReadError},
        DamageCase{"ClaimsMoreRecords",
                   [](QByteArray b) {
                       b[6] = char(0xFF);
                       b[7] = char(0xFF);
                       return b;
                   },
                   LogbookError::ReadError},
        DamageCase{"ProfileLengthPastTheEnd",
                   [](QByteArray b) {
                       // The last record's profile length word sits 200 + 2 bytes from the end.
                       b[b.size() - 202] = char(0xF0);
                       b[b.size() - 201] = char(0xFF);
                       return b;
                   },
                   LogbookError::ReadError}),
    [](const testing::TestParamInfo<DamageCase>& info) { return info.param.Name; });

TEST_F(LogbookFileTest, MutatedFilesLoadOrFailCleanly) {
    // Damaged copies of a real logbook: every outcome is a logbook or an error, and the
    // records of a logbook that loads are complete.
    TLogbookWriter w;
    Sample(6).SaveToStream(w, false);
    const QByteArray good = w.Data();
    std::mt19937 rng(7);
    int loaded = 0;
    for (int round = 0; round < 2000; ++round) {
        QByteArray bad = good;
        const int edits = 1 + static_cast<int>(rng() % 4);
        for (int e = 0; e < edits; ++e)
            bad[static_cast<qsizetype>(rng() % bad.size())] = static_cast<char>(rng());
        if (rng() % 3 == 0) bad.truncate(static_cast<qsizetype>(rng() % bad.size()));
        const LogbookLoadResult r = LoadLogbookBytes(bad, round % 2 == 0);
        if (r.Ok()) {
            ++loaded;
            for (const auto& d : r.Collection->Dives()) {
                if (d->HasProfile()) {
                    EXPECT_EQ(d->ProfileBlock.size(), d->ProfileLength() + 2u);
                }
            }
        } else {
            EXPECT_EQ(r.Collection, nullptr);
            EXPECT_FALSE(r.ErrorText.isEmpty());
        }
    }
    EXPECT_GT(loaded, 0);
}

TEST_F(LogbookFileTest, MissingFileCannotBeOpened) {
    const LogbookLoadResult r = LoadLogbookFile(Path("none.log"), false);
    EXPECT_EQ(r.Error, LogbookError::OpenFailed);
    EXPECT_TRUE(r.ErrorText.contains(QStringLiteral("none.log")));
}

TEST_F(LogbookFileTest, ImportOfADamagedFileLeavesTheLogbookUnchanged) {
    TDiveCollection open = Sample(2);
    TLogbookWriter w;
    Sample(5).SaveToStream(w, false);
    WriteRaw(Path("cut.log"), w.Data().left(w.Data().size() - 1));
    const LogbookImportResult r = ImportLogbookFile(open, Path("cut.log"), false);
    EXPECT_EQ(r.Error, LogbookError::ReadError);
    EXPECT_EQ(open.Count(), 2u);

    WriteRaw(Path("foreign.log"), QByteArray("\x00\x01 garbage", 10));
    EXPECT_EQ(ImportLogbookFile(open, Path("foreign.log"), false).Error, LogbookError::InvalidDataformat);
    EXPECT_EQ(open.Count(), 2u);
}

TEST_F(LogbookFileTest, ImportAddsTheNewDives) {
    TDiveCollection open = Sample(2);
    ASSERT_TRUE(SaveLogbookFile(Path("five.log"), Sample(5), false).Ok());
    const LogbookImportResult r = ImportLogbookFile(open, Path("five.log"), false);
    ASSERT_TRUE(r.Ok());
    EXPECT_EQ(r.Summary.Added, 3u);
    EXPECT_EQ(r.Summary.Duplicates, 2u);
    EXPECT_EQ(open.Count(), 5u);
}

TEST_F(LogbookFileTest, SaveIntoAMissingFolderFailsAndSaysSo) {
    const LogbookSaveResult r = SaveLogbookFile(Path("no/such/folder/a.log"), Sample(1), false);
    EXPECT_EQ(r.Error, LogbookError::WriteFailed);
    EXPECT_TRUE(r.ErrorText.contains(QStringLiteral("a.log")));
}

// A disk that fills up during the save, made with the file size limit of the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_old;
        small.rlim_cur = bytes;
        m_ok = setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool Ok() const { return m_ok; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_ok = false;
};

TEST_F(LogbookFileTest, FailedSaveLeavesThePreviousFileIntact) {
    ASSERT_TRUE(SaveLogbookFile(Path("log.log"), Sample(2), false).Ok());
    const QByteArray before = ReadRaw(Path("log.log"));
    LogbookSaveResult r;
    {
        FileSizeLimit limit(4096);
        if (!limit.Ok()) GTEST_SKIP() << "cannot limit the file size here";
        r = SaveLogbookFile(Path("log.log"), Sample(100), false);
    }
    EXPECT_EQ(r.Error, LogbookError::WriteFailed);
    EXPECT_FALSE(r.ErrorText.isEmpty());
    EXPECT_EQ(ReadRaw(Path("log.log")), before);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"log.log"});  // no temporary left
}

}  // namespace

// A damaged record may hold any day number; the old-format conversion must not overflow.
TEST(DayNumbers, OldFormatConversionOfDamagedValues) {
    EXPECT_EQ(ConvertOldDayNo(INT32_MIN), INT32_MIN + 36524);
    EXPECT_EQ(ConvertOldDayNo(INT32_MAX), INT32_MAX);
    EXPECT_EQ(ConvertOldDayNo(109631), 109631 + 36524);      // 28 February 2000, old count
    EXPECT_EQ(ConvertOldDayNo(109632), 109632 + 36524 + 1);  // the day after gets one more
}
