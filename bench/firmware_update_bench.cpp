// A full firmware update (1504 blocks) through QSerialPort against kalm07-sim on a
// pseudo-terminal with wire timing at 230400 baud, next to its floor: the time its bytes alone
// take on the line (10 bits a byte, both directions; the protocol never overlaps them), one
// adapter latency per reply and one bare pty round trip per exchange.
//
//   build/bin/firmware_update_bench
//
// The argument is the simulated adapter latency in milliseconds: 16 is the FTDI driver's
// default, 1 what it uses once the program has asked for low latency. Counters (seconds):
// time_s, floor_s and its parts wire_s, latency_s, rtt_s, ratio = time / floor, and where the
// time went: waiting_s on the line, program_s in the program between exchanges.
#include "BenchSim.h"
#include "firmware/FirmwareTransfer.h"

#include <QCoreApplication>

namespace
{

using namespace vireo;

constexpr std::uint32_t Baud = 230400;

void FullFirmwareUpdate(benchmark::State &state)
{
    const double latencyS = static_cast<double>(state.range(0)) / 1000;
    const double roundTrip = bench::bareRoundTripS();
    bench::SimProcess sim(bench::wireTimedKind2(" 0.4.9", state.range(0)));
    const std::string image = test::executableDir() + "/firmware/KALM07_Kind2_0.5.0.dat";
    double measured = 0;
    bench::Floor floor;
    for (auto _ : state) {
        bench::SimLink toSim(sim.portPath(), Baud);
        bench::CountingPort &port = toSim.port;
        SerialLink &link = toSim.link;
        if (!link.openPort()) {
            state.SkipWithError("cannot open the simulator's pseudo-terminal");
            return;
        }
        const auto start = std::chrono::steady_clock::now();
        const UpdateOutcome outcome = transferFirmware(link, UnitKind::Kind2, image, TransferEvents{});
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        link.closePort();
        if (outcome != UpdateOutcome::Complete) {
            state.SkipWithError("the update did not complete");
            return;
        }
        state.SetIterationTime(elapsed.count());
        measured = elapsed.count();
        floor = bench::floorOf(port, Baud, latencyS, roundTrip);
    }
    bench::reportFloor(state, measured, floor, 1, "s");
}

} // namespace

BENCHMARK(FullFirmwareUpdate)
    ->ArgName("latency_ms")
    ->Arg(0)
    ->Arg(1)
    ->Arg(16)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

int main(int argc, char **argv)
{
    return vireo::bench::runBenchmarks(argc, argv);
}
