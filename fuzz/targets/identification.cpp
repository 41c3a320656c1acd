// Identification of the unit from its UPVER and VER answers, whatever they hold, and the
// discovery that runs it on the port that answered the ping.
//
// Input: [mode] then the replies to the writes in order, as pieces (see FuzzSupport.h).
//   mode bit 0: baud 250000 or 230400
//   mode % 3 over bits 1..: 0 decide from two pieces directly, 1 identify over the link,
//                           2 discovery over three listed ports, identifying on the one found
#include "link/Identification.h"
#include "FuzzSupport.h"
#include "link/Discovery.h"

namespace
{

using namespace vireo;
using vireo::fuzz::FuzzInput;
using vireo::fuzz::FuzzPort;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Nothing, or a unit identified as what its answers say: never a guessed kind or a version
// that is not " d.d.d" (or the loader marker).
void checkIdentification(const std::optional<Identification> &found)
{
    if (!found)
        return;
    const Identification &id = *found;
    const std::string &v = id.firmwareVersion;
    FUZZ_CHECK(v == LoaderVersion || (v.size() == 6 && v[0] == ' ' && isDigit(v[1]) && v[2] == '.' &&
                                      isDigit(v[3]) && v[4] == '.' && isDigit(v[5])));
    FUZZ_CHECK(!id.loaderOnly || id.firmwareVersion == LoaderVersion);
    FUZZ_CHECK(!id.shape.empty());
    FUZZ_CHECK(id.shape.back().action == ShapeAction::SetText);
    FUZZ_CHECK(id.shape.back().arg == id.firmwareVersion);
}

class ListedPorts : public PortLister
{
public:
    std::vector<PortInfo> presentPorts() override
    {
        return {{"/dev/ttyS0", "ACPI\\PNP0501\\0"},
                {"/dev/ttyUSB0", "FTDIBUS\\VID_0403+PID_6001+A1\\0000"},
                {"/dev/ttyUSB1", "FTDIBUS\\VID_0403+PID_6001+A2\\0000"}};
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::uint8_t mode = input.byte();
    const std::uint32_t baud = mode & 1 ? 230400 : 250000;

    FuzzPort port(input);
    SerialLink link(port);
    port.guardReads(link.ReplyBuffer().data(), SerialLink::ReplyBufferSize - 1);

    switch ((mode >> 1) % 3) {
    case 0: {
        const auto upver = input.piece();
        const auto ver = input.piece();
        checkIdentification(decideIdentification(
            std::string_view(reinterpret_cast<const char *>(upver.data()), upver.size()),
            std::string_view(reinterpret_cast<const char *>(ver.data()), ver.size()), baud));
        break;
    }
    case 1: {
        link.baudRate = baud;
        link.openPort();
        checkIdentification(identifyUnit(link));
        break;
    }
    case 2: {
        ListedPorts ports;
        bool identified = false;
        const auto found = findUnitPort(link, ports, [&] {
            const auto id = identifyUnit(link);
            checkIdentification(id);
            identified = id.has_value();
            return identified;
        });
        FUZZ_CHECK(found.has_value() == identified);
        FUZZ_CHECK(found.has_value() == link.isOpen());
        if (found)
            FUZZ_CHECK(*found == link.portName && found->starts_with("/dev/ttyUSB"));
        break;
    }
    }
    return 0;
}
