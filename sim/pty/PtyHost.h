#pragma once
// Serves simulated units on pseudo-terminals in real time. Each unit gets a pty pair; the
// program opens the slave path like any serial port. Bytes the program writes are handed to
// the unit with the baud rate it set on the slave; reply bytes are written to the master at
// the times the unit schedules them (wire timing and latency, when enabled, in real time).
//
// The host keeps a slave descriptor of its own open, so the pair survives the program
// closing and reopening the port, and what arrives meanwhile waits in the slave's input like
// on a real port.
#include "UnitSimulator.h"

#include <csignal>
#include <cstdint>
#include <string>
#include <vector>

namespace vireo
{

std::uint32_t ptyBaudRate(int fd);

class PtyHost
{
public:
    PtyHost();
    ~PtyHost();
    PtyHost(const PtyHost &) = delete;
    PtyHost &operator=(const PtyHost &) = delete;

    // Opens a pty pair for the unit; a null unit makes a port with nothing behind it (its
    // input is read and dropped). False with a message when the system refuses.
    bool addUnit(UnitSimulator *unit, std::string *error);
    const std::string &slavePath(std::size_t index) const { return units_[index].slavePath; }
    std::size_t unitCount() const { return units_.size(); }

    // Serves until stop becomes non-zero.
    void run(const volatile std::sig_atomic_t &stop);

    // Microseconds on the monotonic clock since the host was made; the units' time base.
    std::int64_t nowUs() const;

private:
    struct Served {
        UnitSimulator *unit = nullptr;
        int master = -1;
        int slaveKeep = -1;
        std::string slavePath;
        std::vector<std::uint8_t> due; // reply bytes whose time has come, not yet written
    };

    std::vector<Served> units_;
    std::int64_t startUs_ = 0;

    void closeServed(Served &s);
    void deliver(Served &s);
    void readFrom(Served &s);
};

} // namespace vireo
