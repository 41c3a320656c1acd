// The window side of the firmware update: the UPDATE button of the "File Update" group runs
// the update flow (firmware/UpdateFlow.h) with the window's progress bar, status line and
// boxes. The button's flow (BusyFlow) keeps every other flow out from the file choice to the
// read after the reconnection.
#include "app/PageControl.h"
#include "app/TForm1.h"
#include "app/WindowText.h"
#include "firmware/UpdateFlow.h"
#include "link/Discovery.h"

#include <QAbstractButton>
#include <QLabel>
#include <QProgressBar>

namespace vireo
{
namespace
{

class WindowUpdateHost : public UpdateFlowHost
{
public:
    explicit WindowUpdateHost(TForm1 &form) : f_(form) {}

    Dialogs &dialogs() override { return f_.dialogs(); }
    std::string text(std::string_view key) override { return windowText(f_, key); }
    SerialLink &link() override { return f_.link; }
    UnitKind unitKind() override { return f_.unitKind; }
    std::string firmwareVersion() override { return f_.FirmwareVersion; }

    void beginUpdate() override
    {
        f_.Updating = true;
        widget("FileFirmUpdateButton")->setEnabled(false);
        bar()->setValue(0);
    }
    void endUpdate() override
    {
        if (locked_) {
            widget("ConnectSpeedButton")->setEnabled(true);
            f_.PageControl1->setEnabled(true);
        }
        widget("FileFirmUpdateButton")->setEnabled(true);
        f_.control<QLabel>(QStringLiteral("Label53"))->clear();
        f_.Updating = false;
    }
    // Nothing of the window changes under the transfer; the flow's BusyFlow keeps the other
    // flows and the menu's dialogs out.
    void lockForTransfer() override
    {
        f_.PageControl1->setEnabled(false);
        widget("ConnectSpeedButton")->setEnabled(false);
        locked_ = true;
    }
    void transferStarted() override
    {
        f_.control<QLabel>(QStringLiteral("Label53"))->setText(f_.text(QStringLiteral("UPDFileLabel2")));
    }
    void transferProgress(int position, std::size_t, std::size_t) override { bar()->setValue(position); }
    void processEvents() override { f_.clock().processEvents(); }
    void clearProgress() override { bar()->setValue(0); }

    bool backupBeforeOverwrite(std::string &note) override { return f_.backupBeforeOverwrite(note); }
    void setParamsLoaded(bool loaded) override { f_.ParamsLoaded = loaded; }
    void forgetUnitValues() override { f_.forgetUnitValues(); }
    bool findUnitPort() override { return f_.findUnitPort().has_value(); }
    void identifyUnit() override { f_.identifyUnit(); }
    void disconnectUnit() override { f_.disconnectUnit(); }
    void readParameters() override { f_.readFlow(false); }
    void reportLinkLost() override { f_.linkLost(); }
    void showDefaults() override { f_.showDefaults(); }
    bool unitAnswers() override
    {
        return vireo::findUnitPort(f_.link, f_.services().ports, nullptr).has_value();
    }

private:
    QWidget *widget(const char *name) { return f_.control<QWidget>(QString::fromLatin1(name)); }
    QProgressBar *bar() { return f_.control<QProgressBar>(QStringLiteral("ProgressBar1")); }

    TForm1 &f_;
    bool locked_ = false;
};

} // namespace

void TForm1::FileFirmUpdateButtonClick()
{
    WindowUpdateHost host(*this);
    runUpdateFlow(host);
}

} // namespace vireo
