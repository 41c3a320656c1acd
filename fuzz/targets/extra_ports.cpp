// Port lists from the environment (VIREO_EXTRA_PORTS) and bus identifiers built from what a
// USB device reports about itself.
//
// Input: [vendor lo] [vendor hi] [product lo] [product hi] [flags] [serial piece] then the
// port list text to the end. flags bit 0: vendor known; bit 1: product known.
#include "FuzzSupport.h"
#include "link/Discovery.h"
#include "link/PortIdentity.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace vireo;
    vireo::fuzz::FuzzInput input(data, size);
    const auto vendor = static_cast<std::uint16_t>(input.byte() | (input.byte() << 8));
    const auto product = static_cast<std::uint16_t>(input.byte() | (input.byte() << 8));
    const std::uint8_t flags = input.byte();
    const auto serial = input.piece();
    const auto rest = input.rest();
    const std::string_view spec(reinterpret_cast<const char *>(rest.data()), rest.size());

    UsbIdentity usb;
    if (flags & 1)
        usb.vendorId = vendor;
    if (flags & 2)
        usb.productId = product;
    usb.serialNumber.assign(serial.begin(), serial.end());
    const std::string busId = busIdFor(usb, spec);
    if (usb.vendorId == FtdiVendorId)
        FUZZ_CHECK(isFtdiBusId(busId));

    for (const PortInfo &port : parseExtraPorts(spec)) {
        FUZZ_CHECK(!port.portName.empty());
        FUZZ_CHECK(port.portName.find_first_of(";=") == std::string::npos);
        FUZZ_CHECK(port.busId.find(';') == std::string::npos);
        isFtdiBusId(port.busId);
    }
    return 0;
}
