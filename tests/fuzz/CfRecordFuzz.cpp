// CF.DSK: any bytes give a record or nothing; a record encodes and decodes equal.

#include "FuzzSupport.h"
#include "TCfRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<TCfRecord> rec = TCfRecord::Decode(FuzzBytes(data, size));
    if (!rec) return 0;
    FUZZ_CHECK(size >= TCfRecord::kSize, "a short file gives no record");
    const auto bytes = rec->Encode();
    const std::optional<TCfRecord> back = TCfRecord::Decode(bytes);
    FUZZ_CHECK(back.has_value(), "an encoded record decodes");
    FUZZ_CHECK(*back == *rec, "an encoded record decodes equal");
    return 0;
}
