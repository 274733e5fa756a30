#pragma once
// A transfer core on the recording port in virtual time, with a scripted box: the
// identification comes 200 ms after DTR rises, every command is ACKed after 20 ms.
//
//   LinkRig rig(TTransferConfig::Kelwin());
//   rig.Connect();                         // found on COM1, command sent and ACKed
//   rig.FeedPacket(payload);  rig.clock.Advance(10);
//   EXPECT_EQ(rig.ControlsSent(), (Bytes{kAck}));

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "LinkFraming.h"
#include "TRecordingPort.h"
#include "TSimBox.h"
#include "TTransferCore.h"
#include "TVirtualClock.h"

using Bytes = std::vector<std::uint8_t>;

struct LinkRig {
    TVirtualClock clock;
    TRecordingPort port{clock};
    TTransferCore core;
    Bytes identification = BuildPacket(TSimBox::IdentificationImage());
    bool answerDtr = true;
    bool ackCommands = true;

    explicit LinkRig(TTransferConfig config) : core(clock, port, config) {
        port.SetMirrorBytes(true);
        port.SetPresent(1, true);
        port.OnLine = [this](LineControl f) {
            if (f == LineControl::SetDtr && answerDtr) port.Feed(identification, 200);
        };
        port.OnWrite = [this](std::span<const std::uint8_t> w) {
            if (ackCommands && w.size() > 1) port.Feed({kAck}, 20);
        };
    }

    // Finds the box on COM1 and sends a wake-up command; the written bytes are cleared.
    void Connect() {
        std::uint16_t setting = 0;
        ASSERT_TRUE(core.FindInterface(setting, true));
        const Bytes wake{0x04, 0x01, 0x00, 0xE7, 0xE6, 0x04};
        ASSERT_TRUE(core.SendCommand(wake));
        ASSERT_TRUE(core.CommandSent());
        port.ClearWritten();
    }

    void FeedPacket(const Bytes& payload, int afterMs = 0) { port.Feed(BuildPacket(payload), afterMs); }
    // Bytes the program wrote since the last ClearWritten, as logical values.
    Bytes ControlsSent() const { return port.WrittenLogical(); }
    int Naks() const {
        int n = 0;
        for (auto b : port.WrittenLogical()) n += b == kNak;
        return n;
    }
};
