#include "app/LanguageFields.h"
#include "app/LanguageKeys.h"
#include "seams/ConversionError.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <set>

namespace vireo
{
namespace
{

using Fields = std::vector<std::u16string>;

struct SplitCase {
    const char *name;
    std::u16string line;
    Fields fields;
};

TEST(LanguageFields, SplitsLinesIntoFields)
{
    const SplitCase cases[] = {
        {"plain", u"ConnectButton,CONNECT", {u"ConnectButton", u"CONNECT"}},
        {"quoted comma stays in the text", u"ConnectButton,\"A,B\"", {u"ConnectButton", u"A,B"}},
        {"unquoted comma starts the font name", u"ConnectButton,A,B", {u"ConnectButton", u"A", u"B"}},
        {"doubled quote inside quotes", u"K,\"say \"\"hi\"\"\"", {u"K", u"say \"hi\""}},
        {"underscore shows as a space", u"K,P_gain", {u"K", u"P gain"}},
        {"spaces inside and next to commas stay", u"K, a b ,c", {u"K", u" a b ", u"c"}},
        {"space inside quotes", u"K,\"a b\"", {u"K", u"a b"}},
        {"tab separates like a comma", u"K\tText\tArial", {u"K", u"Text", u"Arial"}},
        {"tab before a comma is skipped", u"K\t,Text", {u"K", u"Text"}},
        {"leading control characters are skipped", u"\t\x01K,T", {u"K", u"T"}},
        {"two commas give an empty field", u"K,,Arial", {u"K", u"", u"Arial"}},
        {"comma at the very end gives an empty field", u"K,T,", {u"K", u"T", u""}},
        {"comma followed by a tab at the end gives none", u"K,T,\t", {u"K", u"T"}},
        {"empty line has no field", u"", {}},
        {"text right after a closing quote is a field of its own", u"K,\"a\"b", {u"K", u"a", u"b"}},
        {"unclosed quote runs to the end", u"K,\"abc", {u"K", u"abc"}},
        {"quote inside an unquoted field is kept", u"K,a\"b", {u"K", u"a\"b"}},
        {"empty quoted field", u"K,\"\",Arial", {u"K", u"", u"Arial"}},
        {"NUL ends the line", std::u16string(u"K,T\0,X", 6), {u"K", u"T"}},
        {"Japanese text and font",
         u"CPSAilronP,P ゲイン,ＭＳ Ｐゴシック,9,128",
         {u"CPSAilronP", u"P ゲイン", u"ＭＳ Ｐゴシック", u"9", u"128"}},
        {"more than ten fields are all returned",
         u"a,b,c,d,e,f,g,h,i,j,k,l",
         {u"a", u"b", u"c", u"d", u"e", u"f", u"g", u"h", u"i", u"j", u"k", u"l"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(splitLanguageFields(c.line), c.fields) << c.name;
}

TEST(LanguageFields, SplitsMultiLineTexts)
{
    const SplitCase cases[] = {
        {"two lines", u"one#two", {u"one", u"two"}},
        {"quoted hash stays", u"a#\"b#c\"", {u"a", u"b#c"}},
        {"comma is ordinary text", u"a,b#c", {u"a,b", u"c"}},
        {"trailing hash gives an empty last line", u"one#", {u"one", u""}},
        {"spaces kept, underscore shown as space", u"P gain#is_high", {u"P gain", u"is high"}},
        {"empty text has no line", u"", {}},
        {"more than ten parts are all kept",
         u"1#2#3#4#5#6#7#8#9#10#11#12",
         {u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"10", u"11", u"12"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(splitMultiLineText(c.line), c.fields) << c.name;

    EXPECT_EQ(multiLineCaption(u"one#two"), u"one\ntwo\n");
    EXPECT_EQ(multiLineCaption(u""), u"");
}

TEST(LanguageFields, SplitsFileIntoLines)
{
    using Lines = std::vector<std::u16string_view>;
    const struct {
        const char *name;
        std::u16string text;
        Lines lines;
    } cases[] = {
        {"mixed terminators", u"a\r\nb\nc\rd", {u"a", u"b", u"c", u"d"}},
        {"final terminator adds no line", u"a\r\n", {u"a"}},
        {"empty line in between", u"a\r\n\r\nb", {u"a", u"", u"b"}},
        {"CR then CR LF is two line ends", u"a\r\r\nb", {u"a", u"", u"b"}},
        {"LF CR is two line ends", u"a\n\rb", {u"a", u"", u"b"}},
        {"empty file", u"", {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(splitLanguageLines(c.text), c.lines) << c.name;
}

TEST(LanguageFields, RecordCarriesMissingFieldsFromThePreviousLine)
{
    LanguageRecord record;
    EXPECT_EQ(record.key(), u"");

    record.take(u"CPSLabel1,Title,Arial,12,0");
    record.take(u"CPSLabel2,Other");
    EXPECT_EQ(record.key(), u"CPSLabel2");
    EXPECT_EQ(record.text(), u"Other");
    EXPECT_EQ(record.field(3), u"Arial");
    EXPECT_EQ(record.field(4), u"12");
    EXPECT_EQ(record.field(5), u"0");

    // An empty line repeats the record before it.
    record.take(u"");
    EXPECT_EQ(record.key(), u"CPSLabel2");
    EXPECT_EQ(record.text(), u"Other");

    // An empty field given by the line replaces the earlier value.
    record.take(u"CPSLabel3,,,14");
    EXPECT_EQ(record.text(), u"");
    EXPECT_EQ(record.field(3), u"");
    EXPECT_EQ(record.field(4), u"14");
    EXPECT_EQ(record.field(5), u"0");

    // Fields beyond the tenth are dropped without disturbing the ten.
    record.take(u"a,b,c,d,e,f,g,h,i,j,k,l");
    EXPECT_EQ(record.field(10), u"j");
}

TEST(LanguageFields, ParsesDecimalFontFields)
{
    const struct {
        std::u16string text;
        int value;
    } good[] = {{u"9", 9},
                {u" 12", 12},
                {u"12 ", 12},
                {u"-3", -3},
                {u"+4", 4},
                {u"0128", 128},
                {u"2147483647", INT_MAX},
                {u"-2147483648", INT_MIN}};
    for (const auto &c : good)
        EXPECT_EQ(parseDecimalField(c.text, "font size"), c.value) << toUtf8(c.text);

    const std::u16string bad[] = {u"",
                                  u" ",
                                  u"-",
                                  u"abc",
                                  u"1.5",
                                  u"$10",
                                  u"0x10",
                                  u"1 2",
                                  u"2147483648",
                                  u"-2147483649",
                                  u"99999999999999999999",
                                  u"１２"};
    for (const auto &text : bad)
        EXPECT_THROW(parseDecimalField(text, "font size"), ConversionError) << toUtf8(text);
}

TEST(LanguageFields, BadFontFieldNamesTheKey)
{
    LanguageRecord record;
    record.take(u"CPSLabel1,Title,Arial,big,0");
    try {
        fontFields(record);
        FAIL() << "no ConversionError";
    } catch (const ConversionError &error) {
        EXPECT_NE(std::string(error.what()).find("'big'"), std::string::npos) << error.what();
        EXPECT_NE(std::string(error.what()).find("font size of CPSLabel1"), std::string::npos)
            << error.what();
    }

    // An empty character set is no number either, unless an earlier line left one there.
    LanguageRecord first;
    first.take(u"CPSLabel1,Title,Arial,9");
    EXPECT_THROW(fontFields(first), ConversionError);
    record.take(u"CPSLabel1,Title,Arial,9");
    EXPECT_EQ(fontFields(record).charset, 0);

    record.take(u"CPSLabel1,Title,ＭＳ Ｐゴシック,9,128");
    const FontFields font = fontFields(record);
    EXPECT_EQ(font.name, u"ＭＳ Ｐゴシック");
    EXPECT_EQ(font.pointSize, 9);
    EXPECT_EQ(font.charset, 128);
}

TEST(LanguageKeys, MatchIgnoringLetterCase)
{
    const struct {
        std::u16string key;
        const char *expected; // nullptr: unknown
    } cases[] = {
        {u"MenuFile", "MenuFile"},
        {u"menufile", "MenuFile"},
        {u"MENUFILEOPEN", "MenuFileOpen"},
        {u"cpswritingmessage", "CPSWritingMessage"},
        {u"MenuFileX", nullptr},
        {u"MenuFil", nullptr},
        {u"", nullptr},
        {u"ＭｅｎｕＦｉｌｅ", nullptr},
        {u"TabSheet9", nullptr},
    };
    for (const auto &c : cases) {
        const LanguageKey *entry = findLanguageKey(c.key);
        if (!c.expected) {
            EXPECT_EQ(entry, nullptr) << toUtf8(c.key);
        } else {
            ASSERT_NE(entry, nullptr) << toUtf8(c.key);
            EXPECT_EQ(entry->key, c.expected);
        }
    }
}

// The table holds the 248 shipped keys and those added since, each once, and every entry is complete for its
// kind: a stored-only key addresses nothing, a caption or font key exactly one control, and the combo keys of
// one set of boxes fill items 0, 1, 2, ... without gap, font and item 0 first.
TEST(LanguageKeys, TableIsCompleteAndConsistent)
{
    const auto keys = languageKeys();
    std::set<std::u16string> lowered;
    for (const auto &entry : keys) {
        std::u16string key;
        for (char c : entry.key)
            key += char16_t(std::tolower(static_cast<unsigned char>(c)));
        lowered.insert(key);
    }
    EXPECT_EQ(keys.size(), 379u);
    EXPECT_EQ(lowered.size(), keys.size());

    std::map<std::string_view, std::vector<int>> itemsByFirstCombo;
    for (const auto &entry : keys) {
        std::size_t named = 0;
        for (auto name : entry.controls)
            named += name.empty() ? 0 : 1;
        switch (entry.kind) {
        case LanguageKeyKind::S:
            EXPECT_EQ(named, 0u) << entry.key;
            break;
        case LanguageKeyKind::I:
        case LanguageKeyKind::I0:
            EXPECT_GE(named, 1u) << entry.key;
            for (auto name : entry.controls)
                EXPECT_TRUE(name.empty() || name.ends_with("ComboBox")) << entry.key;
            EXPECT_EQ(entry.kind == LanguageKeyKind::I0, entry.item == 0) << entry.key;
            itemsByFirstCombo[entry.controls[0]].push_back(entry.item);
            break;
        default:
            EXPECT_EQ(named, 1u) << entry.key;
            EXPECT_EQ(entry.item, -1) << entry.key;
        }
    }
    for (const auto &[combo, items] : itemsByFirstCombo) {
        for (std::size_t i = 0; i < items.size(); ++i)
            EXPECT_EQ(items[i], int(i)) << combo;
    }
}

} // namespace
} // namespace vireo
