#pragma once
// The serial ports present on this machine, each with the identifier of the bus driver
// that created it (an FTDI adapter's contains "FTDIBUS").
#include <string>
#include <vector>

namespace vireo
{

struct PortInfo {
    std::string portName; // what SerialPort::open takes ("COM3", "/dev/ttyUSB0", a pty path)
    std::string busId;    // e.g. FTDIBUS\VID_0403+PID_6001+A50285BI\0000
};

class PortLister
{
public:
    virtual ~PortLister() = default;
    virtual std::vector<PortInfo> presentPorts() = 0;
};

} // namespace vireo
