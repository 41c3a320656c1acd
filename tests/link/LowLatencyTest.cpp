#include "link/LowLatency.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vireo
{
namespace
{

// A driver whose switch the test sets up; it logs every request.
class RecordingDriver : public SerialDriver
{
public:
    std::optional<bool> state = false; // nothing: the driver has no switch
    bool refuseSet = false;
    std::vector<std::string> log;

    std::optional<bool> lowLatency(std::intptr_t handle) override
    {
        log.push_back("get " + std::to_string(handle));
        return state;
    }
    bool setLowLatency(std::intptr_t handle, bool on) override
    {
        log.push_back(std::string(on ? "on " : "off ") + std::to_string(handle));
        if (refuseSet || !state)
            return false;
        state = on;
        return true;
    }
};

using Log = std::vector<std::string>;

TEST(LowLatency, AskedForOnOpenAndGivenBackOnClose)
{
    struct Case {
        const char *name;
        std::optional<bool> before;
        bool refuseSet;
        bool engaged;
        Log log; // engage on handle 7, then release
        std::optional<bool> after;
    };
    const Case cases[] = {
        {"switched on, then off again", false, false, true, {"get 7", "on 7", "off 7"}, false},
        {"already on: left on", true, false, false, {"get 7"}, true},
        {"no switch (a pty)", std::nullopt, false, false, {"get 7"}, std::nullopt},
        {"refused: nothing to give back", false, true, false, {"get 7", "on 7"}, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        RecordingDriver driver;
        driver.state = c.before;
        driver.refuseSet = c.refuseSet;
        LowLatencyHold hold(driver);
        hold.engage(7);
        EXPECT_EQ(hold.engaged(), c.engaged);
        hold.release();
        hold.release(); // once only
        EXPECT_FALSE(hold.engaged());
        EXPECT_EQ(driver.log, c.log);
        EXPECT_EQ(driver.state, c.after);
    }
}

TEST(LowLatency, ReopeningGivesTheEarlierPortBackFirst)
{
    RecordingDriver driver;
    LowLatencyHold hold(driver);
    hold.engage(3);
    driver.state = false; // the next port's driver is off again
    hold.engage(4);
    hold.release();
    EXPECT_EQ(driver.log, (Log{"get 3", "on 3", "off 3", "get 4", "on 4", "off 4"}));
}

} // namespace
} // namespace vireo
