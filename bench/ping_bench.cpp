// Round trip of one PING exchange ("PING\r\n" out, "OK\r\n" back) through QSerialPort on a
// kernel pseudo-terminal:
//   - against a responder thread on the pty master in this process (the cost of QSerialPort
//     and the pty alone),
//   - against kalm07-sim without and with its wire timing, at 250000 and 230400 baud.
//
//   build/bin/ping_bench
//
// Counters per run: median_us and p90_us of the single exchanges, wire_us the line time of
// the ten bytes at the rate (10 bits a byte), which the simulator's wire timing adds, floor_us
// the wire time (with wire timing) plus the bare round trip measured against the local
// responder in the same run, and ratio = median / floor.
#include "BenchSim.h"
#include "link/SerialLink.h"
#include "link/gui/QtSerialPort.h"

#include "UnitSimulator.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace
{

using namespace vireo;
using Clock = std::chrono::steady_clock;

// floorUs: the wire time of the ten bytes (none for the local responder) plus the bare round
// trip measured before the run.
void runPings(benchmark::State &state, SerialLink &link, std::uint32_t baud, double floorUs)
{
    std::vector<double> us;
    us.reserve(4096);
    std::size_t failures = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const bool ok = link.pingUnit();
        us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
        failures += ok ? 0 : 1;
    }
    std::sort(us.begin(), us.end());
    state.counters["median_us"] = us[us.size() / 2];
    state.counters["p90_us"] = us[us.size() * 9 / 10];
    state.counters["wire_us"] =
        static_cast<double>(UnitSimulator::wireTimeUs(6, baud) + UnitSimulator::wireTimeUs(4, baud));
    state.counters["failures"] = static_cast<double>(failures);
    state.counters["floor_us"] = floorUs;
    state.counters["ratio"] = floorUs > 0 ? us[us.size() / 2] / floorUs : 0;
}

void BM_PingLocalResponder(benchmark::State &state)
{
    const double floorUs = 1e6 * bench::bareRoundTripS();
    bench::EchoPty pty;
    QtSerialPort port;
    SerialLink link(port);
    link.portName = pty.path();
    link.baudRate = 250000;
    if (!link.openPort()) {
        state.SkipWithError("cannot open the pty");
        return;
    }
    runPings(state, link, 250000, floorUs);
}

void BM_PingKalm07Sim(benchmark::State &state)
{
    const auto baud = static_cast<std::uint32_t>(state.range(0));
    const bool wire = state.range(1) != 0;
    const double floorUs =
        1e6 * bench::bareRoundTripS() +
        (wire ? static_cast<double>(UnitSimulator::wireTimeUs(6, baud) + UnitSimulator::wireTimeUs(4, baud))
              : 0);
    std::vector<std::string> args = {"--kind", "2", "--bauds", std::to_string(baud)};
    if (wire)
        args.push_back("--wire-timing");
    bench::SimProcess sim(args);
    QtSerialPort port;
    SerialLink link(port);
    link.portName = sim.portPath();
    link.baudRate = baud;
    if (!link.openPort() || !link.pingUnit()) {
        state.SkipWithError("kalm07-sim does not answer");
        return;
    }
    runPings(state, link, baud, floorUs);
}

BENCHMARK(BM_PingLocalResponder)->Iterations(2000)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PingKalm07Sim)
    ->ArgNames({"baud", "wire"})
    ->Args({250000, 0})
    ->Args({250000, 1})
    ->Args({230400, 0})
    ->Args({230400, 1})
    ->Iterations(2000)
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return vireo::bench::runBenchmarks(argc, argv);
}
