// Round trip of one PING exchange ("PING\r\n" out, "OK\r\n" back) through QSerialPort on a
// kernel pseudo-terminal:
//   - against a responder thread on the pty master in this process (the cost of QSerialPort
//     and the pty alone),
//   - against kalm07-sim without and with its wire timing, at 250000 and 230400 baud.
//
//   build/bin/ping_bench
//
// Counters per run: median_us and p90_us of the single exchanges, wire_us the line time of
// the ten bytes at the rate (10 bits a byte), which the simulator's wire timing adds.
#include "BenchSim.h"
#include "link/SerialLink.h"
#include "link/gui/QtSerialPort.h"

#include "UnitSimulator.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <vector>

namespace
{

using namespace vireo;
using Clock = std::chrono::steady_clock;

void runPings(benchmark::State &state, SerialLink &link, std::uint32_t baud)
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
}

// A pty whose master answers every line with "OK\r\n" from a thread of its own.
class EchoPty
{
public:
    EchoPty()
    {
        char name[256] = {};
        termios raw{};
        cfmakeraw(&raw);
        if (openpty(&master_, &slave_, name, &raw, nullptr) != 0)
            return;
        path_ = name;
        thread_ = std::thread([this] { serve(); });
    }
    ~EchoPty()
    {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
        ::close(master_);
        ::close(slave_);
    }
    const std::string &path() const { return path_; }

private:
    void serve()
    {
        std::string line;
        while (!stop_) {
            pollfd p{master_, POLLIN, 0};
            if (poll(&p, 1, 50) <= 0)
                continue;
            char buf[256];
            const ssize_t n = ::read(master_, buf, sizeof buf);
            for (ssize_t i = 0; i < n; ++i) {
                if (buf[i] != '\n') {
                    line.push_back(buf[i]);
                    continue;
                }
                if (line == "PING\r")
                    (void)!::write(master_, "OK\r\n", 4);
                line.clear();
            }
        }
    }

    int master_ = -1;
    int slave_ = -1;
    std::string path_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
};

void BM_PingLocalResponder(benchmark::State &state)
{
    EchoPty pty;
    QtSerialPort port;
    SerialLink link(port);
    link.portName = pty.path();
    link.baudRate = 250000;
    if (!link.openPort()) {
        state.SkipWithError("cannot open the pty");
        return;
    }
    runPings(state, link, 250000);
}

void BM_PingKalm07Sim(benchmark::State &state)
{
    const auto baud = static_cast<std::uint32_t>(state.range(0));
    const bool wire = state.range(1) != 0;
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
    runPings(state, link, baud);
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
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
