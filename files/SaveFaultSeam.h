#pragma once
// Test seam of SaveFile: makes one step of the saves of a file fail as the platform would,
// for failures that no test can provoke for real without special rights (a failed rename,
// a failed sync, a read-back that differs). Full disks and size limits are tested for real
// (RLIMIT_FSIZE). Process-wide; every save checks it once per step.
//
//   TSaveFaultScope fault(ESaveStep::Rename, EIO, "keep.log");  // saves of paths containing
//   ...                                                         // "keep.log" fail at rename
//   // the scope's end removes the fault

#include <QString>

#include "SaveFile.h"

struct TSaveFault {
    ESaveStep Step = ESaveStep::None;
    // Error number the step reports; for ESaveStep::Verify 0 means "the bytes differ".
    int ErrorNumber = 0;
    // Only saves whose path contains this text fail; every save when empty.
    QString PathContains;
};

void SetSaveFault(const TSaveFault& fault);
void ClearSaveFault();

class TSaveFaultScope {
public:
    TSaveFaultScope(ESaveStep step, int errorNumber, const QString& pathContains = {}) {
        SetSaveFault({step, errorNumber, pathContains});
    }
    ~TSaveFaultScope() { ClearSaveFault(); }
    TSaveFaultScope(const TSaveFaultScope&) = delete;
    TSaveFaultScope& operator=(const TSaveFaultScope&) = delete;
};
