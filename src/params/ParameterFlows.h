#pragma once
// The user-level read and write flows over the whole parameter set: the order of the group
// transfers, where they stop, the dialogs they show, the progress steps and what is refreshed
// afterwards. Qt-free; the main window supplies the operations through ParameterFlowHost.
//
// Safety rules: a write sends only records whose values are known and within the limits the
// window enforces on typing (otherwise it sends nothing and says why); a write counts only
// when the unit acknowledges it; a read that ends early leaves every record it did not
// complete Unknown, and the display then shows those records as unknown.
#include "params/ParameterSet.h"
#include "params/SendCheck.h"
#include "params/UnitConversion.h"
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
    WriteComplete,
    ReadGarbled,
    WriteRefused,
    LinkLost
};

struct FlowDialog {
    FlowMessage message;
    std::string_view key; // language key of the text
    MsgIcon icon;
    unsigned buttons;
    MsgButton focused;
};

inline constexpr std::array<FlowDialog, 9> FlowDialogs = {{
    {FlowMessage::ReadQuestion, "ParamReadMessage", MsgIcon::Warning, Yes | No, No},
    {FlowMessage::WriteConfirmation, "CPSWriteCautionMessage", MsgIcon::Question, Yes | Cancel, Yes},
    {FlowMessage::ReadError, "CPSReadErrorMessage", MsgIcon::Error, Ok, Ok},
    {FlowMessage::WriteError, "CPSWriteErrorMessage", MsgIcon::Error, Ok, Ok},
    {FlowMessage::ReadComplete, "CPSReadCompleteMessage", MsgIcon::Information, Ok, Ok},
    {FlowMessage::WriteComplete, "CPSWriteCompleteMessage", MsgIcon::Information, Ok, Ok},
    {FlowMessage::ReadGarbled, "SafeReadGarbledMessage", MsgIcon::Error, Ok, Ok},
    {FlowMessage::WriteRefused, "SafeWriteRefusedMessage", MsgIcon::Error, Ok, Ok},
    {FlowMessage::LinkLost, "LinkLostMessage", MsgIcon::Error, Ok, Ok},
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
    // False unless the unit acknowledged the record.
    virtual bool writeGroup(Selector group, ModeSet k) = 0;
    // The working values the transfers read into and write from, and the unit they talk to.
    virtual ParameterSet &workValues() = 0;
    virtual UnitProfile unitProfile() = 0;
    // The unit no longer answers (a failed exchange and no answer to the ping after it).
    virtual bool linkLost() = 0;
    // Ends the connection after a lost link was reported.
    virtual void disconnect() = 0;

    // The language text of a key.
    virtual std::string text(std::string_view key) = 0;
    // Shows the dialog with the language text of its key, or with the given text; the answer.
    virtual MsgButton showMessage(const FlowDialog &dialog, const std::string &textShown) = 0;
    MsgButton showMessage(const FlowDialog &dialog) { return showMessage(dialog, text(dialog.key)); }
    virtual void saveParameterFile() = 0;

    virtual void setReadWriteEnabled(bool enabled) = 0;
    virtual void showProgress() = 0; // bar starts at 0
    virtual void stepProgress(int n) = 0;
    virtual void closeProgress() = 0;
    virtual void processEvents() = 0;
    virtual void waitWithEvents(int ms) = 0;

    virtual void applyAxisMode() = 0;
    // The unit copy follows the working values: records the unit gave or acknowledged are
    // copied, records now Unknown are forgotten, the others stay as they were.
    virtual void takeUnitCopy() = 0;
    // A write that got no answer: the unit may or may not hold the record now.
    virtual void forgetUnitCopy(Selector group, ModeSet k) = 0;
    virtual void showParameters() = 0;
    virtual void showDefaults() = 0;
    // Progress bar of the update page to 0 and READ/WRITE enabled by the active page, when
    // connected.
    virtual void endOfMainFlow() = 0;
};

// READ: all nine axis records, then the common block. The first failed or garbled record
// stops the reads with an error box; the records read before keep their new values, the
// others become Unknown, and the unit copy and display show exactly that. ask adds the
// question before (Yes saves the working values first) and the completion message after.
// A unit that no longer answers is one message that says so, and the window disconnects;
// without ask (connecting, after an update) the caller says it.
void runReadFlow(ParameterFlowHost &host, bool ask);

// WRITE: refused with nothing sent while a record is unknown or a field is out of limits;
// otherwise, after confirmation, all nine axis records then the common block, with progress
// and window events between the records. The first write the unit does not acknowledge stops
// it; the error box names the records the unit took and those it did not.
void runWriteFlow(ParameterFlowHost &host);

// The pirouette gain Set button: the common block alone (if known and within limits), no
// confirmation; nothing when disconnected. Changes neither the unit copy nor the applied axis
// mode.
void runWriteCommonFlow(ParameterFlowHost &host);

// The unit copy follows the working values: records the unit gave or acknowledged are copied
// into cur, records now Unknown are forgotten, the others stay as they were.
void takeUnitCopy(const ParameterSet &work, AxisRecordTable &cur, RecordKnown &curKnown);

// Nothing held passes for the unit's values any longer (a new connection, a reset or a
// firmware update changes what the unit holds).
void forgetUnitValues(ParameterSet &work, RecordKnown &curKnown, RecordKnown &defKnown);

} // namespace vireo
