#include "params/ParameterDisplay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace vireo
{
namespace
{

TEST(ParameterDisplay, ReceiverKindOutsideTheListIsRepaired)
{
    struct Case {
        std::int16_t value;
        int item;
        bool repaired;
    };
    const Case cases[] = {{0, 0, false}, {2, 2, false}, {3, 0, true}, {-1, 0, true}, {-32768, 0, true}};
    for (const auto &c : cases) {
        const RxKindShown shown = rxKindShown(c.value, 3);
        EXPECT_EQ(shown.item, c.item) << c.value;
        EXPECT_EQ(shown.repaired, c.repaired) << c.value;
    }
    EXPECT_TRUE(rxKindShown(0, 0).repaired) << "an empty list shows nothing valid";
}

TEST(ParameterDisplay, AxisModeAndModeSetButtons)
{
    EXPECT_EQ(axisModeButton(0), 0);
    EXPECT_EQ(axisModeButton(1), 1);
    EXPECT_EQ(axisModeButton(2), -1);
    EXPECT_EQ(axisModeButton(-1), -1);
    EXPECT_EQ(selectedModeSet(false, false), 0);
    EXPECT_EQ(selectedModeSet(true, false), 1);
    EXPECT_EQ(selectedModeSet(false, true), 2);
}

// The one-axis switch must reach every aileron and elevator value control and no rudder one.
TEST(ParameterDisplay, ThreeAxisListCoversAileronAndElevatorControlsOnly)
{
    const std::set<std::string_view> list(ThreeAxisControls.begin(), ThreeAxisControls.end());
    EXPECT_EQ(list.size(), ThreeAxisControls.size()) << "no control listed twice";
    for (int axis = 0; axis < AxisCount; ++axis)
        for (const auto &row : AxisFieldControls[axis])
            for (std::string_view name : {row.edit, row.unit, row.standard})
                EXPECT_EQ(list.count(name), axis == Rudder ? 0u : 1u) << name;
    for (std::string_view group : ThreeAxisGroupCaptions)
        EXPECT_EQ(list.count(group), 1u) << group;
}

} // namespace
} // namespace vireo
