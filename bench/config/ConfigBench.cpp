// Speed of the configuration tool's logic: decoding a settings block for the window,
// encoding the write list, and one whole read exchange with the simulated box in
// virtual time (probe, command, ACK, reply) - the real time a test of the window needs.
#include <array>
#include <cstdint>

#include <benchmark/benchmark.h>

#include "EncodeSettings.h"
#include "SettingsDecoder.h"
#include "SimulatedSettings.h"
#include "TSimPort.h"
#include "TTransferCore.h"
#include "TVirtualClock.h"
#include "TeswinCommand.h"

static void BM_DecodeSettingsBlock(benchmark::State& state) {
    std::array<std::uint8_t, 21> b{0x4C, 0xA4, 0x62, 50, 52, 0x36, 123, 0, 230, 0, 0, 0, 0x40, 0xE2, 0x01};
    const TSettingsBlock block(b);
    for ([[maybe_unused]] auto _ : state) benchmark::DoNotOptimize(DecodeSettingsBlock(block));
}
BENCHMARK(BM_DecodeSettingsBlock);

static void BM_EncodeSettings(benchmark::State& state) {
    TCfPositions p;
    p.Res = 10;
    p.PpO2 = 9;
    p.TIniO2 = 12;
    for ([[maybe_unused]] auto _ : state) benchmark::DoNotOptimize(EncodeSettings(p, 0xA4));
}
BENCHMARK(BM_EncodeSettings);

static void BM_ReadExchangeVirtualTime(benchmark::State& state) {
    std::int64_t virtualMs = 0;
    for ([[maybe_unused]] auto _ : state) {
        TVirtualClock clock;
        TSimPort sim(clock);
        LoadSimulatedSettings(sim.Box().Memory(), TSimModel::Scr);
        TTransferCore core(clock, sim, TTransferConfig::Teswin());
        sim.SetMirrorBytes(true);
        core.FormCreate();
        std::uint16_t port = 0;
        if (!core.FindInterface(port)) state.SkipWithError("box not found");
        core.SendCommand(ReadCommand());
        if (core.RunModal() != mrOk) state.SkipWithError("read failed");
        core.FormClose();
        if (!core.ImageValid() || core.Image()[2] != kReadCode || core.Image()[3] != 0xA4)
            state.SkipWithError("not the simulated settings block");
        virtualMs += clock.NowMs();
        benchmark::DoNotOptimize(core.Image());
    }
    // Virtual milliseconds one exchange takes on the simulated 9600-baud line.
    state.counters["virtual_ms"] =
        benchmark::Counter(static_cast<double>(virtualMs) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_ReadExchangeVirtualTime)->Unit(benchmark::kMillisecond);
