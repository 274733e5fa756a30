#pragma once
// A logbook file walked dive by dive, for tools that go over logbooks larger than they
// want to hold in memory. The dives come in the order and with the numbers that loading
// the file would give them (sorted by date and time, numbered from the first stored
// dive), one TDiveRec at a time, and nothing is handed out before the whole file has
// read correctly: a damaged file yields its error and no dive.
//
//   const LogbookStreamResult r = StreamLogbookFile(path, false,
//       [](const LogbookStreamHeader& h) { ... },
//       [](const TDiveRec& dive) { ... });   // the record is reused for the next dive
//   if (!r.Ok()) ShowError(r.ErrorText);

#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>

#include "LogbookFile.h"

struct LogbookStreamHeader {
    std::uint32_t DiveComputerId = 0;
    std::uint32_t StartNumber = 0;  // as after loading
    std::size_t Count = 0;
};

// ErrorText: the same texts as LoadLogbookFile's.
struct LogbookStreamResult : TResult {
    LogbookError Error = LogbookError::None;
    bool Ok() const { return Error == LogbookError::None && TResult::Ok(); }
};

LogbookStreamResult StreamLogbookFile(const QString& path, bool dosText,
                                      const std::function<void(const LogbookStreamHeader&)>& onHeader,
                                      const std::function<void(const TDiveRec&)>& onDive);
