#pragma once
// Why a serial port's device node could not be opened, who may open it, and which driver
// serves it, read from the file system.
#include "seams/SerialPort.h"

#include <optional>
#include <string>
#include <string_view>

namespace vireo
{

// After a failed open: a node that is not there is gone, one the user may not read and write
// is refused by permission, and one that exists and may be opened is held by another program.
OpenFailure probeOpenFailure(const std::string &path);

struct NodeGroup {
    std::string name;       // "dialout" on Debian, "uucp" elsewhere; the number when it has no name
    bool readWrite = false; // members of the group may read and write the node
};

// The group that owns the device node; nothing when the node cannot be looked at.
std::optional<NodeGroup> nodeGroup(const std::string &path);

// Linux: whether the ftdi_sio driver serves the tty of that name (/dev/ttyUSB0 or ttyUSB0),
// by the driver link of the tty's device under sysRoot ("/sys" on a real system).
bool servedByFtdiDriver(std::string_view sysRoot, std::string_view ttyName);

} // namespace vireo
