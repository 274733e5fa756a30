#pragma once
// Raised when a logbook or settings file cannot be written (disk full, folder
// write-protected). The message names the file and the system's reason.

#include <stdexcept>
#include <string>

class EStreamWriteError : public std::runtime_error {
public:
    explicit EStreamWriteError(const std::string& what) : std::runtime_error(what) {}
};
