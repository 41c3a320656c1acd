#pragma once
// A serial port whose far end is a script: each write is answered by chunks of bytes, each
// arriving after a silence of its own, in virtual time. Enough to pin down the exchange and
// discovery without a unit model.
#include "seams/PortLister.h"
#include "seams/SerialPort.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace vireo::test
{

struct Chunk {
    int silenceMs; // before the chunk arrives, counted from the previous chunk or the write
    std::string bytes;
};

class ScriptedPort : public SerialPort
{
public:
    // What the far end answers to one write on the open port.
    using Responder = std::function<std::vector<Chunk>(const std::string &port, std::uint32_t baud,
                                                       const std::string &written)>;
    Responder responder;
    std::set<std::string> busyPorts;                  // held by another program: open fails
    std::map<std::string, OpenFailure> refusingPorts; // open fails for that reason
    bool refuseWrites = false;

    // Log of what happened.
    std::vector<std::string> opens; // "name@baud"
    std::vector<std::string> writes;
    std::vector<std::uint32_t> readTimeouts;
    std::size_t largestRead = 0;
    std::int64_t nowMs = 0;

    // Bytes already waiting in the input queue (stale input).
    std::string waiting;

    bool open(const std::string &portName, std::uint32_t baud) override
    {
        opens.push_back(portName + "@" + std::to_string(baud));
        failure_ = OpenFailure::None;
        if (const auto refused = refusingPorts.find(portName); refused != refusingPorts.end())
            failure_ = refused->second;
        else if (busyPorts.count(portName) || open_)
            failure_ = OpenFailure::Busy;
        if (failure_ != OpenFailure::None)
            return false;
        open_ = true;
        name_ = portName;
        baud_ = baud;
        return true;
    }
    OpenFailure openFailure() const override { return failure_; }
    void close() override
    {
        open_ = false;
        inFlight_.clear();
        waiting.clear();
    }
    bool isOpen() const override { return open_; }

    bool write(const std::uint8_t *data, std::size_t size) override
    {
        if (!open_ || refuseWrites)
            return false;
        const std::string line(reinterpret_cast<const char *>(data), size);
        writes.push_back(line);
        if (responder)
            for (Chunk &c : responder(name_, baud_, line))
                inFlight_.push_back(std::move(c));
        return true;
    }

    std::size_t readSome(std::uint8_t *dst, std::size_t max, std::uint32_t timeoutMs) override
    {
        readTimeouts.push_back(timeoutMs);
        largestRead = std::max(largestRead, max);
        if (!open_)
            return 0;
        if (waiting.empty()) {
            if (inFlight_.empty() || inFlight_.front().silenceMs > static_cast<std::int64_t>(timeoutMs)) {
                if (!inFlight_.empty())
                    inFlight_.front().silenceMs -= static_cast<int>(timeoutMs);
                nowMs += timeoutMs;
                return 0;
            }
            nowMs += inFlight_.front().silenceMs;
            waiting += inFlight_.front().bytes;
            inFlight_.pop_front();
        }
        const std::size_t n = std::min(max, waiting.size());
        std::copy_n(waiting.begin(), n, dst);
        waiting.erase(0, n);
        return n;
    }

    void discardInput() override { waiting.clear(); }

    // Lets the rest of the current answer arrive, as if the program had waited for it.
    void settle()
    {
        for (Chunk &c : inFlight_)
            waiting += c.bytes;
        inFlight_.clear();
    }

private:
    bool open_ = false;
    OpenFailure failure_ = OpenFailure::None;
    std::string name_;
    std::uint32_t baud_ = 0;
    std::deque<Chunk> inFlight_;
};

class FixedPortLister : public PortLister
{
public:
    std::vector<PortInfo> ports;
    std::vector<PortInfo> presentPorts() override { return ports; }
};

} // namespace vireo::test
