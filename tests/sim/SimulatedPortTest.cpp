// The in-process port: readSome in virtual time, wire timing, rates, and the bus of ports.
#include "SimulatedPort.h"
#include "link/SerialLink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vireo
{
namespace
{

std::string readString(SimulatedPort &port, std::size_t max, std::uint32_t timeoutMs)
{
    std::vector<std::uint8_t> buf(max);
    const std::size_t n = port.readSome(buf.data(), max, timeoutMs);
    return std::string(buf.begin(), buf.begin() + static_cast<std::ptrdiff_t>(n));
}

void writeString(SimulatedPort &port, const std::string &s)
{
    ASSERT_TRUE(port.write(reinterpret_cast<const std::uint8_t *>(s.data()), s.size()));
}

TEST(WireTiming, TenBitsPerByteRoundedUpToWholeMicroseconds)
{
    struct Case {
        std::size_t bytes;
        std::uint32_t baud;
        std::int64_t us;
    };
    for (const Case &c : std::vector<Case>{{0, 250000, 0},
                                           {1, 250000, 40},
                                           {4, 250000, 160},
                                           {1, 230400, 44},
                                           {4, 230400, 174},
                                           {129, 230400, 5599},
                                           {16, 9600, 16667}})
        EXPECT_EQ(UnitSimulator::wireTimeUs(c.bytes, c.baud), c.us) << c.bytes << " bytes at " << c.baud;
}

TEST(WireTiming, ReplyFollowsCommandBytesLatencyAndReplyBytes)
{
    // PING at 250000 with 2 ms adapter latency: 6 bytes out (240 us), 2000 us, then 4 bytes
    // back at 40 us each.
    struct Case {
        std::uint32_t baud;
        int latencyMs;
        std::int64_t firstUs;
        std::int64_t lastUs;
    };
    for (const Case &c : std::vector<Case>{{250000, 2, 2280, 2400}, {230400, 0, 261 + 44, 261 + 174}}) {
        VirtualClock clock;
        UnitConfig config;
        config.wireTiming = true;
        config.latencyMs = c.latencyMs;
        UnitSimulator unit(config);
        SimulatedPort port(unit, clock);
        ASSERT_TRUE(port.open("COM3", c.baud));
        SerialLink link(port);
        link.portName = "COM3";
        link.baudRate = c.baud;
        ASSERT_TRUE(link.openPort());
        ASSERT_TRUE(link.pingUnit());
        const TranscriptEntry &e = unit.transcript().back();
        EXPECT_EQ(e.atUs, UnitSimulator::wireTimeUs(6, c.baud));
        EXPECT_EQ(e.replyStartUs, c.firstUs);
        EXPECT_EQ(e.replyEndUs, c.lastUs);
        EXPECT_EQ(port.nowUs(), c.lastUs) << "the read ends with the last byte";
        EXPECT_EQ(clock.nowMs(), c.lastUs / 1000);
    }
}

class PortFixture : public ::testing::Test
{
protected:
    explicit PortFixture(UnitConfig config = {}) : unit(std::move(config)), port(unit, clock) {}
    VirtualClock clock;
    UnitSimulator unit;
    SimulatedPort port;
};

TEST_F(PortFixture, BytesAlreadyWaitingReturnAtOnce)
{
    ASSERT_TRUE(port.open("COM1", 250000));
    writeString(port, "PING\r\n");
    EXPECT_EQ(readString(port, 2, 500), "OK");
    EXPECT_EQ(readString(port, 10, 500), "\r\n");
    EXPECT_EQ(clock.nowMs(), 0);
}

TEST_F(PortFixture, WaitsForTheFirstByteAndNoLonger)
{
    unit.setLatencyMs(30);
    ASSERT_TRUE(port.open("COM1", 250000));
    writeString(port, "PING\r\n");
    EXPECT_EQ(readString(port, 10, 200), "OK\r\n");
    EXPECT_EQ(clock.nowMs(), 30);
}

TEST_F(PortFixture, TimeoutReturnsNothingAfterWaitingItOut)
{
    unit.setLatencyMs(300);
    ASSERT_TRUE(port.open("COM1", 250000));
    writeString(port, "PING\r\n");
    EXPECT_EQ(readString(port, 10, 200), "");
    EXPECT_EQ(clock.nowMs(), 200);
    EXPECT_EQ(readString(port, 10, 200), "OK\r\n") << "the late reply still comes";
    EXPECT_EQ(clock.nowMs(), 300);
}

TEST_F(PortFixture, SilentUnitCostsExactlyTheTimeout)
{
    ASSERT_TRUE(port.open("COM1", 250000));
    writeString(port, "BOGUS\r\n");
    EXPECT_EQ(readString(port, 10, 5000), "");
    EXPECT_EQ(clock.nowMs(), 5000);
}

class SlowLineFixture : public PortFixture
{
protected:
    static UnitConfig slowLine()
    {
        UnitConfig c;
        c.bauds = {300};
        c.wireTiming = true;
        return c;
    }
    SlowLineFixture() : PortFixture(slowLine()) {}
};

TEST_F(SlowLineFixture, SplitReplyArrivesBytePerByteAndPausesAreSeen)
{
    // 300 baud: the command takes 200 ms, each reply byte 33.3 ms.
    ASSERT_TRUE(port.open("COM1", 300));
    writeString(port, "PING\r\n");
    EXPECT_EQ(readString(port, 10, 1000), "O");
    EXPECT_EQ(port.nowUs(), 200'000 + 33'334);
    EXPECT_EQ(readString(port, 10, 20), "") << "the next byte is 33 ms away";
    EXPECT_EQ(readString(port, 10, 20), "K");
    EXPECT_EQ(readString(port, 10, 40), "\r");
    EXPECT_EQ(readString(port, 10, 40), "\n");
}

TEST_F(SlowLineFixture, ExchangeAssemblesASplitReply)
{
    SerialLink link(port);
    link.portName = "COM1";
    link.baudRate = 300;
    ASSERT_TRUE(link.openPort());
    EXPECT_TRUE(link.exchange("PING\r\n", 4, 250));
    EXPECT_EQ(link.replyText(), "OK\r\n");
}

TEST_F(SlowLineFixture, DiscardDropsOnlyWhatHasArrived)
{
    ASSERT_TRUE(port.open("COM1", 300));
    writeString(port, "PING\r\n");
    clock.advance(250); // "O" arrived at 233 ms, "K" is still on the line
    port.discardInput();
    EXPECT_EQ(readString(port, 10, 100), "K");
}

TEST(SimulatedPortRates, UnitIsSilentAtARateItDoesNotListenAt)
{
    struct Case {
        UnitKind kind;
        bool loaderOnly;
        std::uint32_t baud;
        bool answers;
    };
    for (const Case &c : std::vector<Case>{{UnitKind::Kind1, false, 250000, false},
                                           {UnitKind::Kind1, false, 230400, true},
                                           {UnitKind::Kind1, true, 250000, true},
                                           {UnitKind::Kind1, true, 230400, false},
                                           {UnitKind::Kind2, false, 250000, true},
                                           {UnitKind::Kind2, false, 230400, true},
                                           {UnitKind::Kind2, true, 230400, true},
                                           {UnitKind::Kind2, false, 115200, false}}) {
        VirtualClock clock;
        UnitConfig config;
        config.kind = c.kind;
        if (c.loaderOnly)
            config.firmware.reset();
        UnitSimulator unit(config);
        SimulatedPort port(unit, clock);
        SerialLink link(port);
        link.portName = "COM7";
        link.baudRate = c.baud;
        ASSERT_TRUE(link.openPort());
        link.exchange("\r\n", 0, 1000);
        link.exchange("\r\n", 0, 100);
        EXPECT_EQ(link.pingUnit(), c.answers)
            << static_cast<int>(c.kind) << " " << c.loaderOnly << " " << c.baud;
        EXPECT_EQ(unit.transcript().back().heard, c.answers);
    }
}

TEST_F(PortFixture, ClosedOrBusyPortRefuses)
{
    std::uint8_t b = 0;
    EXPECT_FALSE(port.write(&b, 1));
    EXPECT_EQ(port.readSome(&b, 1, 100), 0u);
    port.setBusy(true);
    EXPECT_FALSE(port.open("COM1", 250000));
    port.setBusy(false);
    EXPECT_TRUE(port.open("COM1", 250000));
    EXPECT_EQ(port.baud(), 250000u);
    port.close();
    EXPECT_FALSE(port.isOpen());
}

TEST_F(PortFixture, ReplyThatArrivedWhileClosedIsGoneAfterReopening)
{
    ASSERT_TRUE(port.open("COM1", 250000));
    writeString(port, "PING\r\n");
    port.close();
    ASSERT_TRUE(port.open("COM1", 250000));
    EXPECT_EQ(readString(port, 10, 100), "");
}

TEST(SimulatedBusPorts, ListsOpensByNameAndHoldsPortsExclusively)
{
    VirtualClock clock;
    UnitSimulator onFtdi;
    UnitSimulator onBuiltin;
    SimulatedBus bus(clock);
    bus.addPort("COM1", "ACPI\\PNP0501\\1", &onBuiltin);
    bus.addPort("COM3", SimulatedBus::ftdiBusId("SIM0001"));
    bus.addPort("COM4", SimulatedBus::ftdiBusId("SIM0002"), &onFtdi);
    bus.addPort("COM5", SimulatedBus::ftdiBusId("SIM0003"));
    bus.setBusy("COM5", true);

    const auto ports = bus.presentPorts();
    ASSERT_EQ(ports.size(), 4u);
    EXPECT_EQ(ports[1].portName, "COM3");
    EXPECT_EQ(ports[1].busId, "FTDIBUS\\VID_0403+PID_6001+SIM0001\\0000");

    SimulatedPort &port = bus.port();
    EXPECT_FALSE(port.open("COM9", 250000)) << "no such port";
    EXPECT_FALSE(port.open("COM5", 250000)) << "held by another program";

    // An adapter with nothing behind it stays silent.
    ASSERT_TRUE(port.open("COM3", 250000));
    writeString(port, "PING\r\n");
    EXPECT_EQ(readString(port, 10, 200), "");

    ASSERT_TRUE(port.open("COM4", 230400));
    writeString(port, "PING\r\n");
    EXPECT_EQ(readString(port, 10, 200), "OK\r\n");
    EXPECT_EQ(port.unit(), &onFtdi);
    EXPECT_TRUE(onBuiltin.transcript().empty());

    auto other = bus.makePort();
    EXPECT_FALSE(other->open("COM4", 230400)) << "already open";
    port.close();
    EXPECT_TRUE(other->open("COM4", 230400));
    other.reset();

    ASSERT_EQ(port.openLog().size(), 2u);
    EXPECT_EQ(port.openLog()[1], std::make_pair(std::string("COM4"), 230400u));
}

TEST(SimulatedBusPorts, UnpluggedAdapterDisappearsAndItsPortFails)
{
    VirtualClock clock;
    UnitSimulator unit;
    SimulatedBus bus(clock);
    bus.addPort("COM4", SimulatedBus::ftdiBusId("SIM0001"), &unit);
    unit.addFault("PING#2:unplug");
    SimulatedPort &port = bus.port();
    ASSERT_TRUE(port.open("COM4", 250000));
    writeString(port, "PING\r\n");
    EXPECT_EQ(readString(port, 10, 200), "OK\r\n");
    writeString(port, "PING\r\n");
    std::uint8_t b = 0;
    EXPECT_FALSE(port.write(&b, 1));
    EXPECT_TRUE(bus.presentPorts().empty());
    port.close();
    EXPECT_FALSE(port.open("COM4", 250000));

    unit.reconnect();
    EXPECT_EQ(bus.presentPorts().size(), 1u);
    bus.setPresent("COM4", false);
    EXPECT_TRUE(bus.presentPorts().empty());
}

} // namespace
} // namespace vireo
