#include "ReplayReport.h"

#include <cstdio>

QString ReplayReal(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return QString::fromLatin1(text);
}

QString ReplayPointLine(int index, const ProfilePoint& p) {
    QString line = QString::number(index);
    auto add = [&line](const QString& field) {
        line += QLatin1Char(',');
        line += field;
    };
    add(QString::number(p.DepthWord));
    add(QString::number(p.Marks));
    add(QString::number(p.Levels));
    add(ReplayReal(p.O2Fraction));
    add(ReplayReal(p.PO2));
    add(ReplayReal(p.MOD));
    add(QString::number(p.StopIndex));
    add(QString::number(p.NoStopTime));
    add(QString::number(p.StopTime));
    add(QString::number(p.AscentTime));
    for (std::uint8_t s : p.Saturation) {
        add(QString::number(s));
    }
    add(QString::number(p.Loading));
    add(QString::number(p.CNSPercent));
    return line;
}

QString ReplaySummaryLine(const DiveProfile& profile, bool decoFlag, std::uint8_t stopInfo) {
    return QStringLiteral("summary,%1,%2,%3,%4,%5,%6,%7")
        .arg(decoFlag ? 1 : 0)
        .arg(stopInfo)
        .arg(ReplayReal(profile.ProfileMaxDepth), ReplayReal(profile.MeanDepth),
             ReplayReal(profile.GasConsumption), ReplayReal(profile.NitroxMOD))
        .arg(profile.MaxWork);
}
