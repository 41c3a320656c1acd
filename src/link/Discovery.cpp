#include "link/Discovery.h"

namespace vireo
{

bool isFtdiBusId(std::string_view busId)
{
    return busId.find("FTDIBUS") != std::string_view::npos;
}

std::optional<std::string> findUnitPort(SerialLink &link, PortLister &ports, const IdentifyCallback &identify,
                                        const DiscoveryOptions &options,
                                        std::vector<PortOpenFailure> *openFailures)
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
            if (!link.openPort()) {
                // Held by another program, not the user's to open, or gone: said when no
                // unit is found.
                if (openFailures && (openFailures->empty() || openFailures->back().portName != info.portName))
                    openFailures->push_back({info.portName, link.port().openFailure()});
                continue;
            }
            if (openFailures && !openFailures->empty() && openFailures->back().portName == info.portName)
                openFailures->pop_back(); // it opened after all
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

std::optional<OpenFailureAdvice>
adviceForOpenFailures(const std::vector<PortOpenFailure> &failures,
                      const std::function<std::optional<NodeGroup>(const std::string &)> &groupOf)
{
    for (const PortOpenFailure &f : failures) {
        switch (f.reason) {
        case OpenFailure::Permission: {
            // Joining the owner group helps only when the group may read and write the node;
            // otherwise the udev rule is the way.
            const std::optional<NodeGroup> group = groupOf ? groupOf(f.portName) : std::nullopt;
            if (group && group->readWrite && group->name != "root")
                return OpenFailureAdvice{"PortPermissionGroupMessage", f.portName, group->name};
            return OpenFailureAdvice{"PortPermissionMessage", f.portName, {}};
        }
        case OpenFailure::Busy:
            return OpenFailureAdvice{"PortBusyMessage", f.portName, {}};
        case OpenFailure::Gone:
            return OpenFailureAdvice{"PortGoneMessage", f.portName, {}};
        case OpenFailure::None:
        case OpenFailure::Other:
            break;
        }
    }
    return std::nullopt;
}

} // namespace vireo
