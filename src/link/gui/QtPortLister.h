#pragma once
// Present serial ports from QSerialPortInfo, each with a bus identifier in the Windows form
// (FTDI by vendor ID 0403 or, on Linux, by the ftdi_sio driver behind the tty),
// followed by the ports named in the environment variable VIREO_EXTRA_PORTS
// ("path=busid;path=busid"), which is how a simulated unit on a pseudo-terminal is found.
#include "seams/PortLister.h"

namespace vireo
{

class QtPortLister : public PortLister
{
public:
    std::vector<PortInfo> presentPorts() override;
};

} // namespace vireo
