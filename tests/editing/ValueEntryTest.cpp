#include "editing/ValueEntry.h"
#include "editing/EntryFields.h"

#include <gtest/gtest.h>

namespace vireo
{
namespace
{

// One row per entry left by the user: where it goes, what ends up stored and whether the
// error dialog with which limit comes first.
struct EntryCase {
    const char *name;
    std::string_view edit;
    int modeSet;
    std::string_view text;
    std::int16_t fallback;
    bool pirouette;
    int axis;
    AxisField field;
    std::int16_t stored;
    bool dialog;
    std::int32_t limit;
};

const EntryCase EntryCases[] = {
    {"AileronPAtLimit", "Edit1", 0, "5000", 11, false, 0, AxisField::P, 5000, false, 5000},
    {"AileronPOverLimit", "Edit1", 0, "5001", 11, false, 0, AxisField::P, 11, true, 5000},
    {"ElevatorDModeSet1", "Edit12", 1, "1234", 0, false, 1, AxisField::D, 1234, false, 5000},
    {"RudderPWouldWrapIntoRange", "Edit19", 0, "70000", 42, false, 2, AxisField::P, 42, true, 32767},
    {"RudderPWouldWrapToZero", "Edit19", 2, "65536", 42, false, 2, AxisField::P, 42, true, 32767},
    {"RudderPAtLimit", "Edit19", 0, "32767", 42, false, 2, AxisField::P, 32767, false, 32767},
    {"Int32MaxIsOverLimitNotUnreadable", "Edit20", 0, "2147483647", 3, false, 2, AxisField::I, 3, true,
     32767},
    {"BeyondInt32IsUnreadable", "Edit20", 0, "2147483648", 3, false, 2, AxisField::I, 3, false, 32767},
    {"NegativeFallsBackSilently", "Edit2", 0, "-5", 17, false, 0, AxisField::I, 17, false, 5000},
    {"TrailingLetterFallsBackSilently", "Edit2", 0, "12a", 17, false, 0, AxisField::I, 17, false, 5000},
    {"BlankInsideIsUnreadable", "Edit3", 0, " 5", 9, false, 0, AxisField::D, 9, false, 5000},
    {"LeadingZerosDropped", "Edit13", 0, "007", 0, false, 1, AxisField::FF, 7, false, 60},
    {"ElevatorFFOverLimit", "Edit13", 1, "61", 8, false, 1, AxisField::FF, 8, true, 60},
    {"RudderFFWideRange", "Edit22", 0, "20000", 0, false, 2, AxisField::FF, 20000, false, 32767},
    {"HoldGainLimit", "Edit23", 0, "21", 5, false, 2, AxisField::HLD, 5, true, 20},
    {"ControlGainSkipsCarriedWords", "Edit27", 2, "1000", 0, false, 2, AxisField::CTL, 1000, false, 1000},
    {"HiddenACRateHasLimit", "Edit16", 0, "61", 1, false, 2, AxisField::ACR, 1, true, 60},
    {"PirouetteGainOverLimit", "Edit25", 1, "150", 30, true, 0, AxisField::P, 30, true, 100},
    {"PirouetteGainAtLimit", "Edit25", 0, "100", 30, true, 0, AxisField::P, 100, false, 100},
    {"PirouetteGainUnreadable", "Edit25", 0, "abc", 30, true, 0, AxisField::P, 30, false, 100},
};

class EntryTest : public ::testing::TestWithParam<EntryCase>
{
};

TEST_P(EntryTest, LeavingFieldStoresCheckedValue)
{
    const EntryCase &c = GetParam();
    const MaxTable limits;
    const std::optional<EntryTarget> target = entryTarget(c.edit, c.modeSet, limits);
    ASSERT_TRUE(target);
    EXPECT_EQ(target->pirouetteGain, c.pirouette);
    if (!c.pirouette) {
        EXPECT_EQ(target->axis, c.axis);
        EXPECT_EQ(target->modeSet, c.modeSet);
        EXPECT_EQ(target->field, c.field);
    }
    EXPECT_EQ(target->limit, c.limit);

    const EntryResult result = checkEntry(c.text, target->limit, c.fallback);
    EXPECT_EQ(result.value, c.stored);
    EXPECT_EQ(result.overLimit, c.dialog);
}

INSTANTIATE_TEST_SUITE_P(Fields, EntryTest, ::testing::ValuesIn(EntryCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(EntryFieldsTest, EveryGainFieldIsFoundByEditAndOtherNamesAreNot)
{
    for (const GainEntryField &f : GainEntryFields)
        EXPECT_EQ(gainFieldByEdit(f.edit)->upDown, f.upDown) << f.edit;
    EXPECT_FALSE(entryTarget("Edit24", 0, MaxTable{}));
    EXPECT_FALSE(gainFieldByEdit("Edit25"));
}

TEST(EntryTextTest, ErrorTextAddsLimitOnSecondLine)
{
    EXPECT_EQ(entryErrorText("Out of range", 5000), "Out of range\n(0-5000)");
    EXPECT_EQ(entryErrorText("", 100), "\n(0-100)");
}

TEST(EntryTextTest, FieldShowsStoredValueInPlainDecimal)
{
    EXPECT_EQ(entryText(32767), "32767");
    EXPECT_EQ(entryText(-3), "-3");
}

TEST(EntryTextTest, EmptiedFieldShowsZero)
{
    EXPECT_EQ(textAfterChange(""), "0");
    EXPECT_EQ(textAfterChange("0"), "0");
    EXPECT_EQ(textAfterChange("12"), "12");
}

TEST(TypingFilterTest, DigitsAndKeysPassPrintableCharactersDoNot)
{
    struct Case {
        char32_t c;
        bool passes;
    };
    const Case cases[] = {
        {U'0', true},  {U'9', true},       {BackspaceChar, true}, {U'\x16', true}, // Ctrl+V
        {U'a', false}, {U'-', false},      {U' ', false},         {U'+', false},
        {U'.', false}, {U'\uFF11', false}, // full-width digit one
    };
    for (const Case &c : cases)
        EXPECT_EQ(typedCharPasses(c.c), c.passes) << static_cast<unsigned>(c.c);
}

TEST(MaxTableTest, AllModeSetsShareTheLimits)
{
    const MaxTable table;
    for (int axis = 0; axis < AxisCount; ++axis)
        for (int row = 0; row < LimitFieldCount; ++row)
            for (int mode = 1; mode < ModeSetCount; ++mode)
                EXPECT_EQ(table.limit(axis, LimitField(row), mode), table.limit(axis, LimitField(row), 0));
}

} // namespace
} // namespace vireo
