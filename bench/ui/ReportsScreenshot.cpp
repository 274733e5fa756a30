// Starts Kelwin on the example logbook with throw-away user folders and saves pictures of the
// statistics window (whole logbook) and the print dialog, each with its window frame:
// reports_screenshot OUT_STEM [LANGUAGE 0..4] [UNITS 0..1]. Run under xvfb-run with a window
// manager so that the windows are drawn and framed by a real window system.

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include "BenchKelwin.h"
#include "TKelvara.h"
#include "TKelwinApp.h"
#include "TKelwinReports.h"
#include "TPrintDlg.h"
#include "TStatistic.h"

namespace {

bool SaveFramed(QWidget* w, const QString& path) {
    const QRect frame = w->frameGeometry();
    QPixmap shot = w->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    if (shot.isNull() || shot.width() < 10) shot = w->grab();
    return shot.save(path, "PNG");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        qWarning("usage: reports_screenshot OUT_STEM [LANGUAGE 0..4] [UNITS 0..1]");
        return 2;
    }
    QTemporaryDir home;
    SettingsRecord earlier = SettingsRecord::Defaults();
    earlier.LanguageIndex = static_cast<std::uint8_t>(args.size() > 2 ? args[2].toInt() : 0);
    earlier.UnitSystem = static_cast<std::uint8_t>(args.size() > 3 ? args[3].toInt() : 0);
    WriteEarlierSettings(home, earlier);

    TKelwinEnvironment env = BenchEnvironment(home, {BenchBinDir() + QStringLiteral("EXAMPLE.LOG")});
    env.ShowSplash = false;
    TKelwinApp kelwin(env);
    if (!kelwin.Start()) {
        qWarning("%s", qPrintable(kelwin.StartError()));
        return 1;
    }
    const QString& stem = args[1];
    TStatistic* statistic = kelwin.Reports()->Statistic();
    TPrintDlg* print = kelwin.Reports()->PrintDlg();
    statistic->Prepare();
    statistic->show();
    bool saved = true;
    QTimer::singleShot(1000, [&] {
        saved = SaveFramed(statistic, stem + QStringLiteral("-statistics.png")) && saved;
        statistic->hide();
        print->show();
    });
    QTimer::singleShot(2000, [&] {
        saved = SaveFramed(print, stem + QStringLiteral("-print.png")) && saved;
        print->hide();
        kelwin.MainWindow()->SetModified(false);
        QApplication::exit(saved ? 0 : 1);
    });
    return QApplication::exec();
}
