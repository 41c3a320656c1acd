#pragma once
// Line breaks of Japanese text at the ends of phrases. Left to itself, a wrapping label breaks
// Japanese between any two characters ("ケー" / "ブル"); a reader expects the break after a
// phrase: after the particle or ending in hiragana that closes it, after "、" or "。", before
// an opening bracket. withPhraseBreaks puts a WORD JOINER (U+2060, invisible, no break on
// either side) between every other pair of characters where a Japanese character takes part;
// text of other scripts is left as it is.
#include <string>
#include <string_view>

namespace vireo
{

inline constexpr char16_t WordJoiner = u'\u2060';

std::u16string withPhraseBreaks(std::u16string_view text);

// The text without the joiners withPhraseBreaks put in.
std::u16string withoutJoiners(std::u16string_view text);

} // namespace vireo
