#pragma once
// Finding the unit's port: every present FTDI serial port is opened at 250000 and then at
// 230400 baud, and the first that answers the ping is the unit's. Identification runs on it
// before discovery returns.
#include "link/PortAccess.h"
#include "link/SerialLink.h"
#include "seams/PortLister.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vireo
{

#ifdef _WIN32
inline constexpr bool PortNamesAreWindowsNames = true;
#else
inline constexpr bool PortNamesAreWindowsNames = false;
#endif

inline constexpr std::uint32_t DiscoveryBaudRates[] = {250000, 230400};

// The bus driver of FTDI adapters names itself in the identifier.
bool isFtdiBusId(std::string_view busId);

struct DiscoveryOptions {
    // Windows reports serial ports as "COMn"; other names there are not serial ports. Elsewhere
    // port names are device paths and the test does not apply.
    bool requireComPrefix = PortNamesAreWindowsNames;
};

// An FTDI port that discovery could not open, and why.
struct PortOpenFailure {
    std::string portName;
    OpenFailure reason = OpenFailure::Other;
    bool operator==(const PortOpenFailure &) const = default;
};

// Runs on the port that has just answered the ping; false when the unit there did not
// identify itself.
using IdentifyCallback = std::function<bool()>;

// Closes an open port first. Returns the port name of the unit with the link left open at
// the rate that answered, or nothing with the link closed: no port answered the ping, or
// the unit that answered did not identify itself (discovery then stops there). Each FTDI port
// that could not be opened is added once to openFailures, when given, in listing order.
std::optional<std::string> findUnitPort(SerialLink &link, PortLister &ports, const IdentifyCallback &identify,
                                        const DiscoveryOptions &options = {},
                                        std::vector<PortOpenFailure> *openFailures = nullptr);

// What the user is told when no unit was found but a port could not be opened: the text's
// key and what goes into it. Nothing when no failure has a known reason.
struct OpenFailureAdvice {
    std::string key; // language key; %1 is the port, %2 the group
    std::string port;
    std::string group; // the group that owns the node and may read and write it
    bool operator==(const OpenFailureAdvice &) const = default;
};

// The first failure with a known reason is the one told. groupOf reads the owner group of
// a device node (nodeGroup in production).
std::optional<OpenFailureAdvice>
adviceForOpenFailures(const std::vector<PortOpenFailure> &failures,
                      const std::function<std::optional<NodeGroup>(const std::string &)> &groupOf);

} // namespace vireo
