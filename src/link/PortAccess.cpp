#include "link/PortAccess.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vireo
{

#ifndef _WIN32

OpenFailure probeOpenFailure(const std::string &path)
{
    struct stat st {
    };
    if (::stat(path.c_str(), &st) != 0)
        return errno == EACCES ? OpenFailure::Permission : OpenFailure::Gone;
    if (::access(path.c_str(), R_OK | W_OK) != 0)
        return errno == EACCES || errno == EPERM ? OpenFailure::Permission : OpenFailure::Other;
    return OpenFailure::Busy;
}

std::optional<NodeGroup> nodeGroup(const std::string &path)
{
    struct stat st {
    };
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    NodeGroup g;
    if (const group *gr = ::getgrgid(st.st_gid))
        g.name = gr->gr_name;
    else
        g.name = std::to_string(st.st_gid);
    g.readWrite = (st.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    return g;
}

#else

OpenFailure probeOpenFailure(const std::string &)
{
    return OpenFailure::Other;
}

std::optional<NodeGroup> nodeGroup(const std::string &)
{
    return std::nullopt;
}

#endif

bool servedByFtdiDriver(std::string_view sysRoot, std::string_view ttyName)
{
    const std::size_t slash = ttyName.rfind('/');
    if (slash != std::string_view::npos)
        ttyName.remove_prefix(slash + 1);
    if (ttyName.empty() || ttyName == "." || ttyName == "..")
        return false;
    std::error_code ec;
    const std::filesystem::path driver = std::filesystem::read_symlink(
        std::filesystem::path(sysRoot) / "class" / "tty" / ttyName / "device" / "driver", ec);
    if (ec)
        return false;
    const std::filesystem::path name =
        driver.has_filename() ? driver.filename() : driver.parent_path().filename();
    return name == "ftdi_sio";
}

} // namespace vireo
