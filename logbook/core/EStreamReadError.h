#pragma once
// Raised when a logbook stream ends before the record being read is complete, or a
// length read from the stream claims more bytes than are left. The message is a plain
// English text that the program shows as it is ("Stream read error: ...").

#include <cstddef>
#include <stdexcept>

class EStreamReadError : public std::runtime_error {
public:
    explicit EStreamReadError(const char* what) : std::runtime_error(what) {}
    // needed bytes at offset, but only `left` remain
    EStreamReadError(std::size_t offset, std::size_t needed, std::size_t left);
};
