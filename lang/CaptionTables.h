#pragma once
// The compiled-in caption lists behind CaptionList.h: per window class one block per language.

#include <span>
#include <string_view>

#include "CaptionList.h"

struct CaptionWindow {
    std::string_view WindowClass;
    std::span<const CaptionEntry> Languages[kLanguageCount];
};

std::span<const CaptionWindow> KelwinCaptionWindows();
std::span<const CaptionWindow> TeswinCaptionWindows();
