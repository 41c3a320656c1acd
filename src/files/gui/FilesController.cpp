// The window side of parameter files, presets and the reset: the flows run on the window's
// working values with its dialogs, language texts, progress window and link.
#include "app/PageControl.h"
#include "app/TForm1.h"
#include "app/TProgressForm.h"
#include "app/WindowText.h"
#include "files/Backup.h"
#include "files/ParameterFile.h"
#include "files/ParameterFileFlows.h"
#include "files/Preset.h"
#include "files/ResetFlow.h"
#include "params/SendCheck.h"

#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QScopedValueRollback>

namespace vireo
{

namespace
{

FileFlowContext fileContext(TForm1 &form)
{
    return {form.dialogs(), [&form](std::string_view key) { return windowText(form, key); }, form.WorkValues,
            [&form] { form.showParameters(); }};
}

class WindowResetHost : public ResetFlowHost
{
public:
    explicit WindowResetHost(TForm1 &form) : f_(form) {}

    Dialogs &dialogs() override { return f_.dialogs(); }
    std::string text(std::string_view key) override { return windowText(f_, key); }
    SerialLink &link() override { return f_.link; }
    Clock &clock() override { return f_.clock(); }
    ParameterSet &workValues() override { return f_.WorkValues; }
    UnitProfile unitProfile() override { return f_.unitProfile(); }
    std::filesystem::path presetDir() override { return pathFromUtf8(f_.ProgramDir.toStdString()); }

    void showProgress() override
    {
        f_.ResetProgressForm->ProgressBar1->setValue(0);
        f_.ResetProgressForm->show();
    }
    void stepProgress(int n) override { f_.ResetProgressForm->step(n); }
    void closeProgress() override { f_.ResetProgressForm->close(); }
    void setReadWriteEnabled(bool enabled) override
    {
        f_.control<QPushButton>(QStringLiteral("WriteButton"))->setEnabled(enabled);
        f_.control<QPushButton>(QStringLiteral("ReadButton"))->setEnabled(enabled);
    }
    void applyAxisMode() override { f_.applyAxisMode(); }
    void takeUnitCopy() override { f_.takeUnitCopy(); }
    void showParameters() override { f_.showParameters(); }
    void endOfMainFlow() override { f_.endOfMainFlow(); }

private:
    TForm1 &f_;
};

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
    const TextOf text = [this](std::string_view key) { return windowText(*this, key); };
    return vireo::backupBeforeOverwrite(dialogs(), text, WorkValues, unitProfile(), note);
}

bool TForm1::loadPreset(int p)
{
    return vireo::loadPreset(p, pathFromUtf8(ProgramDir.toStdString()), FirmwareVersion, WorkValues) ==
           PresetStatus::Loaded;
}

void TForm1::ResetButtonClick()
{
    // Polling stays paused and the pages locked only while the flow runs, however it ends.
    PageControl1->setEnabled(false);
    const auto unlock = qScopeGuard([this] { PageControl1->setEnabled(true); });
    const QScopedValueRollback<bool> resetting(Resetting, true);
    resetFlow();
}

void TForm1::resetFlow()
{
    const auto *selector = control<QComboBox>(QStringLiteral("ResHeliSelectComboBox"));
    const int heli = selector->currentIndex();
    WindowResetHost host(*this);
    runResetFlow(host, heli, heli > 0 ? selector->itemText(heli).toStdString() : std::string());
}

} // namespace vireo
