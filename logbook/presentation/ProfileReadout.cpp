#include "ProfileReadout.h"

#include <algorithm>

#include "Language.h"
#include "Messages.h"
#include "ProfileLayout.h"
#include "TDiveRec.h"
#include "UnitFormat.h"

namespace {

constexpr int kMsgAirCons = 8;
constexpr int kMsgGasCons = 9;
constexpr int kMsgAir = 10;
constexpr int kMsgMinWaterTemp = 11;
constexpr int kMsgGas = 12;
constexpr int kMsgNitrox = 13;
constexpr int kMsgMinNoStop = 14;
constexpr int kMsgMaxAscent = 15;
constexpr int kMsgMax = 18;

constexpr double kRestingConsumption = 8;  // litres per minute
constexpr std::uint8_t kStopInfoAscent = 0x80;

const QString kSeparator = QStringLiteral("  -  ");

// A consumption in the unit system's figures: litres per minute with one decimal in at
// least `metricWidth` characters, or cubic feet per minute with two in at least three.
// Halves round to the even digit, like every figure of the chart.
QString Rate(double litresPerMinute, int unitSystem, int metricWidth) {
    if (unitSystem == kImperial)
        return FormatNumber(litresPerMinute / kLitresPerCubicFoot, 2).rightJustified(3);
    return FormatNumber(litresPerMinute, 1).rightJustified(metricWidth);
}

}  // namespace

QString ProfileReadout(const TDiveRec& dive, const DiveProfile& profile) {
    return ProfileReadout(dive, profile, CurrentUnitSystem(), CurrentLanguage());
}

QString ProfileReadout(const TDiveRec& dive, const DiveProfile& profile, int unitSystem, int language) {
    const auto msg = [language](int n) { return GetMessage(n, language); };
    const bool nitrox = IsNitroxDive(dive.DiveType);
    const bool rebreather = IsRebreatherDive(dive.DiveType);
    const bool mixedGas = nitrox || rebreather;

    QString text = msg(kMsgGas) + QLatin1Char(' ');
    if (mixedGas) {
        // The gas the dive started on, from the profile header.
        const int oxygen = profile.O2Percent;
        const int rest = 100 - oxygen;
        text += msg(kMsgNitrox) + QLatin1Char(' ');
        text += unitSystem == kImperial ? QStringLiteral("%1/%2").arg(rest).arg(oxygen)
                                        : QStringLiteral("%1/%2").arg(oxygen).arg(rest);
    } else {
        text += msg(kMsgAir);
    }

    text += kSeparator + msg(kMsgMinWaterTemp) + QLatin1Char(' ') +
            FormatValue(kTemperatureFormat, dive.MinWaterTemp, unitSystem);

    if (dive.AirConsumption != 0 && dive.AirConsumption != kNotSet && dive.TankSize != kNotSet) {
        text += kSeparator + msg(mixedGas ? kMsgGasCons : kMsgAirCons) + QLatin1Char(' ');
        text += Rate(profile.GasConsumption, unitSystem, 4);
        text += unitSystem == kImperial ? QStringLiteral(" cft/min") : QStringLiteral(" l/min");
        if (!rebreather) {
            const double peak =
                std::max(profile.WorkFactor * profile.MaxWork + kRestingConsumption, profile.GasConsumption);
            text += QStringLiteral(" (") + msg(kMsgMax) + QLatin1Char(' ') + Rate(peak, unitSystem, 3) +
                    QLatin1Char(')');
        }
    }

    if (dive.Analysed != 0) {
        text += kSeparator;
        if (dive.StopInfo & kStopInfoAscent) {
            text += msg(kMsgMaxAscent) + QLatin1Char(' ') + QString::number(dive.StopInfo & 0x7F);
        } else {
            text += msg(kMsgMinNoStop) + QLatin1Char(' ') + QString::number(dive.StopInfo);
        }
        text += QLatin1Char('\'');
    }
    return text;
}
