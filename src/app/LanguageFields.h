#pragma once
// Reading the lines of the language file: splitting a line into fields, carrying fields over
// from the line before, the "#" split of multi-line texts and the font fields.
//
// Everything here works on decoded text, UTF-16 (std::u16string): the file's Shift-JIS bytes are
// decoded first, so a multi-byte character whose second byte happens to look like "_" or "\"
// can never be taken for a separator. Character codes below are UTF-16 code units.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vireo
{

// The lines of a decoded file. A line ends with CR LF, LF or CR; a terminator at the very end
// does not start one more (empty) line. Empty lines in between are lines of their own.
std::vector<std::u16string_view> splitLanguageLines(std::u16string_view text);

// Splits one line into fields with the delimiter (',' for records, '#' for multi-line texts):
//  - every space becomes "_" first, and every "_" of a field becomes a space at the end, so
//    spaces inside a field (also next to a delimiter) stay and a text can never hold "_";
//  - characters with codes 1 to 32 (tab included) separate fields like the delimiter;
//  - a field beginning with '"' runs to the closing '"', with "" standing for one '"' (an
//    unclosed quote runs to the end of the line); text directly after the closing quote
//    starts the next field;
//  - two delimiters in a row give an empty field; a delimiter as the very last character
//    gives one more, empty field;
//  - a NUL character ends the line: what follows it is ignored.
// Every field is returned; there is no limit on their number.
std::vector<std::u16string> splitLanguageFields(std::u16string_view line, char16_t delimiter = u',');

// A multi-line text split at "#" by the field rule above. All parts are kept: a text of more
// than ten parts shows every one of them rather than losing the rest.
std::vector<std::u16string> splitMultiLineText(std::u16string_view text);

// The caption a multi-line text gives its control: every part followed by a line feed.
std::u16string multiLineCaption(std::u16string_view text);

// Fields of the current record. A line sets only the fields that it has; the others keep
// what the lines before left there (all empty before the first line), so an empty line
// repeats the record before it. Fields beyond the tenth are ignored: nothing uses them.
class LanguageRecord
{
public:
    static constexpr std::size_t FieldCount = 10;

    void take(std::u16string_view line);

    // Field n, counted from 1 as the file format counts them (1 key, 2 text, 3 font name,
    // 4 font size, 5 character set).
    const std::u16string &field(std::size_t n) const { return fields_.at(n - 1); }
    const std::u16string &key() const { return fields_[0]; }
    const std::u16string &text() const { return fields_[1]; }

private:
    std::array<std::u16string, FieldCount> fields_{};
};

// The font that fields 3 to 5 describe.
struct FontFields {
    std::u16string name;
    int pointSize = 0;
    int charset = 0; // operating-system character set number (128 Shift-JIS, 0 ANSI)
};

// Fields 3 to 5 of the record. Throws ConversionError when the size or the character set is
// not a decimal integer (an empty field included); key names the record in the message.
FontFields fontFields(const LanguageRecord &record);

// A decimal integer: optional blanks around an optional sign and at least one digit, within
// the range of int. Throws ConversionError naming what (e.g. "font size") otherwise.
int parseDecimalField(std::u16string_view text, std::string_view what);

// Letter case is ignored for the ASCII letters only; the keys are plain ASCII.
bool languageKeyEquals(std::u16string_view a, std::string_view b);

// UTF-8 form of a decoded text, for messages.
std::string toUtf8(std::u16string_view text);

} // namespace vireo
