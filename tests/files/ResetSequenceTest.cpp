#include "files/ResetSequence.h"

#include <gtest/gtest.h>

#include <functional>

#include <string>
#include <vector>

namespace vireo
{
namespace
{

// Records every step as text; reads fail from the failReadAt-th one on (1-based, 0 = never).
class RecordingTarget : public ResetTarget
{
public:
    std::vector<std::string> log;
    int failReadAt = 0;
    bool resetAcknowledged = true;
    std::string failWrite; // "WE1": that write is not acknowledged
    bool failCommonRead = false;
    bool presetKnown = true;

    bool resetUnit() override { return note("RESET") && resetAcknowledged; }
    bool writeGroup(Selector s, ModeSet k) override
    {
        return note("W" + name(s, k)) && log.back() != failWrite;
    }
    bool readGroup(Selector s, ModeSet k) override
    {
        note("R" + name(s, k));
        if (s == Selector::C)
            return !failCommonRead;
        return failReadAt == 0 || ++reads_ < failReadAt;
    }
    SendCheck checkPreset() override
    {
        SendCheck c;
        if (!presetKnown)
            c.unknown.push_back({Selector::Z, 0});
        return c;
    }
    void forgetUnitValues() override { note("forget"); }
    void processEvents() override { note("events"); }
    void waitWithEvents(int ms) override { note("wait " + std::to_string(ms)); }
    void stepProgress(int n) override { note("step " + std::to_string(n)); }
    void closeProgress() override { note("close"); }

private:
    static std::string name(Selector s, ModeSet k)
    {
        return std::string(1, static_cast<char>(s)) + std::to_string(k);
    }
    bool note(std::string s)
    {
        log.push_back(std::move(s));
        return true;
    }
    int reads_ = 0;
};

std::vector<std::string> readBack(int records)
{
    std::vector<std::string> out;
    for (const char *r : {"RA0", "RA1", "RA2", "RE0", "RE1", "RE2", "RR0", "RR1", "RR2"}) {
        if (records-- == 0)
            break;
        out.insert(out.end(), {"events", r, "step 20"});
    }
    return out;
}

std::vector<std::string> concat(std::initializer_list<std::vector<std::string>> parts)
{
    std::vector<std::string> all;
    for (const auto &p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

TEST(ResetSequence, StepsInOrder)
{
    const std::vector<std::string> writes = {"WA0", "WA1", "WA2", "WE0", "WE1", "WE2", "WR0",
                                             "WR1", "WR2", "WC1", "WZ0", "WG0", "WJ0"};
    const std::vector<std::string> tail = {"wait 2000", "close", "RC0"};
    const struct {
        const char *name;
        bool preset;
        int failReadAt;
        ResetOutcome outcome;
        std::vector<std::string> log;
        std::function<void(RecordingTarget &)> fault = nullptr;
    } cases[] = {
        {"factory reset", false, 0, ResetOutcome::Completed,
         concat({{"RESET", "forget", "wait 200"}, readBack(9), tail})},
        {"preset", true, 0, ResetOutcome::Completed, concat({writes, {"wait 200"}, readBack(9), tail})},
        // The first read fails: no step, the window stays for the caller to close.
        {"silent after reset",
         false,
         1,
         ResetOutcome::ReadFailed,
         {"RESET", "forget", "wait 200", "events", "RA0"}},
        {"fails at the fourth record", true, 4, ResetOutcome::ReadFailed,
         concat({writes, {"wait 200"}, readBack(3), {"events", "RE0"}})},
        // Only the unit's "OK" says it reset; without it nothing is read as if it had.
        {"reset not acknowledged",
         false,
         0,
         ResetOutcome::ResetFailed,
         {"RESET", "forget"},
         [](RecordingTarget &t) { t.resetAcknowledged = false; }},
        {"preset write refused",
         true,
         0,
         ResetOutcome::WriteFailed,
         {"WA0", "WA1", "WA2", "WE0", "WE1"},
         [](RecordingTarget &t) { t.failWrite = "WE1"; }},
        {"preset block write refused",
         true,
         0,
         ResetOutcome::WriteFailed,
         {"WA0", "WA1", "WA2", "WE0", "WE1", "WE2", "WR0", "WR1", "WR2", "WC1", "WZ0", "WG0"},
         [](RecordingTarget &t) { t.failWrite = "WG0"; }},
        {"preset with an unknown record",
         true,
         0,
         ResetOutcome::Refused,
         {},
         [](RecordingTarget &t) { t.presetKnown = false; }},
        {"common block not read back", false, 0, ResetOutcome::CommonReadFailed,
         concat({{"RESET", "forget", "wait 200"}, readBack(9), tail}),
         [](RecordingTarget &t) { t.failCommonRead = true; }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        RecordingTarget target;
        target.failReadAt = c.failReadAt;
        if (c.fault)
            c.fault(target);
        const ResetResult result = runResetSequence(target, c.preset);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(target.log, c.log);
        if (c.outcome == ResetOutcome::WriteFailed) {
            ASSERT_TRUE(result.failedWrite);
            EXPECT_EQ("W" + std::string(1, static_cast<char>(result.failedWrite->group)) +
                          std::to_string(result.failedWrite->k),
                      target.failWrite);
        }
    }
}

} // namespace
} // namespace vireo
