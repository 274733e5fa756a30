#include "TKelwinApp.h"

#include <QCoreApplication>
#include <QFile>
#include <QListView>

#include "DialogFocus.h"
#include "Language.h"
#include "Messages.h"
#include "Startup.h"
#include "TCaptionRegistry.h"
#include "TDateFormat.h"
#include "TGraphDlg.h"
#include "TKelvara.h"
#include "TKelwinCompanions.h"
#include "TKelwinDiveWindows.h"
#include "TKelwinProfile.h"
#include "TKelwinReports.h"
#include "TKelwinTransfer.h"
#include "TParameterTables.h"
#include "TSplash.h"

TKelwinEnvironment TKelwinEnvironment::FromSystem(const QStringList& arguments) {
    TKelwinEnvironment env;
    env.ExeDir = ::ExeDir();
    env.AppDataFolder = SpecialFolder(kFolderAppData);
    env.DocumentsFolder = SpecialFolder(kFolderDocuments);
    env.Arguments = arguments;
    env.Locale = QLocale::system();
    return env;
}

TKelwinApp::TKelwinApp(TKelwinEnvironment environment) : m_env(std::move(environment)) {}

TKelwinApp::~TKelwinApp() {
    m_transfer.reset();
    m_profile.reset();
    m_companions.reset();
    m_reports.reset();
    m_diveWindows.reset();
    m_main.reset();
    if (m_tables) m_tables->CloseParameterTables();
}

bool TKelwinApp::Start() {
    // Dates show four-digit years.
    SetCurrentDateFormat(TDateFormat::FromLocale(m_env.Locale));
    QLocale::setDefault(m_env.Locale);

    // The tissue model's tables; their messages are English, the settings are not read yet.
    m_tables = std::make_unique<TParameterTables>(m_env.ExeDir);
    try {
        m_tables->OpenParameterTables();
    } catch (const EMissingTabFile& missing) {
        m_startError = missing.Text();
        return false;
    }

    QCoreApplication::setApplicationName(QStringLiteral("Kelvara"));
    std::unique_ptr<TSplash> splash;
    if (m_env.ShowSplash) splash = TSplash::ShowIfPresent(m_env.ExeDir + QStringLiteral("Kelwin.BMP"));
    m_splashShown = splash != nullptr;

    // The main window's creation: data folder, settings, language, command line, first start.
    m_dataDir = ::DataDir(m_env.AppDataFolder, m_env.ExeDir);
    // A settings file of another version is discarded by ReadSettings; that makes a start
    // with default settings, not a first start.
    const bool firstStart = IsFirstStart(m_dataDir);
    m_settings = ReadSettings(m_dataDir);
    SetCurrentLanguage(m_settings.LanguageIndex);
    SetCurrentUnitSystem(m_settings.UnitSystem);
    QCoreApplication::processEvents();

    m_settings.LogbookName = LogbookFromCommandLine(m_env.Arguments, m_settings.LogbookName);

    if (firstStart) {
        FirstStartInput input;
        input.ExeDir = m_env.ExeDir;
        input.DocumentsFolder = m_env.DocumentsFolder;
        const QString exeDir = m_env.ExeDir;
        input.ChooseLanguage = [exeDir] { return LanguageFromMarkerFiles(exeDir); };
        input.LogbooksFolder = [](int language) { return GetMessage(52, language); };
        const FirstStartResult first = ApplyFirstStart(input);
        m_settings.LogbookName = first.LogbookName;
        if (first.LanguageChosen) {
            m_settings.LanguageIndex = static_cast<std::uint8_t>(first.LanguageIndex);
            SetCurrentLanguage(first.LanguageIndex);
        }
    }

    // Every dialog and message box takes the keyboard focus when it opens.
    if (!m_dialogFocus) {
        m_dialogFocus = std::make_unique<TDialogFocus>();
        QCoreApplication::instance()->installEventFilter(m_dialogFocus.get());
    }

    TKelwinPaths paths{m_env.ExeDir, m_dataDir, DocumentsDir(m_env.DocumentsFolder)};
    m_main = std::make_unique<TKelvara>(m_settings, paths, m_env.MakePrompts ? m_env.MakePrompts() : nullptr);
    m_main->RestoreFromSettings();
    // The transfer window and the serial port dialog, created once for the whole run.
    m_transfer = std::make_unique<TKelwinTransfer>(*m_main);
    m_diveWindows = std::make_unique<TKelwinDiveWindows>(*m_main);
    m_companions = std::make_unique<TKelwinCompanions>(*m_main);
    m_profile = std::make_unique<TKelwinProfile>(*m_main, *m_tables, m_diveWindows->DispDlg());
    m_companions->ConnectProfileWindow(*m_profile->GraphDlg());
    m_reports = std::make_unique<TKelwinReports>(*m_main, m_diveWindows->SelectDialog());

    // All windows exist: their captions in the chosen language.
    m_main->RebuildUnitTexts();
    TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(m_settings.LanguageIndex);
    QCoreApplication::processEvents();

    m_main->LoadStartLogbook();
    m_main->show();
    m_main->DiveList()->setFocus();
    m_main->IdleHook().Install();
    m_main->SetReady(true);
    splash.reset();
    return true;
}
