#include "app/gui/LanguageTable.h"

#include "app/LanguageFields.h"
#include "app/LanguageKeys.h"
#include "app/gui/Captions.h"
#include "seams/ConversionError.h"
#include "seams/FileOpenError.h"

#include <QFile>
#include <QFont>
#include <QStringDecoder>
#include <optional>
#include <stdexcept>

namespace vireo
{

namespace
{

QString qs(const std::u16string &text)
{
    return QString::fromStdU16String(text);
}

QString lowerKey(std::string_view key)
{
    return QString::fromLatin1(key.data(), qsizetype(key.size())).toLower();
}

} // namespace

void LanguageTable::load(const QString &path, QObject &root)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileOpenError(path.toStdString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileOpenError(path.toStdString());
    apply(decode(bytes), root, path);
}

QString LanguageTable::decode(const QByteArray &bytes)
{
    // A translator may write a language Shift-JIS cannot hold in UTF-8, marked by its BOM.
    static const QByteArray Utf8Bom("\xEF\xBB\xBF");
    if (bytes.startsWith(Utf8Bom))
        return QString::fromUtf8(bytes.mid(Utf8Bom.size()));
    // ICU's Shift_JIS is Microsoft's variant (fullwidth tilde, NEC and IBM extensions), the
    // one the file is written in.
    QStringDecoder decoder("Shift_JIS");
    if (!decoder.isValid())
        throw std::runtime_error("Qt has no Shift-JIS decoder here (Qt built without ICU)");
    return decoder(bytes);
}

void LanguageTable::apply(const QString &text, QObject &root, const QString &source)
{
    const std::u16string decoded = text.toStdU16String();
    LanguageRecord record;
    int lineNumber = 0;
    for (std::u16string_view line : splitLanguageLines(decoded)) {
        ++lineNumber;
        record.take(line);
        const LanguageKey *entry = findLanguageKey(record.key());
        if (!entry)
            continue;
        try {
            applyKey(*entry, record, root);
        } catch (const ConversionError &error) {
            const QString where = (source.isEmpty() ? QStringLiteral("language text") : source) +
                                  QStringLiteral(", line %1: ").arg(lineNumber);
            throw ConversionError(where.toStdString() + error.what());
        }
    }
}

void LanguageTable::applyKey(const LanguageKey &entry, const LanguageRecord &record, QObject &root)
{
    using K = LanguageKeyKind;
    // The font fields are converted before anything changes, so that a bad line has no effect.
    std::optional<FontFields> font;
    if (setsFont(entry.kind))
        font = fontFields(record);

    const QString text = qs(record.text());
    if (storesText(entry.kind))
        texts_.insert(lowerKey(entry.key), text);

    for (std::string_view name : entry.controls) {
        if (name.empty())
            continue;
        QObject *control = findControl(root, QString::fromLatin1(name.data(), qsizetype(name.size())));
        if (!control)
            continue;
        switch (entry.kind) {
        case K::C:
        case K::M:
        case K::SC:
            setCaption(control, text);
            break;
        case K::SX:
            setCaption(control, QString());
            break;
        case K::ML:
            setCaption(control, multiLineText(text));
            break;
        case K::I:
        case K::I0:
            setComboItem(control, entry.item, text);
            break;
        case K::S:
        case K::SF:
            break;
        }
        if (font)
            setControlFont(control, qs(font->name), font->pointSize, font->charset);
    }
}

QString LanguageTable::text(const QString &key) const
{
    return texts_.value(key.toLower());
}

QString multiLineText(const QString &text)
{
    return qs(multiLineCaption(text.toStdU16String()));
}

void installFontSubstitutions()
{
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ ＵＩ Ｇｏｔｈｉｃ"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("MS Gothic"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("MS UI Gothic"), QStringLiteral("IPAPGothic"));
}

} // namespace vireo
