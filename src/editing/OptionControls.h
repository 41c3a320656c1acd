#pragma once
// The option controls of the mode selector and the option pages, as far as they are logic:
// what each control stores in the common block, the dead-band coding by unit kind, the
// channel conflict rules, and which controls follow the pirouette check box.
#include "params/ParameterSet.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vireo
{

// ---- Mode selector ----------------------------------------------------------------------

inline constexpr std::array<std::string_view, 3> ModeRadioButtons{"Mode0RadioButton", "Mode1RadioButton",
                                                                  "ExtraRadioButton"};

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

// ---- Dead band ---------------------------------------------------------------------------

inline constexpr std::array<std::string_view, 4> DeadBandRadioButtons{"DB0RadioButton", "DB1RadioButton",
                                                                      "DB2RadioButton", "DB3RadioButton"};

// The codes themselves (per unit kind) are deadBandCode / deadBandButton of the parameter set.

// ---- Check boxes ---------------------------------------------------------------------------

constexpr std::int16_t checkBoxValue(bool checked)
{
    return checked ? 1 : 0;
}
// The E-ring box shows "in use"; the common block stores "off".
constexpr std::int16_t eRingOffValue(bool checked)
{
    return checked ? 0 : 1;
}

// Controls enabled exactly while the pirouette "use" box is checked.
inline constexpr std::array<std::string_view, 6> PirouetteDependentControls{
    "PirouDirCheckBox", "Label63", "Edit25", "Label70", "PirouCheckButton", "PirouGainSetButton"};

// ---- Channels ------------------------------------------------------------------------------

// Items of the five channel combo boxes; the stored value is the item index. The language
// table may rename them but never reorder them.
inline constexpr std::array<std::string_view, ChannelItemCount> ChannelItems{
    "INH", "GEAR", "AUX2", "AUX3", "AUX4", "AUX5", "AUX6", "AUX7", "AUX8", "AUX9", "AUX10", "AUX11"};
inline constexpr int NoChannel = 0;

// Servo neutral items (microseconds) and receiver kinds.
inline constexpr std::array<std::string_view, 2> NeutralItems{"1500", "760"};
inline constexpr std::array<std::string_view, 3> RxKindItems{"HORQ リモートアンテナ", "TELV MODE.A",
                                                             "TELV MODE.B"};

struct ChannelChoice {
    bool accepted = true;
    std::string_view refusalKey; // language key of the error message when refused
};

// A new aileron, elevator or rudder gain channel against the condition channel shown now.
// Gain channels may share a channel with each other; "INH" never conflicts.
ChannelChoice gainChannelChoice(int newIndex, int conditionIndex);

// A new condition channel against the three gain channels shown now.
ChannelChoice conditionChannelChoice(int newIndex, const std::array<int, 3> &gainIndices);

// ---- Axis mode -------------------------------------------------------------------------------

inline constexpr std::array<std::string_view, 2> AxisModeRadioButtons{"AxisMode3AxisRadioButton",
                                                                      "AxisMode1AxisRadioButton"};
inline constexpr std::int16_t ThreeAxisMode = 0;
inline constexpr std::int16_t OneAxisMode = 1;

} // namespace vireo
