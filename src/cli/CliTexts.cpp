#include "cli/CliTexts.h"

#include "app/LanguageFields.h"

#include <algorithm>
#include <cctype>

namespace vireo
{
namespace
{

std::string lower(std::string_view key)
{
    std::string out(key);
    std::ranges::transform(out, out.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

} // namespace

void CliTexts::load(std::u16string_view decoded)
{
    LanguageRecord record;
    for (std::u16string_view line : splitLanguageLines(decoded)) {
        record.take(line);
        if (!record.key().empty())
            texts_[lower(toUtf8(record.key()))] = toUtf8(record.text());
    }
}

std::string CliTexts::text(std::string_view key) const
{
    const auto it = texts_.find(lower(key));
    return it == texts_.end() ? std::string(key) : it->second;
}

bool CliTexts::has(std::string_view key) const
{
    return texts_.contains(lower(key));
}

} // namespace vireo
