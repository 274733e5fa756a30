#pragma once
// The compiled-in message texts behind Messages.h (language-major, UTF-8).

#include <iterator>
#include <span>

#include "Language.h"

std::span<const char* const> KelwinMessageTexts();
std::span<const char* const> TeswinMessageTexts();
