#pragma once
// The rules of the gain entry fields, free of any widget: which typed characters a field
// takes, what an emptied field shows and how the text is read when the field is left. The
// window applies them to its controls; the spin buttons step within their own range.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vireo
{

inline constexpr char32_t BackspaceChar = U'\b';

// Typing filter of the 24 gain fields: digits and backspace pass, every other printable
// character is discarded. Control characters other than backspace (editing shortcuts such as
// Ctrl+V, Tab, Return) are not typed characters and keep their usual meaning.
bool typedCharPasses(char32_t c);

// What a field shows after its text changed: an emptied field shows "0" at once.
std::string textAfterChange(std::string_view text);

// Reads an entry as a signed 32-bit decimal integer: an optional sign followed by ASCII digits
// and nothing else. Nothing when the text is no such number, lies outside the 32-bit range,
// or is negative; such an entry is "unreadable" and falls back silently.
std::optional<std::int32_t> readEntry(std::string_view text);

struct EntryResult {
    std::int16_t value = 0; // what the field stores and then shows
    bool overLimit = false; // the error dialog must be shown before storing
};

// The check on leaving a field. The whole number is compared with the limit before it is
// narrowed to the 16 bits of the parameter, so 70000 is over a limit of 32767 instead of
// wrapping to 4464. Unreadable text takes the fallback without a dialog; a number over the
// limit takes the fallback after the dialog.
EntryResult checkEntry(std::string_view text, std::int32_t limit, std::int16_t fallback);

// The text of the error dialog: the language text, a line break, then "(0-<limit>)".
std::string entryErrorText(std::string_view message, std::int32_t limit);

// The field's text as it must read after the check: the stored value in plain decimal.
std::string entryText(std::int16_t value);

} // namespace vireo
