// One flow at a time, through the real window on a simulated unit in virtual time: while a flow
// runs, the controls that start flows are disabled and whatever still gets through (a queued
// click, a timer tick, a menu item) does nothing; afterwards each control is as the flow left
// it. Closing waits for a running flow, and edits the unit never got are not lost unasked.
#include "app/gui/BusyFlow.h"
#include "link/gui/LinkWindowFixture.h"
#include "widgets/PageControl.h"

#include <QAction>
#include <QCoreApplication>

#include <map>
#include <stdexcept>

namespace vireo::test
{
namespace
{

std::string demoFile(const char *name)
{
    return (QCoreApplication::applicationDirPath() + QStringLiteral("/firmware/") + QString::fromLatin1(name))
        .toStdString();
}

QString qname(std::string_view name)
{
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

using ControlStates = std::map<std::string, bool>;

struct Box {
    MsgIcon icon;
    const char *key;
    MsgButton answer = Ok;
};

class FlowGuardWindowTest : public LinkWindowFixture
{
protected:
    void TearDown() override
    {
        clock.onProcessEvents = nullptr;
        dialogs.whileOpen = nullptr;
    }

    // The enabled state of every control a flow holds off.
    ControlStates states() const
    {
        ControlStates s;
        for (std::string_view name : FlowStartingButtons)
            s[std::string(name)] = form->control<QWidget>(qname(name))->isEnabled();
        for (std::string_view name : FlowBlockedMenuItems)
            s[std::string(name)] = form->control<QAction>(qname(name))->isEnabled();
        return s;
    }

    // Where the flow dispatches events or shows a box: everything is held off, and whatever
    // might still start something does nothing.
    void probe()
    {
        ++probes;
        for (const auto &[name, enabled] : states())
            EXPECT_FALSE(enabled) << name << " is enabled while a flow runs";
        const std::size_t sent = unit->transcript().size();
        const auto running = form->flows.running();
        for (std::string_view name : FlowStartingButtons)
            form->control<QAbstractButton>(qname(name))->clicked(false); // as if queued
        for (std::string_view name : FlowBlockedMenuItems)
            form->control<QAction>(qname(name))->triggered(false);
        tick();
        EXPECT_EQ(unit->transcript().size(), sent) << "an exchange came into the running flow";
        EXPECT_EQ(form->flows.running(), running);
    }

    void expectBoxes(const std::vector<Box> &boxes)
    {
        for (const Box &b : boxes)
            script.expectMessage(b.icon, b.key, b.answer);
    }

    int probes = 0;
};

TEST_F(FlowGuardWindowTest, ARunningFlowHoldsOffEveryOtherFlow)
{
    const ControlStates loaderOnlyConnected = {
        {"ReadButton", false},   {"WriteButton", false},        {"ReadButton2", false},
        {"WriteButton2", false}, {"PirouGainSetButton", false}, {"PirouCheckButton", false},
        {"ResetButton", true},   {"ConnectSpeedButton", true},  {"FileFirmUpdateButton", true},
        {"MenuFileOpen", true},  {"MenuFileSave", true},        {"MenuHelpVersion", true}};
    ControlStates recovered = loaderOnlyConnected; // application firmware, on the UPDATE page
    recovered["PirouGainSetButton"] = recovered["PirouCheckButton"] = true;

    struct Case {
        const char *what;
        std::optional<std::string> firmware; // of the unit; nothing: only its loader
        bool connected;                      // connected before the flow starts
        const char *page;
        const char *button; // starts the flow
        std::optional<std::string> file;
        std::vector<Box> boxes;
        std::optional<ControlStates> after; // nothing: as before the flow
    };
    const std::string image = demoFile("KALM07_Kind2_0.5.0.dat");
    const std::vector<Case> cases = {
        // A unit with only its loader: the identification's box comes inside the connection.
        {"connect",
         std::nullopt,
         false,
         "TabSheet2",
         "ConnectSpeedButton",
         std::nullopt,
         {{MsgIcon::Error, "FirmwareErrorMessage"}},
         loaderOnlyConnected},
        {"READ",
         " 0.5.0",
         true,
         "TabSheet2",
         "ReadButton",
         std::nullopt,
         {{MsgIcon::Warning, "ParamReadMessage", No}, {MsgIcon::Information, "CPSReadCompleteMessage"}},
         std::nullopt},
        {"WRITE",
         " 0.5.0",
         true,
         "TabSheet2",
         "WriteButton",
         std::nullopt,
         {{MsgIcon::Question, "CPSWriteCautionMessage", Yes},
          {MsgIcon::Information, "CPSWriteCompleteMessage"}},
         std::nullopt},
        {"pirouette Set",
         " 0.5.0",
         true,
         "TabSheet4",
         "PirouGainSetButton",
         std::nullopt,
         {{MsgIcon::Information, "CPSWriteCompleteMessage"}},
         std::nullopt},
        {"reset",
         " 0.5.0",
         true,
         "TabSheet6",
         "ResetButton",
         std::nullopt,
         {{MsgIcon::Warning, "RESCautionMessage"}, {MsgIcon::Information, "RESCompleteMessage"}},
         std::nullopt},
        {"firmware update",
         " 0.5.0",
         true,
         "TabSheet5",
         "FileFirmUpdateButton",
         image,
         {{MsgIcon::Warning, "UPDConfirmMessage", Yes}, {MsgIcon::Information, "UPDCompMessage"}},
         std::nullopt},
        {"recovery of a unit with only its loader",
         std::nullopt,
         true,
         "TabSheet5",
         "FileFirmUpdateButton",
         image,
         {{MsgIcon::Warning, "UPDConfirmMessage", Yes}, {MsgIcon::Information, "UPDCompMessage"}},
         recovered},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        start(unitConfig(UnitKind::Kind2, c.firmware));
        form->Timer2->stop(); // ticks come from the test
        if (c.connected) {
            if (!c.firmware)
                script.expectMessage(MsgIcon::Error, "FirmwareErrorMessage");
            connect();
            script.verify();
        }
        form->PageControl1->setCurrentWidget(control(c.page));
        form->PageControl1Change();
        const ControlStates before = states();

        probes = 0;
        if (c.file)
            script.expectOpenFile(c.file);
        expectBoxes(c.boxes);
        clock.onProcessEvents = [this] { probe(); };
        dialogs.whileOpen = [this] { probe(); };
        control<QAbstractButton>(c.button)->click();
        clock.onProcessEvents = nullptr;
        dialogs.whileOpen = nullptr;
        script.verify();

        EXPECT_GT(probes, 0);
        EXPECT_FALSE(form->flows.busy());
        EXPECT_EQ(states(), c.after.value_or(before));
        if (c.file) {
            EXPECT_EQ(unit->updatesCompleted(), 1); // no WROM or other line came between the blocks
        }
    }
}

// However a flow ends, each control gets what was asked for it last: its state from before,
// or the one the flow itself set (connecting enables READ; a lost unit disables it).
TEST_F(FlowGuardWindowTest, EachControlGetsItsLastWishBackEvenWhenTheFlowThrows)
{
    start(unitConfig(UnitKind::Kind2, " 0.5.0"));
    connect();
    ASSERT_TRUE(control("ReadButton")->isEnabled());
    ASSERT_FALSE(control("ReadButton2")->isEnabled());
    auto *pages = form->PageControl1;
    pages->setEnabled(false); // as the reset and the update hold it

    struct Row {
        const char *control;
        std::vector<bool> setDuring; // setEnabled calls made by the flow, in order
        bool after;
    };
    const Row rows[] = {
        {"ReadButton", {}, true},                    // untouched
        {"WriteButton", {false}, false},             // disabled by the flow
        {"ConnectSpeedButton", {false, true}, true}, // disabled, then enabled again
        {"ReadButton2", {true}, true},               // was disabled; the flow enabled it
        {"PirouCheckButton", {true, false}, false},
    };
    try {
        BusyFlow flow(*form, Flow::Write);
        ASSERT_TRUE(static_cast<bool>(flow));
        EXPECT_FALSE(static_cast<bool>(BusyFlow(*form, Flow::Read))); // one at a time
        for (const Row &r : rows)
            for (bool enabled : r.setDuring)
                control(r.control)->setEnabled(enabled);
        pages->setEnabled(true); // would enable RESET and UPDATE with their pages
        for (const auto &[name, enabled] : states())
            EXPECT_FALSE(enabled) << name;
        throw std::runtime_error("the flow broke off");
    } catch (const std::runtime_error &) {
    }
    EXPECT_FALSE(form->flows.busy());
    for (const Row &r : rows)
        EXPECT_EQ(control(r.control)->isEnabled(), r.after) << r.control;
    EXPECT_TRUE(control("ResetButton")->isEnabled());
    EXPECT_TRUE(control("FileFirmUpdateButton")->isEnabled());
    EXPECT_TRUE(control<QAction>("MenuFileOpen")->isEnabled());

    // A parent disabled meanwhile keeps the control off until the parent comes back.
    {
        BusyFlow flow(*form, Flow::Reset);
        control("PirouGroup")->setEnabled(false);
    }
    EXPECT_FALSE(control("PirouGainSetButton")->isEnabled());
    control("PirouGroup")->setEnabled(true);
    EXPECT_TRUE(control("PirouGainSetButton")->isEnabled());
}

TEST_F(FlowGuardWindowTest, ClosingDuringAFlowWaitsForItsEnd)
{
    struct Case {
        const char *what;
        const char *page;
        const char *button;
        std::optional<std::string> file;
        std::vector<Box> boxes; // of the flow and the close, in order
        bool closes;
    };
    const std::string image = demoFile("KALM07_Kind2_0.5.0.dat");
    const std::vector<Case> cases = {
        {"update, the user goes on",
         "TabSheet5",
         "FileFirmUpdateButton",
         image,
         {{MsgIcon::Warning, "UPDConfirmMessage", Yes},
          {MsgIcon::Warning, "UPDCloseMessage", No},
          {MsgIcon::Information, "UPDCompMessage"}},
         false},
        // The transfer is not cut: the window stays up to its end and closes after it.
        {"update, the user insists",
         "TabSheet5",
         "FileFirmUpdateButton",
         image,
         {{MsgIcon::Warning, "UPDConfirmMessage", Yes},
          {MsgIcon::Warning, "UPDCloseMessage", Yes},
          {MsgIcon::Information, "UPDCompMessage"}},
         true},
        {"write",
         "TabSheet2",
         "WriteButton",
         std::nullopt,
         {{MsgIcon::Question, "CPSWriteCautionMessage", Yes},
          {MsgIcon::Information, "CPSWriteCompleteMessage"}},
         true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        start(unitConfig(UnitKind::Kind2, " 0.5.0"));
        connect();
        form->show();
        form->PageControl1->setCurrentWidget(control(c.page));
        form->PageControl1Change();
        if (c.file)
            script.expectOpenFile(c.file);
        expectBoxes(c.boxes);
        bool asked = false;
        bool visibleAfterClose = false;
        clock.onProcessEvents = [&] {
            if (asked)
                return;
            asked = true;
            form->close();
            visibleAfterClose = form->isVisible();
        };
        control<QAbstractButton>(c.button)->click();
        clock.onProcessEvents = nullptr;
        script.verify();
        EXPECT_TRUE(asked);
        EXPECT_TRUE(visibleAfterClose);
        EXPECT_TRUE(form->isVisible()); // not from inside the flow's handler
        if (c.file) {
            EXPECT_EQ(unit->updatesCompleted(), 1);
        }
        QCoreApplication::processEvents();
        EXPECT_EQ(form->isVisible(), !c.closes);
        form->hide();
    }
}

TEST_F(FlowGuardWindowTest, EditsNeverWrittenAreNotLostUnasked)
{
    struct Case {
        const char *what;
        bool close; // else disconnect with CONNECT
        Origin origin;
        std::optional<MsgButton> answer; // nothing: no question
        bool done;
    };
    const Case cases[] = {
        {"close, nothing edited", true, Origin::Unit, std::nullopt, true},
        {"close, a file's values", true, Origin::File, std::nullopt, true},
        {"close, the user keeps the edits", true, Origin::User, No, false},
        {"close, the user gives them up", true, Origin::User, Yes, true},
        {"disconnect, nothing edited", false, Origin::Unit, std::nullopt, true},
        {"disconnect, the user keeps the edits", false, Origin::User, No, false},
        {"disconnect, the user gives them up", false, Origin::User, Yes, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        start(unitConfig(UnitKind::Kind2, " 0.5.0"));
        connect();
        form->show();
        form->WorkValues.origins.of(Selector::E, 1) = c.origin;
        if (c.answer)
            script.expectMessage(MsgIcon::Warning,
                                 c.close ? "UnwrittenCloseMessage" : "UnwrittenDisconnectMessage", *c.answer);
        const std::size_t sent = unit->transcript().size();
        bool done = false;
        if (c.close) {
            form->close();
            done = !form->isVisible();
        } else {
            control<QAbstractButton>("ConnectSpeedButton")->click();
            done = !form->Connected;
            EXPECT_EQ(bus->port().isOpen(), !done);
        }
        script.verify();
        EXPECT_EQ(done, c.done);
        EXPECT_EQ(unit->transcript().size(), sent);
        form->hide();
    }
}

} // namespace
} // namespace vireo::test
