// Fault rules: their text form, which commands they pick, and what they do to the answer.
#include "UnitSimulator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vireo
{
namespace
{

TEST(FaultRuleText, ParsesAndPrintsBack)
{
    struct Case {
        const char *text;
        std::string prefix;
        int nth;
        FaultAction action;
        int arg;
        const char *printed;
    };
    const std::vector<Case> cases = {
        {"#3:silence", "", 3, FaultAction::Silence, -1, "#3:silence"},
        {"*:late=20", "", 0, FaultAction::Late, 20, "*:late=20"},
        {":ignore", "", 0, FaultAction::Ignore, -1, "*:ignore"},
        {"PING:short=2", "PING", 0, FaultAction::Short, 2, "PING:short=2"},
        {"GINFO E:garbage", "GINFO E", 0, FaultAction::Garbage, -1, "GINFO E:garbage"},
        {"BLKNUM#2:wrongack", "BLKNUM", 2, FaultAction::WrongAck, -1, "BLKNUM#2:wrongack"},
        {"UPDATE#1:disconnect", "UPDATE", 1, FaultAction::Disconnect, -1, "UPDATE#1:disconnect"},
        {"PING:unplug", "PING", 0, FaultAction::Unplug, -1, "PING:unplug"},
    };
    for (const auto &c : cases) {
        std::string error;
        const auto rule = FaultRule::parse(c.text, &error);
        ASSERT_TRUE(rule) << c.text << ": " << error;
        EXPECT_EQ(rule->prefix, c.prefix) << c.text;
        EXPECT_EQ(rule->nth, c.nth) << c.text;
        EXPECT_EQ(rule->action, c.action) << c.text;
        EXPECT_EQ(rule->arg, c.arg) << c.text;
        EXPECT_EQ(rule->text(), c.printed);
    }
}

TEST(FaultRuleText, RejectsMalformedRules)
{
    for (const char *text : {"PING", "PING:", "PING:boom", "#0:silence", "#x:silence", "PING#:silence",
                             "PING:late", "PING:late=", "PING:late=-5", "PING:late=5ms", "PING:silence=3",
                             "*:garbage=342862227", "*:garbage=65537"}) {
        std::string error;
        EXPECT_FALSE(FaultRule::parse(text, &error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

struct FaultCase {
    const char *rule;
    std::vector<std::string> commands;
    std::vector<std::string> replies; // per command, as the program receives it
};

class FaultEffect : public ::testing::TestWithParam<FaultCase>
{
};

TEST_P(FaultEffect, SpoilsExactlyThePickedAnswers)
{
    const FaultCase &c = GetParam();
    UnitSimulator unit;
    ASSERT_TRUE(unit.addFault(c.rule));
    ASSERT_EQ(c.commands.size(), c.replies.size());
    for (std::size_t i = 0; i < c.commands.size(); ++i)
        EXPECT_EQ(unit.answer(c.commands[i]), c.replies[i]) << c.rule << ", command " << i;
}

const std::string Ping = "PING\r\n";
const std::string Ok = "OK\r\n";

INSTANTIATE_TEST_SUITE_P(
    Unit, FaultEffect,
    ::testing::Values(FaultCase{"#2:silence", {Ping, Ping, Ping}, {Ok, "", Ok}},
                      // Bare lines count as commands too.
                      FaultCase{"#3:silence", {"\r\n", "\r\n", Ping, Ping}, {"", "", "", Ok}},
                      FaultCase{"PING:short=2", {Ping, "VER\r\n"}, {"OK", " 0.5.0\r\n"}},
                      FaultCase{"PING:short", {Ping}, {"OK\r"}}, FaultCase{"PING:short=9", {Ping}, {Ok}},
                      FaultCase{"PING:wrongack", {Ping}, {"NG\r\n"}},
                      FaultCase{"VER:wrongack", {"VER\r\n"}, {"?0.5.0\r\n"}},
                      FaultCase{"GINFO#2:silence",
                                {"GINFO A\r\n", "GINFO E\r\n", "GINFO R\r\n"},
                                {"0000 03C0 0000 05A0 FE98\r\n", "", "0000 03C0 0000 05A0 FE98\r\n"}},
                      FaultCase{"GINFO E:silence",
                                {"GINFO A\r\n", "GINFO E\r\n", "GINFO E\r\n"},
                                {"0000 03C0 0000 05A0 FE98\r\n", "", ""}},
                      // The unit acts on a command whose answer is lost, but not on one it never got.
                      FaultCase{"WROM:silence",
                                {"WROM G 0 0001 0002 0003 0004 0005\r\n", "RROM G 0\r\n"},
                                {"", "0001 0002 0003 0004 0005\r\nOK\r\n"}},
                      FaultCase{"WROM:ignore",
                                {"WROM G 0 0001 0002 0003 0004 0005\r\n", "RROM G 0\r\n"},
                                {"", "0000 0000 0000 0000 0000\r\nOK\r\n"}},
                      FaultCase{"PING#2:disconnect", {Ping, Ping, "VER\r\n", Ping}, {Ok, "", "", ""}},
                      FaultCase{"*:late=300", {Ping}, {Ok}}));

TEST(FaultEffect, GarbageIsNeverMistakenForAValueList)
{
    UnitSimulator unit;
    unit.addFault("CHDET:garbage");
    const std::string reply = unit.answer("CHDET\r\n");
    ASSERT_EQ(reply.size(), 16u);
    for (char ch : reply)
        EXPECT_GE(static_cast<unsigned char>(ch), 0x80) << "garbage must not contain digits, blank, CR or LF";
    unit.clearFaults();
    unit.addFault("PING:garbage=3");
    EXPECT_EQ(unit.answer("PING\r\n").size(), 3u);
}

TEST(FaultEffect, LateAndLatencyDelayTheReplyStart)
{
    UnitConfig c;
    c.latencyMs = 4;
    UnitSimulator unit(c);
    unit.addFault("PING#2:late=300");
    unit.receive("PING\r\n", 250000, 1'000'000);
    unit.receive("PING\r\n", 250000, 2'000'000);
    ASSERT_EQ(unit.transcript().size(), 2u);
    EXPECT_EQ(unit.transcript()[0].replyStartUs, 1'004'000);
    EXPECT_EQ(unit.transcript()[1].replyStartUs, 2'304'000);
    EXPECT_EQ(unit.transcript()[1].fault, "PING#2:late=300");
}

TEST(FaultEffect, WrongAckInTheLoaderSwapsTheAckByte)
{
    UnitSimulator unit;
    unit.addFault("SYNC:wrongack");
    unit.addFault("BLKNUM:wrongack");
    EXPECT_EQ(unit.answer("UPDATE\r\n"), Ok);
    EXPECT_EQ(unit.answer("\x15"), std::string(1, '\x01'));
    unit.answer("\x16");
    EXPECT_EQ(unit.answer(std::string("\x12", 1)), std::string(1, '\0'));
    EXPECT_EQ(unit.answer(std::string("\0\0\0\x20", 4)), std::string(1, '\0')) << "0x14 becomes 0x00";
}

TEST(FaultEffect, UnplugRemovesTheUnitAndReconnectBringsItBack)
{
    UnitSimulator unit;
    unit.addFault("PING#1:unplug");
    EXPECT_EQ(unit.answer(Ping), "");
    EXPECT_TRUE(unit.unplugged());
    EXPECT_TRUE(unit.disconnected());
    unit.reconnect();
    EXPECT_EQ(unit.answer(Ping), Ok);
}

TEST(FaultEffect, DisconnectedUnitIsRecordedAsNotHeard)
{
    UnitSimulator unit;
    unit.addFault("#1:disconnect");
    unit.answer(Ping);
    unit.answer("VER\r\n");
    ASSERT_GE(unit.transcript().size(), 2u);
    EXPECT_FALSE(unit.transcript()[0].heard);
    EXPECT_EQ(unit.transcript()[0].fault, "#1:disconnect");
    EXPECT_EQ(unit.transcript().back().fault, "disconnected");
    EXPECT_TRUE(unit.commandNames().empty());
}

} // namespace
} // namespace vireo
