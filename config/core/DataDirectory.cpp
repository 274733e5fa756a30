#include "DataDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace {

QString WithSlash(const QString& dir) {
    return dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/');
}

}  // namespace

QString DataDirectory(const QString& appDataFolder, const QString& exeDir) {
    if (!appDataFolder.isEmpty()) {
        QString dir = WithSlash(appDataFolder) + QStringLiteral("Vandrel/Kelvara/");
        if (QDir().mkpath(dir)) return dir;
    }
    return WithSlash(exeDir);
}

QString DataDirectory() {
    return DataDirectory(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation), ExeDir());
}

QString ExeDir() { return WithSlash(QCoreApplication::applicationDirPath()); }
