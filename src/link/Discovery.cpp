#include "link/Discovery.h"

namespace vireo
{

bool isFtdiBusId(std::string_view busId)
{
    return busId.find("FTDIBUS") != std::string_view::npos;
}

std::optional<std::string> findUnitPort(SerialLink &link, PortLister &ports, const IdentifyCallback &identify,
                                        const DiscoveryOptions &options)
{
    if (link.isOpen())
        link.closePort();

    for (const PortInfo &info : ports.presentPorts()) {
        if (options.requireComPrefix && info.portName.rfind("COM", 0) != 0)
            continue;
        link.portName = info.portName;
        if (!isFtdiBusId(info.busId))
            continue;
        for (const std::uint32_t baud : DiscoveryBaudRates) {
            link.baudRate = baud;
            if (!link.openPort())
                continue; // held by another program, or gone
            // Two bare line ends flush whatever half-typed line the unit may hold.
            link.exchange("\r\n", 0, 1000);
            link.exchange("\r\n", 0, 100);
            if (link.pingUnit()) {
                if (!identify || identify())
                    return info.portName;
                link.closePort();
                return std::nullopt;
            }
            link.closePort();
        }
    }
    return std::nullopt;
}

} // namespace vireo
