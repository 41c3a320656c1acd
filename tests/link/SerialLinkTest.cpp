#include "link/SerialLink.h"
#include "seams/ConversionError.h"

#include "link/ScriptedPort.h"

#include <gtest/gtest.h>

namespace vireo
{
namespace
{

using test::Chunk;
using test::ScriptedPort;
using Strings = std::vector<std::string>;

struct LinkFixture : ::testing::Test {
    ScriptedPort port;
    SerialLink link{port};
    std::vector<Chunk> answer;

    void SetUp() override
    {
        port.responder = [this](const std::string &, std::uint32_t, const std::string &) { return answer; };
        link.portName = "COM3";
        ASSERT_TRUE(link.openPort());
    }
};

TEST_F(LinkFixture, ExchangeAssemblesExactlyTheAwaitedReply)
{
    struct Case {
        const char *name;
        std::string stale;
        std::vector<Chunk> answer;
        std::size_t n;
        bool ok;
        std::string reply;
    };
    const Case cases[] = {
        {"whole", "", {{0, "OK\r\n"}}, 4, true, "OK\r\n"},
        {"stale input is dropped before the write", "K\r\n00", {{5, "OK\r\n"}}, 4, true, "OK\r\n"},
        {"pieces with pauses under T", "", {{0, "0"}, {199, "00A"}, {150, "0\r\n"}}, 7, true, "000A0\r\n"},
        {"pause longer than T", "", {{0, "OK"}, {201, "\r\n"}}, 4, false, "OK"},
        {"first byte later than T", "", {{201, "OK\r\n"}}, 4, false, ""},
        {"silence", "", {}, 4, false, ""},
        {"bytes beyond N stay unread", "", {{0, "OK\r\nXY"}}, 4, true, "OK\r\n"},
        {"short reply", "", {{0, "0000\r\n"}}, 8, false, "0000\r\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        port.waiting = c.stale;
        answer = c.answer;
        EXPECT_EQ(link.exchange("VER\r\n", c.n, 200), c.ok);
        EXPECT_EQ(link.replyText(), c.reply);
        EXPECT_EQ(link.received(), c.reply.size());
        EXPECT_EQ(port.writes.back(), "VER\r\n");
        for (std::uint32_t t : port.readTimeouts)
            EXPECT_EQ(t, 200u);
        port.readTimeouts.clear();
        port.settle();
    }
}

TEST_F(LinkFixture, NoReplyAwaitedOnlyWrites)
{
    answer = {{0, "junk"}};
    link.exchange("\r\n", 0, 1000);
    EXPECT_EQ(port.writes, std::vector<std::string>{"\r\n"});
    EXPECT_TRUE(port.readTimeouts.empty());
    EXPECT_EQ(link.replyText(), "");
}

TEST_F(LinkFixture, ClosedLinkOrRefusedWriteFailsWithoutReading)
{
    answer = {{0, "OK\r\n"}};
    port.refuseWrites = true;
    EXPECT_FALSE(link.pingUnit());
    EXPECT_TRUE(port.readTimeouts.empty());

    port.refuseWrites = false;
    link.closePort();
    EXPECT_FALSE(link.isOpen());
    EXPECT_FALSE(link.pingUnit());
    EXPECT_TRUE(port.writes.empty());
    EXPECT_TRUE(port.readTimeouts.empty());
}

TEST_F(LinkFixture, ReplyNeverReadPastReplyBuffer)
{
    answer = {{0, std::string(3000, 'A')}};
    EXPECT_TRUE(link.exchange("RROM A 0\r\n", 5000, 5000));
    EXPECT_EQ(link.received(), SerialLink::ReplyBufferSize - 1);
    EXPECT_LE(port.largestRead, SerialLink::ReplyBufferSize - 1);
    EXPECT_EQ(link.replyText().size(), SerialLink::ReplyBufferSize - 1);
}

TEST_F(LinkFixture, PingWantsExactlyOkCrLfWithin200ms)
{
    struct Case {
        std::vector<Chunk> answer;
        bool ok;
    };
    const Case cases[] = {
        {{{0, "OK\r\n"}}, true},    {{{0, "OK\r"}, {10, "\r"}}, false}, // CR where LF belongs
        {{{0, "OK\rX"}}, false},    {{{0, "ok\r\n"}}, false},
        {{{0, "OK\r"}}, false},     {{{200, "OK\r\n"}}, true},
        {{{201, "OK\r\n"}}, false}, {{{0, std::string("OK\0\n", 4)}}, false},
    };
    for (const Case &c : cases) {
        answer = c.answer;
        EXPECT_EQ(link.pingUnit(), c.ok) << ::testing::PrintToString(c.answer.front().bytes);
        EXPECT_EQ(port.writes.back(), "PING\r\n");
        port.settle();
    }
}

// After a failed exchange the link asks the unit whether it is still there. A unit gone (or a
// port that refuses the command) makes the link lost: what follows fails at once, unsent.
TEST(LinkLoss, AFailedExchangeIsCheckedWithAPing)
{
    struct Case {
        const char *name;
        std::vector<Chunk> rrom; // the answer to the failing command
        std::vector<Chunk> ping; // the answer to the ping after it
        bool refuseWrites;       // the port refuses the command (it went away)
        bool enabled;            // what lossCheck says
        LossCheck check;         // how the command is sent
        Strings writes;          // what went out for the command
        bool lost;
    };
    const std::vector<Chunk> ok = {{0, "OK\r\n"}};
    const Case cases[] = {
        {"good reply: no ping",
         {{0, "0001 0002 0003\r\n"}},
         ok,
         false,
         true,
         LossCheck::On,
         {"RROM A 0\r\n"},
         false},
        {"silent, unit still there", {}, ok, false, true, LossCheck::On, {"RROM A 0\r\n", "PING\r\n"}, false},
        {"cut short, unit still there",
         {{0, "0001 00"}},
         ok,
         false,
         true,
         LossCheck::On,
         {"RROM A 0\r\n", "PING\r\n"},
         false},
        {"silent, ping unanswered", {}, {}, false, true, LossCheck::On, {"RROM A 0\r\n", "PING\r\n"}, true},
        {"silent, ping answered wrongly",
         {},
         {{0, "NG\r\n"}},
         false,
         true,
         LossCheck::On,
         {"RROM A 0\r\n", "PING\r\n"},
         true},
        {"port refuses the command", {}, ok, true, true, LossCheck::On, {}, true},
        {"check off for this exchange", {}, {}, false, true, LossCheck::Off, {"RROM A 0\r\n"}, false},
        {"owner says no check (firmware transfer)",
         {},
         {},
         false,
         false,
         LossCheck::On,
         {"RROM A 0\r\n"},
         false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPort port;
        port.responder = [&](const std::string &, std::uint32_t, const std::string &line) {
            return line == "PING\r\n" ? c.ping : c.rrom;
        };
        SerialLink link(port);
        link.lossCheck = [&] { return c.enabled; };
        ASSERT_TRUE(link.openPort());
        port.refuseWrites = c.refuseWrites;

        const bool good = link.exchange("RROM A 0\r\n", 16, 5000, c.check);
        EXPECT_EQ(good, c.rrom.size() == 1 && c.rrom[0].bytes.size() == 16);
        EXPECT_EQ(port.writes, c.writes);
        EXPECT_EQ(link.lost(), c.lost);
        // The failed exchange's own reply is what stays, whatever the ping got.
        const std::string sent = c.rrom.empty() || c.refuseWrites ? "" : c.rrom[0].bytes;
        EXPECT_EQ(link.replyText(), sent);
        EXPECT_EQ(link.received(), sent.size());
        EXPECT_EQ(link.readTimeoutMs, 5000u);

        // Lost: every exchange fails at once and sends nothing, until the port is opened again.
        port.refuseWrites = false;
        port.writes.clear();
        const std::int64_t before = port.nowMs;
        link.exchange("GINFO A\r\n", 16, 5000);
        EXPECT_EQ(port.writes.empty(), c.lost);
        EXPECT_EQ(link.pingUnit(), !c.lost && !c.ping.empty() && c.ping[0].bytes == "OK\r\n");
        if (c.lost) {
            EXPECT_EQ(port.nowMs, before);
            EXPECT_TRUE(link.isOpen());
            link.closePort();
            ASSERT_TRUE(link.openPort());
            EXPECT_FALSE(link.lost());
            EXPECT_EQ(link.exchange("GINFO A\r\n", 16, 5000, LossCheck::Off), false);
            EXPECT_EQ(port.writes.back(), "GINFO A\r\n");
        }
    }
}

TEST(ValueList, ParsesHexFieldsOfFiveBytes)
{
    struct Case {
        std::string reply;
        std::vector<std::int16_t> expected; // starting from all 7
        bool throws;
    };
    const Case cases[] = {
        {"FFFF 7FFF 00A0\r\n", {-1, 32767, 160}, false},
        {"8000 0000 ffff\r\n", {-32768, 0, -1}, false},
        {"abcd\r\n", {static_cast<std::int16_t>(0xABCD), 7, 7}, false},
        {"12 0 0001 0002\r\n", {0x12, 1, 2}, false}, // a shorter text ends at its separator
        {"123456 0001\r\n", {7, 6, 1}, false},       // a field without separator keeps its value
        {"00G1 0001 0002\r\n", {7, 7, 7}, true},
        {" 001 0001 0002\r\n", {7, 7, 7}, true}, // empty text
        {"0001 -001 0002\r\n", {1, 7, 7}, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.reply);
        ScriptedPort port;
        SerialLink link(port);
        port.responder = [&](const std::string &, std::uint32_t, const std::string &) {
            return std::vector<Chunk>{{0, c.reply}};
        };
        ASSERT_TRUE(link.openPort());
        ASSERT_TRUE(link.exchange("GINFO A\r\n", c.reply.size(), 5000));
        std::int16_t values[3] = {7, 7, 7};
        if (c.throws)
            EXPECT_THROW(link.parseValueList(3, values), ConversionError);
        else
            link.parseValueList(3, values);
        EXPECT_EQ(std::vector<std::int16_t>(values, values + 3), c.expected);
    }
}

} // namespace
} // namespace vireo
