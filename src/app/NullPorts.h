#pragma once
// TEMPORARY placeholders until the Qt serial adapters exist: a port that never opens and a
// machine without serial ports. With them the program runs, and connecting finds no unit.
#include "seams/PortLister.h"
#include "seams/SerialPort.h"

namespace vireo
{

class NullSerialPort : public SerialPort
{
public:
    bool open(const std::string &, std::uint32_t) override { return false; }
    void close() override {}
    bool isOpen() const override { return false; }
    bool write(const std::uint8_t *, std::size_t) override { return false; }
    std::size_t readSome(std::uint8_t *, std::size_t, std::uint32_t) override { return 0; }
    void discardInput() override {}
};

class NullPortLister : public PortLister
{
public:
    std::vector<PortInfo> presentPorts() override { return {}; }
};

} // namespace vireo
