// The window side of parameter files, presets and the reset: the flows run on the window's
// working values with its dialogs, language texts, progress window and link.
#include "app/PageControl.h"
#include "app/TForm1.h"
#include "app/TProgressForm.h"
#include "files/Backup.h"
#include "files/ParameterFile.h"
#include "files/ParameterFileFlows.h"
#include "files/Preset.h"
#include "files/ResetSequence.h"
#include "params/SendCheck.h"
#include "seams/ConversionError.h"

#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>

namespace vireo
{

namespace
{

FileFlowContext fileContext(TForm1 &form)
{
    return {form.dialogs(),
            [&form](std::string_view key) {
                return form.text(QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size())))
                    .toStdString();
            },
            form.WorkValues, [&form] { form.showParameters(); }};
}

MessageRequest languageBox(TForm1 &form, MsgIcon icon, const char *key, unsigned buttons, MsgButton focused)
{
    return {icon, key, form.text(QString::fromLatin1(key)).toStdString(), buttons, focused};
}

// The reset confirmation, led by what the reset will put into the unit: the chosen preset by
// the selector's item text, or the factory settings.
MessageRequest resetConfirmation(TForm1 &form, int heli)
{
    MessageRequest box = languageBox(form, MsgIcon::Warning, "RESCautionMessage", Ok | Cancel, Cancel);
    const auto *selector = form.control<QComboBox>(QStringLiteral("ResHeliSelectComboBox"));
    const std::string what = heli > 0
                                 ? fillIn(form.text(QStringLiteral("RESPresetConfirmLine")).toStdString(),
                                          {selector->itemText(heli).toStdString()})
                                 : form.text(QStringLiteral("RESFactoryConfirmLine")).toStdString();
    box.text = what + "\n" + box.text;
    return box;
}

std::string textOf(TForm1 &form, std::string_view key)
{
    return form.text(QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()))).toStdString();
}

// The box of a reset that did not complete: what went wrong and what the unit now holds.
MessageRequest resetFailureBox(TForm1 &form, const ResetResult &result)
{
    const TextOf text = [&form](std::string_view key) { return textOf(form, key); };
    switch (result.outcome) {
    case ResetOutcome::Refused:
        return {MsgIcon::Error, "SafeResetRefusedMessage",
                text("SafeResetRefusedMessage") + "\n\n" + refusalText(text, result.refusal), Ok, Ok};
    case ResetOutcome::ResetFailed:
        return languageBox(form, MsgIcon::Error, "SafeResetFailedMessage", Ok, Ok);
    case ResetOutcome::WriteFailed: {
        const std::vector<RecordRef> all = presetWriteRecords();
        const UnitProfile unit = form.unitProfile();
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
        return languageBox(form, MsgIcon::Error, "SafeResetReadErrorMessage", Ok, Ok);
    }
}

} // namespace

void TForm1::MenuFileSaveClick()
{
    saveParameterFile();
}

void TForm1::MenuFileOpenClick()
{
    openParameterFile();
}

void TForm1::saveParameterFile()
{
    FileFlowContext ctx = fileContext(*this);
    vireo::saveParameterFile(ctx);
}

void TForm1::openParameterFile()
{
    FileFlowContext ctx = fileContext(*this);
    vireo::openParameterFile(ctx);
}

bool TForm1::backupBeforeOverwrite(std::string &note)
{
    note.clear();
    const BackupResult backup = saveBackup(WorkValues, unitProfile(), backupDirectory(), localNow());
    switch (backup.status) {
    case BackupStatus::Saved:
        note =
            "\n" + fillIn(text(QStringLiteral("BackupSavedLine")).toStdString(), {utf8FromPath(backup.path)});
        return true;
    case BackupStatus::ValuesUnknown:
        return true; // values never read whole are nothing to go back to
    case BackupStatus::Failed:
        break;
    }
    MessageRequest question = languageBox(*this, MsgIcon::Warning, "BackupFailedMessage", Yes | No, No);
    const std::string where = backup.path.empty() ? std::string("XDG_DATA_HOME") : utf8FromPath(backup.path);
    question.text = fillIn(question.text, {where});
    return dialogs().message(question) == Yes;
}

bool TForm1::loadPreset(int p)
{
    return vireo::loadPreset(p, pathFromUtf8(ProgramDir.toStdString()), FirmwareVersion, WorkValues) ==
           PresetStatus::Loaded;
}

void TForm1::ResetButtonClick()
{
    // Polling stays paused and the pages locked only while the flow runs, however it ends.
    struct Pause {
        TForm1 &form;
        explicit Pause(TForm1 &f) : form(f)
        {
            form.PageControl1->setEnabled(false);
            form.Resetting = true;
        }
        ~Pause()
        {
            form.Resetting = false;
            form.PageControl1->setEnabled(true);
        }
    } pause(*this);
    resetFlow();
}

void TForm1::resetFlow()
{
    const int heli = control<QComboBox>(QStringLiteral("ResHeliSelectComboBox"))->currentIndex();
    const bool preset = heli > 0;
    // The backup is taken before a preset replaces the working values.
    std::string backupNote;
    if (dialogs().message(resetConfirmation(*this, heli)) != Ok || !backupBeforeOverwrite(backupNote)) {
        endOfMainFlow();
        return;
    }

    ResetProgressForm->ProgressBar1->setValue(0);
    ResetProgressForm->show();
    clock().processEvents();
    control<QPushButton>(QStringLiteral("WriteButton"))->setEnabled(false);
    control<QPushButton>(QStringLiteral("ReadButton"))->setEnabled(false);

    // A preset that cannot be read whole is not sent at all: half a preset in the unit is
    // worse than none.
    if (preset && !loadPreset(heli - 1)) {
        dialogs().message(languageBox(*this, MsgIcon::Error, "RESPresetErrorMessage", Ok, Ok));
        ResetProgressForm->close();
        endOfMainFlow();
        return;
    }

    LinkResetTarget target(link, unitProfile(), WorkValues, clock());
    target.onStep = [this](int n) { ResetProgressForm->step(n); };
    target.onClose = [this] { ResetProgressForm->close(); };
    ResetResult result;
    try {
        result = runResetSequence(target, preset);
    } catch (const ConversionError &e) {
        ResetProgressForm->close();
        takeUnitCopy();
        showParameters();
        reportConversionError(e.what());
        endOfMainFlow();
        return;
    }
    if (result.outcome != ResetOutcome::Completed) {
        ResetProgressForm->close();
        // What the unit holds as far as its answers tell: records it did not give are unknown.
        takeUnitCopy();
        showParameters();
        MessageRequest box = resetFailureBox(*this, result);
        box.text += backupNote; // where the unit's values went before the reset
        dialogs().message(box);
        endOfMainFlow();
        return;
    }

    applyAxisMode();
    takeUnitCopy();
    showParameters();
    MessageRequest complete = languageBox(*this, MsgIcon::Information, "RESCompleteMessage", Ok, Ok);
    complete.text += backupNote;
    dialogs().message(complete);
    endOfMainFlow();
}

} // namespace vireo
