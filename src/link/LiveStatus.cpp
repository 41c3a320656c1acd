#include "link/LiveStatus.h"

#include "seams/ConversionError.h"

#include <algorithm>
#include <cmath>

namespace vireo
{

std::vector<PollCommand> pollCommands(LiveStatus &status, UnitKind kind, std::string_view firmwareVersion)
{
    const bool kind2 = kind == UnitKind::Kind2;
    const int gyroCount = kind2 && versionAtLeast(firmwareVersion, " 0.2.7") ? 5 : 3;
    std::vector<PollCommand> commands = {
        {"GINFO A\r\n", gyroCount, status.GyroInfo[AxisA].data()},
        {"GINFO E\r\n", gyroCount, status.GyroInfo[AxisE].data()},
        {"GINFO R\r\n", gyroCount, status.GyroInfo[AxisR].data()},
        {"CHDET\r\n", 3, status.ChannelDetect.data()},
    };
    if (kind2 && versionAtLeast(firmwareVersion, " 0.5.0"))
        commands.push_back({"CHDET2\r\n", 1, &status.ChannelDetect2});
    if (!kind2) {
        commands.push_back({"VOLA A\r\n", 3, status.VolumeLimits[AxisA].data()});
        commands.push_back({"VOLA E\r\n", 3, status.VolumeLimits[AxisE].data()});
        commands.push_back({"VOLA R\r\n", 3, status.VolumeLimits[AxisR].data()});
    }
    return commands;
}

PollResult pollLiveStatus(SerialLink &link, LiveStatus &status, UnitKind kind,
                          std::string_view firmwareVersion)
{
    for (const PollCommand &c : pollCommands(status, kind, firmwareVersion)) {
        if (!link.exchange(c.line, static_cast<std::size_t>(5 * c.count + 1), PollTimeoutMs)) {
            if (link.lost())
                return PollResult::Lost;
            continue;
        }
        std::array<std::int16_t, 5> values{};
        std::copy_n(c.dest, c.count, values.begin());
        try {
            // A field without its separator would leave an old value on the page as if new.
            link.parseValueList(c.count, values.data(), SerialLink::FieldWithoutSeparator::IsGarbled);
        } catch (const ConversionError &) {
            return PollResult::Garbled;
        }
        std::copy_n(values.begin(), c.count, c.dest);
        status.known = true;
    }
    return PollResult::Done;
}

void applyOneAxisMode(LiveStatus &status, UnitKind kind)
{
    if (kind == UnitKind::Kind2) {
        status.ChannelDetect[1] = 0;
        status.ChannelDetect[2] = 0;
    }
    status.GyroInfo[AxisA][0] = 0;
    status.GyroInfo[AxisE][0] = 0;
}

int shownPercent(double x)
{
    return static_cast<int>(std::trunc(x + 0.5));
}

namespace
{

// Raw volume values run from -512 (0 %) over 0 (50 %) to 512 (100 %).
double volumePercent(std::int16_t raw)
{
    return (raw / 2.0 + 256.0) / 512.0 * 100.0;
}

std::optional<int> modeLamp(std::int16_t mode)
{
    if (mode >= 0 && mode <= 2)
        return mode;
    return std::nullopt;
}

} // namespace

StatusView computeStatusView(const LiveStatus &s, UnitKind kind, int appliedAxisMode)
{
    const bool kind2 = kind == UnitKind::Kind2;
    const bool oneAxis = appliedAxisMode == 1;
    const auto &ch = s.ChannelDetect;
    StatusView view;
    if (!s.known) {
        view.known = false;
        return view;
    }

    if (kind2) {
        view.kind2Lamps = {ch[1] != 0, ch[2] != 0, ch[0] != 0, s.ChannelDetect2 != 0};
    } else {
        view.gainLamps = {ch[0] != 0, ch[1] != 0, ch[2] != 0};
    }

    if (ch[0] == 0 && ch[1] == 0 && ch[2] == 0 && s.ChannelDetect2 == 0) {
        view.nonLamp = true;
        view.channelInfo = ChannelInfoText::Empty;
    } else if (!kind2) {
        const bool c0 = ch[0] == 1, c1 = ch[1] == 1, c2 = ch[2] == 1;
        const bool z1 = ch[1] == 0, z2 = ch[2] == 0;
        if (c0 && z1 && z2)
            view.channelInfo = ChannelInfoText::Info1;
        else if (c0 && c1 && z2)
            view.channelInfo = ChannelInfoText::Info3;
        else if (c0 && c1 && c2)
            view.channelInfo = ChannelInfoText::Info4;
        else {
            view.channelInfo = ChannelInfoText::Info2;
            view.channelInfoRed = true;
        }
    }

    // Which channel input enables the transmitter gain of each axis.
    const bool anyChannel = ch[0] == 1 || ch[1] == 1 || ch[2] == 1;
    const std::array<bool, 3> txShown = kind2 ? std::array<bool, 3>{ch[1] == 1, ch[2] == 1, ch[0] == 1}
                                              : std::array<bool, 3>{anyChannel, anyChannel, anyChannel};

    for (int axis = AxisA; axis <= AxisR; ++axis) {
        const auto &g = s.GyroInfo[axis];
        AxisStatusView &a = view.axes[axis];
        a.modeLamp = modeLamp(g[0]);
        int volume = shownPercent(volumePercent(g[2]));
        int tx, low, high;
        if (kind2) {
            tx = shownPercent(g[1] / 1200.0 * 100.0);
            low = shownPercent(std::abs(static_cast<int>(g[4])) / 1800.0 * 100.0);
            high = shownPercent(g[3] / 1800.0 * 100.0);
            if (oneAxis && axis != AxisR)
                volume = tx = low = high = 0;
        } else {
            tx = shownPercent(g[1] * 0.0008 * 100.0);
            low = shownPercent(volumePercent(s.VolumeLimits[axis][0]));
            high = shownPercent(volumePercent(s.VolumeLimits[axis][1]));
        }
        if (tx == 0)
            tx = 100; // no transmitter gain means full gain
        a.volumeGain = volume;
        if (txShown[axis])
            a.txGain = tx;
        a.totalGain = volume * tx / 100;
        a.limitLow = low;
        a.limitHigh = high;
    }
    return view;
}

StatusTick runStatusTick(SerialLink &link, LiveStatus &status, GarbledStatusReport &garbled, UnitKind kind,
                         std::string_view firmwareVersion, int appliedAxisMode)
{
    StatusTick tick;
    if (!link.pingUnit()) {
        tick.lost = true;
        return tick;
    }
    if (!hasApplicationFirmware(firmwareVersion))
        return tick;
    const PollResult result = pollLiveStatus(link, status, kind, firmwareVersion);
    if (result == PollResult::Lost) {
        tick.lost = true;
        return tick;
    }
    // A garbled command kept its values and the page is not renewed; the next tick starts
    // afresh.
    tick.reportGarbled = garbled.afterPoll(result);
    if (result == PollResult::Garbled)
        return tick;
    if (appliedAxisMode == 1)
        applyOneAxisMode(status, kind);
    tick.view = computeStatusView(status, kind, appliedAxisMode);
    return tick;
}

} // namespace vireo
