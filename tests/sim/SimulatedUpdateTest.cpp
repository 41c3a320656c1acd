// A whole firmware update as the program drives it, through SerialLink and SimulatedPort in
// virtual time: a Kind1 unit found at 250000 with only its loader, the transfer at 230400,
// and the unit answering with its new firmware afterwards.
#include "SimTestImage.h"
#include "SimulatedPort.h"
#include "link/SerialLink.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace vireo
{
namespace
{

bool step(SerialLink &link, const std::vector<std::uint8_t> &bytes, std::uint8_t expected,
          std::uint32_t timeoutMs)
{
    return link.exchange(bytes.data(), bytes.size(), 1, timeoutMs) && link.ReplyBuffer()[0] == expected;
}

bool ping(SerialLink &link, std::uint32_t baud)
{
    link.closePort();
    link.baudRate = baud;
    if (!link.openPort())
        return false;
    link.exchange("\r\n", 0, 1000);
    link.exchange("\r\n", 0, 100);
    return link.pingUnit();
}

TEST(SimulatedUpdate, Kind1LoaderTakesAFullImageAt230400)
{
    VirtualClock clock;
    UnitConfig config;
    config.kind = UnitKind::Kind1;
    config.firmware.reset();
    config.wireTiming = true;
    UnitSimulator unit(config);
    SimulatedPort port(unit, clock);
    SerialLink link(port);
    link.portName = "COM3";

    ASSERT_TRUE(ping(link, 250000));
    EXPECT_TRUE(link.exchange("UPVER\r\n", 7, 500));
    EXPECT_EQ(link.replyText(), "0.3.0\r\n");
    EXPECT_FALSE(link.exchange("VER\r\n", 8, 500)) << "six bytes end the eight-byte wait by time-out";
    EXPECT_EQ(link.replyText(), "0000\r\n");

    link.exchange("UPDATE\r\n", 4, 500);
    link.closePort();
    link.baudRate = 230400;
    ASSERT_TRUE(link.openPort());

    const std::int64_t transferStart = port.nowUs();
    ASSERT_TRUE(step(link, {0x15}, 0x00, 500));
    ASSERT_TRUE(step(link, {0x11}, 0x00, 500));
    ASSERT_TRUE(step(link, simtest::bigEndian32(1024), 0x00, 500));
    ASSERT_TRUE(step(link, {0x11}, 0x00, 5000));
    ASSERT_TRUE(step(link, simtest::bigEndian32(1022), 0x00, 5000));
    ASSERT_TRUE(step(link, {0x16}, 0x00, 500));

    std::vector<int> all(UnitLoader::BlockCount);
    std::iota(all.begin(), all.end(), 0);
    for (auto [number, data] : simtest::scrambledBlocks(" 2.1.0", 0xFF, all)) {
        data.push_back(UnitLoader::blockChecksum(number, data.data()));
        ASSERT_TRUE(step(link, {0x12}, 0x00, 500)) << number;
        ASSERT_TRUE(step(link, simtest::bigEndian32(number), 0x14, 500)) << number;
        ASSERT_TRUE(step(link, data, 0x00, 1000)) << number;
    }
    ASSERT_TRUE(step(link, {0x17}, 0x00, 500));
    // Line time alone for the whole transfer at 230400 (no adapter latency), for reference.
    RecordProperty("transfer_virtual_ms", std::to_string((port.nowUs() - transferStart) / 1000));

    EXPECT_FALSE(ping(link, 250000)) << "the application does not answer at the loader's rate";
    ASSERT_TRUE(ping(link, 230400));
    EXPECT_TRUE(link.exchange("VER\r\n", 8, 500));
    EXPECT_EQ(link.replyText(), " 2.1.0\r\n");
    EXPECT_EQ(unit.updatesCompleted(), 1);
    EXPECT_EQ(unit.loader().blocksReceived(), 0u);
}

} // namespace
} // namespace vireo
