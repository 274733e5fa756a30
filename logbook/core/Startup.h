#pragma once
// Start-up rules of the logbook program that need no window: the program and data
// folders, the settings file, the logbook named on the command line, the first start
// with its copy of the example logbook, window placements and the four-digit-year date
// format. Every function takes the folders it works on, so tests run on temporary
// folders. Folder texts end in "/".
//
//   QString dataDir = DataDir(SpecialFolder(kFolderAppData), ExeDir());
//   bool first = IsFirstStart(dataDir);
//   SettingsRecord s = ReadSettings(dataDir);

#include <QRect>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

#include "SettingsRecord.h"

inline constexpr int kFolderAppData = 26;
inline constexpr int kFolderDocuments = 5;

inline constexpr const char* kSettingsFileName = "KVWIN.DSK";
inline constexpr const char* kExampleLogbookName = "EXAMPLE.LOG";
inline constexpr const char* kDataSubPath = "/Vandrel/Kelvara/";

// "dd.MM.yy" -> "dd.MM.yyyy": from the first "y", fewer than three y/Y letters up to the
// end get copies of that first "y" inserted until there are four.
QString AdjustShortDateFormat(const QString& format);

// Folder of the executable, ending in "/" (kept in full).
QString ExeDir();
// The application-data folder (26) or documents folder (5); empty when there is none
// or for any other kind.
QString SpecialFolder(int kind);
// appDataFolder + "/Vandrel/Kelvara/", created with its parents; exeDir when the
// folder is empty or cannot be created.
QString DataDir(const QString& appDataFolder, const QString& exeDir);
// documentsFolder + "/" ("/" when there is none).
QString DocumentsDir(const QString& documentsFolder);

QString SettingsFilePath(const QString& dataDir);
bool IsFirstStart(const QString& dataDir);
// The record of KVWIN.DSK, or the defaults when it is missing, short or of another
// version; in that case the file is deleted.
SettingsRecord ReadSettings(const QString& dataDir);
// Writes KVWIN.DSK atomically; EStreamWriteError on failure (the old file stays).
void WriteSettings(const QString& dataDir, const SettingsRecord& settings);

// The command-line rule: the arguments joined with blanks name an existing file, or
// else each argument that names an existing file (the last wins). Returns `current`
// when none does. `args` excludes the program name.
QString LogbookFromCommandLine(const QStringList& args, const QString& current);

// First start (no KVWIN.DSK): the logbook becomes the example next to the program;
// with a documents folder the language is chosen from the marker files, and the example
// is copied into documentsFolder + LogbooksFolder(language) (message 52,
// "/My Logbooks/") unless a copy is already there.
struct FirstStartInput {
    QString ExeDir;                                       // ends in "/"
    QString DocumentsFolder;                              // SpecialFolder(5), may be empty
    std::function<int()> ChooseLanguage;                  // the marker-file rule
    std::function<QString(int language)> LogbooksFolder;  // message 52 of the language
};
struct FirstStartResult {
    QString LogbookName;
    bool LanguageChosen = false;  // true when ChooseLanguage ran (documents folder present)
    int LanguageIndex = 0;
    bool ExampleCopied = false;
};
FirstStartResult ApplyFirstStart(const FirstStartInput& input);

// "Can be opened for reading and writing": the file exists and opens read-write.
// Never creates the file.
bool CanOpenReadWrite(const QString& path);

// A window's frame as the platform reports it, without widgets.
struct WindowGeometry {
    QRect Frame;        // current outer rectangle
    QRect NormalFrame;  // outer rectangle in the normal state (kept while maximised)
    WindowShowState State = WindowShowState::Normal;
};
// The rectangle is taken while the window is normal, otherwise the normal rectangle
// when the platform knows it; the state is always taken.
void SavePlacement(WindowPlacement& placement, const WindowGeometry& window);
// Rectangle to set first, then the state to apply. A state byte outside 0..2 is normal.
WindowGeometry RestorePlacement(const WindowPlacement& placement);
