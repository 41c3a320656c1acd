// What one polling tick of the status page costs the window, and how evenly the polling timer
// fires.
//
//   build/bin/live_status_bench
//
// LiveStatusTick: one tick as the window runs it (runStatusTick: the ping, then GINFO A/E/R, CHDET and CHDET2
// of a Kind2 unit with firmware " 0.5.0") through QSerialPort against kalm07-sim with wire timing at 250000
// baud. The tick runs on the window's thread, so its duration is the time the window is blocked. The argument
// is the simulated adapter latency in milliseconds: 16 is the FTDI driver's default (no low latency), 1 what
// it uses once low latency is granted. Counters (milliseconds, per tick): blocked_ms (median),
// blocked_max_ms, floor_ms and its parts, ratio.
//
// TimerSpacing: a 500 ms QTimer with a tick that blocks for 8 ms, coarse (Qt's default) and
// precise; spacing_min_ms and spacing_max_ms between consecutive ticks.
#include "BenchSim.h"
#include "link/LiveStatus.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

namespace
{

using namespace vireo;

constexpr std::uint32_t Baud = 250000;

void LiveStatusTick(benchmark::State &state)
{
    const double latencyS = static_cast<double>(state.range(0)) / 1000;
    const double roundTrip = bench::bareRoundTripS();
    bench::SimProcess sim(bench::wireTimedKind2(" 0.5.0", state.range(0)));
    bench::SimLink toSim(sim.portPath(), Baud);
    bench::CountingPort &port = toSim.port;
    SerialLink &link = toSim.link;
    if (!link.openPort() || !link.pingUnit()) {
        state.SkipWithError("kalm07-sim does not answer");
        return;
    }
    LiveStatus status;
    GarbledStatusReport garbled;
    std::vector<double> ticks;
    bench::Floor floor;
    for (auto _ : state) {
        port.reset();
        const auto start = std::chrono::steady_clock::now();
        const StatusTick tick = runStatusTick(link, status, garbled, UnitKind::Kind2, " 0.5.0", 0);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        if (tick.lost || !tick.view) {
            state.SkipWithError("the tick failed");
            return;
        }
        state.SetIterationTime(elapsed.count());
        ticks.push_back(elapsed.count());
        floor = bench::floorOf(port, Baud, latencyS, roundTrip);
    }
    std::sort(ticks.begin(), ticks.end());
    bench::reportFloor(state, ticks[ticks.size() / 2], floor, 1000, "ms");
    state.counters["blocked_ms"] = 1000 * ticks[ticks.size() / 2];
    state.counters["blocked_max_ms"] = 1000 * ticks.back();
}

void TimerSpacing(benchmark::State &state)
{
    const auto type = state.range(0) != 0 ? Qt::PreciseTimer : Qt::CoarseTimer;
    for (auto _ : state) {
        QTimer timer;
        timer.setTimerType(type);
        timer.setInterval(500);
        QElapsedTimer clock;
        std::vector<qint64> at;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            at.push_back(clock.nsecsElapsed());
            const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(8);
            while (std::chrono::steady_clock::now() < until) {
            }
            if (at.size() == 9)
                QCoreApplication::quit();
        });
        clock.start();
        timer.start();
        QCoreApplication::exec();
        double lo = 1e9, hi = 0;
        for (std::size_t i = 1; i < at.size(); ++i) {
            const double ms = static_cast<double>(at[i] - at[i - 1]) / 1e6;
            lo = std::min(lo, ms);
            hi = std::max(hi, ms);
        }
        state.counters["spacing_min_ms"] = lo;
        state.counters["spacing_max_ms"] = hi;
    }
}

} // namespace

BENCHMARK(LiveStatusTick)
    ->ArgName("latency_ms")
    ->Arg(0)
    ->Arg(1)
    ->Arg(16)
    ->Iterations(40)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(TimerSpacing)->ArgName("precise")->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return vireo::bench::runBenchmarks(argc, argv);
}
