#include "link/PortIdentity.h"
#include "link/Discovery.h"

#include <gtest/gtest.h>

namespace vireo
{
namespace
{

TEST(PortIdentity, BusIdsInTheWindowsForm)
{
    struct Case {
        UsbIdentity usb;
        const char *busId;
        bool ftdi;
    };
    const Case cases[] = {
        {{0x0403, 0x6001, "A50285BI"}, "FTDIBUS\\VID_0403+PID_6001+A50285BI\\0000", true},
        {{0x0403, 0x6015, ""}, "FTDIBUS\\VID_0403+PID_6015+\\0000", true},
        {{0x10C4, 0xEA60, "0001"}, "USB\\VID_10C4&PID_EA60\\0001", false},
        {{std::nullopt, std::nullopt, ""}, "SERIAL\\/dev/ttyS0", false},
        // A vendor-programmed ID on the FTDI driver is still an FTDI adapter.
        {{0x1234, 0x5678, "K7", true}, "FTDIBUS\\VID_1234+PID_5678+K7\\0000", true},
        {{std::nullopt, std::nullopt, "", true}, "FTDIBUS\\VID_0000+PID_0000+\\0000", true},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(busIdFor(c.usb, "/dev/ttyS0"), c.busId);
        EXPECT_EQ(isFtdiBusId(c.busId), c.ftdi);
    }
}

TEST(PortIdentity, ExtraPortsFromTheEnvironment)
{
    using Ports = std::vector<std::pair<std::string, std::string>>;
    struct Case {
        const char *spec;
        Ports ports;
    };
    const Case cases[] = {
        {"", {}},
        {"/dev/pts/3=FTDIBUS\\VID_0403+PID_6001+SIM1\\0000",
         {{"/dev/pts/3", "FTDIBUS\\VID_0403+PID_6001+SIM1\\0000"}}},
        {"/dev/pts/3=FTDIBUS\\A;;/dev/pts/4=ACPI\\B;",
         {{"/dev/pts/3", "FTDIBUS\\A"}, {"/dev/pts/4", "ACPI\\B"}}},
        {"/dev/pts/5;=FTDIBUS\\X;/dev/pts/6=a=b", {{"/dev/pts/5", ""}, {"/dev/pts/6", "a=b"}}},
    };
    for (const Case &c : cases) {
        Ports got;
        for (const PortInfo &p : parseExtraPorts(c.spec))
            got.emplace_back(p.portName, p.busId);
        EXPECT_EQ(got, c.ports) << c.spec;
    }
}

} // namespace
} // namespace vireo
