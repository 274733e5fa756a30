// Recovery copies: taken of the logbook, written whole by the worker, removed when the
// changes are saved or given up, and found again at the next start.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "SaveFile.h"
#include "TRecoveryKeeper.h"

namespace {

void EnsureApplication() {
    static int argc = 1;
    static char name[] = "kv_core_tests";
    static char* argv[] = {name, nullptr};
    // Lives until the test program ends.
    static const QCoreApplication* const app =
        QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    Q_UNUSED(app);
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void SetTime(const QString& path, const QDateTime& when) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
}

class RecoveryKeeperTest : public ::testing::Test {
protected:
    void SetUp() override { EnsureApplication(); }
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QString Folder() const { return Path("Recovery"); }
    QStringList Files() const { return QDir(Folder()).entryList(QDir::Files, QDir::Name); }

    // A copy of `logbook` as an earlier run left it, written at `when`.
    void LeaveCopy(const QString& logbook, const QDateTime& when) {
        std::vector<std::uint8_t> image = {1, 2, 3};
        TRecoveryKeeper keeper(Folder(), [&] { return TRecoverySnapshot{logbook, image}; });
        keeper.WriteNow();
        keeper.WaitForWrites();
        SetTime(TRecoveryKeeper::CopyPathOf(Folder(), logbook), when);
    }

    QTemporaryDir m_dir;
};

TEST_F(RecoveryKeeperTest, AChangeIsCopiedWithinTwoSecondsAndTheCopyGoesOnDiscard) {
    std::vector<std::uint8_t> image = {0xA1, 0, 7};
    TRecoveryKeeper keeper(Folder(), [&] { return TRecoverySnapshot{Path("dives.log"), image}; });
    keeper.Changed();
    ASSERT_TRUE(keeper.Timer().isActive());
    EXPECT_LE(keeper.Timer().interval(), 2000);
    EXPECT_TRUE(keeper.Timer().isSingleShot());
    EXPECT_EQ(keeper.Timer().timerType(), Qt::PreciseTimer);

    keeper.WriteNow();
    keeper.WaitForWrites();
    EXPECT_FALSE(keeper.Timer().isActive());
    const QString copy = TRecoveryKeeper::CopyPathOf(Folder(), Path("dives.log"));
    EXPECT_TRUE(QFileInfo(copy).fileName().startsWith("dives-"));
    EXPECT_EQ(ReadAll(copy), QByteArray("\xA1\x00\x07", 3));

    // A later change replaces the copy whole.
    image = {0xA1, 0, 8, 9};
    keeper.WriteNow();
    keeper.WaitForWrites();
    EXPECT_EQ(ReadAll(copy).size(), 4);
    EXPECT_EQ(Files().size(), 2);

    keeper.Changed();
    keeper.Discard();
    EXPECT_FALSE(keeper.Timer().isActive());
    EXPECT_TRUE(Files().isEmpty());
}

TEST_F(RecoveryKeeperTest, OnlyCopiesNewerThanTheirLogbooksArePendingNewestFirst) {
    const QDateTime t0(QDate(2026, 12, 1), QTime(12, 0));
    ASSERT_TRUE(SaveFile(Path("saved.log"), QByteArray("x")).Ok());
    ASSERT_TRUE(SaveFile(Path("edited.log"), QByteArray("x")).Ok());
    SetTime(Path("saved.log"), t0.addSecs(60));
    SetTime(Path("edited.log"), t0);

    LeaveCopy(Path("saved.log"), t0);  // the logbook was saved after the copy
    LeaveCopy(Path("edited.log"), t0.addSecs(30));
    LeaveCopy(Path("never-saved.log"), t0.addSecs(90));  // no file of that name
    const std::vector<TRecoveryCopy> pending = TRecoveryKeeper::PendingCopies(Folder());
    ASSERT_EQ(pending.size(), 2u);
    EXPECT_EQ(pending[0].LogbookName, Path("never-saved.log"));
    EXPECT_EQ(pending[1].LogbookName, Path("edited.log"));
    EXPECT_EQ(pending[1].Written, t0.addSecs(30));
    // The outdated copy went.
    EXPECT_FALSE(QFile::exists(TRecoveryKeeper::CopyPathOf(Folder(), Path("saved.log"))));
    EXPECT_EQ(Files().size(), 4);

    // Two logbooks of the same name in different folders keep separate copies.
    EXPECT_NE(TRecoveryKeeper::CopyPathOf(Folder(), Path("a/x.log")),
              TRecoveryKeeper::CopyPathOf(Folder(), Path("b/x.log")));
}

TEST_F(RecoveryKeeperTest, AKeeperThatEndsWithoutDiscardLeavesItsCopy) {
    {
        std::vector<std::uint8_t> image(100000, 0x5A);
        TRecoveryKeeper keeper(Folder(), [&] { return TRecoverySnapshot{Path("big.log"), image}; });
        keeper.Changed();
        keeper.WriteNow();
    }
    EXPECT_EQ(ReadAll(TRecoveryKeeper::CopyPathOf(Folder(), Path("big.log"))).size(), 100000);
    EXPECT_EQ(TRecoveryKeeper::PendingCopies(Folder()).size(), 1u);
}

}  // namespace
