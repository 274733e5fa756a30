#pragma once
// The texts beside the scroll bars (the window's display handlers) and the
// minimum-nitrox result of a premix flow. Numbers always use "." as separator.
//
//   ReserveText(10, 0) == "50 bar";  ReserveText(10, 1) == "725 psi"
//   EanText("15.5", 0) == " 32.1 % O2"

#include <QString>

// Tank reserve in bar of scroll position 0 ... 14: 100 ... 30.
int ReserveBar(int position);
// "50 bar", imperial "725 psi".
QString ReserveText(int position, int units);
// "[-12]" ... "[12]".
QString BreathWarningText(int position);
// "1.95 bar" ... "1.20 bar".
QString PpO2Text(int position);
// " °° ", "48 h", ... "1 h".
QString PremixText(int position);
// Oxygen consumption of the work-load position 0 ... 3: 2.50, 2.25, 2.00, 1.75 l/min.
double WorkLoadConsumption(int position);
// levelWord (message 10 + position of the current language), a blank, "(2.50 l/min O2)".
QString WorkLoadText(int position, const QString& levelWord);
// "[-2]" ... "[1]".
QString SensitivityText(int position);
// The premix flow of a row as a number, or nothing when the text is not a usable flow
// (not a number, or not above 0: a flow of 0 would divide by zero).
bool ParseFlow(const QString& text, double& flow);
// Minimum nitrox of a premix flow at the work-load position: EAN = VO2 * 81 / V + 19,
// written "%5.1f % O2"; empty when the flow does not parse.
QString EanText(const QString& flowText, int workLoadPosition);
