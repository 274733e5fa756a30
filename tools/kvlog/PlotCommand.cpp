// kvlog plot LOGBOOK NUMBER [--size WxH] [--units metric|imperial] [--lang en|de|fr|es|it]
//                           [--png FILE] [--layout] [--tables DIR]
//   Draws the profile of dive NUMBER as a printed page shows it (white background, black
//   depth line) into a W x H image (default 800x500). --png writes the image; --layout prints
//   the chart's geometry and the readout as one JSON object. The readout is the one the
//   profile window shows once its replay has finished: a dive not yet analysed is replayed
//   from a fresh model state with the parameter tables next to the program (or in DIR).

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <memory>

#include "Commands.h"
#include "DiveAnalysis.h"
#include "Language.h"
#include "LogbookFile.h"
#include "ProfilePlot.h"
#include "ProfileReadout.h"
#include "SaveFile.h"
#include "TParameterTables.h"
#include "TTissueModel.h"

namespace {

constexpr int kDefaultWidth = 800;
constexpr int kDefaultHeight = 500;
// Large enough for a poster, small enough that a typing error cannot ask for gigabytes.
constexpr int kMaxSide = 16384;

struct PlotOptions {
    int Width = kDefaultWidth;
    int Height = kDefaultHeight;
    int UnitSystem = kMetric;
    int Language = kEnglish;
    QString TablesDir;
};

bool ParseSize(const QString& text, int& width, int& height) {
    const QStringList parts = text.toLower().split(QLatin1Char('x'));
    if (parts.size() != 2) return false;
    bool okW = false;
    bool okH = false;
    const int w = parts[0].toInt(&okW);
    const int h = parts[1].toInt(&okH);
    if (!okW || !okH || w < 1 || h < 1 || w > kMaxSide || h > kMaxSide) return false;
    width = w;
    height = h;
    return true;
}

int LanguageOf(const QString& code) {
    static const char* const kCodes[] = {"en", "de", "fr", "es", "it"};
    for (int i = 0; i < kLanguageCount; ++i) {
        if (code == QLatin1String(kCodes[i])) return i;
    }
    return -1;
}

QString JsonString(const QString& text) {
    QString out = QStringLiteral("\"");
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == u'"' || c == u'\\') {
            out += QLatin1Char('\\');
            out += ch;
        } else if (c < 0x20) {
            out += QStringLiteral("\\u%1").arg(static_cast<int>(c), 4, 16, QLatin1Char('0'));
        } else {
            out += ch;
        }
    }
    return out + QLatin1Char('"');
}

QString JsonReal(double value) { return QString::number(value, 'g', 17); }

QString LayoutJson(const ProfileLayout& l, const QString& readout) {
    QStringList f;
    const auto num = [&f](const char* key, const QString& value) {
        f << QStringLiteral("\"%1\": %2").arg(QLatin1String(key), value);
    };
    const auto integer = [&num](const char* key, int value) { num(key, QString::number(value)); };
    integer("CanvasWidth", l.CanvasWidth);
    integer("CanvasHeight", l.CanvasHeight);
    integer("LineHeight", l.LineHeight);
    integer("LabelWidth", l.LabelWidth);
    integer("LeftMargin", l.LeftMargin);
    integer("PercentWidth", l.PercentWidth);
    num("ProfileMaxDepth", JsonReal(l.ProfileMaxDepth));
    num("NitroxMOD", JsonReal(l.NitroxMOD));
    integer("TimeExtent", l.TimeExtent);
    num("DepthFactor", JsonReal(l.DepthFactor));
    integer("DepthExtent", l.DepthExtent);
    integer("PlotWidth", l.PlotWidth);
    integer("DepthHeight", l.DepthHeight);
    integer("BandHeight", l.BandHeight);
    integer("FullHeight", l.FullHeight);
    integer("TimeStep", l.TimeStep);
    integer("TimeTicks", l.TimeTicks);
    num("PixelsPerMinute", JsonReal(l.PixelsPerMinute));
    integer("DepthStep", l.DepthStep);
    integer("DepthDivisions", l.DepthDivisions);
    num("DepthRange", JsonReal(l.DepthRange));
    num("PixelsPerDepthUnit", JsonReal(l.PixelsPerDepthUnit));
    QStringList rows;
    for (int k = 0; k < l.RowCount; ++k) rows << QString::number(l.RowY[static_cast<std::size_t>(k)]);
    num("RowY", QLatin1Char('[') + rows.join(QStringLiteral(", ")) + QLatin1Char(']'));
    num("Readout", JsonString(readout));
    return QStringLiteral("{\n  ") + f.join(QStringLiteral(",\n  ")) + QStringLiteral("\n}\n");
}

// The readout once the replay has finished: a dive not yet analysed is replayed on a copy.
bool FinishedReadout(const TDiveRec& dive, const DiveProfile& shown, const PlotOptions& o, QString& readout) {
    if (dive.Analysed) {
        readout = ProfileReadout(dive, shown, o.UnitSystem, o.Language);
        return true;
    }
    TParameterTables tables(o.TablesDir);
    try {
        tables.OpenParameterTables();
        TDiveRec analysed = dive;
        auto profile = std::make_unique<DiveProfile>();
        TTissueModel model(tables);
        AnalyseDive(analysed, *profile, model);
        readout = ProfileReadout(analysed, shown, o.UnitSystem, o.Language);
    } catch (const EMissingTabFile& missing) {
        PrintError(QStringLiteral("kvlog plot: %1\n").arg(missing.Text()));
        return false;
    }
    return true;
}

int RunPlot(const TCommandLine& cmd) {
    PlotOptions o;
    if (!ParseSize(cmd.Value("size"), o.Width, o.Height))
        return cmd.UsageError(
            QStringLiteral("size \"%1\" is not WxH within 1..%2").arg(cmd.Value("size")).arg(kMaxSide));
    const QString units = cmd.Value("units");
    if (units != QLatin1String("metric") && units != QLatin1String("imperial"))
        return cmd.UsageError(QStringLiteral("unknown unit system \"%1\"").arg(units));
    o.UnitSystem = units == QLatin1String("imperial") ? kImperial : kMetric;
    o.Language = LanguageOf(cmd.Value("lang"));
    if (o.Language < 0)
        return cmd.UsageError(QStringLiteral("unknown language \"%1\"").arg(cmd.Value("lang")));
    o.TablesDir = cmd.Value("tables");
    if (o.TablesDir.isEmpty()) o.TablesDir = QCoreApplication::applicationDirPath();
    bool numberOk = false;
    const int number = cmd.Argument(1).toInt(&numberOk);
    if (!numberOk)
        return cmd.UsageError(QStringLiteral("NUMBER is not a number: \"%1\"").arg(cmd.Argument(1)));
    const QString logbook = cmd.Argument(0);
    const LogbookLoadResult in = LoadLogbookFile(logbook, false);
    if (!in.Ok()) {
        PrintError(in.ErrorText + QLatin1Char('\n'));
        return kExitFailed;
    }
    const TDiveRec* dive = nullptr;
    for (const auto& d : in.Collection->Dives()) {
        if (d->DiveNumber == number) {
            dive = d.get();
            break;
        }
    }
    if (!dive) {
        PrintError(QStringLiteral("kvlog plot: %1 has no dive %2\n").arg(logbook).arg(number));
        return kExitUsage;
    }
    SetCurrentLanguage(o.Language);
    SetCurrentUnitSystem(o.UnitSystem);
    auto profile = std::make_unique<DiveProfile>();
    ProfilePlot plot;
    if (!BeginPlot(plot, *dive, *profile, EPlotMode::Print, o.UnitSystem)) {
        PrintError(QStringLiteral("kvlog plot: dive %1 has no profile\n").arg(number));
        return kExitUsage;
    }
    QImage image(o.Width, o.Height, QImage::Format_RGB32);
    if (image.isNull()) {
        PrintError(QStringLiteral("kvlog plot: no memory for a %1x%2 image\n").arg(o.Width).arg(o.Height));
        return kExitFailed;
    }
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PaintPlot(plot, painter, QRect(0, 0, o.Width, o.Height), false);
    }
    const QString png = cmd.Value("png");
    if (!png.isEmpty()) {
        QBuffer encoded;
        encoded.open(QIODevice::WriteOnly);
        if (!image.save(&encoded, "PNG")) {
            PrintError(QStringLiteral("kvlog plot: the picture cannot be encoded as PNG\n"));
            return kExitFailed;
        }
        const TSaveResult saved = SaveFile(png, encoded.data());
        if (!saved.Ok()) {
            PrintError(QStringLiteral("kvlog plot: ") + saved.Message() + QLatin1Char('\n'));
            return kExitFailed;
        }
    }
    if (cmd.IsSet("layout")) {
        QString readout;
        if (!FinishedReadout(*dive, *profile, o, readout)) return kExitFailed;
        PrintOut(LayoutJson(plot.Layout, readout));
    }
    return kExitOk;
}

}  // namespace

static const TCommandRegistrar kPlot({
    .Name = "plot",
    .Summary = "Draws a dive's profile as a printed page shows it; writes the picture, prints the chart's "
               "geometry and readout.",
    .Arguments = {{"LOGBOOK", "the logbook file"}, {"NUMBER", "the dive's number in the logbook"}},
    .Options = {{"size", "WxH", "size of the picture in pixels", "800x500"},
                {"units", "metric|imperial", "unit system of the chart", "metric"},
                {"lang", "en|de|fr|es|it", "language of the readout", "en"},
                {"png", "FILE", "write the picture to FILE as PNG"},
                {"layout", nullptr, "print the chart's geometry and the readout as one JSON object"},
                {"tables", "DIR", "folder of the parameter tables (default: the program's folder)"}},
    .Run = RunPlot,
});
static const TPaintingCommand kPlotPaints("plot");
