#include "files/FileNames.h"

#include <cstdio>
#include <ctime>
#include <vector>

namespace vireo
{

LocalDateTime localNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return {local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_year + 1900};
}

std::string proposedParameterFileName(const LocalDateTime &when)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02d%02d%02d%02d", when.month % 100, when.day % 100,
                  when.hour % 100, when.minute % 100);
    return "gyro_" + std::string(digits) + std::string(ParameterFileExtension);
}

std::string withParameterExtension(std::string name)
{
    const std::size_t n = ParameterFileExtension.size();
    bool has = name.size() >= n;
    for (std::size_t i = 0; has && i < n; ++i) {
        char c = name[name.size() - n + i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        has = c == ParameterFileExtension[i];
    }
    if (!has)
        name += ParameterFileExtension;
    return name;
}

std::string fillIn(std::string_view text, std::initializer_list<std::string_view> values)
{
    // One pass over the text, so a value that itself holds "%2" stays as it is.
    const std::vector<std::string_view> v(values);
    std::vector<bool> used(v.size(), false);
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t n = i + 1 < text.size() ? static_cast<std::size_t>(text[i + 1] - '1') : v.size();
        if (text[i] == '%' && n < v.size()) {
            result += v[n];
            used[n] = true;
            ++i;
        } else {
            result += text[i];
        }
    }
    for (std::size_t n = 0; n < v.size(); ++n)
        if (!used[n]) {
            if (!result.empty())
                result += ' ';
            result += v[n];
        }
    return result;
}

} // namespace vireo
