#include "editing/OptionControls.h"

#include <gtest/gtest.h>

namespace vireo
{
namespace
{

enum Channel { INH = 0, GEAR = 1, AUX2 = 2, AUX3 = 3, AUX11 = 11 };

TEST(ChannelConflictTest, GainAndConditionChannelsNeverShareARealChannel)
{
    struct Case {
        const char *what;
        bool condition; // the condition box changed, else a gain box
        int chosen;
        int condition_shown;
        std::array<int, 3> gains_shown; // aileron, elevator, rudder
        bool accepted;
        std::string_view key;
    };
    const Case cases[] = {
        {"rudder AUX3 against condition AUX3",
         false,
         AUX3,
         AUX3,
         {INH, INH, GEAR},
         false,
         "GASChErrorMessage1"},
        {"rudder INH against condition INH", false, INH, INH, {INH, INH, AUX3}, true, ""},
        {"aileron AUX2 beside elevator AUX2", false, AUX2, GEAR, {INH, AUX2, INH}, true, ""},
        {"condition box showing no item", false, AUX11, -1, {INH, INH, INH}, true, ""},
        {"condition GEAR against aileron GEAR",
         true,
         GEAR,
         INH,
         {GEAR, INH, INH},
         false,
         "GASChErrorMessage2"},
        {"condition AUX11 against rudder AUX11",
         true,
         AUX11,
         INH,
         {INH, INH, AUX11},
         false,
         "GASChErrorMessage2"},
        {"condition INH with gains at INH", true, INH, AUX2, {INH, INH, INH}, true, ""},
        {"condition AUX2 free", true, AUX2, INH, {GEAR, AUX3, AUX11}, true, ""},
    };
    for (const Case &c : cases) {
        const ChannelChoice choice = c.condition ? conditionChannelChoice(c.chosen, c.gains_shown)
                                                 : gainChannelChoice(c.chosen, c.condition_shown);
        EXPECT_EQ(choice.accepted, c.accepted) << c.what;
        EXPECT_EQ(choice.refusalKey, c.key) << c.what;
    }
}

TEST(CheckBoxTest, ERingBoxStoresTheInverse)
{
    EXPECT_EQ(eRingOffValue(true), 0);
    EXPECT_EQ(eRingOffValue(false), 1);
    EXPECT_EQ(checkBoxValue(true), 1);
    EXPECT_EQ(checkBoxValue(false), 0);
}

} // namespace
} // namespace vireo
