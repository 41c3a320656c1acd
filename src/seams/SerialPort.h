#pragma once
// The serial port as the link sees it. Production: a QSerialPort adapter used in blocking
// mode on the GUI thread; tests: SimulatedPort wired to the unit simulator in virtual time.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace vireo
{

// Why a port could not be opened.
enum class OpenFailure {
    None,       // it opened
    Permission, // the user may not open the device node
    Busy,       // another program holds it
    Gone,       // the device node is not there (any more)
    Other,
};

class SerialPort
{
public:
    virtual ~SerialPort() = default;

    // Opens the port exclusively at 8N1, no flow control, DTR and RTS off, and asks the
    // adapter's driver for low latency while the port stays open.
    // A port that another program holds fails to open.
    virtual bool open(const std::string &portName, std::uint32_t baud) = 0;
    // Why the latest open failed; a port that cannot tell says Other.
    virtual OpenFailure openFailure() const { return OpenFailure::Other; }
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Writes all bytes; writes never time out. Returns false when the port refused them.
    virtual bool write(const std::uint8_t *data, std::size_t size) = 0;

    // Returns at once with the bytes already waiting (at most max). When none are waiting,
    // waits up to timeoutMs for the first byte and returns as soon as one arrives; returns 0
    // when none arrived within timeoutMs.
    virtual std::size_t readSome(std::uint8_t *dst, std::size_t max, std::uint32_t timeoutMs) = 0;

    // Drops every byte received but not yet read.
    virtual void discardInput() = 0;
};

// The adapter driver's switches, reached through an open port's native handle. On Linux the
// serial flags of TIOCGSERIAL/TIOCSSERIAL: with ASYNC_LOW_LATENCY set, ftdi_sio hands every
// reply on after 1 ms instead of holding it for its 16 ms latency timer.
class SerialDriver
{
public:
    virtual ~SerialDriver() = default;
    // Whether low latency is on; nothing when the driver has no such switch (a pty, another
    // driver, another system) or refuses to say.
    virtual std::optional<bool> lowLatency(std::intptr_t handle) = 0;
    // False when the driver refused.
    virtual bool setLowLatency(std::intptr_t handle, bool on) = 0;
};

} // namespace vireo
