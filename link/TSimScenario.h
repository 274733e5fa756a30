#pragma once
// A scenario of the simulated box read from a text file: the dive computer's memory,
// the timing and the faults. The format is described in docs/simulator.md.
//
//   QString error;
//   auto s = TSimScenario::FromFile("/path/bad-xor.sim", &error);
//   if (!s) report(error);  else simPort.LoadScenario(*s);

#include <QString>
#include <optional>

#include "TSimBox.h"
#include "TSimFaultPlan.h"
#include "TSimMemory.h"

class TSimScenario {
public:
    TSimMemory Memory;
    TSimFaultPlan Faults;
    TSimTiming Timing;

    // Parses the text; on a bad line returns nothing and sets *error to
    // "line N: what is wrong".
    static std::optional<TSimScenario> Parse(const QString& text, QString* error = nullptr);
    static std::optional<TSimScenario> FromFile(const QString& path, QString* error = nullptr);
};
