// The link protocol's receiver: after the command, any bytes arrive one by one (a byte
// with the top bit of the time byte set lets the 600 ms packet timer run out). The image
// never grows beyond its buffer, nor a packet beyond the receive buffer, and a reply is
// complete only when it holds the length it announced.

#include <vector>

#include "FuzzSupport.h"
#include "LinkFraming.h"
#include "TRecordingPort.h"
#include "TSimBox.h"
#include "TTransferCore.h"
#include "TVirtualClock.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const TTransferConfig config = (data[0] & 1) ? TTransferConfig::Teswin() : TTransferConfig::Kelwin();
    TVirtualClock clock;
    TRecordingPort port(clock);
    TTransferCore core(clock, port, config);
    const std::vector<std::uint8_t> identification = BuildPacket(TSimBox::IdentificationImage());
    port.SetMirrorBytes(true);
    port.SetPresent(1, true);
    port.OnLine = [&](LineControl f) {
        if (f == LineControl::SetDtr) port.Feed(identification, 200);
    };
    port.OnWrite = [&](std::span<const std::uint8_t> w) {
        if (w.size() > 1) port.Feed({kAck}, 20);
    };
    std::uint16_t setting = 0;
    FUZZ_CHECK(core.FindInterface(setting, true), "the scripted box is found");
    const std::vector<std::uint8_t> wake{0x04, 0x01, 0x00, 0xE7, 0xE6, 0x04};
    FUZZ_CHECK(core.SendCommand(wake), "the command is sent");
    port.OnWrite = nullptr;
    const std::size_t capacity = core.Image().size();
    // Pairs of (timing, byte): timing below 0x80 is the gap in ms before the byte,
    // from 0x80 on the line stays silent for 700 ms first.
    for (std::size_t i = 1; i + 1 < size && !core.Complete(); i += 2) {
        const int gap = data[i] < 0x80 ? data[i] : 700;
        port.Feed({data[i + 1]}, gap);
        clock.Advance(gap + 1);
        FUZZ_CHECK(core.Image().size() == capacity, "the image buffer never grows");
        FUZZ_CHECK(core.ReceivedCount() <= capacity, "no more is received than fits");
        FUZZ_CHECK(core.ReceiveCount() <= core.RxBuffer().size(), "a packet stays within the receive buffer");
    }
    // Each packet is checked on its own; the image's own XOR is for the caller to check
    // (ImageValid), so a complete reply only has to hold the length it announced.
    if (core.Complete())
        FUZZ_CHECK(core.ReceivedCount() >= core.ImageLength() + 3u, "a complete reply is whole");
    return 0;
}
