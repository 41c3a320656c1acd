#pragma once
// The serial port as the link sees it. Production: a QSerialPort adapter used in blocking
// mode on the GUI thread; tests: SimulatedPort wired to the unit simulator in virtual time.
#include <cstddef>
#include <cstdint>
#include <string>

namespace vireo
{

class SerialPort
{
public:
    virtual ~SerialPort() = default;

    // Opens the port exclusively at 8N1, no flow control, DTR and RTS off.
    // A port that another program holds fails to open.
    virtual bool open(const std::string &portName, std::uint32_t baud) = 0;
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

} // namespace vireo
