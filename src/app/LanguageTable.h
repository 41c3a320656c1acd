#pragma once
// The language table: every user text of the window (captions, fonts, combo-box items, the
// texts of every dialog, help and status texts) read from "language.dat" at start-up.
#include <QHash>
#include <QString>

class QObject;

namespace vireo {

class LanguageTable {
public:
    // Reads the file (Shift-JIS bytes) and applies every line, in file order, to the controls
    // found by object name under root; texts of the stored kinds are kept for text().
    // Throws FileOpenError when the file cannot be opened and ConversionError when a font
    // size or character set is not a decimal integer.
    void load(const QString &path, QObject &root);

    // The stored text of this key (any letter case); empty when the file did not give it.
    QString text(const QString &key) const;

private:
    QHash<QString, QString> texts_; // keyed by the lower-case key
};

} // namespace vireo
