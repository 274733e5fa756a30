#pragma once
// Shared pieces of the fuzz targets. Each target is one LLVMFuzzerTestOneInput over the
// bytes of one kind of outside data; it asserts what must hold for any input with
// FUZZ_CHECK, which aborts so that the fuzzer keeps the input as a reproducer.
//
//   FUZZ_CHECK(again.Ok(), "a saved logbook loads again");

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#define FUZZ_CHECK(condition, what)                                                             \
    do {                                                                                        \
        if (!(condition)) {                                                                     \
            std::fprintf(stderr, "fuzz check failed at %s:%d: %s\n", __FILE__, __LINE__, what); \
            std::abort();                                                                       \
        }                                                                                       \
    } while (false)

inline std::span<const std::uint8_t> FuzzBytes(const std::uint8_t* data, std::size_t size) {
    return {data, size};
}

// The bytes as a QByteArray without copying; valid while the fuzzer's buffer is.
inline QByteArray FuzzByteArray(const std::uint8_t* data, std::size_t size) {
    return QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// Record images store day numbers below this one in the old format, which every load
// converts (100 years on): a dive dated before 1950 (only a damaged or hand-made file has
// one) moves each time it goes through a record image, so round trips leave it out.
inline constexpr std::int32_t kFirstNewFormatDay = 127835;
