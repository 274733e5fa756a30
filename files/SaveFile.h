#pragma once
// The one way every program of the package writes a file: logbooks, both settings files,
// the read history, exports and the generated data files. A file is either replaced as a
// whole by the new bytes or left exactly as it was; a failure is never reported as success.
//
//   TSaveOptions how;
//   how.Verify = true;                              // logbooks: read back and compare
//   how.BackupDir = dataDir + "Backups/";          // keep the previous file first
//   const TSaveResult r = SaveFile(path, bytes, how);
//   if (!r.Ok()) report(r.Message());              // English, with the platform's reason
//                                                   // SaveTexts.h has it in the user's language
//
// How: the bytes go unbuffered into a new temporary file beside the target, every short or
// failed write, the sync to the disk and the close are checked; with `Verify` the file is
// dropped from the page cache and read back from the disk and compared; with `BackupDir`
// the previous target is copied there (through this same routine) as
// "<name>-<yyyyMMdd-HHmmss>.log", keeping the newest `BackupsKept`; only then is the
// temporary file renamed over the target and the folder synced. On any failure the
// temporary file is removed and the target is untouched.

#include <QByteArray>
#include <QDateTime>
#include <QString>

class QIODevice;
#include <cstdint>
#include <functional>
#include <span>

// The step of a save that failed.
enum class ESaveStep {
    None,
    CreateTemp,  // the temporary file could not be created beside the target
    Write,       // a write failed or stayed short (full disk, file size limit, ...)
    Sync,        // the sync to the disk, or the close, failed
    Verify,      // the file read back differs from the bytes meant to be written, or cannot be read
    Backup,      // the previous file could not be kept as a backup; nothing was replaced
    Rename,      // the temporary file could not take the place of the target
};

struct TSaveOptions {
    // Read the written file back from the disk and compare it before it replaces the target.
    bool Verify = false;
    // When set and the target exists, the previous file is copied into this folder (created
    // when missing) before it is replaced; a backup that cannot be written stops the save.
    QString BackupDir;
    // Name of the backups; the target's name without its extension when empty.
    QString BackupName;
    int BackupsKept = 10;
    // Time in the backup's name; the current local time when invalid.
    QDateTime BackupTime;
};

struct TSaveResult {
    ESaveStep FailedStep = ESaveStep::None;
    // The platform's error number; 0 for a verification mismatch.
    int ErrorNumber = 0;
    // The file the failure concerns: the target, or the backup for ESaveStep::Backup.
    QString Path;
    // English reason: the platform's description ("No space left on device") or, for a
    // mismatch, "the file read back differs from what was written".
    QString Reason;
    // The backup written by this save, when there was one.
    QString BackupPath;

    bool Ok() const { return FailedStep == ESaveStep::None; }
    // English one-line report: Cannot save "<path>": <reason>
    QString Message() const;
};

TSaveResult SaveFile(const QString& path, std::span<const char> bytes, const TSaveOptions& options = {});
TSaveResult SaveFile(const QString& path, const QByteArray& bytes, const TSaveOptions& options = {});
TSaveResult SaveFile(const QString& path, std::span<const std::uint8_t> bytes,
                     const TSaveOptions& options = {});

// For contents too large to build in memory first (exports of a whole logbook): `write`
// produces them into the device it is given and returns false with its reason when it
// cannot. The same temporary file, sync, backup and rename as SaveFile; a failed write to
// the device fails the save with the platform's reason whatever `write` returns. No
// read-back: `Verify` is ignored.
//
//   SaveFileStreamed(path, [&](QIODevice& out, QString& reason) { return WriteUddf(out, ...); });
using TSaveWriter = std::function<bool(QIODevice& out, QString& reason)>;
TSaveResult SaveFileStreamed(const QString& path, const TSaveWriter& write, const TSaveOptions& options = {});

// The platform's English description of an error number; never "Unknown error": a number
// without a description reads "error 123".
QString SystemErrorDescription(int errorNumber);

// The backups of `name` in `backupDir`, oldest first.
QStringList BackupsOf(const QString& backupDir, const QString& name);
