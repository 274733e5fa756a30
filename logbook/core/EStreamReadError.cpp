#include "EStreamReadError.h"

#include <string>

namespace {
std::string ReadErrorText(std::size_t offset, std::size_t needed, std::size_t left) {
    return "Stream read error: " + std::to_string(needed) + " bytes needed at offset " +
           std::to_string(offset) + ", but only " + std::to_string(left) + " left";
}
}  // namespace

EStreamReadError::EStreamReadError(std::size_t offset, std::size_t needed, std::size_t left)
    : std::runtime_error(ReadErrorText(offset, needed, left)) {}
