#pragma once
// One flow at a time. A flow is a user action that talks to the unit over several exchanges
// (connect, READ, WRITE, the pirouette buttons, reset, firmware update) or a polling tick. While
// one runs, the window dispatches events between its exchanges and inside its boxes; a click, a
// timer tick or a menu item handled there must not start a second flow whose exchanges would
// land in the middle of the first (a WROM between two firmware blocks). The window consults
// this guard at every entry point and disables the controls below for the flow's duration.
#include "params/ParameterSet.h"

#include <array>
#include <optional>
#include <string_view>

namespace vireo
{

enum class Flow {
    Connect, // CONNECT, also when it disconnects
    Read,
    Write,
    SetCommon,      // the pirouette gain Set button
    CheckPirouette, // the pirouette check button
    Reset,
    FirmwareUpdate, // from the file choice to the reconnection, the loader-only recovery too
    Polling         // one tick of the live status
};

// Whether the flow disables the controls that start flows. A polling tick is too short and too
// frequent to flicker them; it still refuses to let another flow start inside its boxes.
constexpr bool locksControls(Flow f)
{
    return f != Flow::Polling;
}

// Buttons that start an exchange; disabled while a flow other than polling runs.
inline constexpr std::array<std::string_view, 9> FlowStartingButtons = {
    "ReadButton",       "WriteButton", "ReadButton2",        "WriteButton2",        "PirouGainSetButton",
    "PirouCheckButton", "ResetButton", "ConnectSpeedButton", "FileFirmUpdateButton"};
// Menu items whose dialogs would replace the working values under a running flow or hold it
// between two exchanges for as long as they stay open (a firmware transfer between blocks).
inline constexpr std::array<std::string_view, 3> FlowBlockedMenuItems = {"MenuFileOpen", "MenuFileSave",
                                                                         "MenuHelpVersion"};

class FlowGuard
{
public:
    // Starts flow f; false, with nothing changed, while another flow runs.
    bool begin(Flow f);
    // Ends the running flow. True, once, when the window was asked to close meanwhile.
    bool end();

    bool busy() const { return running_.has_value(); }
    std::optional<Flow> running() const { return running_; }

    // The window is to close as soon as the running flow has ended.
    void closeWhenDone() { closePending_ = true; }
    bool closePending() const { return closePending_; }

private:
    std::optional<Flow> running_;
    bool closePending_ = false;
};

// What a request to close the window leads to.
enum class CloseStep {
    Close,        // nothing runs and nothing is lost
    AskUnwritten, // edits the unit never got would be lost: ask first
    AskToFinish,  // a firmware update runs: ask, and close only once it has ended
    CloseWhenDone // another flow runs: close as soon as it has ended
};
CloseStep closeStep(std::optional<Flow> running, bool unwrittenEdits);

// Edits that were never written: records the user changed since they were read, loaded or
// written.
bool hasUnwrittenEdits(const RecordOrigins &origins);

} // namespace vireo
