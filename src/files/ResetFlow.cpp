#include "files/ResetFlow.h"

#include "files/Backup.h"
#include "files/FileNames.h"
#include "files/Preset.h"
#include "params/SendCheck.h"
#include "seams/ConversionError.h"

#include <vector>

namespace vireo
{

namespace
{

MessageRequest languageBox(ResetFlowHost &host, MsgIcon icon, const char *key, unsigned buttons,
                           MsgButton focused)
{
    return {icon, key, host.text(key), buttons, focused};
}

// The reset confirmation, led by what the reset will put into the unit: the chosen preset by
// the selector's item text, or the factory settings.
MessageRequest resetConfirmation(ResetFlowHost &host, int heli, const std::string &presetName)
{
    MessageRequest box = languageBox(host, MsgIcon::Warning, "RESCautionMessage", Ok | Cancel, Cancel);
    const std::string what = heli > 0 ? fillIn(host.text("RESPresetConfirmLine"), {presetName})
                                      : host.text("RESFactoryConfirmLine");
    box.text = what + "\n" + box.text;
    return box;
}

// The box of a reset that did not complete: what went wrong and what the unit now holds.
MessageRequest resetFailureBox(ResetFlowHost &host, const ResetResult &result)
{
    const TextOf text = [&host](std::string_view key) { return host.text(key); };
    switch (result.outcome) {
    case ResetOutcome::Refused:
        return {MsgIcon::Error, "SafeResetRefusedMessage",
                text("SafeResetRefusedMessage") + "\n\n" + refusalText(text, result.refusal), Ok, Ok};
    case ResetOutcome::ResetFailed:
        return languageBox(host, MsgIcon::Error, "SafeResetFailedMessage", Ok, Ok);
    case ResetOutcome::WriteFailed: {
        const std::vector<RecordRef> all = presetWriteRecords();
        const UnitProfile unit = host.unitProfile();
        std::vector<RecordRef> written, notWritten;
        bool reached = true;
        for (const RecordRef &r : all) {
            if (r == *result.failedWrite)
                reached = false;
            if (groupInUnit(r.group, r.k, unit))
                (reached ? written : notWritten).push_back(r);
        }
        std::string shown = text("SafeResetWriteFailedMessage");
        if (!written.empty())
            shown += "\n\n" + text("SafeWrittenRecords") + "\n" + recordList(text, written);
        shown += "\n\n" + text("SafeNotWrittenRecords") + "\n" + recordList(text, notWritten);
        return {MsgIcon::Error, "SafeResetWriteFailedMessage", shown, Ok, Ok};
    }
    default:
        // The read-back after the reset: what came back is shown, the rest is unknown.
        return languageBox(host, MsgIcon::Error, "SafeResetReadErrorMessage", Ok, Ok);
    }
}

ResetFlowEnd sequence(ResetFlowHost &host, bool preset, const std::string &backupNote)
{
    LinkResetTarget target(host.link(), host.unitProfile(), host.workValues(), host.clock());
    target.onStep = [&host](int n) { host.stepProgress(n); };
    target.onClose = [&host] { host.closeProgress(); };
    ResetResult result;
    try {
        result = runResetSequence(target, preset);
    } catch (const ConversionError &) {
        host.closeProgress();
        host.takeUnitCopy();
        host.showParameters();
        // The parser's own words mean nothing to a pilot; the language text says what to do.
        host.dialogs().message(languageBox(host, MsgIcon::Error, "SafeReadGarbledMessage", Ok, Ok));
        return ResetFlowEnd::Failed;
    }
    if (result.outcome != ResetOutcome::Completed) {
        host.closeProgress();
        // What the unit holds as far as its answers tell: records it did not give are unknown.
        host.takeUnitCopy();
        host.showParameters();
        MessageRequest box = resetFailureBox(host, result);
        box.text += backupNote; // where the unit's values went before the reset
        host.dialogs().message(box);
        return ResetFlowEnd::Failed;
    }

    host.applyAxisMode();
    host.takeUnitCopy();
    host.showParameters();
    MessageRequest complete = languageBox(host, MsgIcon::Information, "RESCompleteMessage", Ok, Ok);
    complete.text += backupNote;
    host.dialogs().message(complete);
    return ResetFlowEnd::Completed;
}

ResetFlowEnd resetSteps(ResetFlowHost &host, int heli, const std::string &presetName)
{
    const bool preset = heli > 0;
    const TextOf text = [&host](std::string_view key) { return host.text(key); };
    // The backup is taken before a preset replaces the working values.
    std::string backupNote;
    if (host.dialogs().message(resetConfirmation(host, heli, presetName)) != Ok ||
        !backupBeforeOverwrite(host.dialogs(), text, host.workValues(), host.unitProfile(), backupNote))
        return ResetFlowEnd::Declined;

    host.showProgress();
    host.clock().processEvents();
    host.setReadWriteEnabled(false);

    // A preset that cannot be read whole is not sent at all: half a preset in the unit is
    // worse than none.
    if (preset && loadPreset(heli - 1, host.presetDir(), host.unitProfile().firmware, host.workValues()) !=
                      PresetStatus::Loaded) {
        host.dialogs().message(languageBox(host, MsgIcon::Error, "RESPresetErrorMessage", Ok, Ok));
        host.closeProgress();
        return ResetFlowEnd::Failed;
    }
    return sequence(host, preset, backupNote);
}

} // namespace

ResetFlowEnd runResetFlow(ResetFlowHost &host, int heli, const std::string &presetName)
{
    const ResetFlowEnd end = resetSteps(host, heli, presetName);
    host.endOfMainFlow();
    return end;
}

} // namespace vireo
