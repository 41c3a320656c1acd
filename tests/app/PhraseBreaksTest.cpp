// Japanese line breaks at the ends of phrases.
#include "app/PhraseBreaks.h"

#include <gtest/gtest.h>

namespace vireo
{
namespace
{

// The text with "|" where a line may break between two characters of Japanese.
std::u16string breaks(std::u16string_view text)
{
    const std::u16string joined = withPhraseBreaks(text);
    std::u16string out;
    for (std::size_t i = 0; i < joined.size(); ++i) {
        if (joined[i] == WordJoiner)
            continue;
        const bool japanese =
            joined[i] > 0x7F || (i > 0 && joined[i - 1] > 0x7F && joined[i - 1] != WordJoiner);
        if (!out.empty() && joined[i - 1] != WordJoiner && japanese)
            out += u'|';
        out += joined[i];
    }
    return out;
}

TEST(PhraseBreaks, JapaneseBreaksOnlyAfterAPhrase)
{
    const struct {
        std::u16string_view text, expected;
    } cases[] = {
        {u"USBケーブルの接続を確認してください。", u"USBケーブルの|接続を|確認してください。"},
        {u"書き込み中。しばらくお待ちください。",
         u"書き込み中。|しばらくお待ちください。"}, // a compound stays whole
        {u"設定値を切り替えます", u"設定値を|切り替えます"},
        {u"「%1」を読み込めませんでした。", u"「%1」を|読み込めませんでした。"},
        {u"もう一度CONNECTを押してください", u"もう|一度CONNECTを|押してください"},
        {u"補正ゲイン(0-100)", u"補正ゲイン(0-100)"},
        {u"ユニット、ケーブル", u"ユニット、|ケーブル"},
        {u"READ reads the values", u"READ reads the values"}, // left to the ordinary rules
        {u"", u""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(breaks(c.text), c.expected);
}

TEST(PhraseBreaks, JoinersComeOutAgain)
{
    const std::u16string text = u"ユニットの電源を確認して、もう一度CONNECTを押してください。";
    EXPECT_EQ(withoutJoiners(withPhraseBreaks(text)), text);
    EXPECT_EQ(withPhraseBreaks(u"Check the cable."), u"Check the cable.");
}

} // namespace
} // namespace vireo
