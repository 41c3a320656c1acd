#pragma once
// Identification of the attached unit: its kind from the UPVER answer, its firmware version
// from the VER answer, and the shape of the main window that kind and version call for.
// The decision is pure; the window applies the resulting effects in order.
#include "link/SerialLink.h"
#include "link/Version.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vireo
{

// One step of shaping the window after identification, named by the layout's control names.
enum class ShapeAction {
    Show,
    Hide,
    Enable,
    Disable,
    SetTextKey,            // control shows the language text `arg`
    SetText,               // control shows `arg` as it stands
    SelectFirstItem,       // combo box selects its first item
    ActivatePage,          // control is a tab page: make it the active page of its page control
    CheckInsteadIfChecked, // if control (a radio button) is checked, check `arg` instead
    ErrorBox,              // modal error box with the language text `arg`
    ReadAllDefaults,       // read the standard values and the common block from the unit
};

struct ShapeStep {
    ShapeAction action;
    std::string control; // empty for ErrorBox and ReadAllDefaults
    std::string arg;

    bool operator==(const ShapeStep &) const = default;
};

// Every control a shape step can name, by what the step does with it. The window finds these
// once when it is built, so a step can only ever address a control that exists.
// Shown, hidden, enabled, disabled or made the active page:
// clang-format off
inline constexpr std::string_view ShapeWidgets[] = {
    "TabSheet2", "TabSheet3", "TabSheet4", "TabSheet5", "TabSheet6", "TabSheet7", "TabSheet8", "TabSheet9",
    "LEDGreenImage", "ResHeliSelectGroupBox", "StaticText32", "StaticText39", "StaticText40",
    "StaticText66", "StaticText67", "StaticText68", "StaticText69", "StaticText70", "StaticText71",
    "Label75", "Label76", "Label77", "Label78", "Label79", "Label80", "DBRadioGroup", "DB0RadioButton",
    "DB1RadioButton", "DB2RadioButton", "DB3RadioButton", "PirouGroup", "PirouUseCheckBox",
    "PirouDirCheckBox", "PirouCheckButton", "Label63", "Label70", "Edit25", "PirouGainSetButton",
    "ERingGroup", "ERingUseCheckBox", "AxisControlSelectGroupBox", "Label105", "Label106",
    "AxisMode3AxisRadioButton", "AxisMode1AxisRadioButton", "ExtraRadioButton", "CondSelChComboBox",
    "Label108", "SwashNarrowComboBox", "Label109"};
// clang-format on
// Given a text; made to select their first item; checked instead of another:
inline constexpr std::string_view ShapeLabels[] = {"Label35", "Label70", "Label83"};
inline constexpr std::string_view ShapeComboBoxes[] = {"ResHeliSelectComboBox"};
inline constexpr std::string_view ShapeButtons[] = {"ExtraRadioButton", "Mode0RadioButton"};

struct Identification {
    UnitKind kind = UnitKind::Kind1;
    std::string firmwareVersion;
    bool loaderOnly = false;   // only the unit's loader runs: no application firmware
    std::string loaderVersion; // the loader's UPVER answer without CR LF ("0.3.0")
    std::vector<ShapeStep> shape;
};

inline constexpr std::string_view Kind1LoaderAnswer = "0.3.0\r\n";
inline constexpr std::string_view LoaderVersionAnswer = "0000\r\n";

// The answers a unit identifies itself with: UPVER "d.d.d\r\n"; VER " d.d.d\r\n", or
// "0000\r\n" when only the loader runs.
bool isLoaderVersionAnswer(std::string_view upverReply);
bool isFirmwareVersionAnswer(std::string_view verReply);

// Decides kind, version and window shape from the two answers as they stand in ReplyBuffer
// (NUL-terminated text, possibly shorter than awaited) and the baud rate of the link.
// Nothing when either answer is missing, cut short or garbled: the kind is never guessed.
std::optional<Identification> decideIdentification(std::string_view upverReply, std::string_view verReply,
                                                   std::uint32_t baud);

// Runs "UPVER" and "VER" on the freshly pinged link and decides. A failed exchange is not
// followed by the link's loss check: the loader's six-byte VER answer ends by time-out.
std::optional<Identification> identifyUnit(SerialLink &link);

} // namespace vireo
