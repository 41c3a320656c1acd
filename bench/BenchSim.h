#pragma once
// Helpers for benchmarks against kalm07-sim: the simulator as a child process serving one
// unit on a pseudo-terminal, a port wrapper that counts what crosses the line, and the floor
// every flow is measured against.
//
// The floor of a flow is what no program could beat on that line: the wire time of every
// byte (10 bits a byte, both directions; the protocol never overlaps them), one adapter
// latency per reply, and one bare round trip per exchange (QSerialPort and the kernel's pty
// against a responder that answers at once, measured in the same run).
#include "link/SerialLink.h"
#include "link/gui/QtSerialPort.h"
#include "seams/SerialPort.h"
#include "support/SimProcess.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <optional>
#include <poll.h>
#include <pty.h>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace vireo::bench
{

// kalm07-sim in a child process, shared with the tests; its first stdout line is "path=busid".
using test::SimProcess;

// Counts what crosses the line: bytes in each direction, exchanges (writes) and replies
// (writes answered by at least one byte). It also splits the time: waitingS from each write
// to the last byte read for it (the line, the simulator and the kernel's pty), programS from
// that byte to the next write (the program's own work between exchanges).
class CountingPort : public SerialPort
{
public:
    explicit CountingPort(SerialPort &inner) : inner_(inner) {}
    bool open(const std::string &name, std::uint32_t baud) override { return inner_.open(name, baud); }
    void close() override { inner_.close(); }
    bool isOpen() const override { return inner_.isOpen(); }
    bool write(const std::uint8_t *data, std::size_t size) override
    {
        const Clock::time_point now = Clock::now();
        if (lastByte_)
            programS += seconds(now - *lastByte_);
        lastByte_.reset();
        written += size;
        ++exchanges;
        answered_ = false;
        const bool ok = inner_.write(data, size);
        writeStart_ = now;
        return ok;
    }
    std::size_t readSome(std::uint8_t *dst, std::size_t max, std::uint32_t timeoutMs) override
    {
        const std::size_t n = inner_.readSome(dst, max, timeoutMs);
        read += n;
        if (n > 0) {
            const Clock::time_point now = Clock::now();
            waitingS += seconds(now - (lastByte_ ? *lastByte_ : writeStart_));
            lastByte_ = now;
        }
        if (n > 0 && !answered_) {
            answered_ = true;
            ++replies;
        }
        return n;
    }
    void discardInput() override { inner_.discardInput(); }

    void reset()
    {
        written = read = exchanges = replies = 0;
        waitingS = programS = 0;
        lastByte_.reset();
    }

    std::size_t written = 0;
    std::size_t read = 0;
    std::size_t exchanges = 0;
    std::size_t replies = 0;
    double waitingS = 0;
    double programS = 0;

private:
    using Clock = std::chrono::steady_clock;
    static double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

    SerialPort &inner_;
    bool answered_ = true;
    Clock::time_point writeStart_;
    std::optional<Clock::time_point> lastByte_;
};

// A pty whose master answers every line "PING\r" with "OK\r\n" at once, from a thread of
// its own: the bare round trip of QSerialPort and the pty.
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
    EchoPty(const EchoPty &) = delete;
    EchoPty &operator=(const EchoPty &) = delete;
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

// Median of single PING exchanges against EchoPty, in seconds.
inline double bareRoundTripS(int pings = 400)
{
    EchoPty pty;
    QtSerialPort port;
    SerialLink link(port);
    link.portName = pty.path();
    if (!link.openPort())
        return 0;
    std::vector<double> s;
    for (int i = 0; i < pings; ++i) {
        const auto start = std::chrono::steady_clock::now();
        link.pingUnit();
        s.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::nth_element(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(s.size() / 2), s.end());
    return s[s.size() / 2];
}

// Line time of bytes at a rate, 10 bits a byte.
inline double wireS(std::size_t bytes, std::uint32_t baud)
{
    return static_cast<double>(bytes * 10) / baud;
}

struct Floor {
    double wire = 0;      // every byte on the line
    double latency = 0;   // one adapter latency per reply
    double roundTrip = 0; // one bare round trip per exchange
    double total() const { return wire + latency + roundTrip; }
    // Where the measured time went (not part of the floor; see CountingPort).
    double waiting = 0;
    double program = 0;
};

inline Floor floorOf(const CountingPort &port, std::uint32_t baud, double latencyS, double roundTripS)
{
    return {wireS(port.written + port.read, baud), latencyS * static_cast<double>(port.replies),
            roundTripS * static_cast<double>(port.exchanges), port.waitingS, port.programS};
}

// The floor next to the measured time in the bench's counters, in the unit scale (1 for
// seconds, 1000 for milliseconds).
inline void reportFloor(benchmark::State &state, double measuredS, const Floor &floor, double scale,
                        const char *unit)
{
    const std::string u(unit);
    state.counters["time_" + u] = measuredS * scale;
    state.counters["floor_" + u] = floor.total() * scale;
    state.counters["wire_" + u] = floor.wire * scale;
    state.counters["latency_" + u] = floor.latency * scale;
    state.counters["rtt_" + u] = floor.roundTrip * scale;
    state.counters["ratio"] = floor.total() > 0 ? measuredS / floor.total() : 0;
    state.counters["waiting_" + u] = floor.waiting * scale;
    state.counters["program_" + u] = floor.program * scale;
}

// kalm07-sim arguments: one Kind2 unit with that firmware, wire timing and the adapter latency.
// The program's own serial port on the simulator's pty, counting the bytes each way.
struct SimLink {
    SimLink(const std::string &portPath, std::uint32_t baud)
    {
        link.portName = portPath;
        link.baudRate = baud;
    }
    QtSerialPort qt;
    CountingPort port{qt};
    SerialLink link{port};
};

inline std::vector<std::string> wireTimedKind2(const char *firmware, std::int64_t latencyMs)
{
    return {
        "--kind", "2", "--firmware", firmware, "--wire-timing", "--latency-ms", std::to_string(latencyMs)};
}

// The main of every bench: google benchmark inside a Qt core application (QSerialPort).
inline int runBenchmarks(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace vireo::bench
