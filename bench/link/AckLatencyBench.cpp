// How fast the transfer window answers: the time from the last byte of a packet
// reaching the program to its ACK leaving, over a whole 32 KB reply image from the
// simulated box running without line delay, on the programs' real clock.
#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

#include <benchmark/benchmark.h>

#include "LinkFraming.h"
#include "TQtClock.h"
#include "TSimPort.h"
#include "TTransferCore.h"

namespace {

using Clock = std::chrono::steady_clock;

// Passes everything to the simulated port and notes when received data is handed to
// the window and when an ACK goes out.
class TimingPort : public IComPort {
public:
    explicit TimingPort(IComPort& inner) : m_inner(inner) {}
    std::vector<double> LatenciesUs;

    void SetPort(int com) override { m_inner.SetPort(com); }
    int Port() const override { return m_inner.Port(); }
    void ClosePort() override { m_inner.ClosePort(); }
    std::uint16_t ReadData(std::uint8_t* b, std::uint16_t n) override { return m_inner.ReadData(b, n); }
    std::uint16_t WriteData(std::uint8_t* b, std::uint16_t n) override {
        const bool ack = n == 1 && b[0] == kAck;
        const std::uint16_t r = m_inner.WriteData(b, n);
        if (ack && m_arrived) {
            LatenciesUs.push_back(
                std::chrono::duration<double, std::micro>(Clock::now() - m_arrival).count());
            m_arrived = false;
        }
        return r;
    }
    bool ClearErrors() override { return m_inner.ClearErrors(); }
    bool PurgeInput() override { return m_inner.PurgeInput(); }
    bool TakeError() override { return m_inner.TakeError(); }
    bool EscapeCommFunction(LineControl f) override { return m_inner.EscapeCommFunction(f); }
    int EnumComPorts() override { return m_inner.EnumComPorts(); }
    bool PortPresent(int com) const override { return m_inner.PortPresent(com); }
    void SetMirrorBytes(bool on) override { m_inner.SetMirrorBytes(on); }
    bool MirrorBytes() const override { return m_inner.MirrorBytes(); }
    void SetOnRxChar(std::function<void()> handler) override {
        m_inner.SetOnRxChar([this, h = std::move(handler)] {
            // The simulated line hands over each packet whole: this is its last byte arriving.
            m_arrival = Clock::now();
            m_arrived = true;
            if (h) h();
        });
    }

private:
    IComPort& m_inner;
    Clock::time_point m_arrival;
    bool m_arrived = false;
};

double Percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const auto i = static_cast<std::size_t>(std::lround(p * static_cast<double>(v.size() - 1)));
    return v[std::min(i, v.size() - 1)];
}

void BM_AckAfterLastByte32KImage(benchmark::State& state) {
    TQtClock clock;
    TSimPort sim(clock);
    sim.SetMirrorBytes(true);
    TSimTiming timing;
    timing.LineDelay = false;
    timing.IdentificationDelayMs = 0;
    timing.AckDelayMs = 0;
    // The reply must not overtake the end of the program's ACK wait (a real box takes its
    // time here too); this pause is not part of the figures.
    timing.ReplyDelayMs = 5;
    timing.PacketGapMs = 0;
    sim.Box().SetTiming(timing);
    TSimMemory& m = sim.Box().Memory();
    // 32 KB of dives: 5 + 28 * 1170 = 32765 data bytes, an image of 32768 bytes.
    for (std::uint32_t i = 0; i < 28; ++i)
        m.DiveBlocks.push_back(
            TSimMemory::MakeDiveBlock(m.Serial, m.HwSw, 1000 + i, std::vector<std::uint8_t>(1152, 0x5A)));
    TimingPort port(sim);
    TTransferCore core(clock, port, TTransferConfig::Kelwin());
    const std::vector<std::uint8_t> request =
        BuildPacket(std::vector<std::uint8_t>{0x05, 0x00, 0x55, 0, 0, 0, 0});

    std::size_t images = 0;
    for ([[maybe_unused]] auto _ : state) {
        state.PauseTiming();
        std::uint16_t setting = 0x0100;
        if (!core.FindInterface(setting, true)) {
            state.SkipWithError("simulated box not found");
            break;
        }
        port.LatenciesUs.clear();
        state.ResumeTiming();
        core.SendCommand(request);
        const ModalResult r = core.RunModal(120000);
        state.PauseTiming();
        if (r != mrOk || !core.ImageValid() || core.ReceivedCount() < 32768) {
            state.SkipWithError("transfer failed");
            break;
        }
        ++images;
        core.FormClose();
        state.ResumeTiming();
    }
    state.counters["packets"] = static_cast<double>(port.LatenciesUs.size());
    state.counters["ack_median_us"] = Percentile(port.LatenciesUs, 0.5);
    state.counters["ack_p99_us"] = Percentile(port.LatenciesUs, 0.99);
    state.counters["ack_max_us"] = Percentile(port.LatenciesUs, 1.0);
    state.SetBytesProcessed(static_cast<std::int64_t>(images) * 32768);
}
BENCHMARK(BM_AckAfterLastByte32KImage)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
