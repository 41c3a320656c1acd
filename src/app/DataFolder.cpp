#include "app/DataFolder.h"

#include <system_error>

namespace vireo
{

std::filesystem::path findDataFolder(const std::filesystem::path &executableDir)
{
    namespace fs = std::filesystem;
    auto holdsData = [](const fs::path &dir) {
        std::error_code ec;
        return fs::is_regular_file(dir / "language.dat", ec);
    };
    if (holdsData(executableDir))
        return executableDir;
    const fs::path installed = (executableDir / ".." / "share" / "vireo").lexically_normal();
    if (holdsData(installed))
        return installed;
    return executableDir;
}

} // namespace vireo
