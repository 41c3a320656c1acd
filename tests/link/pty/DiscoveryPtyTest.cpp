// Discovery, identification and the exchange through QSerialPort and kernel pseudo-terminals,
// with kalm07-sim behind them at the rates the program sets.
#include "link/Discovery.h"
#include "link/Identification.h"
#include "link/gui/QtPortLister.h"
#include "link/gui/QtSerialPort.h"

#include "support/SimProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace vireo::test
{
namespace
{

struct Found {
    std::optional<std::string> port;
    std::uint32_t baud = 0;
    std::string version;
    UnitKind kind = UnitKind::Kind1;
};

Found discoverThrough(const SimProcess &sim, SerialLink &link)
{
    setenv("VIREO_EXTRA_PORTS", sim.extraPorts().c_str(), 1);
    QtPortLister lister;
    Found f;
    f.port = findUnitPort(link, lister, [&] {
        const std::optional<Identification> id = identifyUnit(link);
        if (id) {
            f.version = id->firmwareVersion;
            f.kind = id->kind;
        }
        return id.has_value();
    });
    unsetenv("VIREO_EXTRA_PORTS");
    f.baud = link.baudRate;
    return f;
}

TEST(DiscoveryPty, FindsTheUnitAtTheRateItAnswers)
{
    struct Case {
        std::vector<std::string> args;
        std::size_t unitPort; // position among the simulator's ports
        std::uint32_t baud;
        const char *version;
        UnitKind kind;
    };
    const Case cases[] = {
        // 250000 has no standard rate constant: it goes through the custom-rate path.
        {{"--kind", "2", "--firmware", " 0.5.0", "--empty-ports", "1"}, 1, 250000, " 0.5.0", UnitKind::Kind2},
        {{"--kind", "1", "--firmware", " 2.0.5"}, 0, 230400, " 2.0.5", UnitKind::Kind1},
    };
    for (const Case &c : cases) {
        SimProcess sim(c.args);
        ASSERT_FALSE(sim.extraPorts().empty());
        QtSerialPort port;
        SerialLink link(port);
        const Found f = discoverThrough(sim, link);
        EXPECT_EQ(f.port, sim.portPath(c.unitPort));
        EXPECT_EQ(f.baud, c.baud);
        EXPECT_EQ(f.version, c.version);
        EXPECT_EQ(f.kind, c.kind);
        EXPECT_TRUE(link.pingUnit());
        link.closePort();
    }
}

TEST(DiscoveryPty, PortHeldByAnotherProgramIsSkipped)
{
    SimProcess sim({"--units", "2"});
    QtSerialPort other;
    ASSERT_TRUE(other.open(sim.portPath(0), 250000));
    QtSerialPort port;
    SerialLink link(port);
    const Found f = discoverThrough(sim, link);
    EXPECT_EQ(f.port, sim.portPath(1));
    other.close();
}

TEST(DiscoveryPty, LateReplyIsDiscardedBeforeTheNextCommand)
{
    SimProcess sim({"--fault", "PING#1:late=300"});
    QtSerialPort port;
    SerialLink link(port);
    link.portName = sim.portPath(0);
    ASSERT_TRUE(link.openPort());
    EXPECT_FALSE(link.pingUnit());
    EXPECT_EQ(link.replyText(), "");
    // Let the late answer arrive; it must not be taken for the next reply.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ASSERT_TRUE(link.exchange("VER\r\n", 8, 500));
    EXPECT_EQ(link.replyText(), " 0.5.0\r\n");
}

} // namespace
} // namespace vireo::test
