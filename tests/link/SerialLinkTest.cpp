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
