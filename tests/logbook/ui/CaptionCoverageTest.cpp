// Every text of Kelwin's windows comes from the caption lists: with all windows up, a
// change of language changes every caption, hint and list item that is a word at all.
// A text that stays the same in English, French and German was left as built.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "KelwinTestSupport.h"
#include "Language.h"
#include "Startup.h"
#include "TCaptionRegistry.h"
#include "TKelwinApp.h"
#include "TestApplication.h"

namespace {

// Every shown text of every widget and action, by an address that names it.
QMap<QString, QString> Texts() {
    QMap<QString, QString> texts;
    auto name = [](const QObject* o) {
        QString path = o->objectName();
        for (const QObject* p = o->parent(); p; p = p->parent()) path = p->objectName() + '/' + path;
        return QString::fromLatin1(o->metaObject()->className()) + ' ' + path;
    };
    for (QWidget* w : QApplication::allWidgets()) {
        if (w->isWindow() && !w->windowTitle().isEmpty()) texts[name(w) + " title"] = w->windowTitle();
        if (auto* l = qobject_cast<QLabel*>(w)) texts[name(w)] = l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) texts[name(w)] = b->text();
        if (auto* g = qobject_cast<QGroupBox*>(w)) texts[name(w)] = g->title();
        if (auto* m = qobject_cast<QMenu*>(w)) texts[name(w)] = m->title();
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i)
                texts[name(w) + " item " + QString::number(i)] = c->itemText(i);
        if (!w->toolTip().isEmpty()) texts[name(w) + " hint"] = w->toolTip();
        for (QAction* a : w->actions()) {
            if (!a->text().isEmpty()) texts[name(a) + " action"] = a->text();
            if (!a->toolTip().isEmpty() && a->toolTip() != a->text())
                texts[name(a) + " action hint"] = a->toolTip();
        }
    }
    return texts;
}

// Words at all: not empty, not only digits, signs and units.
bool IsWord(const QString& text) {
    int letters = 0;
    for (QChar c : text)
        if (c.isLetter()) ++letters;
    return letters >= 3;
}

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
    const QMap<QString, QString> english = Texts();
    ASSERT_TRUE(registry.ApplyLanguage(kFrench));
    const QMap<QString, QString> french = Texts();
    ASSERT_TRUE(registry.ApplyLanguage(kGerman));
    const QMap<QString, QString> german = Texts();
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
