#pragma once
// Which control shows which value of the parameter set, and the pure decisions of the display
// (selected mode set, receiver-kind repair, axis mode buttons). The window applies them.
#include "params/ParameterSet.h"

#include <array>
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
    {{
        {{{"Edit1", "StaticText1", "StaticText26", "UpDown1"},
          {"Edit2", "StaticText2", "StaticText30", "UpDown2"},
          {"Edit3", "StaticText3", "StaticText31", "UpDown3"},
          {"Edit4", "StaticText4", "StaticText45", "UpDown4"},
          {"Edit5", "StaticText5", "StaticText46", "UpDown5"},
          {"Edit9", "StaticText9", "StaticText47", "UpDown9"}}},
        {{{"Edit10", "StaticText10", "StaticText50", "UpDown10"},
          {"Edit11", "StaticText11", "StaticText51", "UpDown11"},
          {"Edit12", "StaticText12", "StaticText52", "UpDown12"},
          {"Edit13", "StaticText13", "StaticText53", "UpDown13"},
          {"Edit14", "StaticText14", "StaticText54", "UpDown14"},
          {"Edit18", "StaticText18", "StaticText55", "UpDown18"}}},
        {{{"Edit19", "StaticText19", "StaticText58", "UpDown19"},
          {"Edit20", "StaticText20", "StaticText59", "UpDown20"},
          {"Edit21", "StaticText21", "StaticText60", "UpDown21"},
          {"Edit22", "StaticText22", "StaticText61", "UpDown22"},
          {"Edit23", "StaticText23", "StaticText62", "UpDown23"},
          {"Edit27", "StaticText27", "StaticText63", "UpDown27"}}},
    }};

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

// Everything that concerns the aileron and elevator axes; disabled in one-axis mode.
inline constexpr auto ThreeAxisControls = std::to_array<std::string_view>(
    {// aileron group
     "AilGroupBox", "Label56", "Label57", "Label1", "Label2", "Label3", "Label4", "Label5", "Label9", "Edit1",
     "StaticText1", "StaticText26", "Edit2", "StaticText2", "StaticText30", "Edit3", "StaticText3",
     "StaticText31", "Edit4", "StaticText4", "StaticText45", "Edit5", "StaticText5", "StaticText46", "Edit9",
     "StaticText9", "StaticText47", "UpDown1", "UpDown2", "UpDown3", "UpDown4", "UpDown5", "UpDown9",
     // elevator group
     "EleGroupBox", "Label58", "Label59", "Label10", "Label11", "Label12", "Label13", "Label14", "Label18",
     "Edit10", "StaticText10", "StaticText50", "Edit11", "StaticText11", "StaticText51", "Edit12",
     "StaticText12", "StaticText52", "Edit13", "StaticText13", "StaticText53", "Edit14", "StaticText14",
     "StaticText54", "Edit18", "StaticText18", "StaticText55", "UpDown10", "UpDown11", "UpDown12", "UpDown13",
     "UpDown14", "UpDown18",
     // gain control status: aileron and elevator groups
     "GroupBox2", "Label37", "StaticText15", "StaticText7", "Label38", "Label102", "Label39", "StaticText35",
     "StaticText81", "StaticText8", "GroupBox1", "Label40", "StaticText17", "StaticText24", "Label41",
     "Label103", "Label42", "StaticText38", "StaticText82", "StaticText16",
     // SETTING1
     "Label71", "Label72", "PirouGroup", "PirouUseCheckBox", "Label70", "PirouCheckButton",
     "PirouDirCheckBox", "Label73", "Label74", "ERingGroup", "ERingUseCheckBox",
     // SETTING2
     "Label48", "AilGainChComboBox", "Label36", "EleGainChComboBox", "SwashNeutGroup", "Label109",
     "SwashNarrowComboBox"});

// Group boxes of the option pages whose controls show the common block.
inline constexpr std::array<std::string_view, 10> CommonBlockGroups = {
    "DBRadioGroup", "PirouGroup",     "ERingGroup",   "GainChGroup",       "CondSelChGroup",
    "AuxOutGroup",  "SwashNeutGroup", "RudNeutGroup", "RxKindSelectGroup", "AxisControlSelectGroupBox"};

// Group boxes whose caption turns grey when their axes are out of control.
inline constexpr std::array<std::string_view, 7> ThreeAxisGroupCaptions = {
    "AilGroupBox", "EleGroupBox", "GroupBox2", "GroupBox1", "PirouGroup", "ERingGroup", "SwashNeutGroup"};
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
