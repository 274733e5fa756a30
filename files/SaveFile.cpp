#include "SaveFile.h"

#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

#include "SaveFaultSeam.h"
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::mutex g_faultMutex;
std::optional<TSaveFault> g_fault;

// The error number the seam injects into this step of a save of `path`, or 0.
int InjectedError(ESaveStep step, const QString& path, bool* mismatch = nullptr) {
    const std::lock_guard lock(g_faultMutex);
    if (!g_fault || g_fault->Step != step) return 0;
    if (!g_fault->PathContains.isEmpty() && !path.contains(g_fault->PathContains)) return 0;
    if (mismatch) *mismatch = g_fault->ErrorNumber == 0;
    return g_fault->ErrorNumber;
}

QByteArray Native(const QString& path) { return QFile::encodeName(path); }

TSaveResult Failure(ESaveStep step, const QString& path, int errorNumber) {
    TSaveResult r;
    r.FailedStep = step;
    r.ErrorNumber = errorNumber;
    r.Path = path;
    r.Reason = SystemErrorDescription(errorNumber);
    return r;
}

// Closes a descriptor once; the close of the written file is checked separately.
class TFd {
public:
    explicit TFd(int fd = -1) : m_fd(fd) {}
    ~TFd() {
        if (m_fd >= 0) ::close(m_fd);
    }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    int Get() const { return m_fd; }
    // Closes now; false with errno set when the close reports an error.
    bool Close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        // Large files go in pieces so a single call never exceeds what the kernel takes.
        const std::size_t chunk = std::min<std::size_t>(size, std::size_t{1} << 30);
        const ssize_t n = ::write(fd, data, chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        // A short write is followed by another, which reports why the rest did not fit.
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Reads the file at `path` back and compares it with `bytes`; errno is 0 on a mismatch.
bool SameOnDisk(const QByteArray& nativePath, std::span<const char> bytes) {
    TFd fd(::open(nativePath.constData(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0) return false;
    std::vector<char> buffer(std::size_t{1} << 20);
    std::size_t offset = 0;
    for (;;) {
        const ssize_t n = ::read(fd.Get(), buffer.data(), buffer.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) break;
        const auto got = static_cast<std::size_t>(n);
        if (offset + got > bytes.size() || std::memcmp(buffer.data(), bytes.data() + offset, got) != 0) {
            errno = 0;
            return false;
        }
        offset += got;
    }
    if (offset != bytes.size()) {
        errno = 0;
        return false;
    }
    return true;
}

// Reads a whole file; false with errno set.
bool ReadWholeFile(const QString& path, QByteArray& bytes) {
    TFd fd(::open(Native(path).constData(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0) return false;
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) return false;
    bytes.resize(static_cast<qsizetype>(st.st_size));
    qsizetype offset = 0;
    for (;;) {
        if (offset == bytes.size()) bytes.resize(bytes.size() + 65536);
        const ssize_t n =
            ::read(fd.Get(), bytes.data() + offset, static_cast<std::size_t>(bytes.size() - offset));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) break;
        offset += n;
    }
    bytes.truncate(offset);
    return true;
}

// Creates a folder with its parents; false with errno set.
bool MakeFolder(const QString& folder) {
    const QString clean = QDir::cleanPath(folder);
    struct stat st {};
    if (::stat(Native(clean).constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return true;
        errno = ENOTDIR;
        return false;
    }
    const QString parent = QFileInfo(clean).path();
    if (parent != clean && !MakeFolder(parent)) return false;
    if (::mkdir(Native(clean).constData(), 0777) == 0 || errno == EEXIST) return true;
    return false;
}

void SyncFolder(const QString& folder) {
    // The rename is only durable once the folder's entry is on the disk; a folder that
    // cannot be synced (some file systems refuse) still holds the complete new file.
    TFd fd(::open(Native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() >= 0) ::fsync(fd.Get());
}

struct TBackupName {
    QString Stamp;
    int Counter = 1;
    QString File;
};

std::vector<TBackupName> ListBackups(const QString& backupDir, const QString& name) {
    const QRegularExpression pattern(
        QStringLiteral("^%1-(\\d{8}-\\d{6})(?:-(\\d{1,4}))?\\.log$").arg(QRegularExpression::escape(name)));
    std::vector<TBackupName> found;
    const QStringList files = QDir(backupDir).entryList(QDir::Files | QDir::Hidden);
    for (const QString& file : files) {
        const QRegularExpressionMatch m = pattern.match(file);
        if (!m.hasMatch()) continue;
        found.push_back({m.captured(1), m.captured(2).isEmpty() ? 1 : m.captured(2).toInt(), file});
    }
    std::sort(found.begin(), found.end(), [](const TBackupName& a, const TBackupName& b) {
        return a.Stamp != b.Stamp ? a.Stamp < b.Stamp : a.Counter < b.Counter;
    });
    return found;
}

// Copies the previous target into the backup folder; fills `result` on failure.
bool KeepBackup(const QString& target, const TSaveOptions& options, TSaveResult& result) {
    const QString dir = QDir(options.BackupDir).absolutePath() + QLatin1Char('/');
    const QString name =
        options.BackupName.isEmpty() ? QFileInfo(target).completeBaseName() : options.BackupName;
    const QDateTime when = options.BackupTime.isValid() ? options.BackupTime : QDateTime::currentDateTime();
    const QString stamp = when.toString(QStringLiteral("yyyyMMdd-HHmmss"));

    if (const int injected = InjectedError(ESaveStep::Backup, dir)) {
        result = Failure(ESaveStep::Backup, dir, injected);
        return false;
    }
    if (!MakeFolder(dir)) {
        result = Failure(ESaveStep::Backup, dir, errno);
        return false;
    }
    QByteArray bytes;
    if (!ReadWholeFile(target, bytes)) {
        result = Failure(ESaveStep::Backup, target, errno);
        return false;
    }

    // Two saves within one second keep both backups: the later one gets a counter.
    QString file = dir + QStringLiteral("%1-%2.log").arg(name, stamp);
    for (int counter = 2; QFileInfo::exists(file); ++counter)
        file = dir + QStringLiteral("%1-%2-%3.log").arg(name, stamp).arg(counter);
    const TSaveResult written = SaveFile(file, bytes);
    if (!written.Ok()) {
        result = written;
        result.FailedStep = ESaveStep::Backup;
        return false;
    }
    result.BackupPath = file;

    const std::vector<TBackupName> all = ListBackups(dir, name);
    const auto keep = static_cast<std::size_t>(std::max(options.BackupsKept, 1));
    for (std::size_t i = 0; i + keep < all.size(); ++i) QFile::remove(dir + all[i].File);
    return true;
}

}  // namespace

void SetSaveFault(const TSaveFault& fault) {
    const std::lock_guard lock(g_faultMutex);
    g_fault = fault;
}

void ClearSaveFault() {
    const std::lock_guard lock(g_faultMutex);
    g_fault.reset();
}

QString SystemErrorDescription(int errorNumber) {
    // The description without the locale's translation: the programs show their own
    // translations (SaveTexts.h) and kvlog reports in English.
    if (const char* text = ::strerrordesc_np(errorNumber)) return QString::fromUtf8(text);
    return QStringLiteral("error %1").arg(errorNumber);
}

QString TSaveResult::Message() const {
    if (Ok()) return {};
    if (FailedStep == ESaveStep::Backup)
        return QStringLiteral("Cannot keep a backup in \"%1\": %2; nothing was saved").arg(Path, Reason);
    return QStringLiteral("Cannot save \"%1\": %2").arg(Path, Reason);
}

QStringList BackupsOf(const QString& backupDir, const QString& name) {
    QStringList files;
    for (const TBackupName& b : ListBackups(backupDir, name)) files << QDir(backupDir).filePath(b.File);
    return files;
}

TSaveResult SaveFile(const QString& path, const QByteArray& bytes, const TSaveOptions& options) {
    return SaveFile(path, std::span<const char>(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                    options);
}

TSaveResult SaveFile(const QString& path, std::span<const std::uint8_t> bytes, const TSaveOptions& options) {
    return SaveFile(path, std::span<const char>(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                    options);
}

namespace {

// Collects what a streamed save writes and hands it to the file in large checked writes; the
// first failed write is kept and every later one refused, so that a writer that does not
// check each call still ends in a failed save.
class TFileSink : public QIODevice {
public:
    TFileSink(int fd, QString path) : m_fd(fd), m_path(std::move(path)) {
        m_collected.reserve(kChunk + kChunk / 4);
        open(QIODevice::WriteOnly);
    }
    int ErrorNumber() const { return m_error; }
    // Writes what is still collected; false with ErrorNumber() set on failure.
    bool Finish() { return FlushCollected(); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (m_error != 0) return -1;
        m_collected.append(data, size);
        if (m_collected.size() >= kChunk && !FlushCollected()) return -1;
        return size;
    }

private:
    static constexpr qsizetype kChunk = qsizetype{1} << 20;

    bool FlushCollected() {
        if (m_error != 0) return false;
        if (const int injected = InjectedError(ESaveStep::Write, m_path)) m_error = injected;
        if (m_error == 0 &&
            !WriteAll(m_fd, m_collected.constData(), static_cast<std::size_t>(m_collected.size())))
            m_error = errno != 0 ? errno : EIO;
        m_collected.resize(0);  // keeps its room for the next piece
        if (m_error != 0) setErrorString(SystemErrorDescription(m_error));
        return m_error == 0;
    }

    int m_fd;
    QString m_path;
    int m_error = 0;
    QByteArray m_collected;
};

// Writes the new contents into the open temporary file; on failure sets the result's step,
// error number and reason (the path is filled in by the caller).
using TContentWriter = std::function<bool(int fd, TSaveResult& failure)>;

TSaveResult SaveThrough(const QString& requestedPath, const TContentWriter& writeContents,
                        std::span<const char> verifyBytes, const TSaveOptions& options) {
    // A symbolic link keeps pointing at the file it named: the file behind it is replaced.
    QString path = requestedPath;
    const QFileInfo requested(requestedPath);
    if (requested.isSymLink() && requested.exists()) path = requested.canonicalFilePath();

    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    struct stat targetStat {};
    const bool targetExists = ::stat(Native(path).constData(), &targetStat) == 0;
    if (targetExists && S_ISDIR(targetStat.st_mode)) return Failure(ESaveStep::CreateTemp, path, EISDIR);

    // The temporary file sits beside the target, so the rename never crosses file systems.
    QString temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = folder + QStringLiteral("/.%1.saving-%2")
                            .arg(info.fileName())
                            .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        fd = ::open(Native(temp).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) return Failure(ESaveStep::CreateTemp, path, errno);
    TFd file(fd);
    const QByteArray nativeTemp = Native(temp);
    const auto fail = [&](ESaveStep step, int errorNumber) {
        ::unlink(nativeTemp.constData());
        return Failure(step, path, errorNumber);
    };
    // The new file keeps the rights of the one it replaces.
    if (targetExists) ::fchmod(fd, targetStat.st_mode & 07777);

    TSaveResult written;
    if (!writeContents(fd, written)) {
        ::unlink(nativeTemp.constData());
        written.Path = path;
        return written;
    }
    if (const int injected = InjectedError(ESaveStep::Sync, path)) return fail(ESaveStep::Sync, injected);
    if (::fsync(fd) != 0) return fail(ESaveStep::Sync, errno);
    if (options.Verify) {
        // Clean pages leave the cache, so the comparison reads what the disk holds.
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    }
    if (!file.Close()) return fail(ESaveStep::Sync, errno);

    if (options.Verify) {
        bool mismatch = false;
        const int injected = InjectedError(ESaveStep::Verify, path, &mismatch);
        const bool same = !injected && !mismatch && SameOnDisk(nativeTemp, verifyBytes);
        if (!same) {
            TSaveResult r = fail(ESaveStep::Verify, injected || mismatch ? injected : errno);
            if (r.ErrorNumber == 0)
                r.Reason = QStringLiteral("the file read back differs from what was written");
            return r;
        }
    }

    TSaveResult result;
    if (targetExists && !options.BackupDir.isEmpty() && S_ISREG(targetStat.st_mode)) {
        if (!KeepBackup(path, options, result)) {
            ::unlink(nativeTemp.constData());
            return result;
        }
    }

    if (const int injected = InjectedError(ESaveStep::Rename, path)) return fail(ESaveStep::Rename, injected);
    if (::rename(nativeTemp.constData(), Native(path).constData()) != 0)
        return fail(ESaveStep::Rename, errno);
    SyncFolder(folder);
    return result;
}

}  // namespace

TSaveResult SaveFile(const QString& path, std::span<const char> bytes, const TSaveOptions& options) {
    const auto writeBytes = [&](int fd, TSaveResult& failure) {
        int error = InjectedError(ESaveStep::Write, path);
        if (error == 0 && !WriteAll(fd, bytes.data(), bytes.size())) error = errno;
        if (error == 0) return true;
        failure = Failure(ESaveStep::Write, path, error);
        return false;
    };
    return SaveThrough(path, writeBytes, bytes, options);
}

TSaveResult SaveFileStreamed(const QString& path, const TSaveWriter& write, const TSaveOptions& options) {
    const auto writeStream = [&](int fd, TSaveResult& failure) {
        TFileSink sink(fd, path);
        QString reason;
        const bool produced = write(sink, reason);
        // A failed write outranks what the writer made of it: its reason names the cause.
        if (!sink.Finish() || sink.ErrorNumber() != 0) {
            failure = Failure(ESaveStep::Write, path, sink.ErrorNumber());
            return false;
        }
        if (produced) return true;
        failure.FailedStep = ESaveStep::Write;
        failure.Reason = reason;
        return false;
    };
    TSaveOptions streamed = options;
    streamed.Verify = false;  // the contents are not kept for a comparison
    return SaveThrough(path, writeStream, {}, streamed);
}
