// The simulated loader: handshake, blocks with checksums, the end command, and the firmware
// version and kind the unit takes from the image it was sent.
#include "SimTestImage.h"
#include "UnitSimulator.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace vireo
{
namespace
{

constexpr std::uint8_t Ack = 0x00;
constexpr std::uint8_t Nak = 0x01;
constexpr std::uint8_t NumberAck = 0x14;

using simtest::scrambledBlocks;

std::vector<std::uint8_t> be32(std::uint32_t v)
{
    return simtest::bigEndian32(v);
}

// Talks the loader protocol to a unit in steps of its own, with a clock in microseconds.
class LoaderSession
{
public:
    explicit LoaderSession(UnitSimulator &unit, std::uint32_t baud) : unit_(unit), baud_(baud) {}

    std::string send(const std::vector<std::uint8_t> &bytes)
    {
        now_ += 1000;
        unit_.receive(bytes.data(), bytes.size(), baud_, now_);
        std::string reply;
        std::uint8_t b;
        now_ += 100'000;
        while (unit_.takeArrived(&b, 1, now_) == 1)
            reply.push_back(static_cast<char>(b));
        return reply;
    }
    std::string sendText(const std::string &text) { return send({text.begin(), text.end()}); }
    void pause(std::int64_t us) { now_ += us; }
    void setBaud(std::uint32_t baud) { baud_ = baud; }

    // The handshake; returns the concatenated one-byte answers.
    std::string handshake()
    {
        std::string r = send({0x15});
        r += send({0x11});
        r += send(be32(1024));
        r += send({0x11});
        r += send(be32(1022));
        r += send({0x16});
        return r;
    }

    std::string block(std::uint32_t number, std::vector<std::uint8_t> data, int checksumDelta = 0)
    {
        std::string r = send({0x12});
        r += send(be32(number));
        data.push_back(
            static_cast<std::uint8_t>(UnitLoader::blockChecksum(number, data.data()) + checksumDelta));
        r += send(data);
        return r;
    }

private:
    UnitSimulator &unit_;
    std::uint32_t baud_;
    std::int64_t now_ = 0;
};

const std::string Acks3 = std::string(1, '\0') + std::string(1, '\x14') + std::string(1, '\0');

UnitConfig kind1Loader()
{
    UnitConfig c;
    c.kind = UnitKind::Kind1;
    c.firmware.reset();
    return c;
}

TEST(UnitLoader, FullUpdateFlashesTheVersionFromTheImage)
{
    UnitSimulator unit; // Kind2, 0.5.0
    LoaderSession s(unit, 250000);
    const auto blocks = scrambledBlocks(" 0.6.1", 0x01, {0, 1, 700, 1503});

    EXPECT_EQ(s.sendText("UPDATE\r\n"), "OK\r\n");
    EXPECT_TRUE(unit.inTransfer());
    EXPECT_EQ(s.handshake(), std::string(6, '\0'));
    for (const auto &[number, data] : blocks)
        EXPECT_EQ(s.block(number, data), Acks3) << number;
    EXPECT_EQ(unit.firmwareVersion(), "") << "the application is overwritten while blocks go in";
    EXPECT_EQ(s.send({0x17}), std::string(1, Ack));

    EXPECT_FALSE(unit.inTransfer());
    EXPECT_EQ(unit.firmwareVersion(), " 0.6.1");
    EXPECT_EQ(s.sendText("VER\r\n"), " 0.6.1\r\n");
    EXPECT_EQ(unit.updatesCompleted(), 1);
}

TEST(UnitLoader, BlockWithBadChecksumIsRefusedAndCanBeSentAgain)
{
    UnitSimulator unit;
    LoaderSession s(unit, 230400);
    const auto blocks = scrambledBlocks(" 0.6.2", 0x01, {1503});
    const auto &[number, data] = *blocks.begin();
    s.sendText("UPDATE\r\n");
    ASSERT_EQ(s.handshake(), std::string(6, '\0'));

    EXPECT_EQ(s.block(number, data, +1), std::string("\0\x14\x01", 3));
    EXPECT_EQ(unit.loader().blocksReceived(), 0u);
    EXPECT_EQ(unit.loader().checksumErrors(), 1);
    EXPECT_EQ(s.block(number, data), Acks3);
    EXPECT_EQ(s.send({0x17}), std::string(1, Ack));
    EXPECT_EQ(unit.firmwareVersion(), " 0.6.2");
}

TEST(UnitLoader, ChecksumCountsTheBlockNumbersLowByte)
{
    const std::vector<std::uint8_t> zeros(UnitLoader::BlockSize, 0);
    EXPECT_EQ(UnitLoader::blockChecksum(300, zeros.data()), 0x2C);
    std::vector<std::uint8_t> ones(UnitLoader::BlockSize, 0xFF);
    EXPECT_EQ(UnitLoader::blockChecksum(32, ones.data()), static_cast<std::uint8_t>(32 + 128 * 0xFF));
}

struct RefusalCase {
    const char *what;
    std::vector<std::uint8_t> bytes;
    std::uint8_t reply;
};

TEST(UnitLoader, CommandsOutOfOrderAreRefused)
{
    const std::vector<RefusalCase> cases = {
        {"0x11 before sync", {0x11}, Nak},
        {"begin before sync", {0x16}, Nak},
        {"block before begin", {0x12}, Nak},
        {"end before begin", {0x17}, Nak},
    };
    for (const auto &c : cases) {
        UnitSimulator unit;
        LoaderSession s(unit, 250000);
        s.sendText("UPDATE\r\n");
        EXPECT_EQ(s.send(c.bytes), std::string(1, static_cast<char>(c.reply))) << c.what;
    }
    UnitSimulator unit;
    LoaderSession s(unit, 250000);
    s.sendText("UPDATE\r\n");
    s.handshake();
    s.send({0x12});
    EXPECT_EQ(s.send(be32(31)), std::string(1, Nak)) << "block numbers start at 32";
    s.send({0x12});
    EXPECT_EQ(s.send(be32(1536)), std::string(1, Nak)) << "and end at 1535";
}

TEST(UnitLoader, ImageForTheOtherKindIsRefusedAtTheEnd)
{
    UnitConfig c;
    c.kind = UnitKind::Kind1;
    c.firmware = " 2.0.5";
    UnitSimulator unit(c);
    LoaderSession s(unit, 230400);
    s.sendText("UPDATE\r\n");
    s.handshake();
    for (const auto &[number, data] : scrambledBlocks(" 0.6.0", 0x01, {0, 1503}))
        ASSERT_EQ(s.block(number, data), Acks3);
    EXPECT_EQ(s.send({0x17}), std::string(1, Nak));
    EXPECT_TRUE(unit.loaderOnly());
    // Text brings the loader back to its command line, at its own rate.
    s.setBaud(250000);
    EXPECT_EQ(s.sendText("\r\nVER\r\n"), "0000\r\n");
}

TEST(UnitLoader, Kind1RunsTheTransferAt230400AfterUpdateAt250000)
{
    UnitSimulator unit(kind1Loader());
    LoaderSession s(unit, 250000);
    EXPECT_EQ(s.sendText("VER\r\n"), "0000\r\n");
    EXPECT_EQ(s.sendText("UPDATE\r\n"), "OK\r\n");
    EXPECT_EQ(s.send({0x15}), "") << "the transfer does not run at 250000";
    EXPECT_FALSE(unit.inTransfer()) << "garbage sends the loader back to its command line";
    EXPECT_EQ(s.sendText("\r\nUPDATE\r\n"), "OK\r\n");
    s.setBaud(230400);
    EXPECT_EQ(s.handshake(), std::string(6, '\0'));
    for (const auto &[number, data] : scrambledBlocks(" 2.1.0", 0xFF, {5, 1503}))
        ASSERT_EQ(s.block(number, data), Acks3);
    EXPECT_EQ(s.send({0x17}), std::string(1, Ack));
    // The application answers at 230400 only.
    EXPECT_EQ(s.sendText("VER\r\n"), " 2.1.0\r\n");
    s.setBaud(250000);
    EXPECT_EQ(s.sendText("PING\r\n"), "");
}

TEST(UnitLoader, PatchWithoutTheLastBlockKeepsTheInstalledIdentity)
{
    UnitSimulator unit;
    LoaderSession s(unit, 250000);
    s.sendText("UPDATE\r\n");
    s.handshake();
    for (const auto &[number, data] : scrambledBlocks(" 9.9.9", 0x01, {3, 4}))
        ASSERT_EQ(s.block(number, data), Acks3);
    EXPECT_EQ(s.send({0x17}), std::string(1, Ack));
    EXPECT_EQ(unit.firmwareVersion(), " 0.5.0");
}

TEST(UnitLoader, LoaderOnlyUnitNeedsAnImageWithAVersion)
{
    UnitConfig c;
    c.firmware.reset();
    UnitSimulator unit(c);
    LoaderSession s(unit, 250000);
    s.sendText("UPDATE\r\n");
    s.handshake();
    EXPECT_EQ(s.send({0x17}), std::string(1, Nak)) << "nothing to start";
    EXPECT_TRUE(unit.loaderOnly());
}

TEST(UnitLoader, StepCutShortByAPauseIsDroppedSoTheSenderCanStartOver)
{
    UnitSimulator unit;
    LoaderSession s(unit, 250000);
    const auto blocks = scrambledBlocks(" 0.6.3", 0x01, {1503});
    const auto &[number, data] = *blocks.begin();
    s.sendText("UPDATE\r\n");
    s.handshake();
    s.send({0x12});
    s.send(be32(number));
    // Half a block, then silence: the sender times out and starts the block again.
    s.send(std::vector<std::uint8_t>(data.begin(), data.begin() + 60));
    s.pause(UnitLoader::StepGapUs + 1);
    EXPECT_EQ(s.block(number, data), Acks3);
    EXPECT_EQ(s.send({0x17}), std::string(1, Ack));
    EXPECT_EQ(unit.firmwareVersion(), " 0.6.3");
}

TEST(UnitLoader, AbortedTransferLeavesOnlyTheLoader)
{
    UnitSimulator unit;
    LoaderSession s(unit, 250000);
    s.sendText("UPDATE\r\n");
    s.handshake();
    for (const auto &[number, data] : scrambledBlocks(" 0.6.0", 0x01, {0}))
        s.block(number, data);
    // Discovery's bare lines reach the loader's command line.
    EXPECT_EQ(s.sendText("\r\n"), "");
    EXPECT_FALSE(unit.inTransfer());
    EXPECT_EQ(s.sendText("PING\r\n"), "OK\r\n");
    EXPECT_EQ(s.sendText("VER\r\n"), "0000\r\n");
    EXPECT_EQ(s.sendText("GINFO A\r\n"), "");
}

TEST(UnitLoader, UpdateThatNeverWroteABlockKeepsTheApplication)
{
    UnitSimulator unit;
    LoaderSession s(unit, 250000);
    s.sendText("UPDATE\r\n");
    s.send({0x15});
    EXPECT_EQ(s.sendText("\r\nVER\r\n"), " 0.5.0\r\n");
}

} // namespace
} // namespace vireo
