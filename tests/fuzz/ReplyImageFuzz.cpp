// The memory image of a dive request and its dive blocks: the view never reads outside
// the bytes, a reply is cut into whole blocks or refused as damaged, and every block it
// gives becomes a dive that writes to a logbook record and reads back equal.

#include <QDateTime>

#include "FuzzSupport.h"
#include "TDiveRec.h"
#include "TLogbookReader.h"
#include "TLogbookWriter.h"
#include "TReplyImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const TReplyImage img(FuzzBytes(data, size));
    FUZZ_CHECK(!img.Valid() || img.Complete(), "a valid image is complete");
    (void)img.ErrorCode();
    if (!img.IsDiveReply()) return 0;
    const auto blocks = img.CutDiveBlocks();
    if (!blocks) return 0;
    static const QDateTime kNow(QDate(2026, 12, 8), QTime(10, 0), Qt::UTC);
    for (const auto block : *blocks) {
        FUZZ_CHECK(block.data() >= data && block.data() + block.size() <= data + size,
                   "a block lies in the image");
        std::size_t used = 0;
        const auto dive = TDiveRec::CreateFromDevice(block, img.DeviceClock(), kNow, &used);
        FUZZ_CHECK(dive != nullptr, "every cut block makes a dive");
        FUZZ_CHECK(used == block.size(), "a dive takes its whole block");
        for (const bool dosText : {false, true}) {
            TLogbookWriter out;
            dive->WriteToStream(out, dosText);
            TLogbookReader in(out.Bytes());
            const auto back = TDiveRec::CreateFromStream(in, dosText);
            FUZZ_CHECK(back && *back == *dive, "a downloaded dive reads back from its record");
        }
    }
    return 0;
}
