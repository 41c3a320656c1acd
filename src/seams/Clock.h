#pragma once
// Time and the event pump. Production: QElapsedTimer and QCoreApplication::processEvents;
// tests: VirtualClock, so a 5000 ms time-out or the 2.2 s splash costs nothing.
#include <cstdint>

namespace vireo
{

class Clock
{
public:
    virtual ~Clock() = default;
    virtual std::int64_t nowMs() = 0;
    // Pauses without dispatching window events.
    virtual void sleepMs(int ms) = 0;
    // Dispatches the window events that are pending, then returns.
    virtual void processEvents() = 0;
    // Waits ms milliseconds while window events keep being dispatched.
    virtual void waitWithEvents(int ms) = 0;
};

} // namespace vireo
