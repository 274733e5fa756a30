#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>

#include <gtest/gtest.h>

#include "FileSizeLimit.h"
#include "SaveFaultSeam.h"
#include "SaveFile.h"
#include <sys/stat.h>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray Pattern(qsizetype size, char seed) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i) bytes[i] = static_cast<char>(seed + i * 7);
    return bytes;
}

TSaveOptions Verified() {
    TSaveOptions how;
    how.Verify = true;
    return how;
}

TSaveOptions WithBackup(const QString& dir) {
    TSaveOptions how = Verified();
    how.BackupDir = dir;
    return how;
}

class SaveFileTest : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    // The folder holds exactly these files: no temporary file is left behind.
    void ExpectOnlyFiles(const QStringList& names) const {
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), names);
    }
    // A target with known contents, for the failures that must leave it alone.
    QByteArray MakeTarget(const QString& name) {
        QByteArray old = Pattern(500, 'a');
        EXPECT_TRUE(SaveFile(Path(name), old).Ok());
        return old;
    }
    QTemporaryDir m_dir;
};

TEST_F(SaveFileTest, WritesANewFileAndReplacesAnOldOneKeepingItsRights) {
    const QByteArray first = Pattern(300, 'x');
    ASSERT_TRUE(SaveFile(Path("a.log"), first, Verified()).Ok());
    EXPECT_EQ(ReadAll(Path("a.log")), first);
    ASSERT_EQ(::chmod(QFile::encodeName(Path("a.log")).constData(), 0640), 0);

    const QByteArray empty;
    ASSERT_TRUE(SaveFile(Path("a.log"), empty, Verified()).Ok());
    EXPECT_EQ(QFileInfo(Path("a.log")).size(), 0);
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(Path("a.log")).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    ExpectOnlyFiles({"a.log"});
}

TEST_F(SaveFileTest, ALinkKeepsPointingAtTheFileItNames) {
    const QByteArray old = MakeTarget("real.log");
    ASSERT_TRUE(QFile::link(Path("real.log"), Path("link.log")));
    ASSERT_TRUE(SaveFile(Path("link.log"), QByteArray("new")).Ok());
    EXPECT_TRUE(QFileInfo(Path("link.log")).isSymLink());
    EXPECT_EQ(ReadAll(Path("real.log")), "new");
}

// Writes that fail past a size limit, for real: a small file whose bytes all fit one
// write (the case that once became an empty file) and a large one written in pieces.
TEST_F(SaveFileTest, AWriteCutShortByTheSizeLimitFailsAndKeepsTheOldFile) {
    for (const qsizetype size : {qsizetype{300}, qsizetype{6} << 20}) {
        SCOPED_TRACE(size);
        const QByteArray old = MakeTarget("t.log");
        TSaveResult r;
        {
            TFileSizeLimit limit(size / 3);
            r = SaveFile(Path("t.log"), Pattern(size, 'n'), WithBackup(Path("b")));
        }
        EXPECT_EQ(r.FailedStep, ESaveStep::Write);
        EXPECT_EQ(r.ErrorNumber, EFBIG);
        EXPECT_EQ(r.Reason, "File too large");
        EXPECT_EQ(r.Message(), QStringLiteral("Cannot save \"%1\": File too large").arg(Path("t.log")));
        EXPECT_EQ(ReadAll(Path("t.log")), old);
        // No backup is made for a save that never got its bytes written.
        EXPECT_FALSE(QFileInfo::exists(Path("b")));
        ExpectOnlyFiles({"t.log"});
    }
}

TEST_F(SaveFileTest, AFailedSyncRenameOrReadBackKeepsTheOldFile) {
    struct TCase {
        ESaveStep Step;
        int ErrorNumber;
        const char* Reason;
    };
    const TCase cases[] = {
        {ESaveStep::Sync, EIO, "Input/output error"},
        {ESaveStep::Rename, EXDEV, "Invalid cross-device link"},
        {ESaveStep::Verify, 0, "the file read back differs from what was written"},
        {ESaveStep::Write, ENOSPC, "No space left on device"},
    };
    const QByteArray old = MakeTarget("t.log");
    for (const TCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Step));
        TSaveFaultScope fault(c.Step, c.ErrorNumber, "t.log");
        const TSaveResult r = SaveFile(Path("t.log"), Pattern(900, 'q'), Verified());
        EXPECT_EQ(r.FailedStep, c.Step);
        EXPECT_EQ(r.Reason, c.Reason);
        EXPECT_EQ(r.Path, Path("t.log"));
        EXPECT_EQ(ReadAll(Path("t.log")), old);
        ExpectOnlyFiles({"t.log"});
        // The fault is limited to its file: others still save.
        EXPECT_TRUE(SaveFile(Path("other.bin"), QByteArray("x")).Ok());
        QFile::remove(Path("other.bin"));
    }
}

TEST_F(SaveFileTest, AMissingFolderIsReportedWithItsReason) {
    const TSaveResult r = SaveFile(Path("no/such/a.log"), QByteArray("x"));
    EXPECT_EQ(r.FailedStep, ESaveStep::CreateTemp);
    EXPECT_EQ(r.Reason, "No such file or directory");
    const TSaveResult dir = SaveFile(m_dir.path(), QByteArray("x"));
    EXPECT_EQ(dir.Reason, "Is a directory");
}

TEST_F(SaveFileTest, ErrorNumbersWithoutADescriptionAreNamedByNumber) {
    EXPECT_EQ(SystemErrorDescription(ENOSPC), "No space left on device");
    EXPECT_EQ(SystemErrorDescription(EROFS), "Read-only file system");
    EXPECT_EQ(SystemErrorDescription(9999), "error 9999");
}

TEST_F(SaveFileTest, BackupsHoldThePreviousFilesAndTheNewestTenAreKept) {
    const QString backups = Path("Backups");
    TSaveOptions how = WithBackup(backups);
    ASSERT_TRUE(SaveFile(Path("dives.log"), QByteArray("v0"), how).Ok());
    EXPECT_TRUE(BackupsOf(backups, "dives").isEmpty()) << "nothing to keep before the first save";

    // Twelve saves, three of them within one second each.
    const QDateTime base(QDate(2026, 12, 8), QTime(10, 0, 0));
    const int seconds[] = {0, 1, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    for (int i = 0; i < 12; ++i) {
        how.BackupTime = base.addSecs(seconds[i]);
        const TSaveResult r = SaveFile(Path("dives.log"), QByteArray("v") + QByteArray::number(i + 1), how);
        ASSERT_TRUE(r.Ok()) << r.Message().toStdString();
        EXPECT_EQ(ReadAll(r.BackupPath), QByteArray("v") + QByteArray::number(i));
    }
    const QStringList kept = BackupsOf(backups, "dives");
    ASSERT_EQ(kept.size(), 10);
    // The oldest two (v0 and v1) went; the three of 10:00:01 stay distinct and in order.
    QStringList names;
    for (const QString& f : kept) names << QFileInfo(f).fileName();
    EXPECT_EQ(names.mid(0, 3), QStringList({"dives-20261208-100001-2.log", "dives-20261208-100001-3.log",
                                            "dives-20261208-100002.log"}));
    for (int i = 0; i < 10; ++i) EXPECT_EQ(ReadAll(kept[i]), QByteArray("v") + QByteArray::number(i + 2));
}

TEST_F(SaveFileTest, ABackupThatCannotBeWrittenStopsTheSave) {
    const QByteArray old = MakeTarget("t.log");
    // The backup folder's place is taken by a file.
    ASSERT_TRUE(SaveFile(Path("Backups"), QByteArray("not a folder")).Ok());
    const TSaveResult r = SaveFile(Path("t.log"), QByteArray("new"), WithBackup(Path("Backups/")));
    EXPECT_EQ(r.FailedStep, ESaveStep::Backup);
    EXPECT_EQ(r.Reason, "Not a directory");
    EXPECT_TRUE(r.Message().contains("nothing was saved"));
    EXPECT_EQ(ReadAll(Path("t.log")), old);
    ExpectOnlyFiles({"Backups", "t.log"});

    // A backup cut short by a full disk stops it too.
    QFile::remove(Path("Backups"));
    TSaveFaultScope fault(ESaveStep::Write, ENOSPC, "Backups");
    const TSaveResult full = SaveFile(Path("t.log"), QByteArray("new"), WithBackup(Path("Backups/")));
    EXPECT_EQ(full.FailedStep, ESaveStep::Backup);
    EXPECT_EQ(full.Reason, "No space left on device");
    EXPECT_EQ(ReadAll(Path("t.log")), old);
}

}  // namespace

// A streamed save writes what its writer produced, and fails with the platform's reason
// when the disk refuses a write however the writer treats the failed calls, or with the
// writer's own reason; the previous file stays each time.
TEST_F(SaveFileTest, AStreamedSaveFailsOnARefusedWriteOrItsWritersFailure) {
    const QByteArray big = Pattern(qsizetype{3} << 20, 's');
    const auto writeInPieces = [&big](QIODevice& out, QString&) {
        for (qsizetype at = 0; at < big.size(); at += 4096) out.write(big.constData() + at, 4096);
        return true;  // ignores what each write returned, as a careless writer does
    };
    ASSERT_TRUE(SaveFileStreamed(Path("s.uddf"), writeInPieces).Ok());
    EXPECT_EQ(ReadAll(Path("s.uddf")), big);

    const QByteArray old = MakeTarget("t.uddf");
    TSaveResult r;
    {
        TFileSizeLimit limit(1 << 20);
        r = SaveFileStreamed(Path("t.uddf"), writeInPieces, WithBackup(Path("b")));
    }
    EXPECT_EQ(r.FailedStep, ESaveStep::Write);
    EXPECT_EQ(r.Reason, "File too large");
    EXPECT_EQ(ReadAll(Path("t.uddf")), old);

    r = SaveFileStreamed(Path("t.uddf"), [](QIODevice& out, QString& reason) {
        out.write("<uddf");
        reason = QStringLiteral("dive 3 cannot be replayed");
        return false;
    });
    EXPECT_EQ(r.FailedStep, ESaveStep::Write);
    EXPECT_EQ(r.Message(),
              QStringLiteral("Cannot save \"%1\": dive 3 cannot be replayed").arg(Path("t.uddf")));
    EXPECT_EQ(ReadAll(Path("t.uddf")), old);
    ExpectOnlyFiles({"s.uddf", "t.uddf"});
}
