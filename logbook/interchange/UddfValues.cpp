#include "UddfValues.h"

#include <QDate>
#include <cmath>

#include "CaptionList.h"
#include "DayNumber.h"
#include "Language.h"

QString UddfNumber(double value, int decimals) {
    QString text = QString::number(value, 'f', decimals);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0'))) text.chop(1);
        if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    }
    if (text == QLatin1String("-0")) text = QStringLiteral("0");
    return text;
}

QString UddfKelvin(int centiCelsius) { return UddfNumber(centiCelsius / 100.0 + 273.15, 2); }

QString UddfDateTime(std::int32_t dayNo, std::uint16_t startTime) {
    QDate date = DateFromDayNo(dayNo);
    // Day numbers beyond what a calendar date can show are written as the logbook's day 0.
    if (!date.isValid() || date.year() < 1 || date.year() > 9999) date = DateFromDayNo(0);
    const int minutes = startTime < 1440 ? startTime : 0;
    return date.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral("T%1:%2:00")
                                                             .arg(minutes / 60, 2, 10, QLatin1Char('0'))
                                                             .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString UddfDiveId(std::size_t index) { return QStringLiteral("dive%1").arg(index + 1); }

QString CaptionOf(const QString& windowClass, const QString& control) {
    QString text =
        CaptionText(Program::Kelwin, windowClass, control, CaptionKind::Caption, CurrentLanguage());
    if (text.endsWith(QLatin1Char(':'))) text.chop(1);
    return text.trimmed();
}

QStringList ItemsOf(const QString& windowClass, const QString& control) {
    return CaptionText(Program::Kelwin, windowClass, control, CaptionKind::Items, CurrentLanguage())
        .split(QLatin1Char('\n'));
}
