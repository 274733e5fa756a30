#pragma once
// Kelwin's start-up and shutdown around the main window: the date format, the parameter
// tables, the splash window, the windows, the data folder, the settings, the language,
// the command line, the first start with its copy of the example logbook, the placements,
// the last logbook, the idle hook and the ready flag; at the end the tables are closed.
//
//   TKelwinApp app(TKelwinEnvironment::FromSystem(QCoreApplication::arguments().mid(1)));
//   if (!app.Start()) { ShowError(app.StartError()); return 1; }
//   return QApplication::exec();          // closing the main window writes the settings
//
// Tests give their own folders and prompts, so nothing touches the real home folder.

#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "IKelwinPrompts.h"
#include "SettingsRecord.h"

class TDialogFocus;
class TKelvara;
class TParameterTables;
class TKelwinCompanions;
class TKelwinDiveWindows;
class TKelwinProfile;
class TKelwinReports;
class TKelwinTransfer;
class TSplash;

struct TKelwinEnvironment {
    QString ExeDir;           // folder of the program and its data files, ends in "/"
    QString AppDataFolder;    // the user's application-data folder; empty when there is none
    QString DocumentsFolder;  // the user's documents folder; empty when there is none
    QStringList Arguments;    // command line without the program name
    QLocale Locale;           // source of the short date format and the AM/PM texts
    bool ShowSplash = true;
    // Prompts of the main window; message boxes and dialogs when not set.
    std::function<std::unique_ptr<IKelwinPrompts>()> MakePrompts;

    // The folders and locale of the running system.
    static TKelwinEnvironment FromSystem(const QStringList& arguments);
};

class TKelwinApp {
public:
    explicit TKelwinApp(TKelwinEnvironment environment);
    ~TKelwinApp();
    TKelwinApp(const TKelwinApp&) = delete;
    TKelwinApp& operator=(const TKelwinApp&) = delete;

    // Runs the start-up up to the ready flag and shows the main window. False when a
    // parameter table is missing; StartError() then holds the English text to show.
    bool Start();
    const QString& StartError() const { return m_startError; }

    TKelvara* MainWindow() const { return m_main.get(); }
    // The transfer command with its transfer window and serial port dialog.
    TKelwinTransfer* Transfer() const { return m_transfer.get(); }
    // The data window, the edit dialog and the dive type, activities, selection and time
    // zone dialogs with their commands.
    TKelwinDiveWindows* DiveWindows() const { return m_diveWindows.get(); }
    // The profile window with its command, the dive list's cursor keys and the replay.
    TKelwinProfile* Profile() const { return m_profile.get(); }
    // The tissue data, physiological data and dive computer windows with their toggles.
    TKelwinCompanions* Companions() const { return m_companions.get(); }
    // The statistics window with its command.
    TKelwinReports* Reports() const { return m_reports.get(); }
    SettingsRecord& Settings() { return m_settings; }
    const QString& DataDir() const { return m_dataDir; }
    TParameterTables* Tables() const { return m_tables.get(); }
    // True when the splash window was shown during start-up.
    bool SplashShown() const { return m_splashShown; }

private:
    TKelwinEnvironment m_env;
    SettingsRecord m_settings;
    QString m_dataDir;
    QString m_startError;
    std::unique_ptr<TParameterTables> m_tables;
    std::unique_ptr<TKelvara> m_main;
    std::unique_ptr<TKelwinTransfer> m_transfer;
    std::unique_ptr<TKelwinDiveWindows> m_diveWindows;
    std::unique_ptr<TKelwinProfile> m_profile;
    std::unique_ptr<TKelwinCompanions> m_companions;
    std::unique_ptr<TKelwinReports> m_reports;
    bool m_splashShown = false;
    std::unique_ptr<TDialogFocus> m_dialogFocus;
};
