// The window side of the device link: the connect button, discovery with identification
// applied to the window, and the one-shot pirouette check.
#include "app/PageControl.h"
#include "app/TForm1.h"
#include "app/WindowText.h"
#include "link/ConnectFlow.h"
#include "link/DeviceActions.h"
#include "link/Discovery.h"
#include "link/Identification.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

namespace vireo
{
namespace
{

QString qs(const std::string &s)
{
    return QString::fromStdString(s);
}

void applyShapeStep(TForm1 &f, const ShapeStep &step)
{
    const QString name = qs(step.control);
    const bool tabSheet = name.startsWith(QLatin1String("TabSheet"));
    switch (step.action) {
    case ShapeAction::Show:
    case ShapeAction::Hide: {
        const bool visible = step.action == ShapeAction::Show;
        if (tabSheet)
            f.setPageVisible(name, visible); // a page shows and hides with its tab
        else
            f.control<QWidget>(name)->setVisible(visible);
        break;
    }
    case ShapeAction::Enable:
    case ShapeAction::Disable:
        f.control<QWidget>(name)->setEnabled(step.action == ShapeAction::Enable);
        break;
    case ShapeAction::SetTextKey:
        f.control<QLabel>(name)->setText(f.text(qs(step.arg)));
        break;
    case ShapeAction::SetText:
        f.control<QLabel>(name)->setText(qs(step.arg));
        break;
    case ShapeAction::SelectFirstItem:
        f.control<QComboBox>(name)->setCurrentIndex(0);
        break;
    case ShapeAction::ActivatePage: {
        QWidget *page = f.control<QWidget>(name);
        for (PageControl *pages : {f.PageControl1, f.PageControl2})
            if (pages->indexOf(page) >= 0)
                pages->setCurrentWidget(page);
        break;
    }
    case ShapeAction::CheckInsteadIfChecked:
        if (f.control<QAbstractButton>(name)->isChecked())
            f.control<QAbstractButton>(qs(step.arg))->setChecked(true);
        break;
    case ShapeAction::ErrorBox:
    case ShapeAction::ReadAllDefaults:
        break; // the connect flow's own steps (link/ConnectFlow.h)
    }
}

class WindowConnectHost : public ConnectFlowHost
{
public:
    explicit WindowConnectHost(TForm1 &form) : f_(form) {}

    Dialogs &dialogs() override { return f_.dialogs(); }
    std::string text(std::string_view key) override { return windowText(f_, key); }
    SerialLink &link() override { return f_.link; }
    PortLister &ports() override { return f_.services().ports; }
    ParameterSet &workValues() override { return f_.WorkValues; }
    AxisRecordTable &defValues() override { return f_.DefValues; }
    RecordKnown &defKnown() override { return f_.DefKnown; }
    UnitProfile unitProfile() override { return f_.unitProfile(); }

    void setIdentity(const Identification &id) override
    {
        f_.unitKind = id.kind;
        f_.FirmwareVersion = id.firmwareVersion;
    }
    void applyShapeStep(const ShapeStep &step) override { vireo::applyShapeStep(f_, step); }

    void stopPolling() override { f_.Timer2->stop(); }
    void startPolling() override { f_.Timer2->start(); }
    void forgetUnitValues() override { f_.forgetUnitValues(); }
    void showParameters() override { f_.showParameters(); }
    void showDefaults() override { f_.showDefaults(); }
    void readParameters() override { f_.readFlow(false); }
    void setParamsLoaded(bool loaded) override { f_.ParamsLoaded = loaded; }
    void markConnected() override
    {
        f_.control<QWidget>(QStringLiteral("LEDRedImage"))->hide();
        f_.control<QWidget>(QStringLiteral("LEDGreenImage"))->show();
        f_.control<QWidget>(QStringLiteral("FileFirmUpdateButton"))->setEnabled(true);
        f_.control<QWidget>(QStringLiteral("ResetButton"))->setEnabled(true);
        f_.control<QAbstractButton>(QStringLiteral("ConnectSpeedButton"))
            ->setText(f_.text(QStringLiteral("DisconnectButton")));
        f_.control<QProgressBar>(QStringLiteral("ProgressBar1"))->setValue(0);
        f_.setReadWriteByActivePage();
        f_.garbledStatusReport.reset();
        f_.Connected = true;
    }

private:
    TForm1 &f_;
};

} // namespace

void TForm1::setSerialDefaults()
{
    link.baudRate = SerialLink::DefaultBaud;
    link.readTimeoutMs = 0xFFFFFFFFu;
    // A failed exchange is followed by a ping, so a unit that has gone ends the running flow
    // at once; never inside the firmware transfer, whose loader must not see a ping.
    link.lossCheck = [this] { return !Updating; };
}

void TForm1::reportLinkFault(const char *key, MsgIcon icon)
{
    WindowConnectHost host(*this);
    vireo::reportLinkFault(host, key, icon);
}

void TForm1::ConnectSpeedButtonClick()
{
    if (!Connected)
        connectUnit();
    else if (!hasUnwrittenEdits(WorkValues.origins) || askYesNo("UnwrittenDisconnectMessage"))
        disconnectUnit();
}

std::optional<std::string> TForm1::findUnitPort()
{
    WindowConnectHost host(*this);
    return discoverUnit(host);
}

bool TForm1::identifyUnit()
{
    WindowConnectHost host(*this);
    return identifyConnectedUnit(host);
}

void TForm1::readStandardValuesOnConnect()
{
    WindowConnectHost host(*this);
    vireo::readStandardValuesOnConnect(host);
}

void TForm1::connectUnit()
{
    WindowConnectHost host(*this);
    runConnectFlow(host);
}

void TForm1::disconnectUnit()
{
    control<QWidget>(QStringLiteral("LEDGreenImage"))->hide();
    control<QAbstractButton>(QStringLiteral("ConnectSpeedButton"))
        ->setText(text(QStringLiteral("ConnectButton")));
    for (const char *button :
         {"ReadButton", "WriteButton", "FileFirmUpdateButton", "ResetButton", "ReadButton2", "WriteButton2"})
        control<QWidget>(QString::fromLatin1(button))->setEnabled(false);
    link.closePort();
    Connected = false;
    // What the status page showed is no longer the unit's live state.
    liveStatus.forget();
    showStatusPage();
}

void TForm1::PirouCheckButtonClick()
{
    // The unit shows the direction itself; the line beside the button says the check went out
    // (or that the unit did not take it).
    const bool sent = checkPirouette(link);
    control<QLabel>(QStringLiteral("PirouCheckResultLabel"))
        ->setText(text(sent ? QStringLiteral("PRSCheckSentText") : QStringLiteral("PRSCheckFailedText")));
}

} // namespace vireo
