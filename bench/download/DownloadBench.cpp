// The download's own work on the largest reply the window takes (32770 image bytes): the
// image checks, ImportDives and the sort, into logbooks of growing size; and one whole
// transfer command against the simulated box with the line delay off (the protocol's CPU
// time, not the 9600 baud line).

#include <benchmark/benchmark.h>

#include "ImportDives.h"
#include "TCoreDownloadWindow.h"
#include "TSimPort.h"
#include "TTransferCommand.h"
#include "TTransferVerdict.h"
#include "TVirtualClock.h"

namespace {

using TBytes = std::vector<std::uint8_t>;
const QDateTime kNow(QDate(2024, 3, 10), QTime(10, 0));
constexpr std::uint32_t kClock = 200'000'000;
constexpr std::uint32_t kSerial = 0x123456;

TBytes Block(std::uint32_t deviceTime, std::uint16_t profile) {
    TBytes b(18 + profile, 0x21);
    b[0] = 0x12, b[1] = 0x34, b[2] = 0x56, b[3] = 0x10, b[4] = 0, b[5] = 0x45, b[6] = 0x20, b[7] = 0;
    for (int i = 0; i < 4; ++i) b[11 + i] = static_cast<std::uint8_t>(deviceTime >> (8 * i));
    b[15] = 80, b[16] = static_cast<std::uint8_t>(profile), b[17] = static_cast<std::uint8_t>(profile >> 8);
    return b;
}

// The dive blocks of a full reply: 80 dives of 390 profile bytes (32 KB of data).
std::vector<TBytes> FullMemory() {
    std::vector<TBytes> blocks;
    blocks.reserve(80);
    for (int i = 0; i < 80; ++i) blocks.push_back(Block(kClock - 7200u * (80 - i), 390));
    return blocks;
}

TBytes FullReply() {
    TBytes data{0x55};
    for (int i = 0; i < 4; ++i) data.push_back(static_cast<std::uint8_t>(kClock >> (8 * i)));
    for (const auto& b : FullMemory()) data.insert(data.end(), b.begin(), b.end());
    TBytes img{static_cast<std::uint8_t>(data.size()), static_cast<std::uint8_t>(data.size() >> 8)};
    img.insert(img.end(), data.begin(), data.end());
    std::uint8_t x = 0;
    for (auto b : img) x ^= b;
    img.push_back(x);
    return img;
}

class TSilentPrompts : public IDownloadPrompts {
public:
    bool AskRenumber(std::uint16_t&) override { return false; }
    bool AskStartNumber(std::uint16_t& n) override { return (n = 1), true; }
    bool AskAcceptNewComputer() override { return true; }
    void ShowMessage(int, TMessageBox) override {}
    void ShowNotAdded(int) override {}
};

// A logbook of `count` older dives of the same dive computer.
TDiveCollection OlderLogbook(std::size_t count) {
    TDiveCollection log;
    log.DiveComputerId = kSerial;
    log.StartNumber = 1;
    for (std::size_t i = 0; i < count; ++i) {
        auto d = std::make_unique<TDiveRec>();
        d->DayNo = 140000 + static_cast<std::int32_t>(i / 2);
        d->StartTime = static_cast<std::uint16_t>(600 + (i % 2) * 180);
        d->DeviceTime = static_cast<std::uint32_t>(1000 + i);
        log.AddDive(std::move(d), 0, 1);
    }
    return log;
}

void BM_ImportFullReply(benchmark::State& state) {
    const TBytes reply = FullReply();
    const TDiveCollection proto = OlderLogbook(static_cast<std::size_t>(state.range(0)));
    TSilentPrompts prompts;
    for ([[maybe_unused]] auto _ : state) {
        state.PauseTiming();
        TDiveCollection log;
        log.DiveComputerId = proto.DiveComputerId;
        for (const auto& d : proto.Dives()) log.AddDive(std::make_unique<TDiveRec>(*d), 0, 1);
        state.ResumeTiming();
        const TReplyImage image(reply);
        const TTransferVerdict v = EvaluateTransfer(mrOk, false, image);
        const TImportReport r =
            ImportDives(image, log, TDiveChoice::OnlyNewer, log.LastDeviceTime(), kNow, prompts);
        log.SortAndRenumber();
        benchmark::DoNotOptimize(v.Import);
        if (r.Added != 80) state.SkipWithError("dives were not added");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * reply.size()));
}
BENCHMARK(BM_ImportFullReply)->Arg(0)->Arg(10000)->Arg(65000)->Unit(benchmark::kMillisecond);

void BM_TransferAgainstSimulatedBox(benchmark::State& state) {
    const auto memory = FullMemory();
    for ([[maybe_unused]] auto _ : state) {
        TVirtualClock clock;
        TSimPort sim(clock);
        TSimTiming t;
        t.LineDelay = false;
        sim.Box().SetTiming(t);
        sim.Box().Memory().Serial = kSerial;
        sim.Box().Memory().DeviceClock = kClock;
        sim.Box().Memory().DiveBlocks = memory;
        sim.SetMirrorBytes(true);
        sim.EnumComPorts();
        TTransferCore core(clock, sim, TTransferConfig::Kelwin());
        TCoreDownloadWindow window(core);
        TDiveCollection log;
        TDownloadSettings settings;
        TSilentPrompts prompts;
        TTransferCommand cmd;
        const auto out = cmd.Run(true, log, settings, window, prompts, [] { return kNow; });
        if (out.Import.Added != 80) state.SkipWithError("transfer failed");
    }
}
BENCHMARK(BM_TransferAgainstSimulatedBox)->Unit(benchmark::kMillisecond);

}  // namespace
