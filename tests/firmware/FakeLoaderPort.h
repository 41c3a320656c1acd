#pragma once
// A serial port that answers like a well-behaved unit loader and records every write with the
// baud rate and read time-out in effect. Single answers can be replaced to inject faults.
#include "seams/SerialPort.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vireo::test
{

enum class LoaderWrite {
    StartLoader,
    Sync,
    Command11,
    Argument,
    Begin,
    BlockCommand,
    BlockNumber,
    BlockData,
    End,
    Other
};

class FakeLoaderPort : public SerialPort
{
public:
    struct Write {
        std::vector<std::uint8_t> bytes;
        LoaderWrite kind;
        std::uint32_t baud;
        std::uint32_t timeoutMs = 0; // of the first read after the write; 0 when none
    };

    // Returns a replacement answer for this write (the kind's occurrence counts from 1), or
    // nothing for the loader's usual answer. An empty replacement is silence.
    using Fault = std::function<std::optional<std::vector<std::uint8_t>>(LoaderWrite kind, int occurrence)>;
    Fault fault;

    std::vector<Write> writes;
    std::vector<std::uint32_t> opens; // baud rate of every open

    bool open(const std::string &, std::uint32_t baud) override
    {
        open_ = true;
        baud_ = baud;
        opens.push_back(baud);
        return true;
    }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }

    bool write(const std::uint8_t *data, std::size_t size) override
    {
        if (!open_)
            return false;
        std::vector<std::uint8_t> bytes(data, data + size);
        const LoaderWrite kind = classify(bytes);
        writes.push_back({bytes, kind, baud_});
        const int occurrence = count(kind);
        std::optional<std::vector<std::uint8_t>> answer;
        if (fault)
            answer = fault(kind, occurrence);
        pending_ = answer ? *answer : usualAnswer(kind);
        return true;
    }

    std::size_t readSome(std::uint8_t *dst, std::size_t max, std::uint32_t timeoutMs) override
    {
        if (!writes.empty() && writes.back().timeoutMs == 0)
            writes.back().timeoutMs = timeoutMs;
        const std::size_t n = std::min(max, pending_.size());
        std::copy_n(pending_.begin(), n, dst);
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(n));
        return n;
    }

    void discardInput() override { pending_.clear(); }

    int count(LoaderWrite kind) const
    {
        return static_cast<int>(
            std::count_if(writes.begin(), writes.end(), [&](const Write &w) { return w.kind == kind; }));
    }

private:
    LoaderWrite classify(const std::vector<std::uint8_t> &bytes) const
    {
        const LoaderWrite previous = writes.empty() ? LoaderWrite::Other : writes.back().kind;
        if (bytes == std::vector<std::uint8_t>{'U', 'P', 'D', 'A', 'T', 'E', '\r', '\n'})
            return LoaderWrite::StartLoader;
        if (bytes.size() == 4)
            return previous == LoaderWrite::BlockCommand ? LoaderWrite::BlockNumber
                   : previous == LoaderWrite::Command11  ? LoaderWrite::Argument
                                                         : LoaderWrite::Other;
        if (bytes.size() == 129)
            return previous == LoaderWrite::BlockNumber ? LoaderWrite::BlockData : LoaderWrite::Other;
        if (bytes.size() != 1)
            return LoaderWrite::Other;
        switch (bytes[0]) {
        case 0x15:
            return LoaderWrite::Sync;
        case 0x11:
            return LoaderWrite::Command11;
        case 0x16:
            return LoaderWrite::Begin;
        case 0x12:
            return LoaderWrite::BlockCommand;
        case 0x17:
            return LoaderWrite::End;
        default:
            return LoaderWrite::Other;
        }
    }

    static std::vector<std::uint8_t> usualAnswer(LoaderWrite kind)
    {
        switch (kind) {
        case LoaderWrite::StartLoader:
            return {'O', 'K', '\r', '\n'};
        case LoaderWrite::BlockNumber:
            return {0x14};
        case LoaderWrite::Other:
            return {};
        default:
            return {0x00};
        }
    }

    bool open_ = false;
    std::uint32_t baud_ = 0;
    std::vector<std::uint8_t> pending_;
};

} // namespace vireo::test
