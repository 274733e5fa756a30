#pragma once
// Texts of the simulated box that the configuration tool adds to its Options menu (the
// caption lists do not hold them).
//
//   SimulatorItem->setText(SimulatorText(ESimulatorText::BoxItem, languageIndex));

#include <QString>

enum class ESimulatorText {
    BoxItem,       // "Simulated &box"
    ScenarioItem,  // "Simulator s&cenario..."
};

// English for a language index outside 0..4.
QString SimulatorText(ESimulatorText text, int languageIndex);
