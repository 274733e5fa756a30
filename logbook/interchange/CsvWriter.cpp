#include "CsvWriter.h"

#include "CaptionList.h"
#include "Cp1252.h"
#include "DayNumber.h"
#include "DiveTexts.h"
#include "InterchangeTexts.h"
#include "TDiveCollection.h"
#include "TimeFormat.h"
#include "UnitFormat.h"

namespace {

QString Quoted(const QString& field) {
    if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"')) &&
        !field.contains(QLatin1Char('\n')) && !field.contains(QLatin1Char('\r')))
        return field;
    return QLatin1Char('"') + QString(field).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

// The number alone, in the unit system's unit; empty when not set.
QString Number(const UnitFormat& format, int value, int unitSystem) {
    if (value == kNotSet) return {};
    const UnitRecord& r = format.For(unitSystem);
    return FormatNumber(value / r.Divisor + r.Offset, r.Decimals);
}

QString Item(const char* control, int index, int languageIndex) {
    const QStringList items = CaptionText(Program::Kelwin, QStringLiteral("TEditDlg"),
                                          QString::fromLatin1(control), CaptionKind::Items, languageIndex)
                                  .split(QLatin1Char('\n'));
    return items.value(index).trimmed();
}

}  // namespace

QString CsvLine(const QStringList& fields) {
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& f : fields) quoted << Quoted(f);
    return quoted.join(QLatin1Char(','));
}

QByteArray CsvTable(const TDiveCollection& logbook, const std::vector<std::size_t>& indices,
                    int languageIndex, int unitSystem) {
    const auto unit = [unitSystem](const UnitFormat& f) { return f.For(unitSystem).NameText(); };
    QStringList header;
    for (int c = 0; c < kCsvColumnCount; ++c) {
        const auto column = static_cast<ECsvColumn>(c);
        QString u;
        switch (column) {
            case ECsvColumn::AirTemperature:
            case ECsvColumn::MinWaterTemp:
                u = unit(kTemperatureFormat);
                break;
            case ECsvColumn::TankSize:
                u = unit(kVolumeFormat);
                break;
            case ECsvColumn::MaxDepth:
                u = unit(kDepthFormat);
                break;
            case ECsvColumn::AirConsumption:
                u = unit(kPressureFormat);
                break;
            default:
                break;
        }
        header << CsvColumnTitle(column, languageIndex, u);
    }
    const QStringList altitudes = AltitudeItems(unitSystem);
    QString out = QChar(0xFEFF) + CsvLine(header) + QStringLiteral("\r\n");
    for (std::size_t i : indices) {
        const TDiveRec& d = logbook.At(i);
        QStringList row;
        row << QString::number(d.DiveNumber);
        row << DateFromDayNo(d.DayNo).toString(Qt::ISODate);
        row << (d.StartTime < 1440 ? FormatHoursMinutes(d.StartTime) : QString());
        row << Cp1252ToUnicode(d.Location) << Cp1252ToUnicode(d.Site);
        row << altitudes.value(d.AltitudeRange).trimmed();
        row << (d.SurfaceInterval == kNotSet || d.SurfaceInterval < 0
                    ? QString()
                    : FormatHoursMinutes(d.SurfaceInterval));
        row << Item("eCond", d.Weather, languageIndex);
        row << Number(kTemperatureFormat, d.AirTemperature, unitSystem);
        row << Item("eSuit", d.Suit, languageIndex);
        row << Number(kVolumeFormat, d.TankSize, unitSystem);
        row << Number(kDepthFormat, d.MaxDepth, unitSystem);
        row << (d.DiveTime == kNotSet ? QString() : QString::number(d.DiveTime));
        row << Number(kTemperatureFormat, d.MinWaterTemp, unitSystem);
        row << Number(kPressureFormat, d.AirConsumption, unitSystem);
        row << DiveTypeText(d.DiveType, languageIndex);
        row << ActivitiesText(d.Activities, Cp1252ToUnicode(d.OtherActivity), languageIndex);
        row << Cp1252ToUnicode(d.Buddies) << Cp1252ToUnicode(d.Remarks);
        row << AlarmText(d.DeviceStatus, languageIndex);
        out += CsvLine(row) + QStringLiteral("\r\n");
    }
    return out.toUtf8();
}
