#include "link/SerialLink.h"

#include "seams/ConversionError.h"

#include <algorithm>

namespace vireo
{

bool SerialLink::openPort()
{
    open_ = port_.open(portName, baudRate);
    lost_ = false;
    return open_;
}

void SerialLink::closePort()
{
    if (open_ || port_.isOpen())
        port_.close();
    open_ = false;
    lost_ = false;
}

bool SerialLink::exchange(std::string_view command, std::size_t replyLength, std::uint32_t timeoutMs,
                          LossCheck check)
{
    return exchange(reinterpret_cast<const std::uint8_t *>(command.data()), command.size(), replyLength,
                    timeoutMs, check);
}

bool SerialLink::exchange(const std::uint8_t *command, std::size_t length, std::size_t replyLength,
                          std::uint32_t timeoutMs, LossCheck check)
{
    std::lock_guard guard(lock_);
    bool written = false;
    const bool ok = transfer(command, length, replyLength, timeoutMs, written);
    if (!ok && check == LossCheck::On && open_ && !lost_ && lossCheck && lossCheck())
        checkUnitAfterFailure(written);
    return ok;
}

void SerialLink::checkUnitAfterFailure(bool written)
{
    if (!written) {
        lost_ = true; // the port refused the command: it is gone
        return;
    }
    // The ping overwrites ReplyBuffer; the failed exchange's reply is what callers look at.
    const std::array<std::uint8_t, ReplyBufferSize> reply = reply_;
    const std::size_t received = received_;
    const std::uint32_t timeoutMs = readTimeoutMs;
    lost_ = !pingUnit();
    reply_ = reply;
    received_ = received;
    readTimeoutMs = timeoutMs;
}

bool SerialLink::transfer(const std::uint8_t *command, std::size_t length, std::size_t replyLength,
                          std::uint32_t timeoutMs, bool &written)
{
    received_ = 0;
    reply_[0] = 0;
    if (!open_ || lost_)
        return false;
    readTimeoutMs = timeoutMs;
    // Never read past the buffer, whatever the caller asks for: one byte stays for the NUL.
    replyLength = std::min(replyLength, ReplyBufferSize - 1);

    port_.discardInput();
    if (length > 0 && !port_.write(command, length))
        return false;
    written = true;

    bool ok = true;
    while (received_ < replyLength) {
        const std::size_t got = port_.readSome(reply_.data() + received_, replyLength - received_, timeoutMs);
        if (got == 0) {
            ok = false;
            break;
        }
        received_ += std::min(got, replyLength - received_);
    }
    reply_[received_] = 0;
    return ok;
}

bool SerialLink::pingUnit()
{
    return exchange("PING\r\n", 4, 200, LossCheck::Off) && replyText() == "OK\r\n";
}

std::string_view SerialLink::replyText() const
{
    const auto *begin = reinterpret_cast<const char *>(reply_.data());
    return std::string_view(begin, std::find(reply_.begin(), reply_.end(), 0) - reply_.begin());
}

bool parseValueField(std::string_view field, std::int16_t &value)
{
    const std::size_t end = field.find_first_of(" \r");
    if (end == std::string_view::npos)
        return false;
    const std::string_view text = field.substr(0, end);
    if (text.empty())
        throw ConversionError("'' is not a valid integer value");
    unsigned long v = 0;
    for (char c : text) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else
            throw ConversionError("'$" + std::string(text) + "' is not a valid integer value");
        v = (v << 4) | static_cast<unsigned>(d);
    }
    value = static_cast<std::int16_t>(static_cast<std::uint16_t>(v & 0xFFFFu));
    return true;
}

void SerialLink::parseValueList(int count, std::int16_t *dest, FieldWithoutSeparator rule) const
{
    for (int k = 0; k < count; ++k) {
        const std::size_t offset = static_cast<std::size_t>(k) * 5;
        if (offset + 5 > ReplyBufferSize)
            return;
        // The field ends at the NUL terminator like any C text would.
        std::string_view field(reinterpret_cast<const char *>(reply_.data() + offset), 5);
        field = field.substr(0, std::min<std::size_t>(5, field.find('\0')));
        if (!parseValueField(field, dest[k]) && rule == FieldWithoutSeparator::IsGarbled)
            throw ConversionError("'" + std::string(field) + "' is not a valid value field");
    }
}

} // namespace vireo
