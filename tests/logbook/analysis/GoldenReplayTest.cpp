// Golden replays: every point of every replayed dive, in the columns `kvlog replay` prints,
// compared with the committed output. The model's own tests check what a diver would
// expect of a replay; these catch any change of a model constant, a cut or a rounding that
// leaves those expectations standing, because a single changed digit fails them.
//
// After an intended change of the model, rewrite the files and review their diff:
//   KV_UPDATE_GOLDEN=1 build/tests/kv_analysis_tests --gtest_filter='GoldenReplay*'

#include <QFile>
#include <QStringList>
#include <memory>

#include <gtest/gtest.h>

#include "DiveAnalysis.h"
#include "LogbookFile.h"
#include "ProfileDecoder.h"
#include "ReplayReport.h"
#include "TParameterTables.h"
#include "TProfileBlockBuilder.h"
#include "TTissueModel.h"

namespace {

const QString kGoldenDir = QStringLiteral(KV_SOURCE_DIR "/tests/logbook/analysis/golden/");
const QString kDeliveredTables = QStringLiteral(KV_SOURCE_DIR "/data");

const char* const kColumns[] = {"index", "DepthWord", "Marks",      "Levels",   "O2Fraction", "PO2",
                                "MOD",   "StopIndex", "NoStopTime", "StopTime", "AscentTime", "Sat1",
                                "Sat2",  "Sat3",      "Sat4",       "Sat5",     "Sat6",       "Sat7",
                                "Sat8",  "Loading",   "CNSPercent"};

// The replay's lines under a heading line naming the dive.
QString ReplayText(const QString& heading, DiveProfile& profile, TTissueModel& model,
                   std::uint16_t diveType) {
    QString out = heading + QLatin1Char('\n');
    for (int i = 0; i <= profile.Count; ++i) {
        out += ReplayPointLine(i, profile.Points[static_cast<std::size_t>(i)]) + QLatin1Char('\n');
    }
    const std::uint8_t stopInfo = SummariseProfile(profile, diveType, model.State().DecoFlag);
    out += ReplaySummaryLine(profile, model.State().DecoFlag, stopInfo) + QLatin1Char('\n');
    return out;
}

// Names the first differing line by its dive, point and column, so a failure says at once
// which part of the model moved.
void ExpectSameAsGolden(const QString& fileName, const QString& actual) {
    const QString path = kGoldenDir + fileName;
    if (qEnvironmentVariableIsSet("KV_UPDATE_GOLDEN")) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        f.write(actual.toUtf8());
        return;
    }
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << "no golden file " << path.toStdString();
    const QStringList want = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    const QStringList got = actual.split(QLatin1Char('\n'));
    QString heading;
    int differing = 0;
    QString first;
    for (qsizetype i = 0; i < std::max(want.size(), got.size()); ++i) {
        const QString w = i < want.size() ? want[i] : QStringLiteral("<end>");
        const QString g = i < got.size() ? got[i] : QStringLiteral("<end>");
        if (w.startsWith(QLatin1String("dive "))) heading = w;
        if (w == g) continue;
        if (differing++ == 0) {
            const QStringList wf = w.split(QLatin1Char(','));
            const QStringList gf = g.split(QLatin1Char(','));
            QString column;
            for (qsizetype c = 0; c < std::min(wf.size(), gf.size()); ++c) {
                if (wf[c] != gf[c]) {
                    column =
                        c < static_cast<qsizetype>(std::size(kColumns)) && wf[0] != QLatin1String("summary")
                            ? QString::fromLatin1(kColumns[c])
                            : QStringLiteral("field %1").arg(c);
                    break;
                }
            }
            first = QStringLiteral("%1, line %2 (%3), first in %4:\n  golden: %5\n  now:    %6")
                        .arg(heading)
                        .arg(i + 1)
                        .arg(w.section(QLatin1Char(','), 0, 0), column, w, g);
        }
    }
    EXPECT_EQ(differing, 0) << differing << " lines differ from " << fileName.toStdString() << "; "
                            << first.toStdString();
}

TEST(GoldenReplay, EveryDiveOfTheExampleLogbook) {
    const LogbookLoadResult r = LoadLogbookFile(QStringLiteral(KV_SOURCE_DIR "/data/EXAMPLE.LOG"), false);
    ASSERT_TRUE(r.Ok()) << r.ErrorText.toStdString();
    TParameterTables tables(kDeliveredTables);
    tables.OpenParameterTables();
    QString out;
    int replayed = 0;
    for (const auto& dive : r.Collection->Dives()) {
        if (!dive->HasProfile()) continue;
        for (const bool imperial : {false, true}) {
            // Imperial only changes the stop labels; once is enough to keep that visible.
            if (imperial && replayed > 0) break;
            auto profile = std::make_unique<DiveProfile>();
            TTissueModel model(tables);
            ASSERT_TRUE(ReplayDive(*dive, *profile, model, imperial));
            out +=
                ReplayText(QStringLiteral("dive %1%2").arg(dive->DiveNumber).arg(imperial ? " imperial" : ""),
                           *profile, model, dive->DiveType);
        }
        ++replayed;
    }
    EXPECT_GE(replayed, 10);
    ExpectSameAsGolden(QStringLiteral("example-replays.csv"), out);
}

// Dives built point by point, covering what the example logbook's dives leave out:
// every family, nitrox and the rebreather, cold, work and microbubble levels, frozen
// tissues, altitude ranges, stops that clear and stops that do not.
struct GeneratedDive {
    const char* Name;
    ProfileFamily Family;
    std::uint16_t DiveType;
    int AltitudeRange;
    TProfileBlockBuilder (*Build)();
};

ProfileDiveInfo InfoOf(const GeneratedDive& d) {
    ProfileDiveInfo info;
    info.HwSw = d.Family == ProfileFamily::A ? 0xA2 : d.Family == ProfileFamily::F ? 0xF2 : 0x32;
    info.DiveType = d.DiveType;
    info.AltitudeRange = static_cast<std::uint8_t>(d.AltitudeRange);
    info.TankSize = 1200;
    info.AirConsumption = 16000;
    info.DiveTime = 45;
    info.MinWaterTemp = 1400;
    return info;
}

const GeneratedDive kGenerated[] = {
    {"basic no-stop", ProfileFamily::Basic, 1, 1,
     [] {
         TProfileBlockBuilder b(ProfileFamily::Basic);
         b.AddWaypoint(0, 0).AddWaypoint(2, 1.8).AddWaypoint(40, 1.8).AddWaypoint(42.5, 0.3);
         b.AddWaypoint(45.5, 0.3).AddWaypoint(46, 0);
         return b;
     }},
    {"basic cold multilevel", ProfileFamily::Basic, 1, 1,
     [] {
         TProfileBlockBuilder b(ProfileFamily::Basic);
         b.SetSurfaceTemp(8).SetInitialSkinTemp(33).AddWaypoint(0, 0).AddWaypoint(2, 2.6);
         b.StepCold(+1).AddWaypoint(6, 2.6).StepCold(+1).AddWaypoint(12, 2.2).StepCold(+1).AddWaypoint(20,
                                                                                                       1.6);
         b.SetWorkload(3).AddWaypoint(30, 1.2).SetWorkload(1).StepCold(-1).AddWaypoint(38, 0.5);
         b.AddWaypoint(41, 0.3).AddWaypoint(42, 0);
         return b;
     }},
    {"basic frozen tissues at altitude", ProfileFamily::Basic, 1, 3,
     [] {
         TProfileBlockBuilder b(ProfileFamily::Basic);
         b.SetInitialTissue(0.9).AddWaypoint(0, 0).AddWaypoint(3, 3.0);
         b.SetWarnings(0x08).AddWaypoint(5, 3.0);
         b.SetWarnings(0x01).AddWaypoint(8, 3.0).SetWarnings(0).AddWaypoint(20, 0.3).AddWaypoint(21, 0);
         return b;
     }},
    // A blown ascent from 120 m that stays just below the surface: tissues far beyond
    // their tolerance and a growing bubble volume reach their caps.
    {"basic blown ascent", ProfileFamily::Basic, 1, 1,
     [] {
         TProfileBlockBuilder b(ProfileFamily::Basic);
         b.SetWorkload(3).AddWaypoint(0, 0).AddWaypoint(5, 12.0).AddWaypoint(35, 12.0);
         b.SetMicrobubbles(7).AddWaypoint(36.5, 0.1).AddWaypoint(55, 0.1).AddWaypoint(56, 0);
         return b;
     }},
    {"F decompression", ProfileFamily::F, 1, 1,
     [] {
         TProfileBlockBuilder b(ProfileFamily::F);
         b.SetWorkload(2).AddWaypoint(0, 0).AddWaypoint(4, 4.0).AddWaypoint(25, 4.0);
         b.SetWorkload(1).AddWaypoint(28.5, 0.9).AddWaypoint(32, 0.9).AddWaypoint(32.5, 0.6);
         b.AddWaypoint(40, 0.6).AddWaypoint(40.5, 0.3).AddWaypoint(60, 0.3).AddWaypoint(61, 0);
         return b;
     }},
    {"F nitrox with microbubbles", ProfileFamily::F, 0x101, 1,
     [] {
         TProfileBlockBuilder b(ProfileFamily::F);
         b.SetOxygenIndex(6).SetPO2LimitIndex(8).SetInitialCNS(20).SetInitialBubble(0.4);
         b.AddWaypoint(0, 0).AddWaypoint(3, 2.8).SetMicrobubbles(2).AddWaypoint(35, 2.8);
         b.SetMicrobubbles(4).AddWaypoint(39, 0.3).AddWaypoint(42, 0.3).AddWaypoint(42.5, 0);
         return b;
     }},
    {"F stop not cleared", ProfileFamily::F, 1, 1,
     [] {
         TProfileBlockBuilder b(ProfileFamily::F);
         b.AddWaypoint(0, 0).AddWaypoint(3, 5.0).AddWaypoint(30, 5.0).AddWaypoint(34, 0);
         return b;
     }},
    {"A nitrox with a gas switch", ProfileFamily::A, 0x101, 1,
     [] {
         TProfileBlockBuilder b(ProfileFamily::A);
         b.SetOxygenPercent(28).SetPO2LimitIndex(6).SetGasMode(1).SetGasByte(28);
         b.AddWaypoint(0, 0).AddWaypoint(3, 3.4).AddWaypoint(22, 3.4).AddWaypoint(26, 0.9);
         b.SetGasByte(50).AddWaypoint(30, 0.9).AddWaypoint(31, 0.3).AddWaypoint(40, 0.3).AddWaypoint(41, 0);
         return b;
     }},
    {"A rebreather at altitude", ProfileFamily::A, 0x301, 2,
     [] {
         TProfileBlockBuilder b(ProfileFamily::A);
         b.SetOxygenPercent(40).SetGasMode(2).SetGasByte(36).SetSurfaceTemp(12);
         b.AddWaypoint(0, 0).AddWaypoint(2, 1.9).AddWaypoint(50, 1.9).SetWorkload(4).AddWaypoint(60, 1.4);
         b.SetWorkload(1).AddWaypoint(64, 0.3).AddWaypoint(67, 0.3).AddWaypoint(68, 0);
         return b;
     }},
};

TEST(GoldenReplay, GeneratedDivesOfAllThreeFamilies) {
    TParameterTables tables(kDeliveredTables);
    tables.OpenParameterTables();
    QString out;
    for (const GeneratedDive& d : kGenerated) {
        const ProfileDiveInfo info = InfoOf(d);
        auto profile = std::make_unique<DiveProfile>();
        ASSERT_TRUE(DecodeProfile(*profile, d.Build().Build(), info)) << d.Name;
        TTissueModel model(tables);
        model.ModelReset(*profile, info);
        model.ReplayAll();
        out +=
            ReplayText(QStringLiteral("dive %1").arg(QLatin1String(d.Name)), *profile, model, info.DiveType);
    }
    ExpectSameAsGolden(QStringLiteral("generated-replays.csv"), out);
}

}  // namespace
