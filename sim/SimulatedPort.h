#pragma once
// In-process serial ports wired to simulated units, in virtual time.
//
// SimulatedPort implements SerialPort over a UnitSimulator: write hands the bytes to the unit
// at the current virtual time; readSome returns the reply bytes that have arrived by then, or
// advances the VirtualClock to the next byte's arrival (at most timeoutMs). Waiting is the only
// thing that moves time, so a 5000 ms time-out costs nothing and a reply that pauses longer
// than the time-out fails exactly as on a real line. Time is kept to the microsecond: the
// sub-millisecond part is held here while the clock shows whole milliseconds.
//
// The baud rate given at open is the rate the program's bytes go out at; a unit that does not
// listen at that rate sees framing garbage, finds no command in it and stays silent.
//
// SimulatedBus is a set of ports for discovery: it lists them (PortLister) and its ports open
// any of them by name, exclusively, like the operating system would.
#include "UnitSimulator.h"
#include "seams/PortLister.h"
#include "seams/SerialPort.h"
#include "seams/VirtualClock.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vireo
{

// Virtual time with microseconds: the clock's milliseconds plus a remainder below one.
class SimTime
{
public:
    explicit SimTime(VirtualClock &clock) : clock_(clock) {}
    std::int64_t nowUs() const { return clock_.nowMs() * 1000 + fractionUs_; }
    void advanceTo(std::int64_t us);
    VirtualClock &clock() { return clock_; }

private:
    VirtualClock &clock_;
    std::int64_t fractionUs_ = 0;
};

// One physical port: what is attached to it and who holds it.
struct SimulatedLine {
    std::string portName;
    std::string busId;
    UnitSimulator *unit = nullptr; // null: an adapter with no unit behind it
    bool busy = false;             // held by another program: opening fails
    bool present = true;           // false: unplugged
    bool permissionDenied = false; // the user may not open it: opening fails
    const void *holder = nullptr;  // the port that has it open
};

class SimulatedBus;

class SimulatedPort : public SerialPort
{
public:
    // A lone port with this unit behind it; it opens under any name.
    SimulatedPort(UnitSimulator &unit, VirtualClock &clock);
    // A port of the bus; it opens the bus's ports by name.
    explicit SimulatedPort(SimulatedBus &bus);
    ~SimulatedPort() override;
    SimulatedPort(const SimulatedPort &) = delete;
    SimulatedPort &operator=(const SimulatedPort &) = delete;

    bool open(const std::string &portName, std::uint32_t baud) override;
    OpenFailure openFailure() const override { return openFailure_; }
    void close() override;
    bool isOpen() const override { return line_ != nullptr; }
    bool write(const std::uint8_t *data, std::size_t size) override;
    std::size_t readSome(std::uint8_t *dst, std::size_t max, std::uint32_t timeoutMs) override;
    void discardInput() override;

    // The lone port only: another program holds it, so open fails.
    void setBusy(bool busy) { ownLine_.busy = busy; }

    std::uint32_t baud() const { return baud_; }
    const std::string &openName() const { return openName_; }
    // The unit behind the open port, or null.
    UnitSimulator *unit() const { return line_ ? line_->unit : nullptr; }
    std::int64_t nowUs() const { return time_->nowUs(); }
    // Every successful open, as (port name, baud), in order.
    const std::vector<std::pair<std::string, std::uint32_t>> &openLog() const { return openLog_; }
    std::size_t bytesWritten() const { return bytesWritten_; }

private:
    SimulatedBus *bus_ = nullptr;
    std::unique_ptr<SimTime> ownTime_;
    SimTime *time_;
    SimulatedLine ownLine_;
    SimulatedLine *line_ = nullptr;
    std::uint32_t baud_ = 0;
    OpenFailure openFailure_ = OpenFailure::None;
    std::string openName_;
    std::vector<std::pair<std::string, std::uint32_t>> openLog_;
    std::size_t bytesWritten_ = 0;

    bool lineAlive() const;
};

class SimulatedBus : public PortLister
{
public:
    explicit SimulatedBus(VirtualClock &clock);
    ~SimulatedBus() override;

    // Adds a present port in listing order. unit may be null (an adapter with nothing behind it).
    void addPort(std::string portName, std::string busId, UnitSimulator *unit = nullptr);
    void setBusy(const std::string &portName, bool busy);
    void setPresent(const std::string &portName, bool present);
    void setPermissionDenied(const std::string &portName, bool denied);
    SimulatedLine *line(const std::string &portName);

    // Present ports whose unit has not been unplugged, in the order added.
    std::vector<PortInfo> presentPorts() override;

    // The bus's own port handle, and further ones (exclusive among all of them).
    SimulatedPort &port() { return *port_; }
    std::unique_ptr<SimulatedPort> makePort() { return std::make_unique<SimulatedPort>(*this); }

    SimTime &time() { return time_; }
    VirtualClock &clock() { return time_.clock(); }

    // "FTDIBUS\VID_0403+PID_6001+<serial>\0000", the identifier an FTDI adapter has.
    static std::string ftdiBusId(const std::string &serial, const std::string &pid = "6001");

private:
    SimTime time_;
    std::vector<std::unique_ptr<SimulatedLine>> lines_;
    std::unique_ptr<SimulatedPort> port_;
};

} // namespace vireo
