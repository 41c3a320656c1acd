// The window side of the device link: the connect button, discovery with identification
// applied to the window, and the one-shot pirouette check.
#include "app/PageControl.h"
#include "app/TForm1.h"
#include "link/DeviceActions.h"
#include "link/Discovery.h"
#include "link/Identification.h"
#include "params/BlockTransfer.h"
#include "seams/ConversionError.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include <algorithm>

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
        f.dialogs().message({MsgIcon::Error, step.arg, f.text(qs(step.arg)).toStdString(), Ok, Ok});
        break;
    case ShapeAction::ReadAllDefaults:
        f.readStandardValuesOnConnect();
        break;
    }
}

// Starts the timer again when the scope ends, however it ends.
class TimerRestart
{
public:
    explicit TimerRestart(QTimer *timer) : timer_(timer) {}
    ~TimerRestart() { timer_->start(); }
    TimerRestart(const TimerRestart &) = delete;
    TimerRestart &operator=(const TimerRestart &) = delete;

private:
    QTimer *timer_;
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
    dialogs().message({icon, key, text(QString::fromLatin1(key)).toStdString(), Ok, Ok});
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
    unitUnidentified = false;
    portOpenFailures.clear();
    return vireo::findUnitPort(
        link, services().ports, [this] { return identifyUnit(); }, {}, &portOpenFailures);
}

bool TForm1::identifyUnit()
{
    const std::optional<Identification> id = vireo::identifyUnit(link);
    if (!id) {
        // Kind, version and the window's shape stay as they were; nothing is guessed.
        unitUnidentified = true;
        return false;
    }
    unitKind = id->kind;
    FirmwareVersion = id->firmwareVersion;
    for (const ShapeStep &step : id->shape)
        applyShapeStep(*this, step);
    return true;
}

void TForm1::readStandardValuesOnConnect()
{
    // Connecting goes on after a garbled standard value: the records not yet read keep what
    // they held.
    try {
        vireo::readAllDefaults(link, unitProfile(), WorkValues, DefValues, DefKnown);
    } catch (const ConversionError &) {
        reportLinkFault("LinkConnectGarbledMessage", MsgIcon::Error);
        return;
    }
    // A standard value that did not come is shown empty; say so (a lost unit is said by the
    // connection itself).
    const bool allKnown = std::ranges::all_of(DefKnown, [](const auto &axis) {
        return std::ranges::all_of(axis, [](bool known) { return known; });
    });
    if (!allKnown && !link.lost())
        reportLinkFault("SafeDefaultsReadErrorMessage", MsgIcon::Warning);
}

void TForm1::connectUnit()
{
    Timer2->stop();
    forgetUnitValues(); // what an earlier connection read is not this unit's word
    std::optional<std::string> port;
    {
        // Polling resumes even when a garbled reply ends the identification's reads.
        TimerRestart restart(Timer2);
        port = findUnitPort();
    }
    if (!port) {
        showParameters();
        showDefaults();
        if (unitUnidentified) {
            reportLinkFault("LinkUnidentifiedMessage", MsgIcon::Error);
        } else if (const auto advice = adviceForOpenFailures(portOpenFailures, nodeGroup)) {
            // A port that could not be opened: which one, why, and what to do.
            // The port, the reason and the fix; the command stands on a line of its own.
            const QString t = multiLineText(text(qs(advice->key))).trimmed();
            const QString message =
                advice->group.empty() ? t.arg(qs(advice->port)) : t.arg(qs(advice->port), qs(advice->group));
            dialogs().message({MsgIcon::Error, advice->key, message.toStdString(), Ok, Ok});
        } else {
            reportLinkFault("ConnectErrorMessage", MsgIcon::Error);
        }
        return;
    }
    if (!link.lost() && hasApplicationFirmware(FirmwareVersion)) {
        readFlow(false);
        if (!link.lost())
            ParamsLoaded = true;
    }
    if (link.lost()) {
        // The unit stopped answering part-way: it is not connected.
        link.closePort();
        reportLinkFault("LinkConnectLostMessage", MsgIcon::Error);
        return;
    }
    showDefaults();
    control<QWidget>(QStringLiteral("LEDRedImage"))->hide();
    control<QWidget>(QStringLiteral("LEDGreenImage"))->show();
    control<QWidget>(QStringLiteral("FileFirmUpdateButton"))->setEnabled(true);
    control<QWidget>(QStringLiteral("ResetButton"))->setEnabled(true);
    control<QAbstractButton>(QStringLiteral("ConnectSpeedButton"))
        ->setText(text(QStringLiteral("DisconnectButton")));
    control<QProgressBar>(QStringLiteral("ProgressBar1"))->setValue(0);
    setReadWriteByActivePage();
    garbledStatusReport.reset();
    Connected = true;
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
