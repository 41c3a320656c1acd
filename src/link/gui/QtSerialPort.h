#pragma once
// The serial port on QSerialPort, used in blocking mode on the GUI thread: the exchange
// blocks the window for its duration, as it must, and dispatches no events. While the port is
// open the adapter's driver is asked for low latency.
#include "link/LowLatency.h"
#include "seams/SerialPort.h"

#include <memory>

class QSerialPort;

namespace vireo
{

class QtSerialPort : public SerialPort
{
public:
    explicit QtSerialPort(SerialDriver &driver = systemSerialDriver());
    ~QtSerialPort() override;

    bool open(const std::string &portName, std::uint32_t baud) override;
    OpenFailure openFailure() const override { return openFailure_; }
    void close() override;
    bool isOpen() const override;
    bool write(const std::uint8_t *data, std::size_t size) override;
    std::size_t readSome(std::uint8_t *dst, std::size_t max, std::uint32_t timeoutMs) override;
    void discardInput() override;

private:
    std::unique_ptr<QSerialPort> port_;
    LowLatencyHold lowLatency_;
    OpenFailure openFailure_ = OpenFailure::None;
};

} // namespace vireo
