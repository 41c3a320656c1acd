#include "app/gui/Settings.h"

#include <QStandardPaths>

namespace vireo
{

std::unique_ptr<QSettings> openSettings()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return std::make_unique<QSettings>(folder + QStringLiteral("/vireo/vireo.conf"), QSettings::IniFormat);
}

} // namespace vireo
