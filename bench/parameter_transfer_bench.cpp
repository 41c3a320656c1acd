// A full READ (nine axis records and the common block) and a full WRITE of the parameter set
// through QSerialPort against kalm07-sim on a pseudo-terminal with wire timing at 250000 baud,
// next to the time the bytes alone take on the line (10 bits a byte, both directions).
//
//   build/bin/parameter_transfer_bench
//
// Counters: wire_ms is the line time of every byte written and read, ratio the measured time
// over it. The argument is the simulated adapter latency in milliseconds. The flows run
// without a window: dialogs answer Yes, progress and display are no-ops.
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
    const auto latency = std::to_string(state.range(0));
    bench::SimProcess sim({"--kind", "2", "--firmware", " 0.5.0", "--wire-timing", "--latency-ms", latency});
    QtSerialPort qt;
    bench::CountingPort port(qt);
    SerialLink link(port);
    link.portName = sim.portPath();
    link.baudRate = Baud;
    if (!link.openPort()) {
        state.SkipWithError("cannot open the simulator's pseudo-terminal");
        return;
    }
    ParameterSet work;
    work.origins.setAll(Origin::Unit); // a write sends only known records
    double measured = 0;
    double wire = 0;
    for (auto _ : state) {
        port.written = port.read = 0;
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
        wire += static_cast<double>((port.written + port.read) * 10) / Baud;
    }
    link.closePort();
    const auto n = static_cast<double>(state.iterations());
    state.counters["wire_ms"] = 1000 * wire / n;
    state.counters["bytes"] = static_cast<double>(port.written + port.read);
    state.counters["ratio"] = wire > 0 ? measured / wire : 0;
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
    ->Iterations(20)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(FullWrite)
    ->ArgName("latency_ms")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(20)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
