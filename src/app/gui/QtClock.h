#pragma once
// The Clock seam on the real clock and the Qt event loop.
#include "seams/Clock.h"

#include <QElapsedTimer>

namespace vireo
{

class QtClock : public Clock
{
public:
    QtClock() { timer_.start(); }
    std::int64_t nowMs() override { return timer_.elapsed(); }
    void sleepMs(int ms) override;
    void processEvents() override;
    void waitWithEvents(int ms) override;

private:
    QElapsedTimer timer_;
};

} // namespace vireo
