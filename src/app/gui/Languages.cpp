#include "app/gui/Languages.h"

#include "app/gui/LanguageTable.h"

#include <QDir>
#include <QObject>
#include <QStandardPaths>

#include <algorithm>
#include <exception>
#include <optional>

namespace vireo
{

namespace
{

std::optional<LanguageFile> readable(const QString &id, const QString &path)
{
    LanguageTable table;
    QObject nothing; // the texts are wanted, not the captions
    try {
        table.load(path, nothing);
    } catch (const std::exception &) {
        return std::nullopt;
    }
    const QString name = table.text(QStringLiteral("LanguageName"));
    return LanguageFile{id, name.isEmpty() ? id : name, path};
}

void addFolders(QList<LanguageFile> &files, const QString &folder)
{
    const QStringList ids = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &id : ids) {
        const bool listed =
            std::any_of(files.begin(), files.end(), [&](const LanguageFile &f) { return f.id == id; });
        if (listed)
            continue;
        if (auto file = readable(id, folder + QLatin1Char('/') + id + QStringLiteral("/language.dat")))
            files.append(*file);
    }
}

} // namespace

QString userLanguageFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/vireo/lang");
}

QList<LanguageFile> languageFiles(const QString &programDir)
{
    QList<LanguageFile> files;
    if (auto file = readable(QString(), programDir + QStringLiteral("language.dat")))
        files.append(*file);
    addFolders(files, programDir + QStringLiteral("lang"));
    addFolders(files, userLanguageFolder());
    return files;
}

LanguageFile findLanguageFile(const QString &programDir, const QString &id)
{
    for (const LanguageFile &file : languageFiles(programDir))
        if (file.id == id)
            return file;
    return {};
}

} // namespace vireo
