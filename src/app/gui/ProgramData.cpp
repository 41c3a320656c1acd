#include "app/gui/ProgramData.h"

#include "app/DataFolder.h"
#include "files/ParameterFile.h"

#include <QCoreApplication>

namespace vireo
{

QString programDataFolder()
{
    const auto dir = findDataFolder(pathFromUtf8(QCoreApplication::applicationDirPath().toStdString()));
    return QString::fromStdString(utf8FromPath(dir)) + QLatin1Char('/');
}

} // namespace vireo
