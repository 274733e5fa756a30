#include <gtest/gtest.h>

#include "LinkFraming.h"
#include "TSimCommands.h"
#include "TSimPort.h"
#include "TTransferCore.h"
#include "TVirtualClock.h"

using Bytes = std::vector<std::uint8_t>;

namespace {

Bytes DiveRequest(std::uint32_t reference) {
    Bytes payload{0x05, 0x00, 0x55};
    for (int i = 0; i < 4; ++i) payload.push_back(static_cast<std::uint8_t>(reference >> (8 * i)));
    return BuildPacket(payload);
}

// A command of the configuration tool: the packet's payload is an image of code and data.
Bytes Command(std::uint8_t code, const Bytes& data = {}) {
    Bytes image{code};
    image.insert(image.end(), data.begin(), data.end());
    return BuildPacket(BuildImage(image));
}

struct SimRig {
    TVirtualClock clock;
    TSimPort sim{clock};
    TTransferCore core;
    explicit SimRig(TTransferConfig config) : core(clock, sim, config) {
        sim.SetMirrorBytes(true);
        TSimMemory& m = sim.Box().Memory();
        m.Serial = 0x012345;
        m.HwSw = 0x1C;
        m.DeviceClock = 90000;
        for (std::uint32_t t : {10000u, 20000u, 30000u}) {
            Bytes profile(200);
            for (std::size_t i = 0; i < profile.size(); ++i) profile[i] = static_cast<std::uint8_t>(i + t);
            m.DiveBlocks.push_back(TSimMemory::MakeDiveBlock(m.Serial, m.HwSw, t, profile));
        }
        if (config.Variant == TTransferVariant::Teswin) core.FormCreate();
    }
    // One exchange as the programs run it; the result, or mrNone when the box was not found.
    ModalResult Exchange(const Bytes& command, std::uint16_t setting = 0) {
        if (!core.FindInterface(setting, true)) return mrNone;
        core.SendCommand(command);
        return core.RunModal(200000);
    }
    Bytes ImageData() const {
        auto img = core.Image();
        return {img.begin() + 2, img.begin() + 2 + core.ImageLength()};
    }
};

}  // namespace

TEST(SimBox, DownloadsAllDivesWithReferenceZero) {
    SimRig rig(TTransferConfig::Kelwin());
    ASSERT_EQ(rig.Exchange(DiveRequest(0)), mrOk);
    EXPECT_TRUE(rig.core.ImageValid());
    EXPECT_FALSE(rig.core.Failed());
    const Bytes data = rig.ImageData();
    ASSERT_EQ(data.size(), 5u + 3 * 218);
    EXPECT_EQ(data[0], 0x55);
    EXPECT_EQ(data[1] | (data[2] << 8) | (data[3] << 16), 90000);
    EXPECT_EQ(Bytes(data.begin() + 5, data.begin() + 8), (Bytes{0x01, 0x23, 0x45}));  // serial, big-endian
    EXPECT_EQ(data[8], 0x1C);
    EXPECT_EQ(rig.sim.Box().LastCommandCode(), 0x55);
    EXPECT_EQ(rig.sim.Box().NaksReceived(), 0);
    rig.core.FormClose();
    EXPECT_FALSE(rig.sim.Box().Dtr());
}

TEST(SimBox, ReferenceLeavesOutOlderDives) {
    SimRig rig(TTransferConfig::Kelwin());
    ASSERT_EQ(rig.Exchange(DiveRequest(20000)), mrOk);
    const Bytes data = rig.ImageData();
    ASSERT_EQ(data.size(), 5u + 218);
    EXPECT_EQ(TSimMemory::BlockDeviceTime(std::span<const std::uint8_t>(data).subspan(5)), 30000u);
}

TEST(SimBox, IdentificationAndAckKeepTheirTimesAt9600Baud) {
    SimRig rig(TTransferConfig::Teswin());
    std::uint16_t setting = 0;
    const auto t0 = rig.clock.NowMs();
    ASSERT_TRUE(rig.core.FindInterface(setting));
    EXPECT_LT(rig.clock.NowMs() - t0, 3000);
    EXPECT_EQ(setting, 1);
    const auto t1 = rig.clock.NowMs();
    rig.core.SendCommand(Command(0xE7));
    EXPECT_LT(rig.clock.NowMs() - t1, 500);
    EXPECT_EQ(rig.core.RunModal(10000), mrOk);
    EXPECT_EQ(rig.ImageData(), Bytes{0xE7});
}

TEST(SimBox, ReadAnswersTheSettingsInListOrderAndWriteStoresThem) {
    SimRig rig(TTransferConfig::Teswin());
    rig.sim.Box().Memory().SetSetting(2, 0x07BC, 0x21);
    rig.sim.Box().Memory().SetSetting(2, 0x07D2, 0x42);
    const Bytes list{0x02, 0xD2, 0x07, 0x02, 0xBC, 0x07, 0x02, 0x00, 0x01};
    ASSERT_EQ(rig.Exchange(Command(0x4C, list)), mrOk);
    EXPECT_EQ(rig.ImageData(), (Bytes{0x4C, 0x42, 0x21, 0x00}));
    rig.core.FormClose();

    const Bytes write{0x07, 0x02, 0xBC, 0x07, 0x0A, 0x00, 0x10, 0x00};  // value, area, address
    ASSERT_EQ(rig.Exchange(Command(0x47, write)), mrOk);
    EXPECT_EQ(rig.ImageData(), Bytes{0x47});
    EXPECT_EQ(rig.sim.Box().Memory().Setting(2, 0x07BC), 0x07);
    EXPECT_EQ(rig.sim.Box().Memory().Setting(0, 0x0010), 0x0A);
}

TEST(SimBox, UnknownCommandAndBrokenListsGetAnErrorReply) {
    EXPECT_EQ(TSimCommands::ErrorReply(3), (Bytes{0x00, 0x03}));
    TSimMemory m;
    EXPECT_EQ(TSimCommands::Execute(Bytes{0x99}, m), (Bytes{0x00, 0x01}));
    EXPECT_EQ(TSimCommands::Execute(Bytes{0x4C, 0x02, 0x00}, m), (Bytes{0x00, 0x01}));
    EXPECT_EQ(TSimCommands::Execute(Bytes{0x47, 0x01, 0x02, 0x03}, m), (Bytes{0x00, 0x01}));
    EXPECT_EQ(TSimCommands::Execute(Bytes{0xE7}, m, 4), (Bytes{0x00, 0x04}));
}

TEST(SimBox, OnlyAnswersOnItsPort) {
    SimRig rig(TTransferConfig::Teswin());
    rig.sim.SetBoxPort(3);
    std::uint16_t setting = 0;
    ASSERT_TRUE(rig.core.FindInterface(setting));
    EXPECT_EQ(setting, 3);
    EXPECT_EQ(rig.sim.Port(), 3);
}

struct FaultCase {
    const char* name;
    std::vector<TSimFault> faults;
    ModalResult kelwin;  // mrNone: the box is not found
    ModalResult teswin;
    int naksAtLeast;  // NAKs the box receives in the Kelwin run
};

class SimBoxFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(SimBoxFaults, EndAsTheProtocolSays) {
    const FaultCase& c = GetParam();
    for (auto config : {TTransferConfig::Kelwin(), TTransferConfig::Teswin()}) {
        const bool kelwin = config.Variant == TTransferVariant::Kelwin;
        SimRig rig(config);
        rig.sim.SetBoxPort(1);
        for (const auto& f : c.faults) rig.sim.Box().Faults().Add(f);
        const ModalResult r = kelwin ? rig.Exchange(DiveRequest(0), 0x0100)
                                     : rig.Exchange(Command(0x4C, Bytes{2, 0xBC, 7}), 0x0100);
        EXPECT_EQ(r, kelwin ? c.kelwin : c.teswin) << (kelwin ? "Kelwin" : "Teswin");
        if (r == mrOk) {
            EXPECT_TRUE(rig.core.ImageValid());
        }
        if (r == mrNo) {
            EXPECT_TRUE(rig.core.Failed());
        }
        if (kelwin) {
            EXPECT_GE(rig.sim.Box().NaksReceived(), c.naksAtLeast);
        }
    }
}

// The Kelwin run downloads three dives (six packets); the Teswin run reads one
// settings byte, a reply of a single packet, so faults on packet 2 cannot touch it.
using K = TSimFaultKind;
INSTANTIATE_TEST_SUITE_P(
    Cases, SimBoxFaults,
    ::testing::Values(FaultCase{"None", {}, mrOk, mrOk, 0},
                      FaultCase{"CorruptXorOnce", {{K::CorruptXor, 1}}, mrOk, mrOk, 1},
                      FaultCase{"CorruptXorFourTimes", {{K::CorruptXor, 2, 4}}, mrOk, mrOk, 4},
                      FaultCase{"CorruptXorFiveTimes", {{K::CorruptXor, 1, 5}}, mrNo, mrNo, 4},
                      // Kelwin's timer runs after the first packet and NAKs the stuck one.
                      FaultCase{"LengthAbove128", {{K::LengthAbove128, 2}}, mrOk, mrOk, 1},
                      // Before the first packet of a reply only the countdown limits the wait.
                      FaultCase{"LengthAbove128First", {{K::LengthAbove128, 1}}, mrAbort, mrAbort, 0},
                      FaultCase{"DropSecondPacket", {{K::DropPacket, 2}}, mrOk, mrOk, 1},
                      FaultCase{"DropFirstPacket", {{K::DropPacket, 1}}, mrAbort, mrAbort, 0},
                      FaultCase{"LatePacketWithinTheGap", {{K::LatePacket, 2, 1, 400}}, mrOk, mrOk, 0},
                      FaultCase{"LateFirstPacket", {{K::LatePacket, 1, 1, 5000}}, mrOk, mrOk, 0},
                      FaultCase{"Silence", {{K::Silence}}, mrNo, mrNo, 0},
                      FaultCase{"NoAck", {{K::NoAck}}, mrNo, mrNo, 0},
                      FaultCase{"NoIdentification", {{K::NoIdentification}}, mrNone, mrNone, 0},
                      FaultCase{"WrongIdentification", {{K::WrongIdentification}}, mrNone, mrNone, 0},
                      FaultCase{"ErrorCode", {{K::ErrorCode, 0, 1, 2}}, mrOk, mrOk, 0},
                      FaultCase{"DisconnectMidReply", {{K::Disconnect, 2}}, mrNo, mrOk, 0},
                      FaultCase{"DisconnectBeforeReply", {{K::Disconnect, 1}}, mrAbort, mrAbort, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SimBox, ErrorCodeReplyCarriesTheCode) {
    SimRig rig(TTransferConfig::Kelwin());
    rig.sim.Box().Faults().Add({TSimFaultKind::ErrorCode, 0, 1, 3});
    ASSERT_EQ(rig.Exchange(DiveRequest(0)), mrOk);
    EXPECT_EQ(rig.ImageData(), (Bytes{0x00, 0x03}));
}

TEST(SimBox, DisconnectedBoxStaysDeadUntilReset) {
    SimRig rig(TTransferConfig::Kelwin());
    rig.sim.Box().Faults().Add({TSimFaultKind::Disconnect, 1});
    EXPECT_EQ(rig.Exchange(DiveRequest(0)), mrAbort);
    EXPECT_TRUE(rig.sim.Box().Disconnected());
    rig.core.FormClose();
    std::uint16_t setting = 0x0100;
    EXPECT_FALSE(rig.core.FindInterface(setting, true));
    rig.sim.Box().Reset();
    rig.sim.Box().Faults().Clear();
    EXPECT_TRUE(rig.core.FindInterface(setting, true));
}
