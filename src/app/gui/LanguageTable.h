#pragma once
// The language table: every user text of the window (captions, fonts, combo-box items, the
// texts of every dialog, help and status texts) read from "language.dat" at start-up.
#include <QByteArray>
#include <QHash>
#include <QString>

class QObject;

namespace vireo
{

class LanguageRecord;
struct LanguageKey;

class LanguageTable
{
public:
    // Reads the file (Shift-JIS bytes, or UTF-8 after a byte-order mark) and applies every line, in file
    // order, to the controls found by object name under root; texts of the stored kinds are kept for text().
    // Throws FileOpenError when the file cannot be opened or read, and ConversionError (naming
    // the file and line) when a font size or character set is not a decimal integer.
    void load(const QString &path, QObject &root);

    // Applies already decoded file text; source names it in error messages.
    void apply(const QString &text, QObject &root, const QString &source = QString());

    // The stored text of this key (any letter case); empty when the file did not give it.
    QString text(const QString &key) const;

    // The file's bytes as text: Shift-JIS as Windows reads it (code page 932), or UTF-8 when
    // the bytes start with the UTF-8 byte-order mark (which is dropped).
    static QString decode(const QByteArray &bytes);

private:
    void applyKey(const LanguageKey &entry, const LanguageRecord &record, QObject &root);

    QHash<QString, QString> texts_; // keyed by the lower-case key
};

// The lines of a "#"-separated text, each followed by a line feed, as a multi-line caption
// (and the third help text of the context help) shows it.
QString multiLineText(const QString &text);

// Maps the Windows Japanese UI fonts that the language file names ("ＭＳ Ｐゴシック" and its
// relatives) to the installed IPA Gothic fonts. Call once, before the window is built.
void installFontSubstitutions();

} // namespace vireo
