// A full firmware update (1504 blocks) through QSerialPort against kalm07-sim on a
// pseudo-terminal with wire timing at 230400 baud, next to the time its bytes alone take on
// the line (10 bits a byte, both directions; the protocol never overlaps them).
//
//   build/bin/firmware_update_bench
//
// Counters: wire_s is the line time of every byte written and read, ratio the measured time
// over it. The argument is the simulated adapter latency in milliseconds.
#include "firmware/FirmwareTransfer.h"
#include "link/SerialLink.h"
#include "link/gui/QtSerialPort.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{

using namespace vireo;

constexpr std::uint32_t Baud = 230400;

std::string binDir()
{
    char path[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    const std::string exe(path, n > 0 ? static_cast<std::size_t>(n) : 0);
    return exe.substr(0, exe.rfind('/'));
}

// kalm07-sim in a child process; its first stdout line is "path=busid".
class SimProcess
{
public:
    explicit SimProcess(std::vector<std::string> args)
    {
        int out[2];
        if (pipe(out) != 0)
            return;
        const std::string exe = binDir() + "/kalm07-sim";
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            ::close(out[0]);
            ::close(out[1]);
            std::vector<char *> argv{const_cast<char *>(exe.c_str())};
            for (auto &a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(exe.c_str(), argv.data());
            _exit(127);
        }
        ::close(out[1]);
        char c;
        while (::read(out[0], &c, 1) == 1 && c != '\n')
            line_.push_back(c);
        ::close(out[0]);
    }
    ~SimProcess()
    {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            int status = 0;
            waitpid(pid_, &status, 0);
        }
    }
    std::string portPath() const { return line_.substr(0, line_.find('=')); }

private:
    pid_t pid_ = -1;
    std::string line_;
};

// Counts the bytes that cross the line in each direction.
class CountingPort : public SerialPort
{
public:
    explicit CountingPort(SerialPort &inner) : inner_(inner) {}
    bool open(const std::string &name, std::uint32_t baud) override { return inner_.open(name, baud); }
    void close() override { inner_.close(); }
    bool isOpen() const override { return inner_.isOpen(); }
    bool write(const std::uint8_t *data, std::size_t size) override
    {
        written += size;
        return inner_.write(data, size);
    }
    std::size_t readSome(std::uint8_t *dst, std::size_t max, std::uint32_t timeoutMs) override
    {
        const std::size_t n = inner_.readSome(dst, max, timeoutMs);
        read += n;
        return n;
    }
    void discardInput() override { inner_.discardInput(); }

    std::size_t written = 0;
    std::size_t read = 0;

private:
    SerialPort &inner_;
};

void FullFirmwareUpdate(benchmark::State &state)
{
    const auto latency = std::to_string(state.range(0));
    SimProcess sim({"--kind", "2", "--firmware", " 0.4.9", "--wire-timing", "--latency-ms", latency});
    const std::string image = binDir() + "/firmware/KALM07_Kind2_0.5.0.dat";
    double measured = 0;
    double wire = 0;
    for (auto _ : state) {
        QtSerialPort qt;
        CountingPort port(qt);
        SerialLink link(port);
        link.portName = sim.portPath();
        link.baudRate = Baud;
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
        wire = static_cast<double>((port.written + port.read) * 10) / Baud;
    }
    state.counters["wire_s"] = wire;
    state.counters["ratio"] = wire > 0 ? measured / wire : 0;
}

} // namespace

BENCHMARK(FullFirmwareUpdate)
    ->ArgName("latency_ms")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
