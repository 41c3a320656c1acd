#pragma once
// The serial link to the unit and the one command primitive, exchange. Every byte to and
// from the unit passes through exchange, which holds the recursive exchange lock throughout.
#include "seams/SerialPort.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

namespace vireo
{

// Whether a failed exchange is followed by the check that the unit is still there.
enum class LossCheck { On, Off };

class SerialLink
{
public:
    static constexpr std::size_t ReplyBufferSize = 2048;
    static constexpr std::uint32_t DefaultBaud = 250000;

    explicit SerialLink(SerialPort &port) : port_(port) {}

    // Opens portName at baudRate (exclusive, 8N1, no flow control). False leaves the link closed.
    // Opening (and closing) ends a lost state.
    bool openPort();
    void closePort();
    bool isOpen() const { return open_; }

    // Writes the command and awaits exactly replyLength bytes (at most ReplyBufferSize - 1),
    // no silence longer than timeoutMs before or within them. Stale input is discarded before
    // the write. The received bytes, possibly fewer, stay in ReplyBuffer followed by a NUL.
    // A closed or lost link fails at once and writes nothing.
    //
    // Fail-fast: when lossCheck is set and says yes, an exchange that fails (with the check
    // On) is followed by a ping. A unit that does not answer it, or a port that refused the
    // command, leaves the link lost, so that whatever the running flow still sends fails at
    // once instead of waiting out one time-out after another. The failed exchange's reply
    // stays in ReplyBuffer. A unit that answers the ping changes nothing.
    bool exchange(const std::uint8_t *command, std::size_t length, std::size_t replyLength,
                  std::uint32_t timeoutMs, LossCheck check = LossCheck::On);
    bool exchange(std::string_view command, std::size_t replyLength, std::uint32_t timeoutMs,
                  LossCheck check = LossCheck::On);

    // "PING\r\n" answered by exactly "OK\r\n" within 200 ms. Never followed by the loss check.
    bool pingUnit();

    // Asked after each failed exchange; unset or false: no check. The loader's protocol must
    // never see a ping, so the owner answers no while a firmware transfer runs.
    std::function<bool()> lossCheck;
    // The unit stopped answering, or the port went away, since the port was opened.
    bool lost() const { return lost_; }

    // What a field with no blank or CR among its five bytes does.
    enum class FieldWithoutSeparator { KeepsValue, IsGarbled };

    // Reads count hexadecimal fields of five bytes each from ReplyBuffer into dest. A field
    // with no blank or CR among its five bytes leaves its destination unchanged (or, with
    // IsGarbled, throws ConversionError like a field that is not hexadecimal).
    void parseValueList(int count, std::int16_t *dest,
                        FieldWithoutSeparator rule = FieldWithoutSeparator::KeepsValue) const;

    // The reply of the latest exchange up to its NUL terminator.
    std::string_view replyText() const;
    const std::array<std::uint8_t, ReplyBufferSize> &ReplyBuffer() const { return reply_; }
    std::size_t received() const { return received_; }

    SerialPort &port() { return port_; }

    std::string portName;
    std::uint32_t baudRate = DefaultBaud;      // takes effect at the next openPort
    std::uint32_t readTimeoutMs = 0xFFFFFFFFu; // time-out of the latest exchange

private:
    // The exchange itself; written tells whether the command went out.
    bool transfer(const std::uint8_t *command, std::size_t length, std::size_t replyLength,
                  std::uint32_t timeoutMs, bool &written);
    void checkUnitAfterFailure(bool written);

    SerialPort &port_;
    bool open_ = false;
    bool lost_ = false;
    std::array<std::uint8_t, ReplyBufferSize> reply_{};
    std::size_t received_ = 0;
    std::recursive_mutex lock_;
};

// Parses one value-list field of up to five bytes: the text before the first blank or CR.
// Returns false when the field has no blank or CR (the destination keeps its value); throws
// ConversionError when the text is not a hexadecimal number.
bool parseValueField(std::string_view field, std::int16_t &value);

} // namespace vireo
