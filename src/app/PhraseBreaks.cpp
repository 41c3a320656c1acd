#include "app/PhraseBreaks.h"

#include <algorithm>

namespace vireo
{

namespace
{

enum class Class { Hiragana, Katakana, Kanji, Opening, Closing, Stop, Space, Other };

Class classOf(char16_t c)
{
    if (c == u' ' || c == u'\u3000' || c == u'\n' || c == u'\t')
        return Class::Space;
    if (c >= 0x3041 && c <= 0x309F)
        return Class::Hiragana;
    if ((c >= 0x30A0 && c <= 0x30FF) || (c >= 0xFF66 && c <= 0xFF9F))
        return Class::Katakana;
    if ((c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) || c == u'々' || c == u'〆')
        return Class::Kanji;
    switch (c) {
    case u'「':
    case u'『':
    case u'（':
    case u'【':
    case u'〔':
    case u'＜':
        return Class::Opening;
    case u'、':
    case u'。':
    case u'，':
    case u'．':
    case u'！':
    case u'？':
        return Class::Stop;
    case u'」':
    case u'』':
    case u'）':
    case u'】':
    case u'〕':
    case u'＞':
    case u'：':
        return Class::Closing;
    default:
        return Class::Other;
    }
}

bool japanese(Class c)
{
    return c != Class::Space && c != Class::Other;
}

// The one-character particles that end a phrase even between two kanji ("接続を確認").
bool particle(char16_t c)
{
    return std::u16string_view(u"をがにのはとでもへや").find(c) != std::u16string_view::npos;
}

// Whether a line may break between text[i - 1] and text[i].
bool breakAllowed(std::u16string_view text, std::size_t i)
{
    const Class a = classOf(text[i - 1]), b = classOf(text[i]);
    if (a == Class::Space || b == Class::Space)
        return true; // the ordinary rules decide there
    if (!japanese(a) && !japanese(b))
        return true; // not ours to decide
    if (a == Class::Stop || b == Class::Opening)
        return true;
    if (a == Class::Closing)
        return b != Class::Hiragana && b != Class::Stop; // a particle stays with its bracket
    // A phrase ends in hiragana (particle, verb ending); the next starts with anything else.
    if (a != Class::Hiragana || b == Class::Hiragana || b == Class::Stop || b == Class::Closing)
        return false;
    // The polite prefix stays with its word ("お待ち").
    if ((text[i - 1] == u'お' || text[i - 1] == u'ご') && b == Class::Kanji)
        return false;
    // One kana between kanji that is no particle belongs to a compound ("書き込み", "切り替え").
    const bool single = i < 2 || classOf(text[i - 2]) != Class::Hiragana;
    const bool afterKanji = i >= 2 && classOf(text[i - 2]) == Class::Kanji;
    return !(single && afterKanji && b == Class::Kanji && !particle(text[i - 1]));
}

} // namespace

std::u16string withPhraseBreaks(std::u16string_view text)
{
    std::u16string out;
    out.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i > 0 && !breakAllowed(text, i))
            out += WordJoiner;
        out += text[i];
    }
    return out;
}

std::u16string withoutJoiners(std::u16string_view text)
{
    std::u16string out(text);
    out.erase(std::remove(out.begin(), out.end(), WordJoiner), out.end());
    return out;
}

} // namespace vireo
