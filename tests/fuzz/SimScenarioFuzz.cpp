// Scenario files of the simulated box: any text parses or is refused with the line at
// fault named.

#include <QString>

#include "FuzzSupport.h"
#include "TSimScenario.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QString error;
    const auto scenario = TSimScenario::Parse(QString::fromUtf8(FuzzByteArray(data, size)), &error);
    if (!scenario) FUZZ_CHECK(error.startsWith(QLatin1String("line ")), "a refused scenario names its line");
    return 0;
}
