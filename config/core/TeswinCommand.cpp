#include "TeswinCommand.h"

const std::array<std::uint16_t, 20> kReadAddresses = {0x07BC, 0x07D2, 0x07DE, 0x07EB, 0x07D3, 0x07F3, 0x07F2,
                                                      0x07F0, 0x07F1, 0x07EF, 0x07EE, 0x07ED, 0x07F4, 0x07F5,
                                                      0x07F6, 0x07F7, 0x07F8, 0x07F9, 0x07FA, 0x07FB};

std::vector<std::uint8_t> BuildCommand(std::uint8_t code, std::span<const std::uint8_t> payload) {
    const std::size_t n = payload.size();
    if (n + 4 > 128) return {};
    std::vector<std::uint8_t> p;
    p.reserve(n + 6);
    p.push_back(static_cast<std::uint8_t>(n + 4));
    p.push_back(static_cast<std::uint8_t>((n + 1) & 0xFF));
    p.push_back(static_cast<std::uint8_t>((n + 1) >> 8));
    p.push_back(code);
    p.insert(p.end(), payload.begin(), payload.end());
    std::uint8_t imageXor = 0;
    for (std::size_t i = 1; i < p.size(); ++i) imageXor ^= p[i];
    p.push_back(imageXor);
    std::uint8_t packetXor = 0;
    for (std::uint8_t b : p) packetXor ^= b;
    p.push_back(packetXor);
    return p;
}

std::vector<std::uint8_t> ReadList() {
    std::vector<std::uint8_t> list;
    for (std::uint16_t a : kReadAddresses) {
        list.push_back(0x02);
        list.push_back(static_cast<std::uint8_t>(a & 0xFF));
        list.push_back(static_cast<std::uint8_t>(a >> 8));
    }
    return list;
}

std::vector<std::uint8_t> ReadCommand() { return BuildCommand(kReadCode, ReadList()); }

std::vector<std::uint8_t> WriteCommand(std::span<const std::uint8_t> writeList) {
    return BuildCommand(kWriteCode, writeList);
}

std::vector<std::uint8_t> WakeUpCommand() { return BuildCommand(kWakeUpCode, {}); }

bool IsSuccessCode(std::uint8_t code) {
    return code == kReadCode || code == kWriteCode || code == kWakeUpCode;
}

int ReplyMessage(std::span<const std::uint8_t> image) {
    const std::size_t length = image.size() >= 2 ? (image[0] | (image[1] << 8)) : 0;
    if (length < 1 || image.size() < 3) return kMsgCommError;
    if (IsSuccessCode(image[2])) return 0;
    if (length < 2 || image.size() < 4) return -1;
    switch (image[3]) {
        case 1:
            return 3;
        case 2:
            return 4;
        case 3:
            return 5;
        case 4:
            return 6;
        case 5:
            return 14;
        default:
            return -1;
    }
}
