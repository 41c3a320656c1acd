#include "app/LanguageFields.h"

#include "seams/ConversionError.h"

#include <algorithm>
#include <limits>

namespace vireo
{

namespace
{

bool isSeparator(char16_t c)
{
    return c >= 1 && c <= 32;
}

char16_t asciiLower(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c - u'A' + u'a') : c;
}

} // namespace

std::vector<std::u16string_view> splitLanguageLines(std::u16string_view text)
{
    std::vector<std::u16string_view> lines;
    std::size_t start = 0;
    std::size_t p = 0;
    while (p < text.size()) {
        const char16_t c = text[p];
        if (c != u'\r' && c != u'\n') {
            ++p;
            continue;
        }
        lines.push_back(text.substr(start, p - start));
        ++p;
        if (c == u'\r' && p < text.size() && text[p] == u'\n')
            ++p;
        start = p;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

std::vector<std::u16string> splitLanguageFields(std::u16string_view line, char16_t delimiter)
{
    std::u16string s(line.substr(0, line.find(u'\0')));
    std::replace(s.begin(), s.end(), u' ', u'_');

    std::vector<std::u16string> fields;
    const std::size_t n = s.size();
    std::size_t p = 0;
    while (p < n && isSeparator(s[p]))
        ++p;
    while (p < n) {
        std::u16string field;
        if (s[p] == u'"') {
            ++p;
            while (p < n) {
                if (s[p] != u'"') {
                    field += s[p++];
                } else if (p + 1 < n && s[p + 1] == u'"') {
                    field += u'"';
                    p += 2;
                } else {
                    ++p;
                    break;
                }
            }
        } else {
            const std::size_t begin = p;
            while (p < n && !isSeparator(s[p]) && s[p] != delimiter)
                ++p;
            field.assign(s, begin, p - begin);
        }
        fields.push_back(std::move(field));
        while (p < n && isSeparator(s[p]))
            ++p;
        if (p < n && s[p] == delimiter) {
            if (p + 1 == n)
                fields.emplace_back();
            do
                ++p;
            while (p < n && isSeparator(s[p]));
        }
    }
    for (auto &field : fields)
        std::replace(field.begin(), field.end(), u'_', u' ');
    return fields;
}

std::vector<std::u16string> splitMultiLineText(std::u16string_view text)
{
    return splitLanguageFields(text, u'#');
}

std::u16string multiLineCaption(std::u16string_view text)
{
    std::u16string caption;
    for (const auto &part : splitMultiLineText(text)) {
        caption += part;
        caption += u'\n';
    }
    return caption;
}

void LanguageRecord::take(std::u16string_view line)
{
    auto fields = splitLanguageFields(line);
    const std::size_t count = std::min(fields.size(), FieldCount);
    for (std::size_t i = 0; i < count; ++i)
        fields_[i] = std::move(fields[i]);
}

int parseDecimalField(std::u16string_view text, std::string_view what)
{
    auto fail = [&]() -> int {
        throw ConversionError("'" + toUtf8(text) + "' is not a valid integer value (" + std::string(what) +
                              ")");
    };
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && isSeparator(text[b]))
        ++b;
    while (e > b && isSeparator(text[e - 1]))
        --e;
    bool negative = false;
    if (b < e && (text[b] == u'+' || text[b] == u'-')) {
        negative = text[b] == u'-';
        ++b;
    }
    if (b == e)
        return fail();
    long long value = 0;
    for (std::size_t i = b; i < e; ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return fail();
        value = value * 10 + (text[i] - u'0');
        if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1)
            return fail();
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return fail();
    return static_cast<int>(value);
}

FontFields fontFields(const LanguageRecord &record)
{
    const std::string key = toUtf8(record.key());
    FontFields font;
    font.name = record.field(3);
    font.pointSize = parseDecimalField(record.field(4), "font size of " + key);
    font.charset = parseDecimalField(record.field(5), "character set of " + key);
    return font;
}

bool languageKeyEquals(std::u16string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string toUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

} // namespace vireo
