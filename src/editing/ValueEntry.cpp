#include "editing/ValueEntry.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace vireo
{

bool typedCharPasses(char32_t c)
{
    if (c >= U'0' && c <= U'9')
        return true;
    // Backspace and the other control characters are keys, not typed text.
    return c < 0x20 || c == 0x7f;
}

std::string textAfterChange(std::string_view text)
{
    return text.empty() ? std::string("0") : std::string(text);
}

std::optional<std::int32_t> readEntry(std::string_view text)
{
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;

    // Parse with the sign so that the 32-bit range is the signed one, -2147483648 included.
    std::int64_t magnitude = 0;
    for (char c : digits) {
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1)
            return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max() || value < 0)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

EntryResult checkEntry(std::string_view text, std::int32_t limit, std::int16_t fallback)
{
    const std::optional<std::int32_t> number = readEntry(text);
    if (!number)
        return {fallback, false};
    // Limits are 16-bit values; a larger one must still not let a number wrap when narrowed.
    if (*number > std::min<std::int32_t>(limit, std::numeric_limits<std::int16_t>::max()))
        return {fallback, true};
    return {static_cast<std::int16_t>(*number), false};
}

std::string entryErrorText(std::string_view message, std::int32_t limit)
{
    std::string text(message);
    text += "\n(0-";
    text += std::to_string(limit);
    text += ')';
    return text;
}

std::string entryText(std::int16_t value)
{
    return std::to_string(value);
}

} // namespace vireo
