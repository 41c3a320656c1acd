// Language file lines after decoding: the input is the decoded text as UTF-16 code units,
// little-endian (a trailing odd byte is dropped). Every line goes through the record the
// table keeps, the font fields, the multi-line split and the UTF-8 form used in messages.
#include "FuzzSupport.h"
#include "app/LanguageFields.h"
#include "seams/ConversionError.h"

namespace
{

using vireo::fuzz::FuzzInput;

bool validUtf8(const std::string &s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t more = 0;
        if (c < 0x80)
            more = 0;
        else if ((c & 0xE0) == 0xC0 && c >= 0xC2)
            more = 1;
        else if ((c & 0xF0) == 0xE0)
            more = 2;
        else if ((c & 0xF8) == 0xF0 && c <= 0xF4)
            more = 3;
        else
            return false;
        if (more > 0 && i + more >= s.size())
            return false;
        for (std::size_t k = 1; k <= more; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        // A surrogate code point has no place in UTF-8: a lone one must have become U+FFFD.
        if (c == 0xED && static_cast<unsigned char>(s[i + 1]) >= 0xA0)
            return false;
        i += more + 1;
    }
    return true;
}

void checkFields(const std::vector<std::u16string> &fields)
{
    // Blanks travel as "_" inside the split and every "_" leaves it as a blank.
    for (const auto &f : fields)
        FUZZ_CHECK(f.find(u'_') == std::u16string::npos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::u16string text;
    text.reserve(size / 2);
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));

    vireo::LanguageRecord record;
    std::size_t covered = 0;
    for (const std::u16string_view line : vireo::splitLanguageLines(text)) {
        FUZZ_CHECK(line.find_first_of(u"\r\n") == std::u16string_view::npos);
        covered += line.size();

        checkFields(vireo::splitLanguageFields(line));
        record.take(line);
        checkFields(vireo::splitMultiLineText(record.text()));
        const std::u16string caption = vireo::multiLineCaption(record.text());
        FUZZ_CHECK(caption.empty() || caption.back() == u'\n');

        try {
            const vireo::FontFields font = vireo::fontFields(record);
            FUZZ_CHECK(font.name == record.field(3));
        } catch (const vireo::ConversionError &) {
        }
        for (std::size_t n = 1; n <= vireo::LanguageRecord::FieldCount; ++n)
            FUZZ_CHECK(validUtf8(vireo::toUtf8(record.field(n))));
        vireo::languageKeyEquals(record.key(), "ConnectButton");
    }
    FUZZ_CHECK(covered <= text.size());
    return 0;
}
