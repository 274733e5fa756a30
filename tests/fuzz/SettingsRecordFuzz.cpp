// KVWIN.DSK: any image gives a record or nothing; a record saves and reads back equal.

#include "FuzzSupport.h"
#include "SettingsRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<SettingsRecord> rec = SettingsRecord::FromBytes(FuzzBytes(data, size));
    if (!rec) return 0;
    FUZZ_CHECK(size >= SettingsRecord::kSize, "a short image gives no record");
    FUZZ_CHECK(rec->LanguageIndex < SettingsRecord::kLanguageCount, "the language index is usable");
    FUZZ_CHECK(rec->UnitSystem <= 1, "the unit system is usable");
    const auto bytes = rec->ToBytes();
    const std::optional<SettingsRecord> back = SettingsRecord::FromBytes(bytes);
    FUZZ_CHECK(back.has_value(), "a written record reads again");
    // A logbook name that is no UTF-8 reads with replacement characters, which may make it
    // too long to store; it is then stored empty. Everything else reads back equal.
    SettingsRecord expected = *rec;
    if (expected.LogbookName.toUtf8().size() > 255) expected.LogbookName.clear();
    FUZZ_CHECK(*back == expected, "a written record reads back equal");
    return 0;
}
