#include "params/ParameterFlows.h"

#include "seams/ConversionError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace vireo
{
namespace
{

// Records every operation a flow asks of the window, in order, as short words.
class RecordingHost : public ParameterFlowHost
{
public:
    std::vector<std::string> log;
    std::deque<MsgButton> answers; // answers to the dialogs that offer a choice
    bool isConnected = true;
    std::string failAt;  // "W E2": that transfer reports failure
    std::string throwAt; // that transfer raises a conversion error
    int bar = 0;
    bool progressShown = false;

    RecordingHost() { work.origins.setAll(Origin::Unit); }

    ParameterSet work;
    std::string lastText; // text of the latest dialog

    bool connected() override { return isConnected; }
    bool readGroup(Selector g, ModeSet k) override
    {
        const bool ok = transfer("R", g, k);
        if (!ok)
            work.origins.of(g, k) = Origin::Unknown;
        return ok;
    }
    bool writeGroup(Selector g, ModeSet k) override { return transfer("W", g, k); }
    ParameterSet &workValues() override { return work; }
    UnitProfile unitProfile() override { return {UnitKind::Kind2, " 0.5.0"}; }
    bool linkLost() override { return lost; }
    void disconnect() override { log.push_back("disconnect"); }
    bool lost = false; // the unit no longer answers once a transfer failed
    std::string text(std::string_view key) override { return std::string(key); }
    MsgButton showMessage(const FlowDialog &d, const std::string &shown) override
    {
        lastText = shown;
        log.push_back(std::string(d.key));
        if (d.buttons == Ok)
            return Ok;
        const MsgButton a = answers.empty() ? Cancel : answers.front();
        if (!answers.empty())
            answers.pop_front();
        return a;
    }
    void saveParameterFile() override { log.push_back("save"); }
    void setReadWriteEnabled(bool on) override { log.push_back(on ? "buttons on" : "buttons off"); }
    void showProgress() override
    {
        progressShown = true;
        bar = 0;
        log.push_back("progress");
    }
    void stepProgress(int n) override { bar = std::min(100, bar + n); }
    void closeProgress() override
    {
        if (progressShown)
            log.push_back("close");
        progressShown = false;
    }
    void processEvents() override { ++eventPumps; }
    void waitWithEvents(int ms) override { log.push_back("wait " + std::to_string(ms)); }
    void applyAxisMode() override { log.push_back("applyAxisMode"); }
    void takeUnitCopy() override { log.push_back("takeUnitCopy"); }
    void forgetUnitCopy(Selector g, ModeSet k) override
    {
        log.push_back(std::string("forget ") + static_cast<char>(g) + std::to_string(k));
    }
    void showParameters() override { log.push_back("showParameters"); }
    void showDefaults() override { log.push_back("showDefaults"); }
    void endOfMainFlow() override { log.push_back("end"); }

    int eventPumps = 0;

private:
    bool transfer(const std::string &op, Selector g, ModeSet k)
    {
        const std::string name = op + " " + static_cast<char>(g) + std::to_string(k);
        log.push_back(name);
        if (name == throwAt)
            throw ConversionError("'00G0' is not a valid integer value");
        return name != failAt;
    }
};

using Log = std::vector<std::string>;

Log concat(std::initializer_list<Log> parts)
{
    Log all;
    for (const auto &p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

const Log ReadsAll = {"R A0", "R A1", "R A2", "R E0", "R E1", "R E2", "R R0", "R R1", "R R2", "R C0"};
const Log WritesAll = {"W A0", "W A1", "W A2", "W E0", "W E1", "W E2", "W R0", "W R1", "W R2", "W C1"};
const Log ReadRefresh = {"applyAxisMode", "takeUnitCopy", "showParameters", "showDefaults"};
const Log WriteRefresh = {"applyAxisMode", "takeUnitCopy", "showParameters"};
// After a read that ended early: no axis mode from a block that may not have been read.
const Log FailedReadRefresh = {"takeUnitCopy", "showParameters", "showDefaults"};

struct FlowCase {
    const char *name;
    std::function<void(ParameterFlowHost &)> run;
    std::deque<MsgButton> answers;
    std::string failAt;
    std::string throwAt;
    bool connected;
    Log expected;
    int finalBar;
    std::function<void(ParameterSet &)> prepare = nullptr;
};

const auto ReadAsking = [](ParameterFlowHost &h) { runReadFlow(h, true); };
const auto ReadQuiet = [](ParameterFlowHost &h) { runReadFlow(h, false); };

TEST(ParameterFlows, RunTheirStepsInOrderAndStopAtTheFirstFailure)
{
    const FlowCase cases[] = {
        {"read, no save",
         ReadAsking,
         {No},
         "",
         "",
         true,
         concat(
             {{"ParamReadMessage", "buttons off"}, ReadsAll, ReadRefresh, {"CPSReadCompleteMessage", "end"}}),
         0},
        {"read, save first",
         ReadAsking,
         {Yes},
         "",
         "",
         true,
         concat({{"ParamReadMessage", "save", "buttons off"},
                 ReadsAll,
                 ReadRefresh,
                 {"CPSReadCompleteMessage", "end"}}),
         0},
        {"read without dialogs",
         ReadQuiet,
         {},
         "",
         "",
         true,
         concat({{"buttons off"}, ReadsAll, ReadRefresh, {"end"}}),
         0},
        {"read fails at E1, error shown without dialogs too",
         ReadQuiet,
         {},
         "R E1",
         "",
         true,
         concat({{"buttons off", "R A0", "R A1", "R A2", "R E0", "R E1"},
                 FailedReadRefresh,
                 {"CPSReadErrorMessage", "end"}}),
         0},
        // A read that says "complete" must have read everything, the option block included.
        {"common block read failure is reported",
         ReadQuiet,
         {},
         "R C0",
         "",
         true,
         concat({{"buttons off"}, ReadsAll, FailedReadRefresh, {"CPSReadErrorMessage", "end"}}),
         0},
        {"garbled reply during read",
         ReadAsking,
         {No},
         "",
         "R R0",
         true,
         concat({{"ParamReadMessage", "buttons off", "R A0", "R A1", "R A2", "R E0", "R E1", "R E2", "R R0"},
                 FailedReadRefresh,
                 {"SafeReadGarbledMessage", "end"}}),
         0},
        {"write cancelled", runWriteFlow, {Cancel}, "", "", true, {"CPSWriteCautionMessage", "end"}, 0},
        {"write answered No", runWriteFlow, {No}, "", "", true, {"CPSWriteCautionMessage", "end"}, 0},
        {"write",
         runWriteFlow,
         {Yes},
         "",
         "",
         true,
         concat({{"CPSWriteCautionMessage", "buttons off", "progress"},
                 WritesAll,
                 {"close"},
                 WriteRefresh,
                 {"CPSWriteCompleteMessage", "end"}}),
         100},
        {"unit stops answering after E1",
         runWriteFlow,
         {Yes},
         "W E2",
         "",
         true,
         {"CPSWriteCautionMessage", "buttons off", "progress", "W A0", "W A1", "W A2", "W E0", "W E1", "W E2",
          "close", "takeUnitCopy", "forget E2", "showParameters", "CPSWriteErrorMessage", "end"},
         80},
        {"common block write fails",
         runWriteFlow,
         {Yes},
         "W C1",
         "",
         true,
         concat({{"CPSWriteCautionMessage", "buttons off", "progress"},
                 WritesAll,
                 {"close", "takeUnitCopy", "showParameters", "CPSWriteErrorMessage", "end"}}),
         100},
        {"garbled reply during write",
         runWriteFlow,
         {Yes},
         "",
         "W A1",
         true,
         {"CPSWriteCautionMessage", "buttons off", "progress", "W A0", "W A1", "close", "takeUnitCopy",
          "forget A1", "showParameters", "CPSWriteErrorMessage", "end"},
         16},
        {"set button",
         runWriteCommonFlow,
         {},
         "",
         "",
         true,
         {"progress", "W C1", "wait 2000", "close", "showParameters", "CPSWriteCompleteMessage"},
         100},
        {"set button, write fails",
         runWriteCommonFlow,
         {},
         "W C1",
         "",
         true,
         {"progress", "W C1", "close", "CPSWriteErrorMessage"},
         0},
        {"set button, garbled",
         runWriteCommonFlow,
         {},
         "",
         "W C1",
         true,
         {"progress", "W C1", "close", "CPSWriteErrorMessage"},
         0},
        {"set button while disconnected", runWriteCommonFlow, {}, "", "", false, {}, 0},
        {"write with an unknown record sends nothing",
         runWriteFlow,
         {},
         "",
         "",
         true,
         {"SafeWriteRefusedMessage", "end"},
         0,
         [](ParameterSet &w) { w.origins.of(Selector::E, 1) = Origin::Unknown; }},
        {"write with a gain out of limits sends nothing",
         runWriteFlow,
         {},
         "",
         "",
         true,
         {"SafeWriteRefusedMessage", "end"},
         0,
         [](ParameterSet &w) { w.axis(Selector::A, 0).P() = -29698; }},
        {"set button with the option block unknown sends nothing",
         runWriteCommonFlow,
         {},
         "",
         "",
         true,
         {"SafeWriteRefusedMessage"},
         0,
         [](ParameterSet &w) { w.origins.common = Origin::Unknown; }},
        // Gains the user cannot reach on this page are not the Set button's business.
        {"set button ignores the gain records",
         runWriteCommonFlow,
         {},
         "",
         "",
         true,
         {"progress", "W C1", "wait 2000", "close", "showParameters", "CPSWriteCompleteMessage"},
         100,
         [](ParameterSet &w) { w.origins.of(Selector::R, 2) = Origin::Unknown; }},
    };
    for (const auto &c : cases) {
        RecordingHost host;
        host.answers = c.answers;
        host.failAt = c.failAt;
        host.throwAt = c.throwAt;
        host.isConnected = c.connected;
        if (c.prepare)
            c.prepare(host.work);
        c.run(host);
        EXPECT_EQ(host.log, c.expected) << c.name;
        EXPECT_EQ(host.bar, c.finalBar) << c.name;
        EXPECT_FALSE(host.progressShown) << c.name << ": progress window left open";
        EXPECT_TRUE(host.answers.empty()) << c.name << ": a dialog was not shown";
    }
}

// A unit that no longer answers is one message that says so, then the window lets go of it;
// connecting reports it itself.
TEST(ParameterFlows, LostLinkIsOneMessageAndADisconnect)
{
    const struct {
        const char *name;
        std::function<void(ParameterFlowHost &)> run;
        std::deque<MsgButton> answers;
        std::string failAt;
        Log tail; // from the failed transfer on
    } cases[] = {
        {"READ",
         ReadAsking,
         {No},
         "R E0",
         concat({FailedReadRefresh, {"LinkLostMessage", "disconnect", "end"}})},
        {"read while connecting", ReadQuiet, {}, "R E0", concat({FailedReadRefresh, {"end"}})},
        {"WRITE",
         runWriteFlow,
         {Yes},
         "W E0",
         {"close", "takeUnitCopy", "forget E0", "showParameters", "LinkLostMessage", "disconnect", "end"}},
        {"set button", runWriteCommonFlow, {}, "W C1", {"close", "LinkLostMessage", "disconnect"}},
    };
    for (const auto &c : cases) {
        RecordingHost host;
        host.lost = true;
        host.answers = c.answers;
        host.failAt = c.failAt;
        c.run(host);
        const auto at = std::find(host.log.begin(), host.log.end(), c.failAt);
        ASSERT_NE(at, host.log.end()) << c.name;
        EXPECT_EQ(Log(at + 1, host.log.end()), c.tail) << c.name;
    }
}

TEST(ParameterFlows, ReadThatEndsEarlyLeavesEveryRecordItDidNotCompleteUnknown)
{
    for (const char *failAt : {"R A0", "R E1", "R R2", "R C0"}) {
        RecordingHost host;
        host.failAt = failAt;
        runReadFlow(host, false);
        bool reached = false;
        for (Selector axis : AxisSelectors)
            for (ModeSet k = 0; k < ModeSetCount; ++k) {
                const std::string name = std::string("R ") + static_cast<char>(axis) + std::to_string(k);
                reached = reached || name == failAt;
                EXPECT_EQ(host.work.origins.known(axis, k), !reached) << failAt << ": " << name;
            }
        EXPECT_FALSE(host.work.origins.known(Selector::C)) << failAt;
    }
}

TEST(ParameterFlows, MessagesSayWhatIsMissingAndWhatReachedTheUnit)
{
    RecordingHost refused;
    refused.work.origins.of(Selector::E, 1) = Origin::Unknown;
    refused.work.origins.common = Origin::Unknown;
    refused.work.axis(Selector::R, 2).CTL() = 32767;
    runWriteFlow(refused);
    EXPECT_EQ(refused.lastText,
              "SafeWriteRefusedMessage\n\nSafeUnknownRecordsMessage\n"
              "SafeRecordElevator SafeRecordMode1, SafeRecordOptions\n\nSafeOutOfLimitsMessage\n"
              "SafeRecordRudder SafeRecordExtra SafeFieldCTL = 32767 (0-1000)");

    RecordingHost partial;
    partial.answers = {Yes};
    partial.failAt = "W R0";
    runWriteFlow(partial);
    EXPECT_EQ(partial.lastText, "CPSWriteErrorMessage\n\nSafeWrittenRecords\nSafeRecordAileron "
                                "SafeRecordMode0, SafeRecordAileron SafeRecordMode1, "
                                "SafeRecordAileron SafeRecordExtra, SafeRecordElevator SafeRecordMode0, "
                                "SafeRecordElevator SafeRecordMode1, SafeRecordElevator "
                                "SafeRecordExtra\n\nSafeNotWrittenRecords\nSafeRecordRudder SafeRecordMode0, "
                                "SafeRecordRudder SafeRecordMode1, "
                                "SafeRecordRudder SafeRecordExtra, SafeRecordOptions");

    RecordingHost first;
    first.answers = {Yes};
    first.failAt = "W A0";
    runWriteFlow(first);
    EXPECT_EQ(first.lastText, "CPSWriteErrorMessage") << "nothing reached the unit: the plain error";
}

TEST(ParameterFlows, WriteLetsWindowEventsRunBeforeEveryAxisRecordButReadDoesNot)
{
    RecordingHost writer;
    writer.answers = {Yes};
    runWriteFlow(writer);
    EXPECT_EQ(writer.eventPumps, 9);

    RecordingHost reader;
    runReadFlow(reader, false);
    EXPECT_EQ(reader.eventPumps, 0);
}

TEST(ParameterFlows, DialogsHaveTheirIconsButtonsAndFocus)
{
    EXPECT_EQ(flowDialog(FlowMessage::ReadQuestion).focused, No);
    EXPECT_EQ(flowDialog(FlowMessage::ReadQuestion).icon, MsgIcon::Warning);
    EXPECT_EQ(flowDialog(FlowMessage::WriteConfirmation).buttons, unsigned(Yes | Cancel));
    EXPECT_EQ(flowDialog(FlowMessage::WriteConfirmation).focused, Yes);
    for (const auto &d : FlowDialogs)
        EXPECT_EQ(&flowDialog(d.message), &d) << d.key;
}

} // namespace
} // namespace vireo
