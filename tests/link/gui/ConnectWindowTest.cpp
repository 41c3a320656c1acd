// Connecting and disconnecting through the window: what the window shows afterwards, what
// went over the wire, and which boxes appear.
#include "link/gui/LinkWindowFixture.h"
#include "widgets/PageControl.h"

#include <QComboBox>
#include <QRadioButton>

namespace vireo::test
{
namespace
{

using Strings = std::vector<std::string>;

class ConnectWindowTest : public LinkWindowFixture
{
};

TEST_F(ConnectWindowTest, ConnectShapesTheWindowByKindAndVersion)
{
    struct Case {
        const char *name;
        UnitConfig config;
        const char *version;
        const char *kindKey;
        std::vector<const char *> visibleTabs;
        bool loaderBox;
        Strings firstCommands; // after the handshake, UPVER and VER
    };
    const std::vector<const char *> allTabs = {"TabSheet2", "TabSheet3", "TabSheet4", "TabSheet5",
                                               "TabSheet6", "TabSheet7", "TabSheet8", "TabSheet9"};
    const Case cases[] = {
        {"Kind2 0.5.0",
         unitConfig(UnitKind::Kind2, " 0.5.0"),
         " 0.5.0",
         "KALMKind2",
         allTabs,
         false,
         {"RDEF A 0", "RDEF A 1", "RDEF A 2", "RDEF E 0", "RDEF E 1", "RDEF E 2", "RDEF R 0", "RDEF R 1",
          "RDEF R 2", "RROM C 0", "RROM A 0", "RROM A 1", "RROM A 2", "RROM E 0"}},
        {"Kind2 0.2.5",
         unitConfig(UnitKind::Kind2, " 0.2.5"),
         " 0.2.5",
         "KALMKind2",
         {"TabSheet2", "TabSheet3", "TabSheet4", "TabSheet5", "TabSheet6", "TabSheet7", "TabSheet8"},
         false,
         {"RDEF A 0"}},
        // No standard values before 2.0.0: the parameter read follows the identification.
        {"Kind1 1.0.4",
         unitConfig(UnitKind::Kind1, " 1.0.4"),
         " 1.0.4",
         "KALMKind1",
         {"TabSheet2", "TabSheet3", "TabSheet4", "TabSheet5", "TabSheet6", "TabSheet7"},
         false,
         {"RROM A 0", "RROM A 1", "RROM A 2", "RROM E 0"}},
        {"Kind1 loader",
         unitConfig(UnitKind::Kind1, std::nullopt),
         "0.0.0",
         "KALMKind1",
         {"TabSheet5"},
         true,
         {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        start(c.config);
        if (c.loaderBox)
            script.expectMessage(MsgIcon::Error, "FirmwareErrorMessage");
        connect();
        script.verify();

        EXPECT_TRUE(form->Connected);
        EXPECT_EQ(form->FirmwareVersion, c.version);
        EXPECT_EQ(textOf("Label35"), QString::fromStdString(c.version));
        EXPECT_EQ(textOf("Label83"), language(c.kindKey));
        for (const char *tab : allTabs) {
            const bool expected = std::find(c.visibleTabs.begin(), c.visibleTabs.end(),
                                            std::string_view(tab)) != c.visibleTabs.end();
            EXPECT_EQ(form->isPageVisible(QString::fromLatin1(tab)), expected) << tab;
        }
        if (c.loaderBox) {
            EXPECT_EQ(form->PageControl1->currentWidget(), control("TabSheet5"));
        }
        EXPECT_TRUE(shown("LEDGreenImage"));
        EXPECT_FALSE(shown("LEDRedImage"));
        EXPECT_EQ(control<QAbstractButton>("ConnectSpeedButton")->text(), language("DisconnectButton"));
        EXPECT_TRUE(control("ResetButton")->isEnabled());
        EXPECT_TRUE(control("FileFirmUpdateButton")->isEnabled());
        EXPECT_EQ(form->ParamsLoaded, !c.loaderBox);
        // Nothing to read from or write to a unit that runs only its loader.
        EXPECT_EQ(control("ReadButton")->isEnabled(), !c.loaderBox);
        EXPECT_EQ(control("WriteButton")->isEnabled(), !c.loaderBox);

        const Strings handshake = {"", "", "PING", "UPVER", "VER"};
        const Strings names = unit->commandNames();
        ASSERT_GE(names.size(), handshake.size() + c.firstCommands.size());
        EXPECT_EQ(Strings(names.begin(), names.begin() + 5), handshake);
        EXPECT_EQ(Strings(names.begin() + 5,
                          names.begin() + 5 + static_cast<std::ptrdiff_t>(c.firstCommands.size())),
                  c.firstCommands);
        if (c.loaderBox) {
            EXPECT_EQ(names.size(), handshake.size());
        }
    }
}

TEST_F(ConnectWindowTest, ActivePageDecidesReadAndWrite)
{
    start(unitConfig(UnitKind::Kind2, " 0.5.0"));
    form->PageControl1->setCurrentWidget(control("TabSheet3"));
    connect();
    EXPECT_FALSE(control("ReadButton")->isEnabled());
    EXPECT_FALSE(control("WriteButton")->isEnabled());

    control<QAbstractButton>("ConnectSpeedButton")->click();
    form->PageControl1->setCurrentWidget(control("TabSheet4"));
    connect();
    EXPECT_TRUE(control("ReadButton")->isEnabled());
    EXPECT_TRUE(control("WriteButton")->isEnabled());
}

TEST_F(ConnectWindowTest, OlderKind2FirmwareMovesExtraToMode0)
{
    start(unitConfig(UnitKind::Kind2, " 0.4.9"));
    control<QRadioButton>("ExtraRadioButton")->setChecked(true);
    connect();
    EXPECT_TRUE(control<QRadioButton>("Mode0RadioButton")->isChecked());
    EXPECT_FALSE(control("ExtraRadioButton")->isEnabled());
    EXPECT_FALSE(control("CondSelChComboBox")->isEnabled());
}

// An FTDI port that cannot be opened is named in the box with the reason and the way out;
// the unit's own port answers nothing here.
TEST_F(ConnectWindowTest, NoUnitFoundNamesThePortThatCouldNotBeOpened)
{
    struct Case {
        const char *name;
        std::function<void(SimulatedBus &)> refuse;
        const char *key;
    };
    const Case cases[] = {
        {"permission", [](SimulatedBus &b) { b.setPermissionDenied("/dev/ttyUSB0", true); },
         "PortPermissionMessage"},
        {"busy", [](SimulatedBus &b) { b.setBusy("/dev/ttyUSB0", true); }, "PortBusyMessage"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        start(unitConfig(UnitKind::Kind2, " 0.5.0"));
        unit->addFault("PING:silence");
        c.refuse(*bus);
        script.expectMessage(MsgIcon::Error, c.key);
        control<QAbstractButton>("ConnectSpeedButton")->click();
        script.verify();
        EXPECT_FALSE(form->Connected);
        ASSERT_FALSE(script.messages().empty());
        const QString expected = multiLineText(language(c.key)).trimmed().arg(QStringLiteral("/dev/ttyUSB0"));
        EXPECT_EQ(QString::fromStdString(script.messages().back().text), expected);
        EXPECT_TRUE(expected.contains(QStringLiteral("/dev/ttyUSB0")));
    }
}

TEST_F(ConnectWindowTest, NoUnitFoundReportsAndStaysDisconnected)
{
    start(unitConfig(UnitKind::Kind2, " 0.5.0"));
    unit->addFault("PING:silence");
    script.expectMessage(MsgIcon::Error, "ConnectErrorMessage");
    control<QAbstractButton>("ConnectSpeedButton")->click();
    script.verify();
    EXPECT_FALSE(form->Connected);
    EXPECT_TRUE(form->Timer2->isActive());
    EXPECT_FALSE(bus->port().isOpen());
    EXPECT_EQ(control<QAbstractButton>("ConnectSpeedButton")->text(), language("ConnectButton"));
    EXPECT_FALSE(control("ResetButton")->isEnabled());
    // Both ports at both rates.
    EXPECT_EQ(bus->port().openLog().size(), 4u);
}

// A fault while connecting never leaves the window connected under a guessed kind, holds it
// for at most one time-out and the ping after it, and says what happened and what to do.
TEST_F(ConnectWindowTest, FaultsWhileConnecting)
{
    struct Case {
        const char *name;
        UnitConfig config;
        const char *fault;
        std::vector<const char *> boxes;
        bool connected;
    };
    const UnitConfig kind1 = unitConfig(UnitKind::Kind1, " 2.0.5");
    const UnitConfig kind2 = unitConfig(UnitKind::Kind2, " 0.5.0");
    const std::vector<const char *> unidentified = {"LinkUnidentifiedMessage"};
    // One message: the connection says the unit was lost; the read it ended says nothing more.
    const std::vector<const char *> lostInRead = {"LinkConnectLostMessage"};
    const Case cases[] = {
        {"lost UPVER does not make a Kind1 unit Kind2", kind1, "UPVER#1:silence", unidentified, false},
        {"UPVER cut short", kind1, "UPVER:short", unidentified, false},
        {"garbled UPVER", kind2, "UPVER:garbage", unidentified, false},
        {"lost VER", kind2, "VER:silence", unidentified, false},
        {"VER cut short", kind1, "VER:short", unidentified, false},
        {"garbled VER", kind2, "VER:garbage", unidentified, false},
        {"VER with a stray first byte", kind1, "VER:wrongack", unidentified, false},
        {"unit dies right after the ping", kind2, "UPVER:disconnect", unidentified, false},
        {"unit dies after identifying itself",
         kind1,
         "RDEF A 0:disconnect",
         {"LinkConnectLostMessage"},
         false},
        {"unit dies in the standard values", kind2, "RDEF E 1:disconnect", {"LinkConnectLostMessage"}, false},
        {"unit dies in the parameter read", kind2, "RROM A 1:disconnect", lostInRead, false},
        {"adapter pulled in the parameter read", kind1, "RROM E 0:unplug", lostInRead, false},
        {"garbled standard value", kind2, "RDEF A 1:garbage", {"LinkConnectGarbledMessage"}, true},
        {"standard value with a stray first byte",
         kind1,
         "RDEF R 2:wrongack",
         {"LinkConnectGarbledMessage"},
         true},
    };
    // One time-out and the ping after it, plus discovery's unanswered pings before the unit's:
    // the empty port at both rates and, for a Kind1 unit, its own port at 250000.
    const std::int64_t longestFreeze = PollTimeoutMs + 200 + 3 * 200;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        start(c.config);
        unit->addFault(c.fault);
        for (const char *key : c.boxes)
            script.expectMessage(MsgIcon::Error, key);
        std::int64_t frozen = 0;
        {
            FreezeMeter meter(clock, dialogs);
            connect();
            frozen = meter.longestMs();
        }
        script.verify();
        EXPECT_LE(frozen, longestFreeze);
        for (const MessageRequest &box : script.messages())
            EXPECT_EQ(QString::fromStdString(box.text), language(box.key.c_str())) << box.key;

        EXPECT_EQ(form->Connected, c.connected);
        EXPECT_EQ(bus->port().isOpen(), c.connected);
        EXPECT_EQ(shown("LEDGreenImage"), c.connected);
        EXPECT_EQ(control("ResetButton")->isEnabled(), c.connected);
        EXPECT_EQ(control<QAbstractButton>("ConnectSpeedButton")->text(),
                  language(c.connected ? "DisconnectButton" : "ConnectButton"));
        if (c.boxes == unidentified) {
            // Nothing was taken from the answers.
            EXPECT_EQ(form->FirmwareVersion, "");
            EXPECT_EQ(textOf("Label35").toStdString().find("\xEF\xBF\xBD"), std::string::npos);
        }

        // The fault gone, CONNECT works as ever.
        if (!c.connected) {
            unit->clearFaults();
            unit->reconnect();
            connect();
            EXPECT_TRUE(form->Connected);
            EXPECT_EQ(form->unitKind, c.config.kind);
            EXPECT_EQ(form->FirmwareVersion, *c.config.firmware);
            EXPECT_TRUE(form->ParamsLoaded);
        }
    }
}

TEST_F(ConnectWindowTest, DisconnectByButtonSendsNothing)
{
    start(unitConfig(UnitKind::Kind2, " 0.5.0"));
    connect();
    const std::size_t before = unit->transcript().size();
    control<QAbstractButton>("ConnectSpeedButton")->click();
    EXPECT_EQ(unit->transcript().size(), before);
    EXPECT_FALSE(form->Connected);
    EXPECT_FALSE(bus->port().isOpen());
    EXPECT_FALSE(shown("LEDGreenImage"));
    EXPECT_EQ(control<QAbstractButton>("ConnectSpeedButton")->text(), language("ConnectButton"));
    for (const char *b : {"ReadButton", "WriteButton", "FileFirmUpdateButton", "ResetButton"})
        EXPECT_FALSE(control(b)->isEnabled()) << b;
    // What identification set stays.
    EXPECT_EQ(form->FirmwareVersion, " 0.5.0");
    EXPECT_EQ(textOf("Label35"), QStringLiteral(" 0.5.0"));
}

TEST_F(ConnectWindowTest, PirouetteCheckSendsPirouAndSaysSoBesideTheButton)
{
    start(unitConfig(UnitKind::Kind2, " 0.5.0"));
    connect();
    EXPECT_EQ(textOf("PirouCheckResultLabel"), "");
    control<QAbstractButton>("PirouCheckButton")->setEnabled(true);
    control<QAbstractButton>("PirouCheckButton")->click();
    EXPECT_EQ(unit->pirouetteChecks(), 1);
    EXPECT_EQ(unit->commandNames().back(), "PIROU");
    // No box: a line beside the button.
    EXPECT_EQ(textOf("PirouCheckResultLabel"), language("PRSCheckSentText"));
    EXPECT_FALSE(textOf("PirouCheckResultLabel").isEmpty());
}

} // namespace
} // namespace vireo::test
