#pragma once
// A serial port whose replies come from a function of the written command line; it records
// every line. Enough to check exact command bytes and reply handling without the simulator.
#include "seams/SerialPort.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace vireo::paramtest
{

class LineReplyPort : public SerialPort
{
public:
    std::function<std::string(const std::string &line)> answer = [](const std::string &) {
        return std::string();
    };
    std::vector<std::string> written;

    bool open(const std::string &, std::uint32_t) override { return open_ = true; }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    bool write(const std::uint8_t *data, std::size_t size) override
    {
        written.emplace_back(reinterpret_cast<const char *>(data), size);
        pending_ = answer(written.back());
        return true;
    }
    std::size_t readSome(std::uint8_t *dst, std::size_t max, std::uint32_t) override
    {
        const std::size_t n = std::min(max, pending_.size());
        std::copy_n(pending_.begin(), n, dst);
        pending_.erase(0, n);
        return n;
    }
    void discardInput() override { pending_.clear(); }

private:
    bool open_ = false;
    std::string pending_;
};

// A value-list reply of the given words plus the four trailing bytes the unit appends.
inline std::string valueListReply(const std::vector<std::string> &fields, const std::string &tail = "OK\r\n")
{
    std::string r;
    for (std::size_t i = 0; i < fields.size(); ++i)
        r += fields[i] + (i + 1 < fields.size() ? " " : "\r");
    return r + "\n" + tail;
}

} // namespace vireo::paramtest
