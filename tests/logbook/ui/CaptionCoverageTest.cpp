// Every text of Kelwin's windows comes from the caption lists: with all windows up, a
// change of language changes every caption, hint and list item that is a word at all.
// A text that stays the same in English, French and German was left as built.

#include <QApplication>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "KelwinTestSupport.h"
#include "Language.h"
#include "Startup.h"
#include "TCaptionRegistry.h"
#include "TKelwinApp.h"
#include "TestApplication.h"
#include "WindowTexts.h"

namespace {

// Texts that are the same in every language or not captions at all.
bool LanguageNeutral(const QString& address, const QString& text) {
    // Readouts of the shown dive and the window titles that name the logbook or the dive.
    for (const char* part :
         {"/DispBody/", "/GraphClient/", "TKelvara Kelvara title", "TEditDlg Kelvara/EditDlg title",
          // Device names of the serial ports, the printer's name (or its stand-in,
          // which follows the language when the dialog opens), the languages in
          // their own words.
          "/ComPort item", "/PrinterName", "/LangSel/"})
        if (address.contains(QLatin1String(part))) return true;
    // Qt's own system menu of the windows inside the main window.
    if (address.startsWith(QLatin1String("QAction")) && address.contains(QLatin1String("/MdiArea/")))
        return true;
    // Names and abbreviations that every language writes alike.
    return QStringList{"AppleTalk", "Nitrox", "SCR", "SCR:", "normal"}.contains(text);
}

TEST(CaptionCoverage, EveryWordInKelwinsWindowsFollowsTheLanguage) {
    TestApplication();
    QTemporaryDir dir;
    MakeProgramFolder(dir.path() + "/exe/");
    QDir().mkpath(dir.path() + "/appdata");
    QDir().mkpath(dir.path() + "/docs");
    TKelwinEnvironment env;
    env.ExeDir = dir.path() + "/exe/";
    env.AppDataFolder = dir.path() + "/appdata";
    env.DocumentsFolder = dir.path() + "/docs";
    env.ShowSplash = false;
    env.MakePrompts = [] { return std::make_unique<TScriptedPrompts>(); };
    TKelwinApp app(env);
    ASSERT_TRUE(app.Start()) << app.StartError().toStdString();

    TCaptionRegistry& registry = TCaptionRegistry::Of(Program::Kelwin);
    ASSERT_TRUE(registry.ApplyLanguage(kEnglish));
    const QMap<QString, QString> english = WindowTexts();
    ASSERT_TRUE(registry.ApplyLanguage(kFrench));
    const QMap<QString, QString> french = WindowTexts();
    ASSERT_TRUE(registry.ApplyLanguage(kGerman));
    const QMap<QString, QString> german = WindowTexts();
    registry.ApplyLanguage(kEnglish);

    QStringList unchanged;
    for (auto it = english.begin(); it != english.end(); ++it)
        if (IsWord(it.value()) && !LanguageNeutral(it.key(), it.value()) &&
            french.value(it.key()) == it.value() && german.value(it.key()) == it.value())
            unchanged << it.key() + " = \"" + it.value() + "\"";
    EXPECT_TRUE(unchanged.isEmpty()) << unchanged.join("\n").toStdString();
    // The walk saw the windows: the main menu, a dialog and the tool bar hints.
    EXPECT_GT(english.size(), 200);
    EXPECT_NE(english.key("Transfer dives"), QString());
}

}  // namespace
