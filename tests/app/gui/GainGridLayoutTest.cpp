// The layout builds every control of the gain grid once, of its kind, in its axis group.
#include "app/gui/layout/Layout.h"
#include "params/GainGrid.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace vireo::test
{
namespace
{

using layout::Control;
using layout::Kind;

TEST(GainGridLayout, EveryGridControlIsBuiltOnceWithItsKindInItsGroup)
{
    std::multimap<std::string, Control> rows;
    for (const auto &part :
         {layout::headerControls(), layout::overlayControls(), layout::parameterPageControls(),
          layout::statusPageControls(), layout::optionPageControls(), layout::updateAndResetPageControls()})
        for (const Control &c : part)
            rows.emplace(c.name, c);

    const auto expect = [&](const char *name, Kind kind, const char *parent) {
        ASSERT_EQ(rows.count(name), 1u) << name;
        const Control &c = rows.find(name)->second;
        EXPECT_EQ(c.kind, kind) << name;
        EXPECT_EQ(std::string(c.parent), parent) << name;
    };
    for (const GainGridAxis &axis : GainGrid) {
        expect(axis.group, Kind::GroupBox, "TabSheet2");
        expect(axis.standardHeading, Kind::Label, axis.group);
        expect(axis.unitHeading, Kind::Label, axis.group);
        for (const GainGridRow &row : axis.rows) {
            expect(row.label, Kind::Label, axis.group);
            expect(row.standard, Kind::StaticText, axis.group);
            expect(row.unit, Kind::StaticText, axis.group);
            expect(row.edit, Kind::Edit, axis.group);
            expect(row.spin, Kind::UpDown, axis.group);
            // A spin button's caption names the entry field it steps.
            EXPECT_EQ(std::string(rows.find(row.spin)->second.caption), row.edit) << row.spin;
        }
    }
}

} // namespace
} // namespace vireo::test
