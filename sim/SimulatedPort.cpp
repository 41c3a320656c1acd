#include "SimulatedPort.h"

#include <algorithm>

namespace vireo
{

void SimTime::advanceTo(std::int64_t us)
{
    const std::int64_t now = nowUs();
    if (us <= now)
        return;
    const std::int64_t targetMs = us / 1000;
    clock_.advance(targetMs - clock_.nowMs());
    fractionUs_ = us - clock_.nowMs() * 1000;
}

// --- SimulatedPort ----------------------------------------------------------------------------

SimulatedPort::SimulatedPort(UnitSimulator &unit, VirtualClock &clock)
    : ownTime_(std::make_unique<SimTime>(clock)), time_(ownTime_.get())
{
    ownLine_.unit = &unit;
}

SimulatedPort::SimulatedPort(SimulatedBus &bus) : bus_(&bus), time_(&bus.time()) {}

SimulatedPort::~SimulatedPort()
{
    close();
}

bool SimulatedPort::open(const std::string &portName, std::uint32_t baud)
{
    close();
    SimulatedLine *line = bus_ ? bus_->line(portName) : &ownLine_;
    if (!line || !line->present || (line->unit && line->unit->unplugged()))
        openFailure_ = OpenFailure::Gone;
    else if (line->permissionDenied)
        openFailure_ = OpenFailure::Permission;
    else if (line->busy || line->holder)
        openFailure_ = OpenFailure::Busy;
    else
        openFailure_ = OpenFailure::None;
    if (openFailure_ != OpenFailure::None)
        return false;
    line->holder = this;
    line_ = line;
    baud_ = baud;
    openName_ = portName;
    openLog_.emplace_back(portName, baud);
    // What arrived while nobody had the port open is gone.
    if (line_->unit)
        line_->unit->dropArrived(time_->nowUs());
    return true;
}

void SimulatedPort::close()
{
    if (line_ && line_->holder == this)
        line_->holder = nullptr;
    line_ = nullptr;
    openName_.clear();
}

bool SimulatedPort::lineAlive() const
{
    return line_ && line_->present && !(line_->unit && line_->unit->unplugged());
}

bool SimulatedPort::write(const std::uint8_t *data, std::size_t size)
{
    if (!lineAlive())
        return false;
    bytesWritten_ += size;
    if (line_->unit)
        line_->unit->receive(data, size, baud_, time_->nowUs());
    return true;
}

std::size_t SimulatedPort::readSome(std::uint8_t *dst, std::size_t max, std::uint32_t timeoutMs)
{
    if (!lineAlive() || max == 0)
        return 0;
    UnitSimulator *unit = line_->unit;
    const std::int64_t now = time_->nowUs();
    if (unit && unit->arrivedCount(now) > 0)
        return unit->takeArrived(dst, max, now);
    const std::int64_t deadline = now + std::int64_t{timeoutMs} * 1000;
    const auto next = unit ? unit->nextArrivalUs() : std::nullopt;
    if (!next || *next > deadline) {
        time_->advanceTo(deadline);
        return 0;
    }
    time_->advanceTo(*next);
    return unit->takeArrived(dst, max, time_->nowUs());
}

void SimulatedPort::discardInput()
{
    if (line_ && line_->unit)
        line_->unit->dropArrived(time_->nowUs());
}

// --- SimulatedBus -----------------------------------------------------------------------------

SimulatedBus::SimulatedBus(VirtualClock &clock) : time_(clock), port_(std::make_unique<SimulatedPort>(*this))
{
}

SimulatedBus::~SimulatedBus()
{
    // Ports hold pointers into the lines; close ours before they go.
    port_.reset();
}

void SimulatedBus::addPort(std::string portName, std::string busId, UnitSimulator *unit)
{
    auto line = std::make_unique<SimulatedLine>();
    line->portName = std::move(portName);
    line->busId = std::move(busId);
    line->unit = unit;
    lines_.push_back(std::move(line));
}

SimulatedLine *SimulatedBus::line(const std::string &portName)
{
    for (auto &l : lines_)
        if (l->portName == portName)
            return l.get();
    return nullptr;
}

void SimulatedBus::setBusy(const std::string &portName, bool busy)
{
    if (SimulatedLine *l = line(portName))
        l->busy = busy;
}

void SimulatedBus::setPresent(const std::string &portName, bool present)
{
    if (SimulatedLine *l = line(portName))
        l->present = present;
}

void SimulatedBus::setPermissionDenied(const std::string &portName, bool denied)
{
    if (SimulatedLine *l = line(portName))
        l->permissionDenied = denied;
}

std::vector<PortInfo> SimulatedBus::presentPorts()
{
    std::vector<PortInfo> ports;
    for (const auto &l : lines_)
        if (l->present && !(l->unit && l->unit->unplugged()))
            ports.push_back({l->portName, l->busId});
    return ports;
}

std::string SimulatedBus::ftdiBusId(const std::string &serial, const std::string &pid)
{
    return "FTDIBUS\\VID_0403+PID_" + pid + "+" + serial + "\\0000";
}

} // namespace vireo
