// kvlog plot on the example logbook: the chart's geometry and readout as JSON, the image
// file, and the refusals of dives it cannot draw.

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kExample = QStringLiteral(KV_BIN_DIR "/EXAMPLE.LOG");

struct PlotRun {
    int Exit = -1;
    QByteArray Out;
    QString Err;
};

PlotRun Plot(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(KV_BIN_DIR "/kvlog"), QStringList{QStringLiteral("plot")} + args);
    PlotRun r;
    if (!p.waitForFinished(60000)) return r;
    r.Exit = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.Out = p.readAllStandardOutput();
    r.Err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QJsonObject Layout(const QStringList& args) {
    const PlotRun r = Plot(args + QStringList{QStringLiteral("--layout")});
    EXPECT_EQ(r.Exit, 0) << r.Err.toStdString();
    return QJsonDocument::fromJson(r.Out).object();
}

TEST(KvlogPlot, LayoutOfADecompressionDiveOnAir) {
    const QJsonObject l = Layout({kExample, "18"});
    for (const char* key : {"CanvasWidth",        "CanvasHeight",   "LineHeight",
                            "LabelWidth",         "LeftMargin",     "PercentWidth",
                            "ProfileMaxDepth",    "NitroxMOD",      "TimeExtent",
                            "DepthFactor",        "DepthExtent",    "PlotWidth",
                            "DepthHeight",        "BandHeight",     "FullHeight",
                            "TimeStep",           "TimeTicks",      "PixelsPerMinute",
                            "DepthStep",          "DepthDivisions", "DepthRange",
                            "PixelsPerDepthUnit", "RowY",           "Readout"})
        EXPECT_TRUE(l.contains(QLatin1String(key))) << key;
    EXPECT_EQ(l["CanvasWidth"].toInt(), 800);
    EXPECT_EQ(l["CanvasHeight"].toInt(), 500);
    EXPECT_EQ(l["PercentWidth"].toInt(), 0);
    EXPECT_EQ(l["DepthFactor"].toDouble(), 10);
    EXPECT_EQ(l["RowY"].toArray().size(), 4);
    EXPECT_EQ(l["FullHeight"].toInt(), l["DepthHeight"].toInt() + l["BandHeight"].toInt());
    EXPECT_EQ(l["PlotWidth"].toInt(), 800 - l["LeftMargin"].toInt());
    // The dive was not analysed in the logbook: the readout is the one after the replay.
    const QString readout = l["Readout"].toString();
    EXPECT_TRUE(readout.startsWith("Gas: Air  -  Min. water temp.: ")) << readout.toStdString();
    EXPECT_TRUE(readout.contains(QRegularExpression("  -  Max\\. ascent time: \\d+'$")))
        << readout.toStdString();
}

TEST(KvlogPlot, ImperialGermanNitroxAndRebreatherDives) {
    const QJsonObject nitrox =
        Layout({kExample, "15", "--units", "imperial", "--lang", "de", "--size", "640x400"});
    EXPECT_EQ(nitrox["DepthFactor"].toDouble(), 33);
    EXPECT_EQ(nitrox["CanvasWidth"].toInt(), 640);
    EXPECT_EQ(nitrox["RowY"].toArray().size(), 5);
    EXPECT_EQ(nitrox["BandHeight"].toInt(), 6 * nitrox["LineHeight"].toInt());
    EXPECT_TRUE(nitrox["Readout"].toString().startsWith(
        QString::fromUtf8("Atemgas: Nitrox 68/32  -  Min. Wassertemp.: ")))
        << nitrox["Readout"].toString().toStdString();
    EXPECT_TRUE(nitrox["Readout"].toString().contains(" cft/min (max. "));

    const QJsonObject scr = Layout({kExample, "28"});
    EXPECT_GT(scr["PercentWidth"].toInt(), 0);
    EXPECT_EQ(scr["RowY"].toArray().size(), 4);
    EXPECT_FALSE(scr["Readout"].toString().contains("max.")) << scr["Readout"].toString().toStdString();
}

TEST(KvlogPlot, WritesAPngOfTheAskedSize) {
    QTemporaryDir dir;
    const QString png = dir.filePath("dive.png");
    const PlotRun r = Plot({kExample, "31", "--size", "1024x300", "--png", png});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    QFile f(png);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray head = f.read(24);
    ASSERT_EQ(head.size(), 24);
    EXPECT_EQ(head.mid(1, 3), "PNG");
    const auto be32 = [&head](int at) {
        return (static_cast<quint8>(head[at]) << 24) | (static_cast<quint8>(head[at + 1]) << 16) |
               (static_cast<quint8>(head[at + 2]) << 8) | static_cast<quint8>(head[at + 3]);
    };
    EXPECT_EQ(be32(16), 1024);  // IHDR width and height
    EXPECT_EQ(be32(20), 300);
    EXPECT_TRUE(r.Out.isEmpty());
}

// A picture that does not fit on the disk (a file size limit, which holds for root too) is
// reported with the platform's reason, and the picture written before stays.
TEST(KvlogPlot, APictureTheDiskCannotTakeKeepsTheEarlierOne) {
    QTemporaryDir dir;
    const QString png = dir.filePath("dive.png");
    {
        QFile earlier(png);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier picture");
    }
    QProcess p;
    // An ignored SIGXFSZ stays ignored in kvlog, so the write past the limit fails with EFBIG.
    p.start(QStringLiteral("/bin/sh"),
            {QStringLiteral("-c"),
             QStringLiteral("trap '' XFSZ; ulimit -f 4; exec \"$0\" plot \"$1\" 31 --png \"$2\""),
             QStringLiteral(KV_BIN_DIR "/kvlog"), kExample, png});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 1);
    const QString err = QString::fromUtf8(p.readAllStandardError());
    EXPECT_TRUE(err.contains(png)) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("File too large"))) << err.toStdString();
    QFile f(png);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "earlier picture");
}

TEST(KvlogPlot, RefusesDivesItCannotDrawAndBadOptions) {
    PlotRun r = Plot({kExample, "99"});
    EXPECT_EQ(r.Exit, 2);
    EXPECT_TRUE(r.Err.contains("no dive 99")) << r.Err.toStdString();
    r = Plot({kExample, "1"});  // entered by hand, no profile
    EXPECT_EQ(r.Exit, 2);
    EXPECT_TRUE(r.Err.contains("dive 1 has no profile")) << r.Err.toStdString();
    EXPECT_EQ(Plot({kExample, "18", "--size", "800"}).Exit, 2);
    EXPECT_EQ(Plot({kExample, "18", "--size", "0x100"}).Exit, 2);
    EXPECT_EQ(Plot({kExample, "18", "--lang", "nl"}).Exit, 2);
    EXPECT_EQ(Plot({kExample}).Exit, 2);
    r = Plot({QStringLiteral(KV_BIN_DIR "/missing.log"), "1"});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_TRUE(r.Err.contains("missing.log")) << r.Err.toStdString();
    QTemporaryDir dir;
    r = Plot({kExample, "18", "--png", dir.filePath("no/such/folder/x.png")});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_TRUE(r.Err.contains("x.png"));
}

}  // namespace
