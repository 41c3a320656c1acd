#include "link/gui/LinkController.h"

#include "app/FlowGuard.h"
#include "app/gui/BusyFlow.h"
#include "app/gui/WindowText.h"
#include "link/ConnectFlow.h"
#include "link/DeviceActions.h"
#include "link/Discovery.h"
#include "link/Identification.h"
#include "widgets/PageControl.h"
#include "widgets/StaticText.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QScopedValueRollback>
#include <QTimer>

#include <stdexcept>
#include <string_view>
#include <type_traits>

namespace vireo
{
namespace
{

QString qs(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// ---- The controls' names ------------------------------------------------------------------

struct StatusAxisNames {
    std::array<const char *, 3> modeLamps;
    const char *volume;
    const char *tx;
    const char *total;
    std::array<const char *, 2> limitsLow;
    std::array<const char *, 2> limitsHigh;
};

constexpr std::array<StatusAxisNames, 3> StatusAxes = {{
    {{"StaticText15", "StaticText7", "StaticText84"},
     "StaticText35",
     "StaticText81",
     "StaticText8",
     {"StaticText66", "StaticText75"},
     {"StaticText67", "StaticText76"}},
    {{"StaticText17", "StaticText24", "StaticText85"},
     "StaticText38",
     "StaticText82",
     "StaticText16",
     {"StaticText68", "StaticText77"},
     {"StaticText69", "StaticText78"}},
    {{"StaticText28", "StaticText29", "StaticText86"},
     "StaticText41",
     "StaticText83",
     "StaticText25",
     {"StaticText70", "StaticText79"},
     {"StaticText71", "StaticText80"}},
}};

constexpr std::array<const char *, 3> Kind1GainLamps = {"StaticText33", "StaticText34", "StaticText36"};
constexpr std::array<const char *, 4> Kind2ChannelLamps = {"StaticText32", "StaticText39", "StaticText40",
                                                           "StaticText87"};

// The controls identification can address, found once per window.
ShapeControls findShapeControls(const WindowShell &shell)
{
    auto find = [&shell]<class T>(const auto &names, std::unordered_map<std::string, T *> &into) {
        for (std::string_view name : names)
            into[std::string(name)] = shell.control<T>(name);
    };
    ShapeControls c;
    find(ShapeWidgets, c.widgets);
    find(ShapeLabels, c.labels);
    find(ShapeComboBoxes, c.comboBoxes);
    find(ShapeButtons, c.buttons);
    return c;
}

// The control a step names; every one was found with the view.
template <class T>
T *shapeControl(const std::unordered_map<std::string, T *> &controls, const std::string &name)
{
    const auto found = controls.find(name);
    if (found == controls.end())
        throw std::logic_error("no control named " + name + " for the unit's shape");
    return found->second;
}

// The page controls that hold page (it sits in one of the two).
std::vector<PageControl *> holding(const WindowShell &shell, QWidget *page)
{
    std::vector<PageControl *> result;
    for (PageControl *pages : {shell.PageControl1, shell.PageControl2})
        if (pages->indexOf(page) >= 0)
            result.push_back(pages);
    return result;
}

void toggleVisible(QWidget *w)
{
    w->setHidden(!w->isHidden());
}

} // namespace

LinkView LinkView::find(const WindowShell &shell)
{
    auto widget = [&shell](const char *name) { return shell.control<QWidget>(name); };
    auto staticText = [&shell](const char *name) { return shell.control<StaticText>(name); };
    auto staticTexts = [&staticText](const auto &names) {
        std::array<StaticText *, std::tuple_size_v<std::decay_t<decltype(names)>>> texts{};
        for (std::size_t i = 0; i < names.size(); ++i)
            texts[i] = staticText(names[i]);
        return texts;
    };

    LinkView v;
    v.ConnectSpeedButton = shell.control<QAbstractButton>(QStringLiteral("ConnectSpeedButton"));
    v.LEDRedImage = widget("LEDRedImage");
    v.LEDGreenImage = widget("LEDGreenImage");
    v.ReadButton = widget("ReadButton");
    v.WriteButton = widget("WriteButton");
    v.ReadButton2 = widget("ReadButton2");
    v.WriteButton2 = widget("WriteButton2");
    v.FileFirmUpdateButton = widget("FileFirmUpdateButton");
    v.ResetButton = widget("ResetButton");
    v.ProgressBar1 = shell.control<QProgressBar>(QStringLiteral("ProgressBar1"));
    v.PirouCheckResultLabel = shell.control<QLabel>(QStringLiteral("PirouCheckResultLabel"));

    for (std::size_t axis = 0; axis < StatusAxes.size(); ++axis) {
        const StatusAxisNames &names = StatusAxes[axis];
        StatusAxisControls &c = v.statusAxes[axis];
        c.modeLamps = staticTexts(names.modeLamps);
        c.volume = staticText(names.volume);
        c.tx = staticText(names.tx);
        c.total = staticText(names.total);
        c.limitsLow = staticTexts(names.limitsLow);
        c.limitsHigh = staticTexts(names.limitsHigh);
        v.statusReadOuts.insert(v.statusReadOuts.end(), c.modeLamps.begin(), c.modeLamps.end());
        v.statusReadOuts.insert(v.statusReadOuts.end(), {c.volume, c.tx, c.total});
        v.statusReadOuts.insert(v.statusReadOuts.end(), c.limitsLow.begin(), c.limitsLow.end());
        v.statusReadOuts.insert(v.statusReadOuts.end(), c.limitsHigh.begin(), c.limitsHigh.end());
    }
    v.kind1GainLamps = staticTexts(Kind1GainLamps);
    v.kind2ChannelLamps = staticTexts(Kind2ChannelLamps);
    v.StaticText37 = staticText("StaticText37");
    v.Label62 = shell.control<QLabel>(QStringLiteral("Label62"));
    v.statusReadOuts.insert(v.statusReadOuts.end(), v.kind1GainLamps.begin(), v.kind1GainLamps.end());
    v.statusReadOuts.insert(v.statusReadOuts.end(), v.kind2ChannelLamps.begin(), v.kind2ChannelLamps.end());
    v.statusReadOuts.push_back(v.StaticText37);

    v.shape = findShapeControls(shell);
    return v;
}

// ---- Connecting ---------------------------------------------------------------------------

class LinkController::ConnectHost : public ConnectFlowHost
{
public:
    explicit ConnectHost(LinkController &link) : c_(link) {}

    Dialogs &dialogs() override { return c_.shell_.dialogs(); }
    std::string text(std::string_view key) override { return windowText(c_.shell_, key); }
    SerialLink &link() override { return c_.link; }
    PortLister &ports() override { return c_.shell_.services().ports; }
    ParameterSet &workValues() override { return c_.window_.workValues(); }
    AxisRecordTable &defValues() override { return c_.window_.defValues(); }
    RecordKnown &defKnown() override { return c_.window_.defKnown(); }
    UnitProfile unitProfile() override { return {c_.unitKind, c_.FirmwareVersion}; }

    void setIdentity(const Identification &id) override
    {
        c_.unitKind = id.kind;
        c_.FirmwareVersion = id.firmwareVersion;
    }
    void applyShapeStep(const ShapeStep &step) override { c_.applyShapeStep(step); }

    void stopPolling() override { c_.Timer2->stop(); }
    void startPolling() override { c_.Timer2->start(); }
    void forgetUnitValues() override { c_.window_.forgetUnitValues(); }
    void showParameters() override { c_.window_.showParameters(); }
    void showDefaults() override { c_.window_.showDefaults(); }
    void readParameters() override { c_.window_.readParameters(); }
    void setParamsLoaded(bool loaded) override { c_.shell_.ParamsLoaded = loaded; }
    void markConnected() override { c_.markConnected(); }

private:
    LinkController &c_;
};

LinkController::LinkController(WindowShell &shell, LinkWindow &window, SerialPort &port)
    : link(port), shell_(shell), window_(window)
{
}

void LinkController::attachView()
{
    view_ = LinkView::find(shell_);
    Timer2 = new QTimer(&shell_.windowWidget());
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(500);
    Timer2->setTimerType(Qt::PreciseTimer); // a coarse timer lets the ticks drift by 5 %
}

void LinkController::setSerialDefaults()
{
    link.baudRate = SerialLink::DefaultBaud;
    link.readTimeoutMs = 0xFFFFFFFFu;
    // A failed exchange is followed by a ping, so a unit that has gone ends the running flow
    // at once; never inside the firmware transfer, whose loader must not see a ping.
    link.lossCheck = [this] { return !shell_.Updating; };
}

void LinkController::applyShapeStep(const ShapeStep &step)
{
    const ShapeControls &c = view_.shape;
    switch (step.action) {
    case ShapeAction::Show:
    case ShapeAction::Hide: {
        const bool visible = step.action == ShapeAction::Show;
        QWidget *w = shapeControl(c.widgets, step.control);
        const std::vector<PageControl *> pages = holding(shell_, w);
        if (pages.empty())
            w->setVisible(visible);
        for (PageControl *holder : pages)
            holder->setPageVisible(w, visible); // a page shows and hides with its tab
        break;
    }
    case ShapeAction::Enable:
    case ShapeAction::Disable:
        shapeControl(c.widgets, step.control)->setEnabled(step.action == ShapeAction::Enable);
        break;
    case ShapeAction::SetTextKey:
        shapeControl(c.labels, step.control)->setText(shell_.text(qs(step.arg)));
        break;
    case ShapeAction::SetText:
        shapeControl(c.labels, step.control)->setText(qs(step.arg));
        break;
    case ShapeAction::SelectFirstItem:
        shapeControl(c.comboBoxes, step.control)->setCurrentIndex(0);
        break;
    case ShapeAction::ActivatePage: {
        QWidget *page = shapeControl(c.widgets, step.control);
        for (PageControl *pages : holding(shell_, page))
            pages->setCurrentWidget(page);
        break;
    }
    case ShapeAction::CheckInsteadIfChecked:
        if (shapeControl(c.buttons, step.control)->isChecked())
            shapeControl(c.buttons, step.arg)->setChecked(true);
        break;
    case ShapeAction::ErrorBox:
    case ShapeAction::ReadAllDefaults:
        break; // the connect flow's own steps (link/ConnectFlow.h)
    }
}

void LinkController::markConnected()
{
    view_.LEDRedImage->hide();
    view_.LEDGreenImage->show();
    view_.FileFirmUpdateButton->setEnabled(true);
    view_.ResetButton->setEnabled(true);
    view_.ConnectSpeedButton->setText(shell_.text(QStringLiteral("DisconnectButton")));
    view_.ProgressBar1->setValue(0);
    shell_.setReadWriteByActivePage();
    garbledStatusReport.reset();
    shell_.Connected = true;
}

void LinkController::reportLinkFault(const char *key, MsgIcon icon)
{
    ConnectHost host(*this);
    vireo::reportLinkFault(host, key, icon);
}

void LinkController::ConnectSpeedButtonClick()
{
    if (!shell_.Connected)
        connectUnit();
    else if (!hasUnwrittenEdits(window_.workValues().origins) ||
             shell_.askYesNo("UnwrittenDisconnectMessage"))
        disconnectUnit();
}

std::optional<std::string> LinkController::findUnitPort()
{
    ConnectHost host(*this);
    return discoverUnit(host);
}

bool LinkController::identifyUnit()
{
    ConnectHost host(*this);
    return identifyConnectedUnit(host);
}

void LinkController::readStandardValuesOnConnect()
{
    ConnectHost host(*this);
    vireo::readStandardValuesOnConnect(host);
}

void LinkController::connectUnit()
{
    ConnectHost host(*this);
    runConnectFlow(host);
}

void LinkController::disconnectUnit()
{
    view_.LEDGreenImage->hide();
    view_.ConnectSpeedButton->setText(shell_.text(QStringLiteral("ConnectButton")));
    for (QWidget *button : {view_.ReadButton, view_.WriteButton, view_.FileFirmUpdateButton,
                            view_.ResetButton, view_.ReadButton2, view_.WriteButton2})
        button->setEnabled(false);
    link.closePort();
    shell_.Connected = false;
    // What the status page showed is no longer the unit's live state.
    liveStatus.forget();
    showStatusPage();
}

void LinkController::PirouCheckButtonClick()
{
    // The unit shows the direction itself; the line beside the button says the check went out
    // (or that the unit did not take it).
    const bool sent = checkPirouette(link);
    view_.PirouCheckResultLabel->setText(
        shell_.text(sent ? QStringLiteral("PRSCheckSentText") : QStringLiteral("PRSCheckFailedText")));
}

// ---- The polling tick and the status page -------------------------------------------------

void LinkController::Timer2Timer()
{
    // A box raised by a tick runs its own event loop, in which the timer keeps firing; those
    // ticks must not poll (and raise further boxes) underneath it.
    if (inPollingTick)
        return;
    // Marks the tick as running for its whole duration, however it ends.
    const QScopedValueRollback<bool> guard(inPollingTick, true);

    if (!shell_.Connected) {
        toggleVisible(view_.LEDRedImage);
        return;
    }
    if (shell_.Updating || shell_.Resetting)
        return;
    // No exchange of its own between two of a running flow (a write, a reset's wait, the boxes
    // of a connection); and while its own boxes are up, no flow starts inside it.
    BusyFlow tick(shell_, Flow::Polling);
    if (!tick)
        return;

    const StatusTick result = runStatusTick(link, liveStatus, garbledStatusReport, unitKind, FirmwareVersion,
                                            window_.appliedAxisMode());
    if (result.lost) {
        linkLost();
        return;
    }
    toggleVisible(view_.LEDGreenImage);
    if (result.reportGarbled)
        reportLinkFault("LinkStatusGarbledMessage", MsgIcon::Warning);
    if (result.view)
        showLiveStatus(*result.view);
}

void LinkController::showStatusPage()
{
    showLiveStatus(computeStatusView(liveStatus, unitKind, window_.appliedAxisMode()));
}

void LinkController::linkLost()
{
    disconnectUnit();
    reportLinkFault("LinkLostMessage", MsgIcon::Error);
}

namespace
{

// One lamp of a mode group lit, the other two unlit; a mode outside 0..2 changes nothing.
void showModeLamps(const std::array<StaticText *, 3> &lamps, std::optional<int> mode)
{
    if (!mode)
        return;
    for (int i = 0; i < 3; ++i)
        lamps[static_cast<std::size_t>(i)]->setLit(i == *mode);
}

void showNumber(StaticText *field, int value)
{
    field->setText(QString::number(value));
}

void showChannelInfo(const WindowShell &shell, QLabel *label, ChannelInfoText info, bool red)
{
    if (info == ChannelInfoText::Keep)
        return;
    if (info == ChannelInfoText::Empty) {
        label->setText(QString());
        return;
    }
    static constexpr const char *Keys[] = {
        "", "", "GCSChanelInfo1", "GCSChanelInfo2", "GCSChanelInfo3", "GCSChanelInfo4"};
    label->setText(shell.text(QString::fromLatin1(Keys[static_cast<int>(info)])));
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, red ? QColor(Qt::red) : QColor(Qt::black));
    label->setPalette(p);
}

} // namespace

// Not known: no number, no lit lamp, no channel text, all dimmed.
void LinkController::showUnknownStatus()
{
    for (const StatusAxisControls &c : view_.statusAxes) {
        for (StaticText *lamp : c.modeLamps)
            lamp->setLit(false);
        for (StaticText *field : {c.volume, c.tx, c.total})
            field->clear();
        for (const auto &column : {c.limitsLow, c.limitsHigh})
            for (StaticText *field : column)
                field->clear();
    }
    for (StaticText *lamp : view_.kind1GainLamps)
        lamp->setLit(false);
    for (StaticText *lamp : view_.kind2ChannelLamps)
        lamp->setLit(false);
    view_.StaticText37->setLit(false);
    view_.Label62->clear();
}

void LinkController::showLiveStatus(const StatusView &status)
{
    // Dimmed rather than disabled: enabling belongs to the axis mode (three-axis controls).
    for (StaticText *readOut : view_.statusReadOuts)
        readOut->setDimmed(!status.known);
    if (!status.known) {
        showUnknownStatus();
        return;
    }
    if (unitKind == UnitKind::Kind1) {
        for (std::size_t i = 0; i < view_.kind1GainLamps.size(); ++i)
            view_.kind1GainLamps[i]->setLit(status.gainLamps[i]);
    } else {
        for (std::size_t i = 0; i < view_.kind2ChannelLamps.size(); ++i)
            view_.kind2ChannelLamps[i]->setLit(status.kind2Lamps[i]);
    }
    view_.StaticText37->setLit(status.nonLamp);
    showChannelInfo(shell_, view_.Label62, status.channelInfo, status.channelInfoRed);

    for (std::size_t axis = 0; axis < view_.statusAxes.size(); ++axis) {
        const StatusAxisControls &c = view_.statusAxes[axis];
        const AxisStatusView &a = status.axes[axis];
        showModeLamps(c.modeLamps, a.modeLamp);
        showNumber(c.volume, a.volumeGain);
        c.tx->setText(a.txGain ? QString::number(*a.txGain) : QStringLiteral("-"));
        showNumber(c.total, a.totalGain);
        for (StaticText *low : c.limitsLow)
            showNumber(low, a.limitLow);
        for (StaticText *high : c.limitsHigh)
            showNumber(high, a.limitHigh);
    }
}

} // namespace vireo
