// CONTROL PARAMETER SETTING (TabSheet2): the mode selector, one group per axis with a row
// per gain (label, standard value, unit value, entry field with spin button) and the help
// panel at the bottom.
#include "app/layout/Layout.h"

#include <array>

namespace vireo::layout
{

namespace
{

struct GainRow {
    const char *label, *standard, *unit, *edit, *spin;
};

struct AxisGroup {
    const char *group, *caption, *standardHeading, *unitHeading;
    int x;
    const char *ffCaption;
    std::array<GainRow, 8> rows; // P, I, D, F.F, HLD, CTL, A.C gain, A.C rate
};

constexpr std::array<const char *, 8> RowCaptions = {"P ゲイン",   "I ゲイン",   "D ゲイン",   "F.F ゲイン",
                                                     "HLD ゲイン", "CTL ゲイン", "A.C ゲイン", "A.C レート"};

// The window hides the A.C rows at start-up for the whole run; the groups are sized to the
// six rows in use.
constexpr int VisibleRows = 6;

constexpr std::array<AxisGroup, 3> Axes = {{
    {"AilGroupBox",
     "Aileron",
     "Label56",
     "Label57",
     8,
     "F.F ゲイン",
     {{{"Label1", "StaticText26", "StaticText1", "Edit1", "UpDown1"},
       {"Label2", "StaticText30", "StaticText2", "Edit2", "UpDown2"},
       {"Label3", "StaticText31", "StaticText3", "Edit3", "UpDown3"},
       {"Label4", "StaticText45", "StaticText4", "Edit4", "UpDown4"},
       {"Label5", "StaticText46", "StaticText5", "Edit5", "UpDown5"},
       {"Label9", "StaticText47", "StaticText9", "Edit9", "UpDown9"},
       {"Label90", "StaticText48", "StaticText42", "Edit6", "UpDown6"},
       {"Label91", "StaticText49", "StaticText43", "Edit7", "UpDown7"}}}},
    {"EleGroupBox",
     "Elevator",
     "Label58",
     "Label59",
     260,
     "F.F ゲイン",
     {{{"Label10", "StaticText50", "StaticText10", "Edit10", "UpDown10"},
       {"Label11", "StaticText51", "StaticText11", "Edit11", "UpDown11"},
       {"Label12", "StaticText52", "StaticText12", "Edit12", "UpDown12"},
       {"Label13", "StaticText53", "StaticText13", "Edit13", "UpDown13"},
       {"Label14", "StaticText54", "StaticText14", "Edit14", "UpDown14"},
       {"Label18", "StaticText55", "StaticText18", "Edit18", "UpDown18"},
       {"Label92", "StaticText57", "StaticText44", "Edit8", "UpDown8"},
       {"Label93", "StaticText64", "StaticText56", "Edit15", "UpDown15"}}}},
    {"RudGroupBox",
     "Rudder",
     "Label60",
     "Label61",
     512,
     "FF ゲイン",
     {{{"Label19", "StaticText58", "StaticText19", "Edit19", "UpDown19"},
       {"Label20", "StaticText59", "StaticText20", "Edit20", "UpDown20"},
       {"Label21", "StaticText60", "StaticText21", "Edit21", "UpDown21"},
       {"Label22", "StaticText61", "StaticText22", "Edit22", "UpDown22"},
       {"Label23", "StaticText62", "StaticText23", "Edit23", "UpDown23"},
       {"Label27", "StaticText63", "StaticText27", "Edit27", "UpDown27"},
       {"Label94", "StaticText73", "StaticText65", "Edit32", "UpDown32"},
       {"Label95", "StaticText74", "StaticText72", "Edit16", "UpDown16"}}}},
}};

// Columns inside an axis group.
constexpr int LabelX = 8, LabelW = 72;
constexpr int StandardX = 82, UnitX = 130, ValueW = 44;
constexpr int EditX = 178, EditW = 46, SpinW = 17;
constexpr int FirstRowY = 40, RowStep = 28, RowH = 21;
constexpr int GroupY = 108, GroupW = 246, GroupH = FirstRowY + VisibleRows * RowStep + 4;

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
    for (const AxisGroup &axis : Axes) {
        rows.push_back(
            {Kind::GroupBox, axis.group, "TabSheet2", {axis.x, GroupY, GroupW, GroupH}, axis.caption});
        rows.push_back(
            {Kind::Label, axis.standardHeading, axis.group, {StandardX, 20, ValueW, 16}, "標準値", Centre});
        rows.push_back(
            {Kind::Label, axis.unitHeading, axis.group, {UnitX, 20, ValueW, 16}, "設定値", Centre});
        for (int i = 0; i < static_cast<int>(axis.rows.size()); ++i) {
            const GainRow &r = axis.rows[static_cast<size_t>(i)];
            const int y = FirstRowY + i * RowStep;
            const char *caption = i == 3 ? axis.ffCaption : RowCaptions[static_cast<size_t>(i)];
            rows.push_back({Kind::Label, r.label, axis.group, {LabelX, y, LabelW, RowH}, caption});
            rows.push_back({Kind::StaticText,
                            r.standard,
                            axis.group,
                            {StandardX, y, ValueW, RowH},
                            "",
                            Sunken | Centre});
            rows.push_back(
                {Kind::StaticText, r.unit, axis.group, {UnitX, y, ValueW, RowH}, "", Sunken | Centre});
            rows.push_back({Kind::Edit, r.edit, axis.group, {EditX, y, EditW, RowH}, "0"});
            rows.push_back({Kind::UpDown, r.spin, axis.group, {EditX + EditW, y, SpinW, RowH}, r.edit});
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
