#pragma once
// A clock whose time moves only when someone waits on it. Tests and the in-process
// simulated port share one instance, so time-outs pass instantly and deterministically.
#include "seams/Clock.h"

#include <functional>

namespace vireo
{

class VirtualClock : public Clock
{
public:
    std::int64_t nowMs() override { return now_; }
    void sleepMs(int ms) override { advance(ms); }
    void processEvents() override
    {
        ++eventPumps_;
        if (onProcessEvents)
            onProcessEvents();
    }
    void waitWithEvents(int ms) override
    {
        processEvents();
        advance(ms);
    }

    void advance(std::int64_t ms)
    {
        if (ms > 0)
            now_ += ms;
    }
    int eventPumps() const { return eventPumps_; }

    // Optional hook run whenever events would be dispatched (a GUI test sets it to
    // QCoreApplication::processEvents so the window stays live under virtual time).
    std::function<void()> onProcessEvents;

private:
    std::int64_t now_ = 0;
    int eventPumps_ = 0;
};

} // namespace vireo
