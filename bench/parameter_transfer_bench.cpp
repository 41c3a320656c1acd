// A full READ (nine axis records and the common block) and a full WRITE of the parameter set
// through QSerialPort against kalm07-sim on a pseudo-terminal with wire timing at 250000 baud,
// next to its floor (see BenchSim.h: wire time, one adapter latency per reply, one bare round
// trip per exchange).
//
//   build/bin/parameter_transfer_bench
//
// The argument is the simulated adapter latency in milliseconds (16: the FTDI driver's
// default; 1: with low latency). Counters per flow (milliseconds): time_ms, floor_ms and its
// parts, ratio = time / floor, bytes. The flows run without a window: dialogs answer Yes,
// progress and display are no-ops.
#include "BenchSim.h"
#include "link/SerialLink.h"
#include "link/gui/QtSerialPort.h"
#include "params/BlockTransfer.h"
#include "params/ParameterFlows.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>

namespace
{

using namespace vireo;

constexpr std::uint32_t Baud = 250000;

class HeadlessHost : public ParameterFlowHost
{
public:
    HeadlessHost(SerialLink &link, ParameterSet &work) : link_(link), work_(work) {}

    bool connected() override { return true; }
    bool readGroup(Selector g, ModeSet k) override { return ok(vireo::readGroup(link_, unit_, g, k, work_)); }
    bool writeGroup(Selector g, ModeSet k) override
    {
        return ok(vireo::writeGroup(link_, unit_, g, k, work_));
    }
    ParameterSet &workValues() override { return work_; }
    UnitProfile unitProfile() override { return unit_; }
    bool linkLost() override { return link_.lost(); }
    void disconnect() override {}
    std::string text(std::string_view key) override { return std::string(key); }
    MsgButton showMessage(const FlowDialog &d, const std::string &) override
    {
        if (d.icon == MsgIcon::Error)
            failed = true;
        return Yes;
    }
    void saveParameterFile() override {}
    void setReadWriteEnabled(bool) override {}
    void showProgress() override {}
    void stepProgress(int) override {}
    void closeProgress() override {}
    void processEvents() override { QCoreApplication::processEvents(); }
    void waitWithEvents(int) override {}
    void applyAxisMode() override {}
    void takeUnitCopy() override {}
    void forgetUnitCopy(Selector, ModeSet) override {}
    void showParameters() override {}
    void showDefaults() override {}
    void endOfMainFlow() override {}

    bool failed = false;

private:
    bool ok(bool result)
    {
        failed = failed || !result;
        return result;
    }
    SerialLink &link_;
    ParameterSet &work_;
    UnitProfile unit_{UnitKind::Kind2, " 0.5.0"};
};

void runFlow(benchmark::State &state, const std::function<void(ParameterFlowHost &)> &flow)
{
    const double latencyS = static_cast<double>(state.range(0)) / 1000;
    const double roundTrip = bench::bareRoundTripS();
    bench::SimProcess sim(bench::wireTimedKind2(" 0.5.0", state.range(0)));
    bench::SimLink toSim(sim.portPath(), Baud);
    bench::CountingPort &port = toSim.port;
    SerialLink &link = toSim.link;
    if (!link.openPort()) {
        state.SkipWithError("cannot open the simulator's pseudo-terminal");
        return;
    }
    ParameterSet work;
    work.origins.setAll(Origin::Unit); // a write sends only known records
    double measured = 0;
    bench::Floor floor;
    for (auto _ : state) {
        port.reset();
        HeadlessHost host(link, work);
        const auto start = std::chrono::steady_clock::now();
        flow(host);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        if (host.failed) {
            state.SkipWithError("a transfer failed");
            return;
        }
        state.SetIterationTime(elapsed.count());
        measured += elapsed.count();
        const bench::Floor f = bench::floorOf(port, Baud, latencyS, roundTrip);
        floor.wire += f.wire;
        floor.latency += f.latency;
        floor.roundTrip += f.roundTrip;
        floor.waiting += f.waiting;
        floor.program += f.program;
    }
    link.closePort();
    const auto n = static_cast<double>(state.iterations());
    bench::reportFloor(
        state, measured / n,
        {floor.wire / n, floor.latency / n, floor.roundTrip / n, floor.waiting / n, floor.program / n}, 1000,
        "ms");
    state.counters["bytes"] = static_cast<double>(port.written + port.read);
}

void FullRead(benchmark::State &state)
{
    runFlow(state, [](ParameterFlowHost &h) { runReadFlow(h, false); });
}

void FullWrite(benchmark::State &state)
{
    runFlow(state, [](ParameterFlowHost &h) { runWriteFlow(h); });
}

} // namespace

BENCHMARK(FullRead)
    ->ArgName("latency_ms")
    ->Arg(0)
    ->Arg(1)
    ->Arg(16)
    ->Iterations(20)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(FullWrite)
    ->ArgName("latency_ms")
    ->Arg(0)
    ->Arg(1)
    ->Arg(16)
    ->Iterations(20)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return vireo::bench::runBenchmarks(argc, argv);
}
