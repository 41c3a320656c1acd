#include "app/LanguageTable.h"

#include "seams/FileOpenError.h"

#include <QFile>

namespace vireo {

void LanguageTable::load(const QString &path, QObject &)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileOpenError(path.toStdString());
}

QString LanguageTable::text(const QString &key) const { return texts_.value(key.toLower()); }

} // namespace vireo
