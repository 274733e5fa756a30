// The logbook reader on any bytes, as plain text and as DOS text (first byte's low bit):
// a damaged file is refused with an error text, and what loads saves and loads again to
// the same dives.

#include <algorithm>

#include "FuzzSupport.h"
#include "LogbookFile.h"
#include "TLogbookWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const bool dosText = (data[0] & 1) != 0;
    const LogbookLoadResult first = LoadLogbookBytes(FuzzByteArray(data + 1, size - 1), dosText);
    if (!first.Ok()) {
        FUZZ_CHECK(!first.ErrorText.isEmpty(), "a refused logbook names its fault");
        FUZZ_CHECK(!first.Collection, "a refused logbook gives no dives");
        return 0;
    }
    TLogbookWriter out;
    first.Collection->SaveToStream(out, dosText);
    const auto image = out.Bytes();
    const LogbookLoadResult second = LoadLogbookBytes(
        QByteArray(reinterpret_cast<const char*>(image.data()), static_cast<qsizetype>(image.size())),
        dosText);
    FUZZ_CHECK(second.Ok(), "a saved logbook loads again");
    // The first load may normalise what the file held (a damaged setting, a text in
    // another encoding); from then on a save and a load change nothing.
    TLogbookWriter again;
    second.Collection->SaveToStream(again, dosText);
    const auto image2 = again.Bytes();
    // A day number below the old format's limit is converted at every load, so a dive
    // dated before 1950 (only a damaged or hand-made file has one) moves on each save: the
    // first save wrote such a day when the first load left one below the limit.
    for (const auto& dive : first.Collection->Dives())
        if (dive->DayNo < kFirstNewFormatDay) return 0;
    FUZZ_CHECK(image.size() == image2.size() && std::equal(image.begin(), image.end(), image2.begin()),
               "a loaded logbook saves to the same bytes again");
    const auto& a = first.Collection->Dives();
    const auto& b = second.Collection->Dives();
    FUZZ_CHECK(a.size() == b.size(), "the reloaded logbook has as many dives");
    return 0;
}
