#pragma once
// What the program remembers between runs: an INI file in the user's configuration folder,
// $XDG_CONFIG_HOME/vireo/vireo.conf (~/.config/vireo/vireo.conf when XDG_CONFIG_HOME is unset).
// Nothing is ever written beside the program.
#include <QSettings>

#include <memory>

namespace vireo
{

std::unique_ptr<QSettings> openSettings();

namespace setting
{
inline constexpr const char *Language = "language";              // id of the language file; empty: default
inline constexpr const char *WindowPosition = "window/position"; // top left of the frame
inline constexpr const char *OpenFolder = "folders/open";        // last folder of each file dialog
inline constexpr const char *SaveFolder = "folders/save";
inline constexpr const char *FirmwareFolder = "folders/firmware";
} // namespace setting

} // namespace vireo
