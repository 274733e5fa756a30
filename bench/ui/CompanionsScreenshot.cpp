// Starts Kelwin on the example logbook with throw-away user folders, shows a decompression
// dive in the profile window, lets the replay run to the end and saves pictures of the
// screen with the cursor and the dive computer panel, the physiological and the tissue data
// windows at a decompression stop and at a no-stop point:
// companions_screenshot OUT_STEM [LANGUAGE 0..4]  ->  OUT_STEM-stop.png, OUT_STEM-nostop.png.
// Run under xvfb-run with a window manager so that the tool windows get their frames.

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>
#include <vector>

#include "BenchKelwin.h"
#include "DiveAnalysis.h"
#include "Language.h"
#include "TDiveCollection.h"
#include "TGraphDlg.h"
#include "TKelvara.h"
#include "TKelwinApp.h"
#include "TKelwinProfile.h"
#include "TParameterTables.h"
#include "TTissueModel.h"

namespace {

// The example dive with the most points at a stop, and a stop point and a no-stop point
// under water in it.
struct TChosenDive {
    int Index = -1;
    int StopPoint = 0;
    int NoStopPoint = 0;
};

TChosenDive ChooseDive(const TDiveCollection& log, TParameterTables& tables, DiveProfile& profile) {
    TChosenDive best;
    int bestStops = 0;
    for (std::size_t d = 0; d < log.Count(); ++d) {
        const TDiveRec& dive = log.At(d);
        if (!dive.HasProfile() || !dive.IsFamilyF()) continue;
        TTissueModel model(tables);
        if (!ReplayDive(dive, profile, model)) continue;
        // At a stop: the shallowest points that still require one, the middle of them.
        int stops = 0;
        int firstStop = -1;
        std::uint16_t shallowest = 0xFFFF;
        std::vector<int> atStop;
        for (int i = 0; i <= profile.Count; ++i) {
            const ProfilePoint& p = profile.Points[static_cast<std::size_t>(i)];
            if (p.StopIndex == 0) continue;
            ++stops;
            if (firstStop < 0) firstStop = i;
            const std::uint16_t depth = p.DepthWord >> 6;
            if (depth < shallowest) atStop.clear();
            if (depth <= shallowest) {
                shallowest = depth;
                atStop.push_back(i);
            }
        }
        if (stops > bestStops) {
            bestStops = stops;
            best.Index = static_cast<int>(d);
            best.StopPoint = atStop[atStop.size() / 2];
            best.NoStopPoint = std::max(firstStop - 9, 6);
        }
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        qWarning("usage: companions_screenshot OUT_STEM [LANGUAGE 0..4]");
        return 2;
    }
    QTemporaryDir home;
    SettingsRecord earlier = SettingsRecord::Defaults();
    earlier.LanguageIndex = static_cast<std::uint8_t>(args.size() > 2 ? args[2].toInt() : 0);
    earlier.MainPlacement = {0, 0, 1240, 820, 0};
    earlier.ProfilePlacement = {0, 0, 820, 430, 0};
    earlier.DataPlacement = {0, 432, 538, 822, 0};
    earlier.PanelPlacement = {985, 90, 1185, 190, 0};
    earlier.PhysioPlacement = {985, 225, 1185, 375, 0};
    earlier.TissuePlacement = {985, 410, 1185, 560, 0};
    WriteEarlierSettings(home, earlier);

    TKelwinEnvironment env = BenchEnvironment(home, {BenchBinDir() + QStringLiteral("EXAMPLE.LOG")});
    env.ShowSplash = false;
    TKelwinApp kelwin(env);
    if (!kelwin.Start()) {
        qWarning("%s", qPrintable(kelwin.StartError()));
        return 1;
    }
    TKelvara* main = kelwin.MainWindow();
    auto profile = std::make_unique<DiveProfile>();
    const TChosenDive chosen = ChooseDive(main->Logbook(), *kelwin.Tables(), *profile);
    if (chosen.Index < 0) {
        qWarning("the example logbook has no decompression dive");
        return 1;
    }
    main->SelectLine(chosen.Index);
    main->MakeCurrent(chosen.Index);
    TGraphDlg& graph = *kelwin.Profile()->GraphDlg();
    while (graph.ReplayTurn()) {
    }

    const QString& stem = args[1];
    bool saved = true;
    auto save = [&](const char* name) {
        const QPixmap shot = main->screen()->grabWindow(0);
        saved =
            shot.save(stem + QLatin1Char('-') + QString::fromLatin1(name) + QStringLiteral(".png"), "PNG") &&
            saved;
    };
    // Each picture is taken once the windows have painted the point.
    auto showPoint = [&graph](int point) {
        graph.MoveCursor(point);
        if (graph.UpdateCompanions) graph.UpdateCompanions(graph.CursorIndex());
    };
    showPoint(chosen.StopPoint);
    QTimer::singleShot(1000, [&] {
        save("stop");
        showPoint(chosen.NoStopPoint);
        QTimer::singleShot(400, [&] {
            save("nostop");
            main->SetModified(false);
            QApplication::exit(saved ? 0 : 1);
        });
    });
    return QApplication::exec();
}
