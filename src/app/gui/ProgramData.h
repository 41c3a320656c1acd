#pragma once
#include <QString>

namespace vireo
{

// The folder of the program's data for the running executable (see findDataFolder), with a
// trailing separator.
QString programDataFolder();

} // namespace vireo
