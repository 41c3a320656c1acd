#include "files/gui/FilesController.h"

#include "app/gui/WindowText.h"
#include "files/Backup.h"
#include "files/ParameterFile.h"
#include "files/ParameterFileFlows.h"
#include "files/Preset.h"
#include "files/ResetFlow.h"
#include "params/SendCheck.h"
#include "widgets/PageControl.h"
#include "widgets/TProgressForm.h"

#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QScopedValueRollback>

namespace vireo
{

FilesView FilesView::find(const WindowShell &shell)
{
    FilesView v;
    v.ResHeliSelectComboBox = shell.control<QComboBox>(QStringLiteral("ResHeliSelectComboBox"));
    v.ReadButton = shell.control<QPushButton>(QStringLiteral("ReadButton"));
    v.WriteButton = shell.control<QPushButton>(QStringLiteral("WriteButton"));
    return v;
}

class FilesController::ResetHost : public ResetFlowHost
{
public:
    explicit ResetHost(FilesController &c) : c_(c) {}

    Dialogs &dialogs() override { return c_.shell_.dialogs(); }
    std::string text(std::string_view key) override { return windowText(c_.shell_, key); }
    SerialLink &link() override { return c_.window_.unitLink(); }
    Clock &clock() override { return c_.shell_.clock(); }
    ParameterSet &workValues() override { return c_.window_.workValues(); }
    UnitProfile unitProfile() override { return c_.window_.unitProfile(); }
    std::filesystem::path presetDir() override { return pathFromUtf8(c_.shell_.ProgramDir.toStdString()); }

    void showProgress() override
    {
        c_.ResetProgressForm->ProgressBar1->setValue(0);
        c_.ResetProgressForm->show();
    }
    void stepProgress(int n) override { c_.ResetProgressForm->step(n); }
    void closeProgress() override { c_.ResetProgressForm->close(); }
    void setReadWriteEnabled(bool enabled) override
    {
        c_.view_.WriteButton->setEnabled(enabled);
        c_.view_.ReadButton->setEnabled(enabled);
    }
    void applyAxisMode() override { c_.window_.applyAxisMode(); }
    void takeUnitCopy() override { c_.window_.takeUnitCopy(); }
    void showParameters() override { c_.window_.showParameters(); }
    void endOfMainFlow() override { c_.window_.endOfMainFlow(); }

private:
    FilesController &c_;
};

namespace
{

FileFlowContext fileContext(WindowShell &shell, FilesWindow &window)
{
    return {shell.dialogs(), [&shell](std::string_view key) { return windowText(shell, key); },
            window.workValues(), [&window] { window.showParameters(); }};
}

} // namespace

void FilesController::attachView()
{
    view_ = FilesView::find(shell_);
}

void FilesController::MenuFileSaveClick()
{
    saveParameterFile();
}

void FilesController::MenuFileOpenClick()
{
    openParameterFile();
}

void FilesController::saveParameterFile()
{
    FileFlowContext ctx = fileContext(shell_, window_);
    vireo::saveParameterFile(ctx);
}

void FilesController::openParameterFile()
{
    FileFlowContext ctx = fileContext(shell_, window_);
    vireo::openParameterFile(ctx);
}

bool FilesController::backupBeforeOverwrite(std::string &note)
{
    const TextOf text = [this](std::string_view key) { return windowText(shell_, key); };
    return vireo::backupBeforeOverwrite(shell_.dialogs(), text, window_.workValues(), window_.unitProfile(),
                                        note);
}

bool FilesController::loadPreset(int p)
{
    return vireo::loadPreset(p, pathFromUtf8(shell_.ProgramDir.toStdString()), window_.unitProfile().firmware,
                             window_.workValues()) == PresetStatus::Loaded;
}

void FilesController::ResetButtonClick()
{
    // Polling stays paused and the pages locked only while the flow runs, however it ends.
    shell_.PageControl1->setEnabled(false);
    const auto unlock = qScopeGuard([this] { shell_.PageControl1->setEnabled(true); });
    const QScopedValueRollback<bool> resetting(shell_.Resetting, true);
    resetFlow();
}

void FilesController::resetFlow()
{
    const int heli = view_.ResHeliSelectComboBox->currentIndex();
    ResetHost host(*this);
    runResetFlow(host, heli,
                 heli > 0 ? view_.ResHeliSelectComboBox->itemText(heli).toStdString() : std::string());
}

} // namespace vireo
