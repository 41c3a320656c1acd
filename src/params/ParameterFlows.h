#pragma once
// The user-level read and write flows over the whole parameter set: the order of the group
// transfers, where they stop, the dialogs they show, the progress steps and what is refreshed
// afterwards. Qt-free; the main window supplies the operations through ParameterFlowHost.
#include "params/ParameterSet.h"
#include "seams/Dialogs.h"

#include <array>
#include <string>
#include <string_view>

namespace vireo
{

enum class FlowMessage {
    ReadQuestion,
    WriteConfirmation,
    ReadError,
    WriteError,
    ReadComplete,
    WriteComplete
};

struct FlowDialog {
    FlowMessage message;
    std::string_view key; // language key of the text
    MsgIcon icon;
    unsigned buttons;
    MsgButton focused;
};

inline constexpr std::array<FlowDialog, 6> FlowDialogs = {{
    {FlowMessage::ReadQuestion, "ParamReadMessage", MsgIcon::Warning, Yes | No, No},
    {FlowMessage::WriteConfirmation, "CPSWriteCautionMessage", MsgIcon::Question, Yes | Cancel, Yes},
    {FlowMessage::ReadError, "CPSReadErrorMessage", MsgIcon::Error, Ok, Ok},
    {FlowMessage::WriteError, "CPSWriteErrorMessage", MsgIcon::Error, Ok, Ok},
    {FlowMessage::ReadComplete, "CPSReadCompleteMessage", MsgIcon::Information, Ok, Ok},
    {FlowMessage::WriteComplete, "CPSWriteCompleteMessage", MsgIcon::Information, Ok, Ok},
}};

constexpr const FlowDialog &flowDialog(FlowMessage m)
{
    return FlowDialogs[static_cast<std::size_t>(m)];
}

// Progress of the main write: 16 per axis record (nine of them), 20 for the common block.
inline constexpr int AxisRecordProgressStep = 16;
inline constexpr int CommonBlockProgressStep = 20;
inline constexpr int CommonWriteHoldMs = 2000;

class ParameterFlowHost
{
public:
    virtual ~ParameterFlowHost() = default;

    virtual bool connected() = 0;
    virtual bool readGroup(Selector group, ModeSet k) = 0;
    virtual bool writeGroup(Selector group, ModeSet k) = 0;

    // Shows the dialog with the language text of its key; the answer.
    virtual MsgButton showMessage(const FlowDialog &dialog) = 0;
    // A garbled reply ended the flow: shown once, as the application reports such errors.
    virtual void reportConversionError(const std::string &what) = 0;
    virtual void saveParameterFile() = 0;

    virtual void setReadWriteEnabled(bool enabled) = 0;
    virtual void showProgress() = 0; // bar starts at 0
    virtual void stepProgress(int n) = 0;
    virtual void closeProgress() = 0;
    virtual void processEvents() = 0;
    virtual void waitWithEvents(int ms) = 0;

    virtual void applyAxisMode() = 0;
    virtual void takeUnitCopy() = 0;
    virtual void showParameters() = 0;
    virtual void showDefaults() = 0;
    // Progress bar of the update page to 0 and READ/WRITE enabled by the active page, when
    // connected.
    virtual void endOfMainFlow() = 0;
};

// READ: all nine axis records, then the common block (its failure is not reported). A failed
// record stops the reads with the read error; the records read before keep their new values
// but the unit copy and display are not renewed. ask adds the question before (Yes saves the
// working values first) and the completion message after.
void runReadFlow(ParameterFlowHost &host, bool ask);

// WRITE: after confirmation, all nine axis records then the common block, with progress and
// window events between the records; the first failure stops with the write error.
void runWriteFlow(ParameterFlowHost &host);

// The pirouette gain Set button: the common block alone, no confirmation; nothing when
// disconnected. Changes neither the unit copy nor the applied axis mode.
void runWriteCommonFlow(ParameterFlowHost &host);

// A garbled reply raises ConversionError inside a transfer; in every flow it is reported once
// and the flow still closes its progress window and restores READ and WRITE.

} // namespace vireo
