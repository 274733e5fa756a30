// Scenario files of the simulated box: any text parses or is refused with the line at
// fault named.

#include <QString>

#include "FuzzSupport.h"
#include "TSimScenario.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const TScenarioResult r = TSimScenario::Parse(QString::fromUtf8(FuzzByteArray(data, size)));
    FUZZ_CHECK(r.Ok() == r.Scenario.has_value(), "a scenario comes with success only");
    if (!r.Ok())
        FUZZ_CHECK(r.ErrorText.startsWith(QLatin1String("line ")), "a refused scenario names its line");
    return 0;
}
