#pragma once
// Helpers shared by the fuzz targets: a reader that takes the input apart byte by byte
// (running dry yields zeros, so every input is a valid script), a serial port whose far end
// answers from the input, and a check that aborts with a message, which libFuzzer and the
// replay driver both report as a crash.
#include "params/ParameterSet.h"
#include "seams/SerialPort.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);               \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)

namespace vireo::fuzz
{

class FuzzInput
{
public:
    FuzzInput(const std::uint8_t *data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return pos_ >= size_; }
    std::size_t remaining() const { return size_ - pos_; }

    std::uint8_t byte() { return empty() ? 0 : data_[pos_++]; }

    // Up to n bytes, fewer when the input runs out.
    std::span<const std::uint8_t> bytes(std::size_t n)
    {
        n = std::min(n, remaining());
        std::span<const std::uint8_t> out(data_ + pos_, n);
        pos_ += n;
        return out;
    }
    std::span<const std::uint8_t> rest() { return bytes(remaining()); }

    std::string text(std::size_t n)
    {
        const auto b = bytes(n);
        return std::string(b.begin(), b.end());
    }

    // A length-prefixed piece: one byte below 0xF0 is the length; 0xF0 to 0xFF carry the top
    // four bits of a twelve-bit length whose low byte follows (up to 4095 bytes).
    std::span<const std::uint8_t> piece()
    {
        const std::uint8_t h = byte();
        std::size_t n = h;
        if (h >= 0xF0)
            n = (static_cast<std::size_t>(h & 0x0F) << 8) | byte();
        return bytes(n);
    }

private:
    const std::uint8_t *data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// Appends a piece in the form FuzzInput::piece() reads it back.
inline void appendPiece(std::vector<std::uint8_t> &out, std::span<const std::uint8_t> bytes)
{
    const std::size_t n = std::min<std::size_t>(bytes.size(), 4095);
    if (n < 0xF0) {
        out.push_back(static_cast<std::uint8_t>(n));
    } else {
        out.push_back(static_cast<std::uint8_t>(0xF0 | (n >> 8)));
        out.push_back(static_cast<std::uint8_t>(n & 0xFF));
    }
    out.insert(out.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
}
inline void appendPiece(std::vector<std::uint8_t> &out, std::string_view text)
{
    appendPiece(out, std::span(reinterpret_cast<const std::uint8_t *>(text.data()), text.size()));
}

// The far end of the line answers every write with the next piece of the input; an input that
// has run dry answers nothing, as a silent unit would. Stale bytes of an earlier answer are
// dropped by discardInput like a real port's input queue.
class FuzzPort : public SerialPort
{
public:
    explicit FuzzPort(FuzzInput &input) : input_(input) {}

    // Reads must land inside [begin, begin + size): the link's reply buffer less its NUL byte.
    void guardReads(const std::uint8_t *begin, std::size_t size)
    {
        guardBegin_ = begin;
        guardSize_ = size;
    }

    bool open(const std::string &, std::uint32_t baud) override
    {
        open_ = true;
        baud_ = baud;
        return true;
    }
    void close() override
    {
        open_ = false;
        pending_.clear();
    }
    bool isOpen() const override { return open_; }

    bool write(const std::uint8_t *data, std::size_t size) override
    {
        FUZZ_CHECK(open_);
        FUZZ_CHECK(data != nullptr || size == 0);
        ++writes_;
        bytesWritten_ += size;
        const auto reply = input_.piece();
        pending_.insert(pending_.end(), reply.begin(), reply.end());
        return true;
    }

    std::size_t readSome(std::uint8_t *dst, std::size_t max, std::uint32_t) override
    {
        if (guardBegin_) {
            FUZZ_CHECK(dst >= guardBegin_);
            FUZZ_CHECK(max <= guardSize_ && static_cast<std::size_t>(dst - guardBegin_) <= guardSize_ - max);
        }
        const std::size_t n = std::min(max, pending_.size());
        std::copy_n(pending_.begin(), n, dst);
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(n));
        return n;
    }

    void discardInput() override { pending_.clear(); }

    std::size_t writes() const { return writes_; }
    std::size_t bytesWritten() const { return bytesWritten_; }
    std::uint32_t baud() const { return baud_; }

private:
    FuzzInput &input_;
    bool open_ = false;
    std::uint32_t baud_ = 0;
    std::vector<std::uint8_t> pending_;
    std::size_t writes_ = 0;
    std::size_t bytesWritten_ = 0;
    const std::uint8_t *guardBegin_ = nullptr;
    std::size_t guardSize_ = 0;
};

// Recognisable values in every record, preset blocks included, so that a stray write into any
// of them shows.
inline ParameterSet patternedSet(std::int16_t start, std::int16_t step)
{
    ParameterSet s;
    std::int16_t v = start;
    auto fill = [&](auto &words) {
        for (auto &w : words)
            w = v = static_cast<std::int16_t>(v + step);
    };
    for (auto &axis : s.axes)
        for (auto &rec : axis)
            fill(rec.words);
    fill(s.common.words);
    for (PresetBlock *b : {&s.z, &s.g, &s.j})
        fill(b->words);
    return s;
}

// Firmware versions worth telling apart: every threshold the program compares with, the
// neighbours on both sides, the loader's version and texts no unit reports.
inline constexpr std::array<std::string_view, 16> FuzzVersions = {
    " 0.2.5", " 0.2.6", " 0.2.7", " 0.3.4", " 0.3.8", " 0.3.9", " 0.5.0",   " 1.0.4",
    " 1.0.5", " 2.0.0", " 2.0.5", "0.0.0",  "",       " 9.9.9", "\xff\xff", " 0.4.9"};

inline std::string_view fuzzVersion(std::uint8_t selector)
{
    return FuzzVersions[selector % FuzzVersions.size()];
}

} // namespace vireo::fuzz
