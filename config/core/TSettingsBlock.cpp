#include "TSettingsBlock.h"

#include <algorithm>

std::optional<TSettingsBlock> TSettingsBlock::FromImage(std::span<const std::uint8_t> image) {
    if (image.size() < 2) return std::nullopt;
    const std::size_t length = image[0] | (image[1] << 8);
    if (length < kSize || image.size() < 2 + kSize) return std::nullopt;
    std::array<std::uint8_t, kSize> bytes{};
    std::copy_n(image.begin() + 2, kSize, bytes.begin());
    return TSettingsBlock(bytes);
}
