// CONTROL PARAMETER SETTING (TabSheet2): the mode selector, one group per axis with a row
// per gain (label, standard value, unit value, entry field with spin button) and the help
// panel at the bottom.
#include "app/gui/layout/Layout.h"
#include "params/GainGrid.h"

#include <array>

namespace vireo::layout
{

namespace
{

// Captions and places of the axis groups; the object names come from the gain grid.
struct AxisGroup {
    const char *caption;
    int x;
    const char *ffCaption;
};

constexpr std::array<const char *, LimitFieldCount> RowCaptions = {
    "P ゲイン", "I ゲイン", "D ゲイン", "F.F ゲイン", "HLD ゲイン", "CTL ゲイン", "A.C ゲイン", "A.C レート"};

// [axis]
constexpr std::array<AxisGroup, AxisCount> Axes = {{
    {"Aileron", 8, "F.F ゲイン"},
    {"Elevator", 260, "F.F ゲイン"},
    {"Rudder", 512, "FF ゲイン"},
}};

// Columns inside an axis group.
constexpr int LabelX = 8, LabelW = 72;
constexpr int StandardX = 82, UnitX = 130, ValueW = 44;
constexpr int EditX = 178, EditW = 46, SpinW = 17;
constexpr int FirstRowY = 40, RowStep = 28, RowH = 21;
constexpr int GroupY = 108, GroupW = 246, GroupH = FirstRowY + GainRowsInUse * RowStep + 4;

} // namespace

std::vector<Control> parameterPageControls()
{
    std::vector<Control> rows = {
        {Kind::Label, "Label7", "TabSheet2", {10, 8, 400, 18}, "コントロールパラメータ設定", Title},
        {Kind::Label, "Label15", "TabSheet2", {10, 30, 560, 16}, "各軸のジャイロ制御ゲインを設定します。"},
        {Kind::Label,
         "Label64",
         "TabSheet2",
         {10, 48, 560, 32},
         "値を入力して WRITE でユニットに書き込みます。\nREAD でユニットの設定値を読み込みます。",
         WordWrap},
        {Kind::GroupBox, "ModeRadioGroup", "TabSheet2", {516, 48, 240, 50}, "MODE"},
        {Kind::RadioButton, "Mode0RadioButton", "ModeRadioGroup", {12, 22, 72, 20}, "MODE0", Checked},
        {Kind::RadioButton, "Mode1RadioButton", "ModeRadioGroup", {88, 22, 72, 20}, "MODE1"},
        {Kind::RadioButton, "ExtraRadioButton", "ModeRadioGroup", {164, 22, 72, 20}, "EXTRA"},
    };
    // The groups are sized to the rows in use; the window hides the others for the whole run.
    for (std::size_t a = 0; a < Axes.size(); ++a) {
        const AxisGroup &axis = Axes[a];
        const GainGridAxis &names = GainGrid[a];
        rows.push_back(
            {Kind::GroupBox, names.group, "TabSheet2", {axis.x, GroupY, GroupW, GroupH}, axis.caption});
        rows.push_back(
            {Kind::Label, names.standardHeading, names.group, {StandardX, 20, ValueW, 16}, "標準値", Centre});
        rows.push_back(
            {Kind::Label, names.unitHeading, names.group, {UnitX, 20, ValueW, 16}, "設定値", Centre});
        for (int i = 0; i < LimitFieldCount; ++i) {
            const GainGridRow &r = names.rows[static_cast<size_t>(i)];
            const int y = FirstRowY + i * RowStep;
            const char *caption = static_cast<LimitField>(i) == LimitField::FF
                                      ? axis.ffCaption
                                      : RowCaptions[static_cast<size_t>(i)];
            rows.push_back({Kind::Label, r.label, names.group, {LabelX, y, LabelW, RowH}, caption});
            rows.push_back({Kind::StaticText,
                            r.standard,
                            names.group,
                            {StandardX, y, ValueW, RowH},
                            "",
                            Sunken | Centre});
            rows.push_back(
                {Kind::StaticText, r.unit, names.group, {UnitX, y, ValueW, RowH}, "", Sunken | Centre});
            rows.push_back({Kind::Edit, r.edit, names.group, {EditX, y, EditW, RowH}, "0"});
            rows.push_back({Kind::UpDown, r.spin, names.group, {EditX + EditW, y, SpinW, RowH}, r.edit});
        }
    }
    const int helpY = GroupY + GroupH + 8;
    rows.push_back({Kind::Label, "Label68", "TabSheet2", {8, helpY, 749, 16}, "", Arial | Bold});
    // Where the help texts show, until a gain is pointed at: how to get them.
    rows.push_back({Kind::Label, "HelpHintLabel", "TabSheet2", {8, helpY, 749, 16}, ""});
    rows.push_back({Kind::Label, "Label69", "TabSheet2", {8, helpY + 20, 109, 65}, "", WordWrap});
    rows.push_back({Kind::Label, "Label67", "TabSheet2", {124, helpY + 20, 633, 69}, "", WordWrap | Arial});
    return rows;
}

} // namespace vireo::layout
