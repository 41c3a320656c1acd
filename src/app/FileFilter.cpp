#include "app/FileFilter.h"

#include <vector>

namespace vireo
{

namespace
{

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    for (;;) {
        const size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos)
            return parts;
        text.remove_prefix(at + 1);
    }
}

} // namespace

std::string toQtFilter(std::string_view filter)
{
    if (filter.empty())
        return {};
    const std::vector<std::string_view> fields = split(filter, '|');
    std::string out;
    for (size_t i = 0; i < fields.size(); i += 2) {
        const std::string_view name = fields[i];
        const std::string_view patterns = i + 1 < fields.size() ? fields[i + 1] : std::string_view{};
        std::string joined;
        for (std::string_view pattern : split(patterns, ';')) {
            if (pattern.empty())
                continue;
            if (!joined.empty())
                joined += ' ';
            joined += pattern;
        }
        if (name.empty() && joined.empty())
            continue;
        if (joined.empty())
            joined.push_back('*');
        if (!out.empty())
            out += ";;";
        out.append(name.empty() ? std::string_view(joined) : name);
        out.append(" (");
        out.append(joined);
        out.append(")");
    }
    return out;
}

} // namespace vireo
