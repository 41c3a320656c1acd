#include "params/GainGrid.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

namespace vireo
{
namespace
{

struct Column {
    const char *GainGridRow::*member;
    std::string_view prefix; // the object name tells the kind of control
};
constexpr Column Columns[] = {{&GainGridRow::label, "Label"},
                              {&GainGridRow::standard, "StaticText"},
                              {&GainGridRow::unit, "StaticText"},
                              {&GainGridRow::edit, "Edit"},
                              {&GainGridRow::spin, "UpDown"}};

bool named(const char *name, std::string_view prefix)
{
    return name != nullptr && std::string_view(name).starts_with(prefix) &&
           std::string_view(name).size() > prefix.size();
}

// A name given twice would make the layout build a second control under it and leave every
// look-up with the first one.
TEST(GainGrid, EveryRowOfEveryAxisNamesAControlOfItsKindAndNoNameIsGivenTwice)
{
    std::set<std::string_view> seen;
    const auto add = [&](const char *name, std::string_view prefix, const std::string &where) {
        ASSERT_TRUE(named(name, prefix)) << where;
        EXPECT_TRUE(seen.insert(name).second) << name << " given twice (" << where << ")";
    };
    for (int axis = 0; axis < AxisCount; ++axis) {
        const GainGridAxis &a = GainGrid[static_cast<std::size_t>(axis)];
        const std::string where = "axis " + std::to_string(axis);
        add(a.group, "", where + " group");
        add(a.standardHeading, "Label", where + " standard heading");
        add(a.unitHeading, "Label", where + " unit heading");
        for (int row = 0; row < LimitFieldCount; ++row)
            for (const Column &c : Columns)
                add(gainRow(axis, static_cast<LimitField>(row)).*c.member, c.prefix,
                    where + " row " + std::to_string(row) + " " + std::string(c.prefix));
    }
}

// Each row in use has a help group of its own; pointing at a hidden row's label shows none.
TEST(GainGrid, RowsInUseHaveDistinctHelpAndHiddenRowsNone)
{
    std::set<GainHelp> helps;
    for (int row = 0; row < LimitFieldCount; ++row) {
        if (row < GainRowsInUse) {
            ASSERT_TRUE(GainRowHelp[static_cast<std::size_t>(row)]) << row;
            EXPECT_TRUE(helps.insert(*GainRowHelp[static_cast<std::size_t>(row)]).second) << row;
        } else {
            EXPECT_FALSE(GainRowHelp[static_cast<std::size_t>(row)]) << row;
        }
    }
    EXPECT_EQ(helps.size(), static_cast<std::size_t>(GainHelpCount));
}

// The start-up hides every control of the hidden rows and nothing of the rows in use.
TEST(GainGrid, HiddenRowControlsAreExactlyThoseOfTheRowsNotInUse)
{
    const std::set<std::string_view> hidden(HiddenGainRowControls.begin(), HiddenGainRowControls.end());
    EXPECT_EQ(hidden.size(), HiddenGainRowControls.size());
    for (int axis = 0; axis < AxisCount; ++axis)
        for (int row = 0; row < LimitFieldCount; ++row)
            for (const Column &c : Columns) {
                const char *name = gainRow(axis, static_cast<LimitField>(row)).*c.member;
                EXPECT_EQ(hidden.count(name), row < GainRowsInUse ? 0u : 1u) << name;
            }
}

} // namespace
} // namespace vireo
