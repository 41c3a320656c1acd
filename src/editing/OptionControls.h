#pragma once
// The option controls of the mode selector and the option pages, as far as they are logic:
// what a control stores in the common block and the channel conflict rules. The control
// names are the display's tables (ParameterDisplay.h) and the dead-band codes the parameter
// set's, so that storing and showing read the same tables.
#include "params/ParameterDisplay.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace vireo
{

// A mode button shows the new mode set: standard values only while connected, then the
// working and unit values.
struct ModeSelectSteps {
    bool showDefaults = false;
    bool showParameters = true;
};
constexpr ModeSelectSteps modeSelectSteps(bool connected)
{
    return {connected, true};
}

constexpr std::int16_t checkBoxValue(bool checked)
{
    return checked ? 1 : 0;
}
// The E-ring box shows "in use"; the common block stores "off".
constexpr std::int16_t eRingOffValue(bool checked)
{
    return checked ? 0 : 1;
}

inline constexpr std::int16_t ThreeAxisMode = 0;
inline constexpr std::int16_t OneAxisMode = 1;

// Channel combo boxes store the item index; item 0 ("INH") is no channel and never conflicts.
inline constexpr int NoChannel = 0;

// The three gain channel boxes, in the order the condition channel is checked against them.
inline constexpr std::array<ComboField, 3> GainChannelCombos{{
    {CommonField::AilGainCh, "AilGainChComboBox"},
    {CommonField::EleGainCh, "EleGainChComboBox"},
    {CommonField::RudGainCh, "RudGainChComboBox"},
}};
inline constexpr ComboField ConditionChannelCombo{CommonField::CondCh, "CondSelChComboBox"};

struct ChannelChoice {
    bool accepted = true;
    std::string_view refusalKey; // language key of the error message when refused
};

// A new aileron, elevator or rudder gain channel against the condition channel shown now.
// Gain channels may share a channel with each other.
ChannelChoice gainChannelChoice(int newIndex, int conditionIndex);

// A new condition channel against the three gain channels shown now.
ChannelChoice conditionChannelChoice(int newIndex, const std::array<int, 3> &gainIndices);

} // namespace vireo
