// Starts Kelwin on the example logbook with throw-away user folders and saves pictures of the
// main window with its data window and of the dive dialogs (edit, dive type, activities,
// selection, time zone): dive_windows_screenshot OUT_STEM [LANGUAGE 0..4]. Run under
// xvfb-run so that the windows are drawn by a real window system.

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include "BenchKelwin.h"
#include "Startup.h"
#include "TActivity.h"
#include "TDiveCollection.h"
#include "TDiveType.h"
#include "TEditDlg.h"
#include "TKelvara.h"
#include "TKelwinApp.h"
#include "TKelwinDiveWindows.h"
#include "TSelectDialog.h"
#include "TTimezone.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        qWarning("usage: dive_windows_screenshot OUT_STEM [LANGUAGE 0..4]");
        return 2;
    }
    QTemporaryDir home;
    SettingsRecord earlier = SettingsRecord::Defaults();
    earlier.LanguageIndex = static_cast<std::uint8_t>(args.size() > 2 ? args[2].toInt() : 0);
    earlier.MainPlacement = {0, 0, 900, 600, 0};
    WriteEarlierSettings(home, earlier);

    TKelwinEnvironment env = BenchEnvironment(home, {BenchBinDir() + QStringLiteral("EXAMPLE.LOG")});
    env.ShowSplash = false;
    TKelwinApp kelwin(env);
    if (!kelwin.Start()) {
        qWarning("%s", qPrintable(kelwin.StartError()));
        return 1;
    }
    TKelvara* main = kelwin.MainWindow();
    TKelwinDiveWindows* dives = kelwin.DiveWindows();
    const QString& stem = args[1];
    QTimer::singleShot(800, [&] {
        QPixmap shot =
            main->screen()->grabWindow(0, main->frameGeometry().x(), main->frameGeometry().y(),
                                       main->frameGeometry().width(), main->frameGeometry().height());
        if (shot.isNull() || shot.width() < 10) shot = main->grab();
        bool saved = shot.save(stem + QStringLiteral("-main.png"), "PNG");
        auto save = [&saved, &stem](QWidget* w, const char* name) {
            w->adjustSize();
            saved =
                w->grab().save(stem + QLatin1Char('-') + QString::fromLatin1(name) + QStringLiteral(".png"),
                               "PNG") &&
                saved;
        };
        if (TDiveRec* dive = main->CurrentDive()) {
            dive->Activities = 0x0FFF;
            dive->OtherActivity = "Steep wall";
            dive->DeviceStatus = 0x39;
            dives->EditDlg()->LoadFromDive(*dive);
        }
        save(dives->EditDlg(), "edit");
        save(dives->DiveType(), "divetype");
        save(dives->Activity(), "activity");
        dives->SelectDialog()->Load(main->Logbook());
        save(dives->SelectDialog(), "select");
        save(dives->Timezone(), "timezone");
        main->SetModified(false);
        QApplication::exit(saved ? 0 : 1);
    });
    return QApplication::exec();
}
