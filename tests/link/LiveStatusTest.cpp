#include "link/LiveStatus.h"

#include "link/ScriptedPort.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

namespace vireo
{
namespace
{

using Strings = std::vector<std::string>;

TEST(LiveStatus, PollCommandsByKindAndVersion)
{
    struct Case {
        UnitKind kind;
        const char *version;
        Strings lines; // "line/count"
    };
    const Case cases[] = {
        {UnitKind::Kind1,
         " 1.0.5",
         {"GINFO A/3", "GINFO E/3", "GINFO R/3", "CHDET/3", "VOLA A/3", "VOLA E/3", "VOLA R/3"}},
        {UnitKind::Kind2, " 0.2.6", {"GINFO A/3", "GINFO E/3", "GINFO R/3", "CHDET/3"}},
        {UnitKind::Kind2, " 0.2.7", {"GINFO A/5", "GINFO E/5", "GINFO R/5", "CHDET/3"}},
        {UnitKind::Kind2, " 0.5.0", {"GINFO A/5", "GINFO E/5", "GINFO R/5", "CHDET/3", "CHDET2/1"}},
    };
    for (const Case &c : cases) {
        LiveStatus status;
        Strings lines;
        for (const PollCommand &p : pollCommands(status, c.kind, c.version)) {
            ASSERT_EQ(p.line.substr(p.line.size() - 2), "\r\n");
            lines.push_back(std::string(p.line.substr(0, p.line.size() - 2)) + "/" + std::to_string(p.count));
        }
        EXPECT_EQ(lines, c.lines) << c.version;
    }
}

TEST(LiveStatus, PollKeepsTheValuesOfFailedAndGarbledCommands)
{
    test::ScriptedPort port;
    std::map<std::string, std::vector<test::Chunk>> answers = {
        {"GINFO A\r\n", {{0, "0001 0002 0003 0004 FFFF\r\n"}}},
        {"GINFO E\r\n", {{0, "0001 0002"}}},                    // stops short
        {"GINFO R\r\n", {{0, "0002 0010 0200 0300 X400\r\n"}}}, // garbled last field
        {"CHDET\r\n", {{0, "0001 0000 0001\r\n"}}},
    };
    port.responder = [&](const std::string &, std::uint32_t, const std::string &line) {
        return answers[line];
    };
    SerialLink link(port);
    ASSERT_TRUE(link.openPort());

    LiveStatus status;
    status.GyroInfo[AxisE] = {9, 9, 9, 9, 9};
    status.GyroInfo[AxisR] = {8, 8, 8, 8, 8};
    EXPECT_EQ(pollLiveStatus(link, status, UnitKind::Kind2, " 0.5.0"), PollResult::Garbled);
    EXPECT_TRUE(status.known);
    EXPECT_EQ(status.GyroInfo[AxisA], (std::array<std::int16_t, 5>{1, 2, 3, 4, -1}));
    EXPECT_EQ(status.GyroInfo[AxisE], (std::array<std::int16_t, 5>{9, 9, 9, 9, 9}));
    EXPECT_EQ(status.GyroInfo[AxisR], (std::array<std::int16_t, 5>{8, 8, 8, 8, 8}));
    // The garbled answer ends the poll.
    EXPECT_EQ(port.writes, (Strings{"GINFO A\r\n", "GINFO E\r\n", "GINFO R\r\n"}));
    EXPECT_EQ(port.readTimeouts.back(), 5000u);

    answers["GINFO R\r\n"] = {{0, "0002 0010 0200\r\n"}};
    port.writes.clear();
    EXPECT_EQ(pollLiveStatus(link, status, UnitKind::Kind1, " 1.0.5"), PollResult::Done);
    // Three values leave the last two as they were.
    EXPECT_EQ(status.GyroInfo[AxisR], (std::array<std::int16_t, 5>{2, 16, 512, 8, 8}));
    EXPECT_EQ(status.ChannelDetect, (std::array<std::int16_t, 3>{1, 0, 1}));
    EXPECT_EQ(port.writes.size(), 7u); // silent VOLA commands do not stop the poll
}

TEST(LiveStatus, PollEndsAtOnceWhenTheUnitIsGone)
{
    test::ScriptedPort port;
    bool unitThere = true;
    port.responder = [&](const std::string &, std::uint32_t, const std::string &line) {
        if (line == "GINFO A\r\n")
            unitThere = false; // it dies on the first command
        return unitThere ? std::vector<test::Chunk>{{0, "OK\r\n"}} : std::vector<test::Chunk>{};
    };
    SerialLink link(port);
    link.lossCheck = [] { return true; };
    ASSERT_TRUE(link.openPort());
    LiveStatus status;
    EXPECT_EQ(pollLiveStatus(link, status, UnitKind::Kind1, " 2.0.5"), PollResult::Lost);
    // One time-out and one ping, not one time-out per command.
    EXPECT_EQ(port.writes, (Strings{"GINFO A\r\n", "PING\r\n"}));
    EXPECT_EQ(port.nowMs, 5000 + 200);
    EXPECT_FALSE(status.known);
}

TEST(LiveStatus, GarbledStatusIsReportedOncePerRunOfBadPolls)
{
    using R = PollResult;
    struct Case {
        std::vector<R> polls;
        std::vector<bool> reports;
    };
    const Case cases[] = {
        {{R::Garbled, R::Garbled, R::Garbled}, {true, false, false}},
        {{R::Garbled, R::Done, R::Garbled}, {true, false, true}},
        {{R::Done, R::Garbled, R::Garbled, R::Done, R::Done, R::Garbled},
         {false, true, false, false, false, true}},
        {{R::Garbled, R::Lost, R::Garbled}, {true, false, false}}, // a lost poll is no good one
    };
    for (const Case &c : cases) {
        GarbledStatusReport report;
        std::vector<bool> shown;
        for (R r : c.polls)
            shown.push_back(report.afterPoll(r));
        EXPECT_EQ(shown, c.reports);
        report.reset();
        EXPECT_TRUE(report.afterPoll(R::Garbled));
    }
}

// Values that are not known (before the first reply, after the link was lost) are shown as
// nothing at all, whatever the values hold.
TEST(LiveStatus, UnknownStatusShowsNothing)
{
    LiveStatus s;
    s.GyroInfo[AxisA] = {1, 600, 512, 0, 0};
    s.ChannelDetect = {1, 0, 0};
    s.known = true;
    EXPECT_TRUE(computeStatusView(s, UnitKind::Kind1, 0).known);
    s.forget();
    EXPECT_FALSE(s.known);
    EXPECT_EQ(s.GyroInfo[AxisA][2], 0);
    s.GyroInfo[AxisA] = {1, 600, 512, 0, 0};
    for (UnitKind kind : {UnitKind::Kind1, UnitKind::Kind2}) {
        const StatusView view = computeStatusView(s, kind, 0);
        EXPECT_FALSE(view.known);
    }
}

// The status page as a set of "control=shown value" tokens.
std::set<std::string> render(const StatusView &v, UnitKind kind)
{
    std::set<std::string> out;
    const char *axes[] = {"A", "E", "R"};
    for (int i = 0; i < 3; ++i) {
        const AxisStatusView &a = v.axes[i];
        const std::string p = std::string(axes[i]) + ".";
        out.insert(p + "mode=" + (a.modeLamp ? std::to_string(*a.modeLamp) : "keep"));
        out.insert(p + "vol=" + std::to_string(a.volumeGain));
        out.insert(p + "tx=" + (a.txGain ? std::to_string(*a.txGain) : "-"));
        out.insert(p + "total=" + std::to_string(a.totalGain));
        out.insert(p + "low=" + std::to_string(a.limitLow));
        out.insert(p + "high=" + std::to_string(a.limitHigh));
    }
    auto lamp = [&](const char *name, bool on) { out.insert(std::string(name) + (on ? "=on" : "=off")); };
    if (kind == UnitKind::Kind1) {
        lamp("GAIN1", v.gainLamps[0]);
        lamp("GAIN2", v.gainLamps[1]);
        lamp("GAIN3", v.gainLamps[2]);
    } else {
        lamp("AILE", v.kind2Lamps[0]);
        lamp("ELEV", v.kind2Lamps[1]);
        lamp("RUDD", v.kind2Lamps[2]);
        lamp("COND", v.kind2Lamps[3]);
    }
    lamp("NON", v.nonLamp);
    const char *info[] = {"keep", "empty", "Info1", "Info2", "Info3", "Info4"};
    out.insert(std::string("Label62=") + info[static_cast<int>(v.channelInfo)] +
               (v.channelInfoRed ? "/red" : ""));
    return out;
}

TEST(LiveStatus, StatusPageFormulas)
{
    using G = std::array<std::array<std::int16_t, 5>, 3>;
    using C = std::array<std::int16_t, 3>;
    using V = std::array<std::array<std::int16_t, 3>, 3>;
    struct Case {
        const char *name;
        UnitKind kind;
        int axisMode;
        G gyro;
        C channels;
        std::int16_t channel2;
        V limits;
        Strings expected;
    };
    const UnitKind K1 = UnitKind::Kind1, K2 = UnitKind::Kind2;
    const Case cases[] = {
        {"volume gain rounding",
         K1,
         0,
         {{{0, 1250, -600}, {1, 625, 0}, {2, 0, 512}}},
         {1, 0, 0},
         0,
         {},
         {"A.vol=-8", "A.tx=100", "A.total=-8", "E.mode=1", "E.vol=50", "E.tx=50", "E.total=25", "R.mode=2",
          "R.vol=100", "R.tx=100", "R.total=100", "A.mode=0", "GAIN1=on", "GAIN2=off", "NON=off",
          "Label62=Info1"}},
        {"no channel input",
         K1,
         0,
         {{{0, 625, 512}, {0, 0, -512}, {0, -625, 0}}},
         {0, 0, 0},
         0,
         {},
         {"NON=on", "Label62=empty", "A.tx=-", "E.tx=-", "R.tx=-", "A.total=50", "E.vol=0", "E.total=0",
          "R.total=-24", "GAIN1=off", "GAIN3=off"}},
        {"gain channel 2 alone", K1, 0, {}, {0, 1, 0}, 0, {}, {"Label62=Info2/red", "GAIN2=on", "A.tx=100"}},
        {"gain channels 1 and 2", K1, 0, {}, {1, 1, 0}, 0, {}, {"Label62=Info3"}},
        {"all gain channels", K1, 0, {}, {1, 1, 1}, 0, {}, {"Label62=Info4"}},
        {"detect value other than 1",
         K1,
         0,
         {},
         {2, 0, 0},
         0,
         {},
         {"GAIN1=on", "NON=off", "Label62=Info2/red", "A.tx=-"}},
        {"Kind1 volume limits",
         K1,
         0,
         {},
         {},
         0,
         {{{-512, 512, 77}, {0, 100, 0}, {-600, -1, 0}}},
         {"A.low=0", "A.high=100", "E.low=50", "E.high=60", "R.low=-8", "R.high=50"}},
        {"mode value outside 0..2",
         K1,
         0,
         {{{3, 0, 0}, {-1, 0, 0}, {2, 0, 0}}},
         {},
         0,
         {},
         {"A.mode=keep", "E.mode=keep", "R.mode=2"}},
        {"Kind2 transmitter gain and limits",
         K2,
         0,
         {{{1, 1200, 0, 1800, -900}, {0, 600, 0, 900, 900}, {2, 0, 0, 0, 0}}},
         {1, 1, 0},
         0,
         {},
         {"A.tx=100", "A.high=100", "A.low=50", "E.tx=-", "E.high=50", "E.low=50", "R.tx=100", "R.total=50",
          "A.total=50", "AILE=on", "ELEV=off", "RUDD=on", "COND=off", "Label62=keep", "NON=off"}},
        {"Kind2 without limits from the unit",
         K2,
         0,
         {{{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
         {},
         0,
         {},
         {"A.low=0", "A.high=0", "R.low=0", "R.high=0", "NON=on", "Label62=empty"}},
        {"Kind2 condition channel alone",
         K2,
         0,
         {},
         {0, 0, 0},
         1,
         {},
         {"COND=on", "NON=off", "Label62=keep", "A.tx=-"}},
        {"Kind2 one-axis mode",
         K2,
         1,
         {{{2, 1200, 400, 1800, -1800}, {1, 600, 300, 900, 900}, {1, 600, 0, 900, 0}}},
         {1, 1, 1},
         0,
         {},
         {"A.mode=0", "E.mode=0", "R.mode=1", "A.vol=0", "A.tx=-", "A.total=0", "A.low=0", "A.high=0",
          "E.vol=0", "E.tx=-", "E.total=0", "R.vol=50", "R.tx=50", "R.total=25", "R.high=50", "AILE=off",
          "ELEV=off", "RUDD=on", "NON=off"}},
        {"Kind1 one-axis mode only resets the modes",
         K1,
         1,
         {{{2, 1250, 0}, {1, 0, 0}, {1, 0, 0}}},
         {1, 1, 1},
         0,
         {},
         {"A.mode=0", "E.mode=0", "R.mode=1", "A.vol=50", "A.tx=100", "GAIN2=on", "Label62=Info4"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LiveStatus s;
        s.known = true;
        s.GyroInfo = c.gyro;
        s.ChannelDetect = c.channels;
        s.ChannelDetect2 = c.channel2;
        s.VolumeLimits = c.limits;
        if (c.axisMode == 1)
            applyOneAxisMode(s, c.kind);
        const auto shown = render(computeStatusView(s, c.kind, c.axisMode), c.kind);
        for (const std::string &e : c.expected)
            EXPECT_TRUE(shown.count(e)) << e;
    }
}

TEST(LiveStatus, PercentRoundsHalfUpThenTruncatesTowardZero)
{
    const std::pair<double, int> cases[] = {{-8.59, -8}, {-0.6, 0},   {-1.5, -1},
                                            {49.5, 50},  {49.49, 49}, {0, 0}};
    for (const auto &[x, shown] : cases)
        EXPECT_EQ(shownPercent(x), shown) << x;
}

} // namespace
} // namespace vireo
