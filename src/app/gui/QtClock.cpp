#include "app/gui/QtClock.h"

#include <QCoreApplication>
#include <QThread>

namespace vireo
{

void QtClock::sleepMs(int ms)
{
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

void QtClock::processEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtClock::waitWithEvents(int ms)
{
    const std::int64_t end = nowMs() + ms;
    processEvents();
    for (std::int64_t left = end - nowMs(); left > 0; left = end - nowMs()) {
        // Dispatch whatever arrives within the remaining time, at most 10 ms at a stretch, so
        // the wait ends on time even when no event comes.
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents,
                                        static_cast<int>(std::min<std::int64_t>(left, 10)));
    }
}

} // namespace vireo
