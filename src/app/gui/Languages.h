#pragma once
// The language files the language menu offers: the default beside the program
// ("language.dat", Japanese), the others the program ships ("lang/<id>/language.dat" beside
// it) and those the user adds under userLanguageFolder() ("<id>/language.dat").
#include <QList>
#include <QString>

namespace vireo
{

struct LanguageFile {
    QString id;   // empty for the default file; otherwise the name of its folder ("en")
    QString name; // what the menu shows: the file's LanguageName text, else the id
    QString path;
};

// The user's own language files: $XDG_DATA_HOME/vireo/lang (~/.local/share/vireo/lang).
QString userLanguageFolder();

// The default first, then the shipped and the user's files by id; an id met twice is listed
// once (the shipped file wins). Files that cannot be read are left out.
QList<LanguageFile> languageFiles(const QString &programDir);

// The file of this id among languageFiles; nothing (an empty path) when there is none.
LanguageFile findLanguageFile(const QString &programDir, const QString &id);

} // namespace vireo
