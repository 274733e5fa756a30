#include "TRecoveryKeeper.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <memory>

#include "SaveFile.h"

namespace {

const QString kPathSuffix = QStringLiteral(".path");
const QString kCopySuffix = QStringLiteral(".log");

QString StemOf(const QString& recoveryDir, const QString& logbookName) {
    // The name keeps the copy recognisable; the hash keeps logbooks of the same name apart.
    const QByteArray hash =
        QCryptographicHash::hash(logbookName.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    QString name = QFileInfo(logbookName).completeBaseName();
    if (name.isEmpty()) name = QStringLiteral("logbook");
    return QDir(recoveryDir).filePath(name + QLatin1Char('-') + QString::fromLatin1(hash));
}

QString PathFileOf(const QString& copyPath) {
    return copyPath.left(copyPath.size() - kCopySuffix.size()) + kPathSuffix;
}

}  // namespace

TRecoveryKeeper::TRecoveryKeeper(QString recoveryDir, std::function<TRecoverySnapshot()> snapshot,
                                 QObject* parent)
    : QObject(parent), m_folder(std::move(recoveryDir)), m_snapshot(std::move(snapshot)) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(kDelayMs);
    // A coarse timer may fire up to 5 % late; the promise is "at most 2 s".
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TRecoveryKeeper::WriteNow);
    // One writer, so the copies reach the disk in the order they were taken.
    m_worker.setMaxThreadCount(1);
}

TRecoveryKeeper::~TRecoveryKeeper() { WaitForWrites(); }

void TRecoveryKeeper::Changed() {
    // A timer already running keeps its time: the first change waiting is the one that
    // must not wait longer than kDelayMs.
    if (!m_timer.isActive()) m_timer.start();
}

void TRecoveryKeeper::WriteNow() {
    m_timer.stop();
    auto snapshot = std::make_shared<TRecoverySnapshot>(m_snapshot());
    const QString copy = CopyPathOf(m_folder, snapshot->LogbookName);
    if (!m_written.contains(copy)) m_written << copy;
    const QString folder = m_folder;
    m_worker.start([snapshot, copy, folder] {
        QDir().mkpath(folder);
        const QString pathFile = PathFileOf(copy);
        TSaveResult saved;
        if (!QFileInfo::exists(pathFile)) saved = SaveFile(pathFile, snapshot->LogbookName.toUtf8());
        if (saved.Ok()) saved = SaveFile(copy, std::span<const std::uint8_t>(snapshot->Image));
        if (!saved.Ok()) qWarning("Recovery copy not written: %s", qPrintable(saved.Message()));
    });
}

void TRecoveryKeeper::Discard() {
    m_timer.stop();
    WaitForWrites();
    for (const QString& copy : std::as_const(m_written)) RemoveCopy(copy);
    m_written.clear();
}

void TRecoveryKeeper::WaitForWrites() { m_worker.waitForDone(); }

QString TRecoveryKeeper::CopyPathOf(const QString& recoveryDir, const QString& logbookName) {
    return StemOf(recoveryDir, logbookName) + kCopySuffix;
}

void TRecoveryKeeper::RemoveCopy(const QString& copyPath) {
    QFile::remove(copyPath);
    QFile::remove(PathFileOf(copyPath));
}

std::vector<TRecoveryCopy> TRecoveryKeeper::PendingCopies(const QString& recoveryDir) {
    std::vector<TRecoveryCopy> pending;
    const QDir dir(recoveryDir);
    for (const QString& pathFile : dir.entryList({QStringLiteral("*") + kPathSuffix}, QDir::Files)) {
        const QString stem = dir.filePath(pathFile.left(pathFile.size() - kPathSuffix.size()));
        const QString copy = stem + kCopySuffix;
        QFile names(stem + kPathSuffix);
        if (!names.open(QIODevice::ReadOnly)) continue;
        const QString logbook = QString::fromUtf8(names.readAll());
        names.close();
        const QFileInfo copyInfo(copy);
        if (!copyInfo.exists()) {
            // The copy never got written; its name alone holds no changes.
            QFile::remove(stem + kPathSuffix);
            continue;
        }
        const QFileInfo logbookInfo(logbook);
        if (logbookInfo.exists() && logbookInfo.lastModified() >= copyInfo.lastModified()) {
            RemoveCopy(copy);
            continue;
        }
        pending.push_back({copy, logbook, copyInfo.lastModified()});
    }
    std::sort(pending.begin(), pending.end(),
              [](const TRecoveryCopy& a, const TRecoveryCopy& b) { return a.Written > b.Written; });
    return pending;
}
