#pragma once
// Bus identifiers in the form Windows gives them, so that the FTDI test of discovery reads
// the same on every platform, and the extra ports named in VIREO_EXTRA_PORTS.
#include "seams/PortLister.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vireo
{

inline constexpr std::uint16_t FtdiVendorId = 0x0403;

struct UsbIdentity {
    std::optional<std::uint16_t> vendorId;
    std::optional<std::uint16_t> productId;
    std::string serialNumber;
    // The FTDI driver serves the port, whatever vendor ID the adapter's maker programmed.
    bool ftdiDriver = false;
};

// FTDI adapters (vendor 0403 or served by the FTDI driver): FTDIBUS\VID_xxxx+PID_xxxx+<serial>\0000.
// Other USB devices: USB\VID_xxxx&PID_xxxx\<serial>.
// Ports without a USB identity (built-in, Bluetooth, virtual): a bus id naming the port.
std::string busIdFor(const UsbIdentity &usb, std::string_view portName);

// "path=busid;path=busid". Empty entries are skipped; an entry without '=' has an empty bus id.
std::vector<PortInfo> parseExtraPorts(std::string_view spec);

} // namespace vireo
