// kvlog dump LOGBOOK [--dos]: the logbook as JSON, each dive under its record field names.

#include "Commands.h"
#include "Cp1252.h"
#include "LogbookFile.h"

namespace {

QString JsonString(const QString& text) {
    QString out = QStringLiteral("\"");
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        switch (c) {
            case u'"':
                out += QStringLiteral("\\\"");
                break;
            case u'\\':
                out += QStringLiteral("\\\\");
                break;
            case u'\n':
                out += QStringLiteral("\\n");
                break;
            case u'\r':
                out += QStringLiteral("\\r");
                break;
            case u'\t':
                out += QStringLiteral("\\t");
                break;
            default:
                if (c < 0x20 || (c >= 0x7F && c < 0xA0))
                    out += QStringLiteral("\\u%1").arg(static_cast<int>(c), 4, 16, QLatin1Char('0'));
                else
                    out += ch;
        }
    }
    return out + QLatin1Char('"');
}

QString JsonText(const QByteArray& cp1252) { return JsonString(Cp1252ToUnicode(cp1252)); }

QString DiveJson(const TDiveRec& d) {
    QStringList f;
    auto num = [&f](const char* key, qint64 v) {
        f << QStringLiteral("\"%1\": %2").arg(QLatin1String(key)).arg(v);
    };
    auto text = [&f](const char* key, const QByteArray& v) {
        f << QStringLiteral("\"%1\": %2").arg(QLatin1String(key), JsonText(v));
    };
    num("DayNo", d.DayNo);
    num("StartTime", d.StartTime);
    text("Location", d.Location);
    text("Site", d.Site);
    num("AltitudeRange", d.AltitudeRange);
    num("SurfaceInterval", d.SurfaceInterval);
    num("Weather", d.Weather);
    num("AirTemperature", d.AirTemperature);
    num("Suit", d.Suit);
    num("TankSize", d.TankSize);
    num("MaxDepth", d.MaxDepth);
    num("DiveTime", d.DiveTime);
    num("MinWaterTemp", d.MinWaterTemp);
    num("AirConsumption", d.AirConsumption);
    num("DiveType", d.DiveType);
    num("Activities", d.Activities);
    text("OtherActivity", d.OtherActivity);
    text("Buddies", d.Buddies);
    text("Remarks", d.Remarks);
    num("DeviceStatus", d.DeviceStatus);
    num("DiveNumber", d.DiveNumber);
    num("DeviceTime", d.DeviceTime);
    num("HwSw", d.HwSw);
    num("Analysed", d.Analysed);
    num("StopInfo", d.StopInfo);
    num("Reserved", d.Reserved);
    if (d.HasProfile()) {
        const QByteArray block(reinterpret_cast<const char*>(d.ProfileBlock.data()),
                               static_cast<qsizetype>(d.ProfileBlock.size()));
        f << QStringLiteral("\"ProfileBlock\": \"%1\"").arg(QString::fromLatin1(block.toHex()));
    } else {
        f << QStringLiteral("\"ProfileBlock\": null");
    }
    return QStringLiteral("    {\n      ") + f.join(QStringLiteral(",\n      ")) + QStringLiteral("\n    }");
}

int RunDump(const TCommandLine& cmd) {
    const LogbookLoadResult r = LoadLogbookFile(cmd.Argument(0), cmd.IsSet("dos"));
    if (!r.Ok()) {
        PrintError(r.ErrorText + QLatin1Char('\n'));
        return kExitFailed;
    }
    const TDiveCollection& log = *r.Collection;
    QString out = QStringLiteral("{\n  \"DiveComputerId\": %1,\n  \"StartNumber\": %2,\n  \"Dives\": [")
                      .arg(log.DiveComputerId)
                      .arg(log.StartNumber);
    for (std::size_t i = 0; i < log.Count(); ++i) {
        out += i == 0 ? QStringLiteral("\n") : QStringLiteral(",\n");
        out += DiveJson(log[i]);
    }
    out += log.IsEmpty() ? QStringLiteral("]\n}\n") : QStringLiteral("\n  ]\n}\n");
    PrintOut(out);
    return kExitOk;
}

}  // namespace

static const TCommandRegistrar kDump({
    .Name = "dump",
    .Summary = "Prints the logbook as JSON, each dive under its record field names.",
    .Arguments = {{"LOGBOOK", "the logbook file"}},
    .Options = {{"dos", nullptr, "the logbook's texts are in the DOS code page (older logbook files)"}},
    .Run = RunDump,
});
