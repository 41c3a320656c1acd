// The window side of parameter files, presets and the reset: the flows run on the window's
// working values with its dialogs, language texts, progress window and link.
#include "app/PageControl.h"
#include "app/TForm1.h"
#include "app/TProgressForm.h"
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

constexpr const char *ReadErrorText = "Read Error!";

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
        return {MsgIcon::Error, std::string(), ReadErrorText, Ok, Ok};
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
    if (dialogs().message(languageBox(*this, MsgIcon::Warning, "RESCautionMessage", Ok | Cancel, Cancel)) !=
        Ok) {
        endOfMainFlow();
        return;
    }

    ResetProgressForm->ProgressBar1->setValue(0);
    ResetProgressForm->show();
    clock().processEvents();
    control<QPushButton>(QStringLiteral("WriteButton"))->setEnabled(false);
    control<QPushButton>(QStringLiteral("ReadButton"))->setEnabled(false);

    const int heli = control<QComboBox>(QStringLiteral("ResHeliSelectComboBox"))->currentIndex();
    const bool preset = heli > 0;
    // A preset that cannot be read whole is not sent at all: half a preset in the unit is
    // worse than none.
    if (preset && !loadPreset(heli - 1)) {
        dialogs().message(fileOpenErrorBox());
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
        dialogs().message(resetFailureBox(*this, result));
        endOfMainFlow();
        return;
    }

    applyAxisMode();
    takeUnitCopy();
    showParameters();
    dialogs().message(languageBox(*this, MsgIcon::Information, "RESCompleteMessage", Ok, Ok));
    endOfMainFlow();
}

} // namespace vireo
