#pragma once
// Port fakes for window tests that need no unit: a port that never opens and a machine
// without serial ports.
#include "seams/PortLister.h"
#include "seams/SerialPort.h"

namespace vireo::test
{

class ClosedPort : public SerialPort
{
public:
    bool open(const std::string &, std::uint32_t) override
    {
        ++openAttempts;
        return false;
    }
    void close() override {}
    bool isOpen() const override { return false; }
    bool write(const std::uint8_t *, std::size_t) override { return false; }
    std::size_t readSome(std::uint8_t *, std::size_t, std::uint32_t) override { return 0; }
    void discardInput() override {}

    int openAttempts = 0;
};

class NoPorts : public PortLister
{
public:
    std::vector<PortInfo> presentPorts() override { return {}; }
};

} // namespace vireo::test
