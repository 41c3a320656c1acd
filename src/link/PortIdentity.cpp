#include "link/PortIdentity.h"

#include <cstdio>

namespace vireo
{
namespace
{

std::string hex4(std::uint16_t v)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04X", static_cast<unsigned>(v));
    return buf;
}

} // namespace

std::string busIdFor(const UsbIdentity &usb, std::string_view portName)
{
    if (!usb.vendorId && !usb.ftdiDriver)
        return "SERIAL\\" + std::string(portName);
    const std::string vid = usb.vendorId ? hex4(*usb.vendorId) : "0000";
    const std::string pid = usb.productId ? hex4(*usb.productId) : "0000";
    if (usb.ftdiDriver || *usb.vendorId == FtdiVendorId)
        return "FTDIBUS\\VID_" + vid + "+PID_" + pid + "+" + usb.serialNumber + "\\0000";
    return "USB\\VID_" + vid + "&PID_" + pid + "\\" + usb.serialNumber;
}

std::vector<PortInfo> parseExtraPorts(std::string_view spec)
{
    std::vector<PortInfo> ports;
    while (!spec.empty()) {
        const std::size_t end = spec.find(';');
        const std::string_view entry = spec.substr(0, end);
        spec = end == std::string_view::npos ? std::string_view{} : spec.substr(end + 1);
        if (entry.empty())
            continue;
        const std::size_t eq = entry.find('=');
        PortInfo info;
        info.portName = std::string(entry.substr(0, eq));
        if (eq != std::string_view::npos)
            info.busId = std::string(entry.substr(eq + 1));
        if (!info.portName.empty())
            ports.push_back(std::move(info));
    }
    return ports;
}

} // namespace vireo
