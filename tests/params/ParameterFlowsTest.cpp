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

    bool connected() override { return isConnected; }
    bool readGroup(Selector g, ModeSet k) override { return transfer("R", g, k); }
    bool writeGroup(Selector g, ModeSet k) override { return transfer("W", g, k); }
    MsgButton showMessage(const FlowDialog &d) override
    {
        log.push_back(std::string(d.key));
        if (d.buttons == Ok)
            return Ok;
        const MsgButton a = answers.empty() ? Cancel : answers.front();
        if (!answers.empty())
            answers.pop_front();
        return a;
    }
    void reportConversionError(const std::string &) override { log.push_back("conversion error"); }
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

struct FlowCase {
    const char *name;
    std::function<void(ParameterFlowHost &)> run;
    std::deque<MsgButton> answers;
    std::string failAt;
    std::string throwAt;
    bool connected;
    Log expected;
    int finalBar;
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
         {"buttons off", "R A0", "R A1", "R A2", "R E0", "R E1", "CPSReadErrorMessage", "end"},
         0},
        {"common block read failure goes unreported",
         ReadQuiet,
         {},
         "R C0",
         "",
         true,
         concat({{"buttons off"}, ReadsAll, ReadRefresh, {"end"}}),
         0},
        {"garbled reply during read",
         ReadAsking,
         {No},
         "",
         "R R0",
         true,
         {"ParamReadMessage", "buttons off", "R A0", "R A1", "R A2", "R E0", "R E1", "R E2", "R R0",
          "conversion error", "end"},
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
          "CPSWriteErrorMessage", "close", "end"},
         80},
        {"common block write fails",
         runWriteFlow,
         {Yes},
         "W C1",
         "",
         true,
         concat({{"CPSWriteCautionMessage", "buttons off", "progress"},
                 WritesAll,
                 {"CPSWriteErrorMessage", "close", "end"}}),
         100},
        {"garbled reply during write",
         runWriteFlow,
         {Yes},
         "",
         "W A1",
         true,
         {"CPSWriteCautionMessage", "buttons off", "progress", "W A0", "W A1", "close", "conversion error",
          "end"},
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
         {"progress", "W C1", "CPSWriteErrorMessage", "close"},
         0},
        {"set button, garbled",
         runWriteCommonFlow,
         {},
         "",
         "W C1",
         true,
         {"progress", "W C1", "close", "conversion error"},
         0},
        {"set button while disconnected", runWriteCommonFlow, {}, "", "", false, {}, 0},
    };
    for (const auto &c : cases) {
        RecordingHost host;
        host.answers = c.answers;
        host.failAt = c.failAt;
        host.throwAt = c.throwAt;
        host.isConnected = c.connected;
        c.run(host);
        EXPECT_EQ(host.log, c.expected) << c.name;
        EXPECT_EQ(host.bar, c.finalBar) << c.name;
        EXPECT_FALSE(host.progressShown) << c.name << ": progress window left open";
        EXPECT_TRUE(host.answers.empty()) << c.name << ": a dialog was not shown";
    }
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
