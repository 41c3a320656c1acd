// Discovery and identification against simulated units on a simulated bus, in virtual time.
#include "link/Discovery.h"
#include "link/Identification.h"

#include "SimulatedPort.h"

#include <gtest/gtest.h>

namespace vireo
{
namespace
{

using Strings = std::vector<std::string>;
using Opens = std::vector<std::pair<std::string, std::uint32_t>>;

struct Wire {
    std::string command, reply;
    std::uint32_t baud;
    bool operator==(const Wire &) const = default;
};

std::vector<Wire> wire(const UnitSimulator &unit)
{
    std::vector<Wire> out;
    for (const TranscriptEntry &e : unit.transcript())
        if (e.heard)
            out.push_back({e.commandText(), e.replyText(), e.baud});
    return out;
}

void PrintTo(const Wire &w, std::ostream *os)
{
    *os << ::testing::PrintToString(w.command) << " -> " << ::testing::PrintToString(w.reply) << " @"
        << w.baud;
}

UnitConfig unitConfig(UnitKind kind, std::optional<std::string> firmware)
{
    UnitConfig c;
    c.kind = kind;
    c.firmware = std::move(firmware);
    return c;
}

struct Found {
    std::optional<std::string> port;
    std::uint32_t baud = 0;
    std::optional<Identification> id;
};

Found discover(SimulatedBus &bus)
{
    SerialLink link(bus.port());
    Found f;
    f.port = findUnitPort(link, bus, [&] {
        f.id = identifyUnit(link);
        return f.id.has_value();
    });
    EXPECT_EQ(link.isOpen(), f.port.has_value());
    f.baud = link.baudRate;
    return f;
}

TEST(SimDiscovery, ExactBytesOfAConnection)
{
    VirtualClock clock;
    SimulatedBus bus(clock);
    UnitSimulator unit(unitConfig(UnitKind::Kind2, " 0.5.0"));
    bus.addPort("/dev/ttyUSB0", SimulatedBus::ftdiBusId("EMPTY1")); // an adapter with nothing behind it
    bus.addPort("/dev/ttyUSB1", SimulatedBus::ftdiBusId("A50285BI"), &unit);

    const Found f = discover(bus);
    EXPECT_EQ(f.port, "/dev/ttyUSB1");
    EXPECT_EQ(bus.port().openLog(),
              (Opens{{"/dev/ttyUSB0", 250000}, {"/dev/ttyUSB0", 230400}, {"/dev/ttyUSB1", 250000}}));
    const std::vector<Wire> expected = {
        {"\r\n", "", 250000},
        {"\r\n", "", 250000},
        {"PING\r\n", "OK\r\n", 250000},
        {"UPVER\r\n", "0.4.1\r\n", 250000},
        {"VER\r\n", " 0.5.0\r\n", 250000},
    };
    EXPECT_EQ(wire(unit), expected);
    ASSERT_TRUE(f.id);
    EXPECT_EQ(f.id->kind, UnitKind::Kind2);
    EXPECT_EQ(f.id->firmwareVersion, " 0.5.0");
}

TEST(SimDiscovery, PortsAndRatesTried)
{
    struct Case {
        const char *name;
        UnitConfig config;
        bool ftdi;
        bool busy;
        std::optional<std::string> port;
        std::uint32_t baud;
        const char *version;
        Opens opens;
    };
    const Case cases[] = {
        {"Kind1 application answers only at 230400",
         unitConfig(UnitKind::Kind1, " 2.0.5"),
         true,
         false,
         "COM3",
         230400,
         " 2.0.5",
         {{"COM3", 250000}, {"COM3", 230400}}},
        {"Kind1 loader answers at 250000",
         unitConfig(UnitKind::Kind1, std::nullopt),
         true,
         false,
         "COM3",
         250000,
         "0.0.0",
         {{"COM3", 250000}}},
        {"Kind2 loader",
         unitConfig(UnitKind::Kind2, std::nullopt),
         true,
         false,
         "COM3",
         250000,
         "0.0.0",
         {{"COM3", 250000}}},
        {"unit behind a port of another bus driver",
         UnitConfig(),
         false,
         false,
         std::nullopt,
         250000,
         nullptr,
         {}},
        {"port held by another program", UnitConfig(), true, true, std::nullopt, 230400, nullptr, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        VirtualClock clock;
        SimulatedBus bus(clock);
        UnitSimulator unit(c.config);
        bus.addPort("COM3", c.ftdi ? SimulatedBus::ftdiBusId("A1") : "ACPI\\PNP0501\\1", &unit);
        bus.setBusy("COM3", c.busy);
        const Found f = discover(bus);
        EXPECT_EQ(f.port, c.port);
        EXPECT_EQ(bus.port().openLog(), c.opens);
        EXPECT_EQ(f.baud, c.baud); // the rate last set stays
        if (c.version) {
            ASSERT_TRUE(f.id);
            EXPECT_EQ(f.id->firmwareVersion, c.version);
        } else {
            EXPECT_FALSE(f.id);
            EXPECT_TRUE(unit.transcript().empty());
        }
    }
}

} // namespace
} // namespace vireo
