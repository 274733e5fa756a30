#include "DiveRequest.h"

std::array<std::uint8_t, kDiveRequestSize> BuildDiveRequest(std::uint32_t reference) {
    std::array<std::uint8_t, kDiveRequestSize> req{0x07,  // payload length
                                                   0x05,
                                                   0x00,  // bytes 3..7 follow
                                                   kDiveRequestCode,
                                                   static_cast<std::uint8_t>(reference & 0xFF),
                                                   static_cast<std::uint8_t>((reference >> 8) & 0xFF),
                                                   static_cast<std::uint8_t>((reference >> 16) & 0xFF),
                                                   static_cast<std::uint8_t>((reference >> 24) & 0xFF),
                                                   0x00};
    std::uint8_t x = 0;
    for (std::size_t i = 0; i + 1 < req.size(); ++i) x ^= req[i];
    req[kDiveRequestSize - 1] = x;
    return req;
}

std::uint32_t RequestReference(TDiveChoice choice, std::uint32_t lastDeviceTime) {
    return choice == TDiveChoice::OnlyNewer ? lastDeviceTime : 0;
}
