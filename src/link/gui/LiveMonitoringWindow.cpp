// The polling tick: lamp blinking, the ping that notices a lost unit, and the live status of
// the GAIN CONTROL STATUS page.
#include "app/BusyFlow.h"
#include "app/StaticText.h"
#include "app/TForm1.h"
#include "link/LiveStatus.h"

#include <QLabel>
#include <QScopedValueRollback>

#include <array>
#include <vector>

namespace vireo
{
namespace
{

struct AxisControls {
    std::array<const char *, 3> modeLamps; // MODE0(POS0), MODE1(POS1), EXTRA(POS2)
    const char *volume;
    const char *tx;
    const char *total;
    std::array<const char *, 2> limitsLow; // both VOLUME LIMIT columns
    std::array<const char *, 2> limitsHigh;
};

constexpr std::array<AxisControls, 3> StatusAxes = {{
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
                                                           "StaticText87"}; // AILE, ELEV, RUDD, COND
constexpr const char *NonLamp = "StaticText37";

StaticText *staticText(TForm1 &f, const char *name)
{
    return f.control<StaticText>(QString::fromLatin1(name));
}

void showNumber(TForm1 &f, const char *name, int value)
{
    staticText(f, name)->setText(QString::number(value));
}

// One lamp of a mode group lit, the other two unlit; a mode outside 0..2 changes nothing.
void showModeLamps(TForm1 &f, const std::array<const char *, 3> &lamps, std::optional<int> mode)
{
    if (!mode)
        return;
    for (int i = 0; i < 3; ++i)
        staticText(f, lamps[static_cast<std::size_t>(i)])->setLit(i == *mode);
}

void showChannelLamp(TForm1 &f, const char *lamp, bool lit)
{
    staticText(f, lamp)->setLit(lit);
}

void showChannelInfo(TForm1 &f, ChannelInfoText info, bool red)
{
    if (info == ChannelInfoText::Keep)
        return;
    auto *label = f.control<QLabel>(QStringLiteral("Label62"));
    if (info == ChannelInfoText::Empty) {
        label->setText(QString());
        return;
    }
    static constexpr const char *Keys[] = {
        "", "", "GCSChanelInfo1", "GCSChanelInfo2", "GCSChanelInfo3", "GCSChanelInfo4"};
    label->setText(f.text(QString::fromLatin1(Keys[static_cast<int>(info)])));
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, red ? QColor(Qt::red) : QColor(Qt::black));
    label->setPalette(p);
}

// Every read-out and lamp of the page, for dimming them together.
std::vector<const char *> statusControls()
{
    std::vector<const char *> names;
    for (const AxisControls &c : StatusAxes) {
        names.insert(names.end(), c.modeLamps.begin(), c.modeLamps.end());
        names.insert(names.end(), {c.volume, c.tx, c.total});
        names.insert(names.end(), c.limitsLow.begin(), c.limitsLow.end());
        names.insert(names.end(), c.limitsHigh.begin(), c.limitsHigh.end());
    }
    names.insert(names.end(), Kind1GainLamps.begin(), Kind1GainLamps.end());
    names.insert(names.end(), Kind2ChannelLamps.begin(), Kind2ChannelLamps.end());
    names.push_back(NonLamp);
    return names;
}

// Not known: no number, no lit lamp, no channel text, all dimmed.
void showUnknownStatus(TForm1 &f)
{
    for (const AxisControls &c : StatusAxes) {
        for (const char *lamp : c.modeLamps)
            staticText(f, lamp)->setLit(false);
        for (const char *field : {c.volume, c.tx, c.total})
            staticText(f, field)->clear();
        for (const auto &column : {c.limitsLow, c.limitsHigh})
            for (const char *field : column)
                staticText(f, field)->clear();
    }
    for (const char *lamp : Kind1GainLamps)
        staticText(f, lamp)->setLit(false);
    for (const char *lamp : Kind2ChannelLamps)
        staticText(f, lamp)->setLit(false);
    staticText(f, NonLamp)->setLit(false);
    f.control<QLabel>(QStringLiteral("Label62"))->clear();
}

void showLiveStatus(TForm1 &f, const StatusView &view, UnitKind kind)
{
    // Dimmed rather than disabled: enabling belongs to the axis mode (three-axis controls).
    for (const char *name : statusControls())
        staticText(f, name)->setDimmed(!view.known);
    if (!view.known) {
        showUnknownStatus(f);
        return;
    }
    if (kind == UnitKind::Kind1) {
        for (std::size_t i = 0; i < Kind1GainLamps.size(); ++i)
            showChannelLamp(f, Kind1GainLamps[i], view.gainLamps[i]);
    } else {
        for (std::size_t i = 0; i < Kind2ChannelLamps.size(); ++i)
            showChannelLamp(f, Kind2ChannelLamps[i], view.kind2Lamps[i]);
    }
    showChannelLamp(f, NonLamp, view.nonLamp);
    showChannelInfo(f, view.channelInfo, view.channelInfoRed);

    for (std::size_t axis = 0; axis < StatusAxes.size(); ++axis) {
        const AxisControls &c = StatusAxes[axis];
        const AxisStatusView &a = view.axes[axis];
        showModeLamps(f, c.modeLamps, a.modeLamp);
        showNumber(f, c.volume, a.volumeGain);
        staticText(f, c.tx)->setText(a.txGain ? QString::number(*a.txGain) : QStringLiteral("-"));
        showNumber(f, c.total, a.totalGain);
        for (const char *low : c.limitsLow)
            showNumber(f, low, a.limitLow);
        for (const char *high : c.limitsHigh)
            showNumber(f, high, a.limitHigh);
    }
}

void toggleVisible(QWidget *w)
{
    w->setHidden(!w->isHidden());
}

} // namespace

void TForm1::Timer2Timer()
{
    // A box raised by a tick runs its own event loop, in which the timer keeps firing; those
    // ticks must not poll (and raise further boxes) underneath it.
    if (inPollingTick)
        return;
    // Marks the tick as running for its whole duration, however it ends.
    const QScopedValueRollback<bool> guard(inPollingTick, true);

    if (!Connected) {
        toggleVisible(control<QWidget>(QStringLiteral("LEDRedImage")));
        return;
    }
    if (Updating || Resetting)
        return;
    // No exchange of its own between two of a running flow (a write, a reset's wait, the boxes
    // of a connection); and while its own boxes are up, no flow starts inside it.
    BusyFlow tick(*this, Flow::Polling);
    if (!tick)
        return;

    const StatusTick result =
        runStatusTick(link, liveStatus, garbledStatusReport, unitKind, FirmwareVersion, AppliedAxisMode);
    if (result.lost) {
        linkLost();
        return;
    }
    toggleVisible(control<QWidget>(QStringLiteral("LEDGreenImage")));
    if (result.reportGarbled)
        reportLinkFault("LinkStatusGarbledMessage", MsgIcon::Warning);
    if (result.view)
        showLiveStatus(*this, *result.view, unitKind);
}

void TForm1::showStatusPage()
{
    showLiveStatus(*this, computeStatusView(liveStatus, unitKind, AppliedAxisMode), unitKind);
}

void TForm1::linkLost()
{
    disconnectUnit();
    reportLinkFault("LinkLostMessage", MsgIcon::Error);
}

} // namespace vireo
