// Unsaved changes survive a Kelwin that ends without closing: the next start offers the
// recovery copy, Yes brings the changes back as unsaved changes, No gives them up.

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include <gtest/gtest.h>

#include "KelwinTestSupport.h"
#include "Language.h"
#include "Startup.h"
#include "TEditDlg.h"
#include "TKelvara.h"
#include "TKelwinApp.h"
#include "TRecoveryKeeper.h"
#include "TestApplication.h"

namespace {

// Answers the edit dialog as soon as it is the active modal window.
void WhenEditDialog(const std::function<void(TEditDlg&)>& act) {
    auto* timer = new QTimer;
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* dialog = qobject_cast<TEditDlg*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(*dialog);
        }
    });
    timer->start();
}

class RecoveryTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        SetCurrentLanguage(kEnglish);
        ASSERT_TRUE(m_dir.isValid());
        MakeProgramFolder(Path("exe/"));
        QDir().mkpath(DataDir());
        QDir().mkpath(Path("docs"));
        WriteSettings(DataDir(), SettingsRecord::Defaults());
        WriteLogbook(Path("trip.log"), *Logbook({5, 6, 7}));
    }
    void TearDown() override { SetCurrentLanguage(kEnglish); }

    QString Path(const QString& name) const { return m_dir.path() + "/" + name; }
    QString DataDir() const { return Path("appdata/Vandrel/Kelvara/"); }
    QStringList RecoveryFiles() const { return QDir(DataDir() + "Recovery").entryList(QDir::Files); }

    // A start of Kelwin on trip.log that answers the restore question with `answers`.
    std::unique_ptr<TKelwinApp> Start(const std::deque<bool>& answers = {}) {
        TKelwinEnvironment env;
        env.ExeDir = Path("exe/");
        env.AppDataFolder = Path("appdata");
        env.DocumentsFolder = Path("docs");
        env.Arguments = {Path("trip.log")};
        env.Locale = QLocale(QLocale::English, QLocale::UnitedStates);
        env.ShowSplash = false;
        env.MakePrompts = [this, answers] {
            auto p = std::make_unique<TScriptedPrompts>();
            p->YesNo = answers;
            m_prompts = p.get();
            return p;
        };
        auto app = std::make_unique<TKelwinApp>(env);
        EXPECT_TRUE(app->Start()) << app->StartError().toStdString();
        return app;
    }

    // Edits the site of the last dive through the edit dialog, then ends Kelwin the way a
    // crash does: the windows go without closing, nothing is saved.
    void EditAndCrash() {
        auto app = Start();
        TKelvara& main = *app->MainWindow();
        WhenEditDialog([](TEditDlg& d) {
            d.Field("eSite")->setText("Blue Hole");
            d.OKBtn()->click();
        });
        main.Action(ECommand::Edit)->trigger();
        ASSERT_TRUE(main.Modified());
        // The copy is due within 2 s; this is what the timer does when it runs out.
        ASSERT_TRUE(main.Recovery().Timer().isActive());
        EXPECT_LE(main.Recovery().Timer().remainingTime(), TRecoveryKeeper::kDelayMs);
        main.Recovery().WriteNow();
        EXPECT_TRUE(m_prompts->Unexpected.isEmpty());
    }

    QTemporaryDir m_dir;
    TScriptedPrompts* m_prompts = nullptr;
};

TEST_F(RecoveryTest, YesBringsTheEditBackAsUnsavedChanges) {
    const QByteArray onDisk = ReadAll(Path("trip.log"));
    EditAndCrash();
    EXPECT_EQ(ReadAll(Path("trip.log")), onDisk) << "the crash saved nothing";

    auto app = Start({true});
    TKelvara& main = *app->MainWindow();
    ASSERT_EQ(m_prompts->Asked.size(), 1);
    EXPECT_TRUE(m_prompts->Asked[0].contains("unsaved changes of logbook " + Path("trip.log")))
        << m_prompts->Asked[0].toStdString();
    EXPECT_EQ(main.Settings().LogbookName, Path("trip.log"));
    EXPECT_TRUE(main.Modified());
    ASSERT_EQ(main.Logbook().Count(), 3u);
    EXPECT_EQ(main.Logbook().At(2).Site, QByteArray("Blue Hole"));

    // Saved: the logbook holds the edit and the copy is gone.
    main.Action(ECommand::Save)->trigger();
    EXPECT_FALSE(main.Modified());
    EXPECT_EQ(LoadLogbookFile(Path("trip.log"), false).Collection->At(2).Site, QByteArray("Blue Hole"));
    EXPECT_TRUE(RecoveryFiles().isEmpty()) << RecoveryFiles().join(", ").toStdString();
}

TEST_F(RecoveryTest, NoGivesTheEditUpForGood) {
    EditAndCrash();
    {
        auto app = Start({false});
        TKelvara& main = *app->MainWindow();
        EXPECT_EQ(m_prompts->Asked.size(), 1);
        EXPECT_FALSE(main.Modified());
        EXPECT_TRUE(main.Logbook().At(2).Site.isEmpty());
        EXPECT_TRUE(RecoveryFiles().isEmpty());
    }
    // Nothing is asked any more.
    auto app = Start();
    EXPECT_TRUE(m_prompts->Asked.isEmpty());
    EXPECT_TRUE(m_prompts->Unexpected.isEmpty());
}

TEST_F(RecoveryTest, AClosedKelwinLeavesNoCopy) {
    auto app = Start();
    TKelvara& main = *app->MainWindow();
    main.SetModified(true);
    main.Recovery().WriteNow();
    main.Recovery().WaitForWrites();
    EXPECT_EQ(RecoveryFiles().size(), 2);  // the copy and the name of its logbook
    // Closing without saving, on purpose.
    m_prompts->YesNoCancel.push_back(EAnswer::No);
    EXPECT_TRUE(main.close());
    EXPECT_TRUE(RecoveryFiles().isEmpty());
}

}  // namespace
