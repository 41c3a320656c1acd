#pragma once
// Where the program's data lives: the language files, presets, images and demo firmware.
#include <filesystem>

namespace vireo
{

// The folder of the data for an executable in executableDir: executableDir itself when it holds
// "language.dat" (a build folder, an unpacked archive: everything side by side), otherwise
// executableDir/../share/vireo when that holds it (installed under a prefix: P/bin/vireo with
// P/share/vireo). When neither does, executableDir, so that the missing file is reported there.
std::filesystem::path findDataFolder(const std::filesystem::path &executableDir);

} // namespace vireo
