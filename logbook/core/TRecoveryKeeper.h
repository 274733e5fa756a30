#pragma once
// The recovery copy of a logbook with unsaved changes: if Kelwin ends without closing (a
// crash, a power cut, kill -9), the next start offers the changes of the last 2 seconds
// before the end.
//
//   TRecoveryKeeper keeper(RecoveryDirectory(dataDir), [&] {
//       return TRecoverySnapshot{settings.LogbookName, LogbookImage(logbook, dosText)};
//   });
//   keeper.Changed();        // after each change: a copy within 2 s
//   keeper.Discard();        // saved, new, opened, or closed: the copy goes
//   // at start:
//   for (const TRecoveryCopy& c : TRecoveryKeeper::PendingCopies(dir)) ...  // newest first
//
// The image is taken on the user-interface thread (a plain byte image of the logbook,
// milliseconds even for a full logbook) and written on a worker thread through SaveFile,
// so the disk never holds up the windows. Each copy is complete or absent: a copy is
// "<name>-<hash of the path>.log" with the logbook's full path beside it in a ".path" file.

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <vector>

struct TRecoverySnapshot {
    QString LogbookName;
    std::vector<std::uint8_t> Image;
};

struct TRecoveryCopy {
    QString CopyPath;     // the logbook image
    QString LogbookName;  // the logbook whose unsaved changes it holds
    QDateTime Written;    // when the copy was written
};

class TRecoveryKeeper : public QObject {
    Q_OBJECT
public:
    static constexpr int kDelayMs = 2000;

    TRecoveryKeeper(QString recoveryDir, std::function<TRecoverySnapshot()> snapshot,
                    QObject* parent = nullptr);
    // Waits for a copy being written and leaves it: a window that ends without closing
    // is the case the copy is for.
    ~TRecoveryKeeper() override;

    // A change to the logbook: a copy is taken at the latest kDelayMs later.
    void Changed();
    // Takes the copy now (what the timer does).
    void WriteNow();
    // The changes were saved or given up: no copy is due and the copies written go.
    void Discard();
    // A copy of an earlier run whose changes are open again: removed by the next Discard.
    void Adopt(const QString& copyPath) {
        if (!m_written.contains(copyPath)) m_written << copyPath;
    }
    // Until every copy handed to the worker is on the disk.
    void WaitForWrites();

    const QTimer& Timer() const { return m_timer; }
    const QString& Folder() const { return m_folder; }

    // The copy of a logbook (it need not exist).
    static QString CopyPathOf(const QString& recoveryDir, const QString& logbookName);
    // Copies newer than their logbooks (or of logbooks that no longer exist), newest
    // first. Copies that are not newer are outdated (the logbook was saved since) and are
    // removed.
    static std::vector<TRecoveryCopy> PendingCopies(const QString& recoveryDir);
    static void RemoveCopy(const QString& copyPath);

private:
    QString m_folder;
    std::function<TRecoverySnapshot()> m_snapshot;
    QTimer m_timer;
    QThreadPool m_worker;
    // Copies written since the last Discard, removed by the next.
    QStringList m_written;
};
