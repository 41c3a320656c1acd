#pragma once
// Finding the unit's port: every present FTDI serial port is opened at 250000 and then at
// 230400 baud, and the first that answers the ping is the unit's. Identification runs on it
// before discovery returns.
#include "link/SerialLink.h"
#include "seams/PortLister.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

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

// Runs on the port that has just answered the ping; false when the unit there did not
// identify itself.
using IdentifyCallback = std::function<bool()>;

// Closes an open port first. Returns the port name of the unit with the link left open at
// the rate that answered, or nothing with the link closed: no port answered the ping, or
// the unit that answered did not identify itself (discovery then stops there).
std::optional<std::string> findUnitPort(SerialLink &link, PortLister &ports, const IdentifyCallback &identify,
                                        const DiscoveryOptions &options = {});

} // namespace vireo
