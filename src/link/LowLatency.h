#pragma once
// Low latency while the program holds a port: asked for when the port opens, the driver's
// previous setting given back when it closes. An optimisation only: a driver without the
// switch, or one that refuses, leaves everything as it was and nothing is reported.
#include "seams/SerialPort.h"

#include <cstdint>

namespace vireo
{

class LowLatencyHold
{
public:
    explicit LowLatencyHold(SerialDriver &driver) : driver_(driver) {}

    // On the port just opened. Asks only when low latency is off.
    void engage(std::intptr_t handle);
    // Before the port closes: switches low latency off again if engage switched it on.
    void release();

    bool engaged() const { return engaged_; }

private:
    SerialDriver &driver_;
    std::intptr_t handle_ = -1;
    bool engaged_ = false;
};

// The driver of this system (Linux: TIOCGSERIAL/TIOCSSERIAL; elsewhere no switch).
SerialDriver &systemSerialDriver();

} // namespace vireo
