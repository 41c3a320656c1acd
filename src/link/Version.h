#pragma once
// Unit kind and the one rule by which firmware versions are compared with thresholds.
#include <string_view>

namespace vireo
{

enum class UnitKind { Kind1, Kind2 };

// Firmware version text when only the unit's loader answers.
inline constexpr std::string_view LoaderVersion = "0.0.0";

// Byte-wise comparison as unsigned character codes; a prefix sorts first. No numeric
// parsing: " 0.2.5" < " 0.3.0", and "0.0.0" (no leading blank) sorts above every threshold.
int compareVersion(std::string_view a, std::string_view b);

inline bool versionLess(std::string_view v, std::string_view t)
{
    return compareVersion(v, t) < 0;
}
inline bool versionGreater(std::string_view v, std::string_view t)
{
    return compareVersion(v, t) > 0;
}
inline bool versionAtLeast(std::string_view v, std::string_view t)
{
    return compareVersion(v, t) >= 0;
}
inline bool hasApplicationFirmware(std::string_view v)
{
    return v != LoaderVersion;
}

} // namespace vireo
