#pragma once
// Which control shows which value of the parameter set, and the pure decisions of the display
// (selected mode set, receiver-kind repair, axis mode buttons). The window applies them.
#include "params/GainGrid.h"
#include "params/ParameterSet.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vireo
{

// Controls of one shown axis field: the edit (working value), the static text of the unit
// copy and the static text of the standard value.
struct FieldControls {
    std::string_view edit;
    std::string_view unit;
    std::string_view standard;
    std::string_view spin; // spin button of the edit
};

// [axis][row], rows in the order of ShownAxisFields (P, I, D, FF, HLD, CTL).
inline constexpr std::array<std::array<FieldControls, ShownAxisFields.size()>, AxisCount> AxisFieldControls =
    [] {
        std::array<std::array<FieldControls, ShownAxisFields.size()>, AxisCount> controls{};
        for (std::size_t axis = 0; axis < AxisCount; ++axis)
            for (std::size_t row = 0; row < ShownAxisFields.size(); ++row) {
                const GainGridRow &r = GainGrid[axis].rows[row];
                controls[axis][row] = {r.edit, r.unit, r.standard, r.spin};
            }
        return controls;
    }();

inline constexpr std::array<std::string_view, 4> DeadBandButtons = {"DB0RadioButton", "DB1RadioButton",
                                                                    "DB2RadioButton", "DB3RadioButton"};
inline constexpr std::array<std::string_view, 2> AxisModeButtons = {"AxisMode3AxisRadioButton",
                                                                    "AxisMode1AxisRadioButton"};
inline constexpr std::array<std::string_view, ModeSetCount> ModeSetButtons = {
    "Mode0RadioButton", "Mode1RadioButton", "ExtraRadioButton"};

// Controls that follow PirouUse (enabled exactly when it is 1).
inline constexpr std::array<std::string_view, 6> PirouDependentControls = {
    "PirouDirCheckBox", "Label63", "Label70", "PirouCheckButton", "PirouGainSetButton", "Edit25"};

// Combo boxes showing a common field as their item index, in the order they are set.
struct ComboField {
    CommonField field;
    std::string_view combo;
};
inline constexpr std::array<ComboField, 7> CommonCombos = {{
    {CommonField::AilGainCh, "AilGainChComboBox"},
    {CommonField::EleGainCh, "EleGainChComboBox"},
    {CommonField::RudGainCh, "RudGainChComboBox"},
    {CommonField::CondCh, "CondSelChComboBox"},
    {CommonField::AuxOutCh, "AuxOutComboBox"},
    {CommonField::SwashNeutral, "SwashNarrowComboBox"},
    {CommonField::RudNeutral, "RudNarrowComboBox"},
}};

namespace detail
{
// The controls of an axis group in the order they are switched: the group, its headings, the
// labels of the rows in use, then row by row entry field, unit and standard value, then the
// spin buttons.
constexpr std::array<std::string_view, 3 + 5 * GainRowsInUse> axisGroupControls(int axis)
{
    const GainGridAxis &a = GainGrid[static_cast<std::size_t>(axis)];
    std::array<std::string_view, 3 + 5 * GainRowsInUse> names{a.group, a.standardHeading, a.unitHeading};
    std::size_t n = 3;
    for (int row = 0; row < GainRowsInUse; ++row)
        names[n++] = a.rows[static_cast<std::size_t>(row)].label;
    for (int row = 0; row < GainRowsInUse; ++row) {
        const GainGridRow &r = a.rows[static_cast<std::size_t>(row)];
        for (const char *name : {r.edit, r.unit, r.standard})
            names[n++] = name;
    }
    for (int row = 0; row < GainRowsInUse; ++row)
        names[n++] = a.rows[static_cast<std::size_t>(row)].spin;
    return names;
}

template <std::size_t... N> constexpr auto joined(const std::array<std::string_view, N> &...parts)
{
    std::array<std::string_view, (N + ...)> all{};
    std::size_t n = 0;
    ((std::copy(parts.begin(), parts.end(), all.begin() + static_cast<std::ptrdiff_t>(n)), n += parts.size()),
     ...);
    return all;
}
} // namespace detail

// Everything that concerns the aileron and elevator axes; disabled in one-axis mode.
inline constexpr auto ThreeAxisControls = detail::joined(
    detail::axisGroupControls(Aileron), detail::axisGroupControls(Elevator),
    std::to_array<std::string_view>(
        {// gain control status: aileron and elevator groups
         "GroupBox2", "Label37", "StaticText15", "StaticText7", "Label38", "Label102", "Label39",
         "StaticText35", "StaticText81", "StaticText8", "GroupBox1", "Label40", "StaticText17",
         "StaticText24", "Label41", "Label103", "Label42", "StaticText38", "StaticText82", "StaticText16",
         // SETTING1
         "Label71", "Label72", "PirouGroup", "PirouUseCheckBox", "Label70", "PirouCheckButton",
         "PirouDirCheckBox", "Label73", "Label74", "ERingGroup", "ERingUseCheckBox",
         // SETTING2
         "Label48", "AilGainChComboBox", "Label36", "EleGainChComboBox", "SwashNeutGroup", "Label109",
         "SwashNarrowComboBox"}));

// Group boxes of the option pages whose controls show the common block.
inline constexpr std::array<std::string_view, 10> CommonBlockGroups = {
    "DBRadioGroup", "PirouGroup",     "ERingGroup",   "GainChGroup",       "CondSelChGroup",
    "AuxOutGroup",  "SwashNeutGroup", "RudNeutGroup", "RxKindSelectGroup", "AxisControlSelectGroupBox"};

// Group boxes whose caption turns grey when their axes are out of control.
inline constexpr std::array<std::string_view, 7> ThreeAxisGroupCaptions = {
    GainGrid[Aileron].group, GainGrid[Elevator].group, "GroupBox2", "GroupBox1", "PirouGroup", "ERingGroup",
    "SwashNeutGroup"};
inline constexpr std::uint32_t CaptionEnabledColour = 0x000000;
inline constexpr std::uint32_t CaptionDisabledColour = 0x808080;

// The mode set of the checked mode button (MODE0 when none is reported checked).
constexpr ModeSet selectedModeSet(bool mode1Checked, bool extraChecked)
{
    return extraChecked ? 2 : mode1Checked ? 1 : 0;
}

// The receiver kind item to show; a value beyond the items (taken unsigned, so -1 too) shows
// the first item and is repaired to 0 in the working values.
struct RxKindShown {
    int item;
    bool repaired;
};
constexpr RxKindShown rxKindShown(std::int16_t value, int itemCount)
{
    const auto u = static_cast<std::uint16_t>(value);
    if (itemCount <= 0 || u > itemCount - 1)
        return {0, true};
    return {u, false};
}

// Axis mode radio button for a value: 0 three-axis, 1 one-axis, -1 neither.
constexpr int axisModeButton(std::int16_t v)
{
    return v == 0 ? 0 : v == 1 ? 1 : -1;
}

} // namespace vireo
