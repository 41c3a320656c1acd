#include "link/Discovery.h"

#include "link/ScriptedPort.h"

#include <gtest/gtest.h>

namespace vireo
{
namespace
{

using test::Chunk;
using Strings = std::vector<std::string>;

const std::string Ftdi = "FTDIBUS\\VID_0403+PID_6001+A50285BIA\\0000";

TEST(Discovery, TriesFtdiPortsAtBothRatesAndKeepsTheOneThatAnswers)
{
    struct Case {
        const char *name;
        std::vector<PortInfo> ports;
        std::string unitPort;
        std::uint32_t unitBaud; // 0: the unit answers at both rates
        std::set<std::string> busy;
        bool requireCom;
        std::optional<std::string> found;
        Strings opens;
    };
    const Case cases[] = {
        {"first FTDI port is not the unit",
         {{"COM3", Ftdi}, {"COM4", Ftdi}},
         "COM4",
         0,
         {},
         false,
         "COM4",
         {"COM3@250000", "COM3@230400", "COM4@250000"}},
        {"port of another bus driver is never opened",
         {{"COM1", "ACPI\\PNP0501\\0"}, {"COM7", "BTHENUM\\{0000}\\7"}, {"COM5", Ftdi}},
         "COM1",
         0,
         {},
         false,
         std::nullopt,
         {"COM5@250000", "COM5@230400"}},
        {"unit answering only at 230400",
         {{"COM3", Ftdi}},
         "COM3",
         230400,
         {},
         false,
         "COM3",
         {"COM3@250000", "COM3@230400"}},
        {"port held by another program is skipped",
         {{"COM3", Ftdi}, {"COM4", Ftdi}},
         "COM4",
         0,
         {"COM3"},
         false,
         "COM4",
         {"COM3@250000", "COM3@230400", "COM4@250000"}},
        {"Windows names must start with COM",
         {{"/dev/ttyUSB0", Ftdi}, {"COM9", Ftdi}},
         "/dev/ttyUSB0",
         0,
         {},
         true,
         std::nullopt,
         {"COM9@250000", "COM9@230400"}},
        {"device paths elsewhere",
         {{"/dev/ttyUSB0", Ftdi}},
         "/dev/ttyUSB0",
         0,
         {},
         false,
         "/dev/ttyUSB0",
         {"/dev/ttyUSB0@250000"}},
        {"no ports", {}, "COM3", 0, {}, false, std::nullopt, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        test::ScriptedPort port;
        port.busyPorts = c.busy;
        port.responder = [&](const std::string &name, std::uint32_t baud, const std::string &line) {
            const bool unit = name == c.unitPort && (c.unitBaud == 0 || c.unitBaud == baud);
            return unit && line == "PING\r\n" ? std::vector<Chunk>{{1, "OK\r\n"}} : std::vector<Chunk>{};
        };
        test::FixedPortLister lister;
        lister.ports = c.ports;
        SerialLink link(port);

        Strings identified;
        const auto result = findUnitPort(
            link, lister,
            [&] {
                EXPECT_TRUE(link.isOpen());
                identified.push_back(link.portName + "@" + std::to_string(link.baudRate));
                return true;
            },
            DiscoveryOptions{c.requireCom});

        EXPECT_EQ(result, c.found);
        EXPECT_EQ(port.opens, c.opens);
        EXPECT_EQ(link.isOpen(), c.found.has_value());
        if (c.found) {
            EXPECT_EQ(link.portName, *c.found);
            EXPECT_EQ(identified, Strings{port.opens.back()});
            EXPECT_EQ(link.baudRate, c.unitBaud ? c.unitBaud : 250000u);
            const Strings handshake = {"\r\n", "\r\n", "PING\r\n"};
            EXPECT_EQ(Strings(port.writes.end() - 3, port.writes.end()), handshake);
        } else {
            EXPECT_TRUE(identified.empty());
        }
    }
}

TEST(Discovery, AUnitThatDoesNotIdentifyItselfEndsDiscoveryWithoutAPort)
{
    test::ScriptedPort port;
    port.responder = [&](const std::string &, std::uint32_t, const std::string &line) {
        return line == "PING\r\n" ? std::vector<Chunk>{{1, "OK\r\n"}} : std::vector<Chunk>{};
    };
    test::FixedPortLister lister;
    lister.ports = {{"COM3", Ftdi}, {"COM4", Ftdi}};
    SerialLink link(port);
    int identifications = 0;
    const auto result = findUnitPort(link, lister, [&] {
        ++identifications;
        return false;
    });
    EXPECT_EQ(result, std::nullopt);
    EXPECT_EQ(identifications, 1);
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(port.opens, Strings{"COM3@250000"}); // neither the other rate nor the other port
}

TEST(Discovery, ClosesAnOpenPortFirst)
{
    test::ScriptedPort port;
    test::FixedPortLister lister; // the unit has gone
    SerialLink link(port);
    link.portName = "COM3";
    ASSERT_TRUE(link.openPort());
    EXPECT_EQ(findUnitPort(link, lister, {}), std::nullopt);
    EXPECT_FALSE(link.isOpen());
    EXPECT_FALSE(port.isOpen());
}

TEST(Discovery, KeepsWhyEachFtdiPortCouldNotBeOpened)
{
    test::ScriptedPort port;
    port.refusingPorts = {{"/dev/ttyUSB0", OpenFailure::Permission},
                          {"/dev/ttyUSB1", OpenFailure::Busy},
                          {"/dev/ttyUSB2", OpenFailure::Gone},
                          {"/dev/ttyS0", OpenFailure::Permission}};
    test::FixedPortLister lister;
    lister.ports = {{"/dev/ttyS0", "SERIAL\\/dev/ttyS0"}, // not an FTDI port: never opened
                    {"/dev/ttyUSB0", Ftdi},
                    {"/dev/ttyUSB1", Ftdi},
                    {"/dev/ttyUSB2", Ftdi},
                    {"/dev/ttyUSB3", Ftdi}}; // opens, nothing answers
    SerialLink link(port);
    std::vector<PortOpenFailure> failures;
    EXPECT_EQ(findUnitPort(link, lister, {}, {}, &failures), std::nullopt);
    const std::vector<PortOpenFailure> expected = {{"/dev/ttyUSB0", OpenFailure::Permission},
                                                   {"/dev/ttyUSB1", OpenFailure::Busy},
                                                   {"/dev/ttyUSB2", OpenFailure::Gone}};
    EXPECT_EQ(failures, expected);
}

TEST(Discovery, APortThatOpensAtTheSecondRateIsNoFailure)
{
    // The other program lets go between the two rates; nothing answers then.
    struct LettingGoPort : test::ScriptedPort {
        bool open(const std::string &name, std::uint32_t baud) override
        {
            const bool ok = ScriptedPort::open(name, baud);
            refusingPorts.clear();
            return ok;
        }
    } port;
    port.refusingPorts = {{"/dev/ttyUSB0", OpenFailure::Busy}};
    test::FixedPortLister lister;
    lister.ports = {{"/dev/ttyUSB0", Ftdi}};
    SerialLink link(port);
    std::vector<PortOpenFailure> failures;
    EXPECT_EQ(findUnitPort(link, lister, {}, {}, &failures), std::nullopt);
    EXPECT_EQ(port.opens, (Strings{"/dev/ttyUSB0@250000", "/dev/ttyUSB0@230400"}));
    EXPECT_TRUE(failures.empty());
}

TEST(Discovery, AdviceNamesThePortTheReasonAndTheWayOut)
{
    const auto groups = [](const std::string &port) -> std::optional<NodeGroup> {
        if (port == "/dev/ttyUSB0")
            return NodeGroup{"dialout", true};
        if (port == "/dev/ttyUSB1")
            return NodeGroup{"uucp", false}; // the group may not read and write either
        if (port == "/dev/ttyUSB2")
            return NodeGroup{"root", true};
        return std::nullopt;
    };
    using F = PortOpenFailure;
    struct Case {
        std::vector<F> failures;
        std::optional<OpenFailureAdvice> advice;
    };
    const Case cases[] = {
        {{}, std::nullopt},
        {{{"/dev/ttyUSB0", OpenFailure::Other}}, std::nullopt},
        {{{"/dev/ttyUSB0", OpenFailure::Permission}},
         OpenFailureAdvice{"PortPermissionGroupMessage", "/dev/ttyUSB0", "dialout"}},
        {{{"/dev/ttyUSB1", OpenFailure::Permission}},
         OpenFailureAdvice{"PortPermissionMessage", "/dev/ttyUSB1", ""}},
        {{{"/dev/ttyUSB2", OpenFailure::Permission}},
         OpenFailureAdvice{"PortPermissionMessage", "/dev/ttyUSB2", ""}},
        {{{"/dev/ttyUSB9", OpenFailure::Permission}},
         OpenFailureAdvice{"PortPermissionMessage", "/dev/ttyUSB9", ""}},
        {{{"/dev/ttyUSB0", OpenFailure::Busy}}, OpenFailureAdvice{"PortBusyMessage", "/dev/ttyUSB0", ""}},
        {{{"/dev/ttyUSB0", OpenFailure::Gone}}, OpenFailureAdvice{"PortGoneMessage", "/dev/ttyUSB0", ""}},
        // The first failure with a known reason is told.
        {{{"/dev/ttyUSB3", OpenFailure::Other},
          {"/dev/ttyUSB4", OpenFailure::Busy},
          {"/dev/ttyUSB0", OpenFailure::Permission}},
         OpenFailureAdvice{"PortBusyMessage", "/dev/ttyUSB4", ""}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(adviceForOpenFailures(c.failures, groups), c.advice) << c.failures.size();
}

} // namespace
} // namespace vireo
