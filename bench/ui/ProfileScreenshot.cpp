// Starts Kelwin on the example logbook with throw-away user folders, shows one dive in the
// profile window, lets the replay finish, puts the cursor on a point and saves a picture of
// the main window: profile_screenshot OUT.png DIVE_NUMBER [LANGUAGE 0..4] [UNITS 0|1]
// [CURSOR_MINUTE]. Run under xvfb-run so that the windows are drawn by a real window system.

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include "BenchKelwin.h"
#include "Startup.h"
#include "TDiveCollection.h"
#include "TGraphDlg.h"
#include "TKelvara.h"
#include "TKelwinApp.h"
#include "TKelwinProfile.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 3) {
        qWarning("usage: profile_screenshot OUT.png DIVE_NUMBER [LANGUAGE 0..4] [UNITS 0|1] [CURSOR_MINUTE]");
        return 2;
    }
    const QString& out = args[1];
    const int number = args[2].toInt();
    QTemporaryDir home;
    SettingsRecord earlier = SettingsRecord::Defaults();
    earlier.LanguageIndex = static_cast<std::uint8_t>(args.size() > 3 ? args[3].toInt() : 0);
    earlier.UnitSystem = static_cast<std::uint8_t>(args.size() > 4 ? args[4].toInt() : 0);
    const int cursorMinute = args.size() > 5 ? args[5].toInt() : -1;
    // The profile window on the left, the data window beside it.
    earlier.MainPlacement = {0, 0, 1480, 640, 0};
    earlier.ProfilePlacement = {0, 0, 860, 560, 0};
    earlier.DataPlacement = {862, 0, 1394, 404, 0};
    WriteEarlierSettings(home, earlier);

    TKelwinEnvironment env = BenchEnvironment(home, {BenchBinDir() + QStringLiteral("EXAMPLE.LOG")});
    env.ShowSplash = false;
    TKelwinApp kelwin(env);
    if (!kelwin.Start()) {
        qWarning("%s", qPrintable(kelwin.StartError()));
        return 1;
    }
    TKelvara* main = kelwin.MainWindow();
    TGraphDlg* graph = kelwin.Profile()->GraphDlg();
    int line = -1;
    for (std::size_t i = 0; i < main->Logbook().Count(); ++i)
        if (main->Logbook().At(i).DiveNumber == number) line = static_cast<int>(i);
    if (line < 0) {
        qWarning("the example logbook has no dive %d", number);
        return 2;
    }
    main->SelectLine(line);
    main->MakeCurrent(line);
    main->Action(ECommand::Profile)->trigger();

    // Polls until the replay has finished, then places the cursor and takes the picture.
    QTimer poll;
    poll.setInterval(50);
    QElapsedTimer waited;
    waited.start();
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (graph->Replaying() && waited.elapsed() < 20000) return;
        poll.stop();
        if (cursorMinute >= 0) graph->MoveCursor(cursorMinute * 3);
        QTimer::singleShot(400, [&] {
            // The window's own contents as the window system shows them.
            QPixmap shot = main->screen()->grabWindow(main->winId());
            if (shot.isNull() || shot.width() < 10) shot = main->grab();
            const bool saved = shot.save(out, "PNG");
            main->SetModified(false);
            QApplication::exit(saved ? 0 : 1);
        });
    });
    poll.start();
    return QApplication::exec();
}
