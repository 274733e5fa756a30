// Starts Kelwin on the example logbook with throw-away user folders and saves a picture of
// its main window: kelwin_screenshot OUT.PNG [LANGUAGE [dialogs]]. Run under xvfb-run so that the
// window is drawn by a real window system.

#include <QApplication>
#include <QListView>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include "BenchKelwin.h"
#include "Startup.h"
#include "TDiveCollection.h"
#include "TKelvara.h"
#include "TKelwinApp.h"
#include "TOptions.h"
#include "TStartDlg.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        qWarning("usage: kelwin_screenshot OUT.PNG [LANGUAGE 0..4 [dialogs]]");
        return 2;
    }
    QTemporaryDir home;
    SettingsRecord earlier = SettingsRecord::Defaults();
    earlier.LanguageIndex = static_cast<std::uint8_t>(args.size() > 2 ? args[2].toInt() : 0);
    earlier.MainPlacement = {0, 0, 760, 520, 0};
    WriteEarlierSettings(home, earlier);

    TKelwinEnvironment env = BenchEnvironment(home, {BenchBinDir() + QStringLiteral("EXAMPLE.LOG")});
    env.ShowSplash = false;
    TKelwinApp kelwin(env);
    if (!kelwin.Start()) {
        qWarning("%s", qPrintable(kelwin.StartError()));
        return 1;
    }
    TKelvara* main = kelwin.MainWindow();
    // A few dives selected, as a user would have them.
    const int last = static_cast<int>(main->Logbook().Count()) - 1;
    for (int line = last - 3; line <= last; ++line) main->SelectLine(line, true);
    QTimer::singleShot(800, [&] {
        QPixmap shot =
            main->screen()->grabWindow(0, main->frameGeometry().x(), main->frameGeometry().y(),
                                       main->frameGeometry().width(), main->frameGeometry().height());
        if (shot.isNull() || shot.width() < 10) shot = main->grab();
        bool saved = shot.save(args[1], "PNG");
        // With a fourth argument the two dialogs of the main window are saved beside it.
        if (args.size() > 3) {
            const QString stem = args[1].left(args[1].size() - 4);
            main->StartDlg()->Load(17);
            main->StartDlg()->adjustSize();
            saved = main->StartDlg()->grab().save(stem + QStringLiteral("-start.png"), "PNG") && saved;
            main->Options()->Load(main->Settings().LanguageIndex, main->Settings().UnitSystem);
            main->Options()->adjustSize();
            saved = main->Options()->grab().save(stem + QStringLiteral("-options.png"), "PNG") && saved;
        }
        main->SetModified(false);
        QApplication::exit(saved ? 0 : 1);
    });
    return QApplication::exec();
}
