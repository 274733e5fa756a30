#pragma once
// A scenario of the simulated box read from a text file: the dive computer's memory,
// the timing and the faults. The format is described in docs/simulator.md.
//
//   const TScenarioResult r = TSimScenario::FromFile("/path/bad-xor.sim");
//   if (!r.Ok()) report(r.ErrorText);  else simPort.LoadScenario(*r.Scenario);

#include <QString>
#include <optional>

#include "TResult.h"
#include "TSimBox.h"
#include "TSimFaultPlan.h"
#include "TSimMemory.h"

struct TScenarioResult;

class TSimScenario {
public:
    TSimMemory Memory;
    TSimFaultPlan Faults;
    TSimTiming Timing;

    // Parses the text; a bad line fails with "line N: what is wrong" (from a file, after
    // the file's name).
    static TScenarioResult Parse(const QString& text);
    static TScenarioResult FromFile(const QString& path);
};

// The scenario read, or why there is none.
struct TScenarioResult : TResult {
    std::optional<TSimScenario> Scenario;
};
