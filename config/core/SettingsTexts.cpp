#include "SettingsTexts.h"

#include <QLocale>
#include <algorithm>
#include <array>
#include <cmath>

#include "Rounding.h"

namespace {

constexpr std::array<double, 4> kConsumption = {2.50, 2.25, 2.00, 1.75};
constexpr std::array<const char*, 4> kConsumptionText = {"(2.50 l/min O2)", "(2.25 l/min O2)",
                                                         "(2.00 l/min O2)", "(1.75 l/min O2)"};

QString Bracketed(int n) { return QStringLiteral("[%1]").arg(n); }

}  // namespace

int ReserveBar(int position) { return 30 + 5 * (14 - position); }

QString ReserveText(int position, int units) {
    const int bar = ReserveBar(position);
    if (units == 0) return QStringLiteral("%1 bar").arg(bar);
    return QStringLiteral("%1 psi").arg(RoundEven(bar * 14.5038));
}

QString BreathWarningText(int position) { return Bracketed(position - 12); }

QString PpO2Text(int position) { return QStringLiteral("1.%1 bar").arg(20 + 5 * (15 - position)); }

QString PremixText(int position) {
    static const std::array<QString, 16> texts = {QStringLiteral(" \u00B0\u00B0 "),
                                                  "48 h",
                                                  "36 h",
                                                  "24 h",
                                                  "18 h",
                                                  "16 h",
                                                  "14 h",
                                                  "12 h",
                                                  "10 h",
                                                  "8 h",
                                                  "6 h",
                                                  "5 h",
                                                  "4 h",
                                                  "3 h",
                                                  "2 h",
                                                  "1 h"};
    return texts[std::clamp(position, 0, 15)];
}

double WorkLoadConsumption(int position) { return kConsumption[std::clamp(position, 0, 3)]; }

QString WorkLoadText(int position, const QString& levelWord) {
    return levelWord + QLatin1Char(' ') + QString::fromLatin1(kConsumptionText[std::clamp(position, 0, 3)]);
}

QString SensitivityText(int position) { return Bracketed(position - 2); }

bool ParseFlow(const QString& text, double& flow) {
    // "." is the only separator; "1,5" is not a flow (the C locale would read it as 15).
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double v = c.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v) || v <= 0.0) return false;
    flow = v;
    return true;
}

QString EanText(const QString& flowText, int workLoadPosition) {
    double flow = 0;
    if (!ParseFlow(flowText, flow)) return {};
    const double ean = WorkLoadConsumption(workLoadPosition) * 81.0 / flow + 19.0;
    return QString::asprintf("%5.1f", ean) + QStringLiteral(" % O2");
}
