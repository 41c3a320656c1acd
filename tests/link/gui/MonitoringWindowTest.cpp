// The polling tick through the window: lamps, the ping that notices a lost unit, the poll by
// kind and version, and the GAIN CONTROL STATUS page.
#include "link/gui/LinkWindowFixture.h"
#include "widgets/StaticText.h"

#include <map>

namespace vireo::test
{
namespace
{

using Strings = std::vector<std::string>;

class MonitoringWindowTest : public LinkWindowFixture
{
protected:
    Strings oneTick()
    {
        const std::size_t from = unit->commandNames().size();
        tick();
        return commandsSince(from);
    }
    QString shownText(const char *name) const { return control<StaticText>(name)->text(); }
    bool lit(const char *name) const { return control<StaticText>(name)->isLit(); }

    // No number, no lit lamp, no channel text, read-outs and lamps dimmed.
    void expectUnknownPage() const
    {
        for (const char *field :
             {"StaticText35", "StaticText81", "StaticText8", "StaticText38", "StaticText82", "StaticText16",
              "StaticText41", "StaticText83", "StaticText25", "StaticText66", "StaticText71", "StaticText75",
              "StaticText80"}) {
            EXPECT_EQ(textOf(field), QString()) << field;
            EXPECT_TRUE(control<StaticText>(field)->isDimmed()) << field;
        }
        for (const char *lamp :
             {"StaticText15", "StaticText7", "StaticText84", "StaticText17", "StaticText24", "StaticText85",
              "StaticText28", "StaticText29", "StaticText86", "StaticText33", "StaticText34", "StaticText36",
              "StaticText32", "StaticText39", "StaticText40", "StaticText87", "StaticText37"}) {
            EXPECT_FALSE(lit(lamp)) << lamp;
            EXPECT_TRUE(control<StaticText>(lamp)->isDimmed()) << lamp;
        }
        EXPECT_EQ(textOf("Label62"), QString());
    }

    // The status page as "control=text" and "lamp=on/off" for the controls a case names.
    void expectPage(const std::map<std::string, std::string> &expected) const
    {
        for (const auto &[name, value] : expected) {
            if (value == "on" || value == "off")
                EXPECT_EQ(lit(name.c_str()), value == "on") << name;
            else
                EXPECT_EQ(textOf(name.c_str()).toStdString(), value) << name;
        }
    }
};

// Twice a second and evenly: a coarse timer would let the ticks wander by 5 %.
TEST_F(MonitoringWindowTest, PollingTimerIsPrecise)
{
    start(unitConfig(UnitKind::Kind2, " 0.5.0"));
    EXPECT_EQ(form->Timer2->interval(), 500);
    EXPECT_EQ(form->Timer2->timerType(), Qt::PreciseTimer);
}

TEST_F(MonitoringWindowTest, PollsByKindAndVersion)
{
    struct Case {
        UnitConfig config;
        Strings commands;
    };
    const Case cases[] = {
        {unitConfig(UnitKind::Kind2, " 0.5.0"), {"PING", "GINFO A", "GINFO E", "GINFO R", "CHDET", "CHDET2"}},
        {unitConfig(UnitKind::Kind2, " 0.4.9"), {"PING", "GINFO A", "GINFO E", "GINFO R", "CHDET"}},
        {unitConfig(UnitKind::Kind1, " 2.0.5"),
         {"PING", "GINFO A", "GINFO E", "GINFO R", "CHDET", "VOLA A", "VOLA E", "VOLA R"}},
        {unitConfig(UnitKind::Kind2, std::nullopt), {"PING"}}, // loader only: ping and blink
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.commands.size());
        start(c.config);
        if (!c.config.firmware)
            script.expectMessage(MsgIcon::Error, "FirmwareErrorMessage");
        connect();
        script.verify();
        const bool green = shown("LEDGreenImage");
        EXPECT_EQ(oneTick(), c.commands);
        EXPECT_NE(shown("LEDGreenImage"), green);
        EXPECT_EQ(oneTick(), c.commands);
        EXPECT_EQ(shown("LEDGreenImage"), green);
    }
}

// However the unit goes while it is polled, the tick holds the window for at most one
// time-out and the ping after it, disconnects, says so once, and the status page stops
// showing the last values as if they were live.
TEST_F(MonitoringWindowTest, LostUnitDisconnectsWithOneMessageAndBlanksThePage)
{
    struct Case {
        UnitConfig config;
        const char *fault;
        Strings commands; // what the unit heard in the tick that lost it
    };
    const UnitConfig kind1 = unitConfig(UnitKind::Kind1, " 2.0.5");
    const UnitConfig kind2 = unitConfig(UnitKind::Kind2, " 0.5.0");
    const Case cases[] = {
        {kind2, "PING:disconnect", {}},
        {kind2, "GINFO A:disconnect", {"PING"}},
        {kind2, "GINFO R:disconnect", {"PING", "GINFO A", "GINFO E"}},
        {kind2, "CHDET2:disconnect", {"PING", "GINFO A", "GINFO E", "GINFO R", "CHDET"}},
        {kind1, "GINFO A:disconnect", {"PING"}},
        {kind1, "VOLA E:disconnect", {"PING", "GINFO A", "GINFO E", "GINFO R", "CHDET", "VOLA A"}},
        {kind2, "GINFO E:unplug", {"PING", "GINFO A"}},
        {kind1, "PING:unplug", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.fault) + (c.config.kind == UnitKind::Kind1 ? " Kind1" : " Kind2"));
        start(c.config);
        connect();
        unit->live().gyroInfo[0] = {1, 600, 512, 0, 0};
        unit->live().channelDetect = {1, 0, 0};
        tick();
        ASSERT_EQ(textOf("StaticText35"), QStringLiteral("100"));
        ASSERT_TRUE(lit("StaticText7"));

        unit->addFault(c.fault);
        script.expectMessage(MsgIcon::Error, "LinkLostMessage");
        std::int64_t frozen = 0;
        {
            FreezeMeter meter(clock, dialogs);
            EXPECT_EQ(oneTick(), c.commands);
            frozen = meter.longestMs();
        }
        script.verify();
        EXPECT_LE(frozen, PollTimeoutMs + 200);
        EXPECT_FALSE(form->Connected);
        EXPECT_FALSE(shown("LEDGreenImage"));
        EXPECT_FALSE(bus->port().isOpen());
        EXPECT_EQ(control<QAbstractButton>("ConnectSpeedButton")->text(), language("ConnectButton"));
        EXPECT_FALSE(control("ResetButton")->isEnabled());
        expectUnknownPage();

        // From now on the red lamp blinks, nothing is sent and nothing more is said.
        const std::size_t written = bus->port().bytesWritten();
        const bool red = shown("LEDRedImage");
        tick();
        EXPECT_NE(shown("LEDRedImage"), red);
        tick();
        EXPECT_EQ(shown("LEDRedImage"), red);
        EXPECT_EQ(bus->port().bytesWritten(), written);

        // The unit back: CONNECT and the page is live again.
        unit->clearFaults();
        unit->reconnect();
        connect();
        ASSERT_TRUE(form->Connected);
        tick();
        EXPECT_EQ(textOf("StaticText35"), QStringLiteral("100"));
        EXPECT_TRUE(lit("StaticText7"));
        EXPECT_FALSE(control<StaticText>("StaticText35")->isDimmed());
    }
}

TEST_F(MonitoringWindowTest, DisconnectByButtonBlanksThePage)
{
    start(unitConfig(UnitKind::Kind2, " 0.5.0"));
    connect();
    unit->live().channelDetect = {1, 1, 1};
    tick();
    ASSERT_TRUE(lit("StaticText32"));
    control<QAbstractButton>("ConnectSpeedButton")->click();
    expectUnknownPage();
}

// Dimming an unknown page leaves alone what the one-axis mode disabled.
TEST_F(MonitoringWindowTest, UnknownAndKnownPageKeepTheAxisModeState)
{
    start(unitConfig(UnitKind::Kind2, " 0.5.0"));
    connect();
    form->AppliedAxisMode = 1;
    form->enableThreeAxisControls(false);
    tick();
    EXPECT_FALSE(control("StaticText35")->isEnabled());
    EXPECT_TRUE(control("StaticText41")->isEnabled());
    control<QAbstractButton>("ConnectSpeedButton")->click();
    EXPECT_FALSE(control("StaticText35")->isEnabled());
    EXPECT_TRUE(control("StaticText41")->isEnabled());
}

TEST_F(MonitoringWindowTest, PauseFlagsStopTheTick)
{
    start(unitConfig(UnitKind::Kind2, " 0.5.0"));
    connect();
    for (bool *flag : {&form->Updating, &form->Resetting}) {
        *flag = true;
        const bool green = shown("LEDGreenImage");
        EXPECT_EQ(oneTick(), Strings{});
        EXPECT_EQ(shown("LEDGreenImage"), green);
        *flag = false;
    }
}

TEST_F(MonitoringWindowTest, StatusPageShowsTheFormulas)
{
    struct Case {
        const char *name;
        UnitConfig config;
        int appliedAxisMode;
        std::function<void(LiveValues &)> live;
        std::map<std::string, std::string> page;
    };
    const Case cases[] = {
        {"Kind1, gain channel 1 alone",
         unitConfig(UnitKind::Kind1, " 2.0.5"),
         0,
         [](LiveValues &v) {
             v.gyroInfo[0] = {1, 0, -600, 0, 0};
             v.gyroInfo[1] = {2, 625, 512, 0, 0};
             v.gyroInfo[2] = {3, 1250, 0, 0, 0};
             v.volumeLimits[0] = {-512, 512, 0};
             v.channelDetect = {1, 0, 0};
         },
         {{"StaticText35", "-8"},  {"StaticText81", "100"}, {"StaticText8", "-8"},
          {"StaticText38", "100"}, {"StaticText82", "50"},  {"StaticText16", "50"},
          {"StaticText41", "50"},  {"StaticText83", "100"}, {"StaticText25", "50"},
          {"StaticText66", "0"},   {"StaticText67", "100"}, {"StaticText75", "0"},
          {"StaticText76", "100"}, {"StaticText15", "off"}, {"StaticText7", "on"},
          {"StaticText84", "off"}, {"StaticText85", "on"},  {"StaticText33", "on"},
          {"StaticText34", "off"}, {"StaticText37", "off"}}},
        {"Kind1, no channel input",
         unitConfig(UnitKind::Kind1, " 2.0.5"),
         0,
         [](LiveValues &v) {
             v.channelDetect = {0, 0, 0};
         },
         {{"StaticText37", "on"},
          {"Label62", ""},
          {"StaticText81", "-"},
          {"StaticText82", "-"},
          {"StaticText8", "40"}}},
        {"Kind2, one-axis mode",
         unitConfig(UnitKind::Kind2, " 0.5.0"),
         1,
         [](LiveValues &v) {
             v.gyroInfo[0] = {2, 1200, 512, 1800, -1800};
             v.gyroInfo[2] = {1, 600, 0, 900, -900};
             v.channelDetect = {1, 1, 1};
         },
         {{"StaticText15", "on"},
          {"StaticText84", "off"},
          {"StaticText17", "on"},
          {"StaticText29", "on"},
          {"StaticText35", "0"},
          {"StaticText81", "-"},
          {"StaticText8", "0"},
          {"StaticText41", "50"},
          {"StaticText83", "50"},
          {"StaticText25", "25"},
          {"StaticText70", "50"},
          {"StaticText71", "50"},
          {"StaticText32", "off"},
          {"StaticText39", "off"},
          {"StaticText40", "on"},
          {"StaticText87", "on"}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        start(c.config);
        connect();
        c.live(unit->live());
        form->AppliedAxisMode = static_cast<std::int16_t>(c.appliedAxisMode);
        tick();
        expectPage(c.page);
    }
}

TEST_F(MonitoringWindowTest, ChannelInformationText)
{
    start(unitConfig(UnitKind::Kind1, " 2.0.5"));
    connect();
    struct Case {
        std::array<std::int16_t, 3> channels;
        const char *key;
        QColor colour;
    };
    const Case cases[] = {
        {{1, 0, 0}, "GCSChanelInfo1", Qt::black},
        {{0, 1, 0}, "GCSChanelInfo2", Qt::red},
        {{1, 1, 0}, "GCSChanelInfo3", Qt::black},
        {{1, 1, 1}, "GCSChanelInfo4", Qt::black},
    };
    for (const Case &c : cases) {
        unit->live().channelDetect = c.channels;
        tick();
        EXPECT_EQ(textOf("Label62"), language(c.key));
        EXPECT_EQ(control<QLabel>("Label62")->palette().color(QPalette::WindowText), c.colour) << c.key;
    }
}

// A garbled status reply keeps that command's values and leaves the page as it was; a reply
// that stays garbled is reported once, and again only after a good poll came in between.
TEST_F(MonitoringWindowTest, GarbledReplyIsReportedOncePerRunAndKeepsTheValues)
{
    for (const char *fault : {"GINFO E:wrongack", "GINFO E:garbage"}) {
        SCOPED_TRACE(fault);
        start(unitConfig(UnitKind::Kind2, " 0.5.0"));
        connect();
        unit->live().gyroInfo[1] = {0, 0, 512, 0, 0};
        tick();
        ASSERT_EQ(textOf("StaticText38"), QStringLiteral("100"));

        unit->live().gyroInfo[1] = {0, 0, -512, 0, 0};
        unit->live().gyroInfo[0] = {0, 0, -512, 0, 0};
        unit->addFault(fault);
        std::size_t sentWhileOpen = 0;
        dialogs.whileOpen = [&] {
            // The timer keeps firing while the box is open; those ticks stand aside.
            dialogs.whileOpen = nullptr;
            const std::size_t before = unit->transcript().size();
            tick();
            tick();
            sentWhileOpen = unit->transcript().size() - before;
        };
        script.expectMessage(MsgIcon::Warning, "LinkStatusGarbledMessage");
        EXPECT_EQ(oneTick(), (Strings{"PING", "GINFO A", "GINFO E"}));
        script.verify();
        const MessageRequest &box = script.messages().back();
        EXPECT_EQ(QString::fromStdString(box.text), language("LinkStatusGarbledMessage"));
        EXPECT_FALSE(box.text.empty());
        EXPECT_EQ(sentWhileOpen, 0u);
        EXPECT_FALSE(form->inPollingTick);
        EXPECT_EQ(form->liveStatus.GyroInfo[1][2], 512); // the garbled answer changed nothing
        EXPECT_EQ(form->liveStatus.GyroInfo[0][2], -512);
        EXPECT_EQ(textOf("StaticText38"), QStringLiteral("100")); // the page is not renewed

        // Still garbled: no further box, however many ticks.
        const std::size_t boxes = script.messages().size();
        for (int i = 0; i < 20; ++i)
            tick();
        EXPECT_EQ(script.messages().size(), boxes);
        EXPECT_TRUE(form->Connected);

        unit->clearFaults();
        tick();
        EXPECT_EQ(textOf("StaticText38"), QStringLiteral("0"));

        // Garbled again after a good poll: reported again.
        unit->addFault(fault);
        script.expectMessage(MsgIcon::Warning, "LinkStatusGarbledMessage");
        tick();
        script.verify();
        EXPECT_TRUE(form->Connected);
    }
}

} // namespace
} // namespace vireo::test
