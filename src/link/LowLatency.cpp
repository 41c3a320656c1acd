#include "link/LowLatency.h"

#ifdef __linux__
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace vireo
{

void LowLatencyHold::engage(std::intptr_t handle)
{
    release();
    const std::optional<bool> on = driver_.lowLatency(handle);
    if (!on || *on)
        return; // no such switch, or already low: nothing to give back
    if (driver_.setLowLatency(handle, true)) {
        handle_ = handle;
        engaged_ = true;
    }
}

void LowLatencyHold::release()
{
    if (!engaged_)
        return;
    engaged_ = false;
    driver_.setLowLatency(handle_, false); // a port gone meanwhile refuses; nothing to do then
    handle_ = -1;
}

namespace
{

class SystemSerialDriver : public SerialDriver
{
public:
#ifdef __linux__
    std::optional<bool> lowLatency(std::intptr_t handle) override
    {
        serial_struct serial{};
        if (ioctl(static_cast<int>(handle), TIOCGSERIAL, &serial) != 0)
            return std::nullopt;
        return (serial.flags & ASYNC_LOW_LATENCY) != 0;
    }
    bool setLowLatency(std::intptr_t handle, bool on) override
    {
        // The flag is one field of the whole structure, which is written back as read.
        serial_struct serial{};
        const int fd = static_cast<int>(handle);
        if (ioctl(fd, TIOCGSERIAL, &serial) != 0)
            return false;
        if (on)
            serial.flags |= ASYNC_LOW_LATENCY;
        else
            serial.flags &= ~ASYNC_LOW_LATENCY;
        return ioctl(fd, TIOCSSERIAL, &serial) == 0;
    }
#else
    std::optional<bool> lowLatency(std::intptr_t) override
    {
        return std::nullopt;
    }
    bool setLowLatency(std::intptr_t, bool) override
    {
        return false;
    }
#endif
};

} // namespace

SerialDriver &systemSerialDriver()
{
    static SystemSerialDriver driver;
    return driver;
}

} // namespace vireo
