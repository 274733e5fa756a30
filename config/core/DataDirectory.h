#pragma once
// Where the configuration tool keeps "CF.DSK" and "MemData.HST": the per-user folder
// shared with the logbook program, "/Vandrel/Kelvara/" under the application-data
// folder; the program's own folder when that folder is unknown or cannot be made.
//
//   QString dir = DataDirectory(QStandardPaths::writableLocation(GenericDataLocation),
//                               QCoreApplication::applicationDirPath());   // ends with "/"

#include <QString>

QString DataDirectory(const QString& appDataFolder, const QString& exeDir);
// The same for the running program (Qt's generic data location, the executable's folder).
QString DataDirectory();
// The executable's folder with a trailing "/".
QString ExeDir();
