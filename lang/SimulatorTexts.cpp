#include "SimulatorTexts.h"

#include "Language.h"

namespace {

constexpr int kTextCount = 2;

// One row per language (English, German, French, Spanish, Italian), UTF-8.
constexpr const char* kTexts[kLanguageCount][kTextCount] = {
    {"Simulated &box", "Simulator s&cenario..."},      {"Simulierte &Box", "Simulator-S&zenario..."},
    {"Boîtier si&mulé", "S&cénario du simulateur..."}, {"Caja si&mulada", "Es&cenario del simulador..."},
    {"Box si&mulato", "S&cenario del simulatore..."},
};

}  // namespace

QString SimulatorText(ESimulatorText text, int languageIndex) {
    const int i = static_cast<int>(text);
    if (i < 0 || i >= kTextCount) return {};
    return QString::fromUtf8(kTexts[LanguageRow(languageIndex)][i]);
}
