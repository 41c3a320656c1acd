#include "firmware/gui/FirmwareController.h"

#include "app/gui/WindowText.h"
#include "firmware/UpdateFlow.h"
#include "link/Discovery.h"
#include "widgets/PageControl.h"

#include <QAbstractButton>
#include <QLabel>
#include <QProgressBar>

namespace vireo
{

FirmwareView FirmwareView::find(const WindowShell &shell)
{
    FirmwareView v;
    v.FileFirmUpdateButton = shell.control<QAbstractButton>(QStringLiteral("FileFirmUpdateButton"));
    v.ConnectSpeedButton = shell.control<QAbstractButton>(QStringLiteral("ConnectSpeedButton"));
    v.Label53 = shell.control<QLabel>(QStringLiteral("Label53"));
    v.ProgressBar1 = shell.control<QProgressBar>(QStringLiteral("ProgressBar1"));
    return v;
}

class FirmwareController::UpdateHost : public UpdateFlowHost
{
public:
    explicit UpdateHost(FirmwareController &c) : shell_(c.shell_), window_(c.window_), view_(c.view_) {}

    Dialogs &dialogs() override { return shell_.dialogs(); }
    std::string text(std::string_view key) override { return windowText(shell_, key); }
    SerialLink &link() override { return window_.unitLink(); }
    UnitKind unitKind() override { return window_.unitProfile().kind; }
    std::string firmwareVersion() override { return std::string(window_.unitProfile().firmware); }

    void beginUpdate() override
    {
        shell_.Updating = true;
        view_.FileFirmUpdateButton->setEnabled(false);
        view_.ProgressBar1->setValue(0);
    }
    void endUpdate() override
    {
        if (locked_) {
            view_.ConnectSpeedButton->setEnabled(true);
            shell_.PageControl1->setEnabled(true);
        }
        view_.FileFirmUpdateButton->setEnabled(true);
        view_.Label53->clear();
        shell_.Updating = false;
    }
    // Nothing of the window changes under the transfer; the flow's BusyFlow keeps the other
    // flows and the menu's dialogs out.
    void lockForTransfer() override
    {
        shell_.PageControl1->setEnabled(false);
        view_.ConnectSpeedButton->setEnabled(false);
        locked_ = true;
    }
    void transferStarted() override { view_.Label53->setText(shell_.text(QStringLiteral("UPDFileLabel2"))); }
    void transferProgress(int position, std::size_t, std::size_t) override
    {
        view_.ProgressBar1->setValue(position);
    }
    void processEvents() override { shell_.clock().processEvents(); }
    void clearProgress() override { view_.ProgressBar1->setValue(0); }

    bool backupBeforeOverwrite(std::string &note) override { return window_.backupBeforeOverwrite(note); }
    void setParamsLoaded(bool loaded) override { shell_.ParamsLoaded = loaded; }
    void forgetUnitValues() override { window_.forgetUnitValues(); }
    bool findUnitPort() override { return window_.findUnitPort().has_value(); }
    void identifyUnit() override { window_.identifyUnit(); }
    void disconnectUnit() override { window_.disconnectUnit(); }
    void readParameters() override { window_.readParameters(); }
    void reportLinkLost() override { window_.linkLost(); }
    void showDefaults() override { window_.showDefaults(); }
    bool unitAnswers() override
    {
        return vireo::findUnitPort(window_.unitLink(), shell_.services().ports, nullptr).has_value();
    }

private:
    WindowShell &shell_;
    FirmwareWindow &window_;
    const FirmwareView &view_;
    bool locked_ = false;
};

void FirmwareController::attachView()
{
    view_ = FirmwareView::find(shell_);
}

void FirmwareController::FileFirmUpdateButtonClick()
{
    UpdateHost host(*this);
    runUpdateFlow(host);
}

} // namespace vireo
