#include "link/DeviceActions.h"

#include "link/ScriptedPort.h"

#include <gtest/gtest.h>

namespace vireo
{
namespace
{

TEST(DeviceActions, ResetAndPirouetteCheck)
{
    struct Case {
        bool reset; // else PIROU
        std::vector<test::Chunk> answer;
        bool ok;
        std::string reply;
    };
    const Case cases[] = {
        {true, {{300, "OK\r\n"}}, true, "OK\r\n"},
        {true, {{0, "\x01\x02zz"}}, false, "\x01\x02zz"}, // only "OK" says the unit reset
        {true, {{0, "NG\r\n"}}, false, "NG\r\n"},
        {true, {{0, "OK"}}, false, "OK"}, // then silence past 5000 ms
        {true, {{4999, "OK"}, {4999, "\r\n"}}, true, "OK\r\n"},
        {false, {{0, "OK\r\n"}}, true, "OK\r\n"},
        {false, {{0, "NG\r\n"}}, false, "NG\r\n"},
        {false, {{1001, "OK\r\n"}}, false, ""},
        {false, {{0, "OK\r\nOK"}}, true, "OK\r\n"},
    };
    for (const Case &c : cases) {
        test::ScriptedPort port;
        port.responder = [&](const std::string &, std::uint32_t, const std::string &) { return c.answer; };
        SerialLink link(port);
        ASSERT_TRUE(link.openPort());
        const bool ok = c.reset ? resetUnit(link) : checkPirouette(link);
        EXPECT_EQ(ok, c.ok) << c.reply;
        EXPECT_EQ(link.replyText(), c.reply);
        EXPECT_EQ(port.writes.front(), c.reset ? "RESET\r\n" : "PIROU\r\n");
        EXPECT_EQ(port.readTimeouts.front(), c.reset ? 5000u : 1000u);
    }
}

TEST(DeviceActions, ClosedLinkSendsNothing)
{
    test::ScriptedPort port;
    SerialLink link(port);
    EXPECT_FALSE(checkPirouette(link));
    EXPECT_FALSE(resetUnit(link));
    EXPECT_TRUE(port.writes.empty());
}

} // namespace
} // namespace vireo
