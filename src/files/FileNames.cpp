#include "files/FileNames.h"

#include <cstdio>
#include <ctime>

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
    return {local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
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

} // namespace vireo
