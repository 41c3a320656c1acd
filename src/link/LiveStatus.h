#pragma once
// Live gain-control status of the unit: what the polling tick asks for, how the answers are
// stored, and what the GAIN CONTROL STATUS page shows for them.
#include "link/SerialLink.h"
#include "link/Version.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace vireo
{

enum Axis { AxisA = 0, AxisE = 1, AxisR = 2 };

struct LiveStatus {
    // [axis][0] flight mode, [1] transmitter gain, [2] volume gain, [3] upper and [4] lower
    // volume limit (the limits only from five-value units).
    std::array<std::array<std::int16_t, 5>, 3> GyroInfo{};
    // Kind1: gain channels 1..3. Kind2: [0] rudder, [1] aileron, [2] elevator.
    std::array<std::int16_t, 3> ChannelDetect{};
    std::int16_t ChannelDetect2 = 0; // Kind2: condition channel
    // Kind1: [axis][0] lower, [1] upper volume limit.
    std::array<std::array<std::int16_t, 3>, 3> VolumeLimits{};
    // Some reply of the connected unit has been stored. False at start and after forget.
    bool known = false;

    // The link is gone: nothing here describes the unit any more.
    void forget() { *this = LiveStatus{}; }
};

struct PollCommand {
    std::string_view line;
    int count;          // values in the reply
    std::int16_t *dest; // where they go
};

inline constexpr std::uint32_t PollTimeoutMs = 5000;

// The poll of one tick, in order, for this unit.
std::vector<PollCommand> pollCommands(LiveStatus &status, UnitKind kind, std::string_view firmwareVersion);

enum class PollResult {
    Done,    // every command was sent; a failed exchange kept that command's values
    Garbled, // a reply field was not hexadecimal or lacked its separator: that command kept
             // its values and the poll ended
    Lost,    // the link was lost: the poll ended
};

// Runs the poll. A failed exchange keeps that command's values and polling goes on, unless
// the link is lost by it. A garbled reply (a field that is not hexadecimal or has no
// separator) keeps that command's values too and ends the poll, so no command ever holds a
// half-parsed answer.
PollResult pollLiveStatus(SerialLink &link, LiveStatus &status, UnitKind kind,
                          std::string_view firmwareVersion);

// A status reply that stays garbled is reported once, not at every tick: after a report the
// next one needs a poll without garbled replies in between.
class GarbledStatusReport
{
public:
    // True when this poll's garbled reply is to be reported.
    bool afterPoll(PollResult result)
    {
        const bool report = result == PollResult::Garbled && !reported_;
        if (result != PollResult::Lost)
            reported_ = result == PollResult::Garbled;
        return report;
    }
    void reset() { reported_ = false; }

private:
    bool reported_ = false;
};

// In the one-axis mode the unit reports nothing meaningful for aileron and elevator: their
// flight modes read as MODE0 and, on a Kind2 unit, their gain channels as not detected.
void applyOneAxisMode(LiveStatus &status, UnitKind kind);

enum class ChannelInfoText { Keep, Empty, Info1, Info2, Info3, Info4 };

struct AxisStatusView {
    std::optional<int> modeLamp; // 0..2 lights that lamp; nothing leaves the lamps as they are
    int volumeGain = 0;
    std::optional<int> txGain; // nothing shows "-"
    int totalGain = 0;
    int limitLow = 0;
    int limitHigh = 0;
};

struct StatusView {
    // False: the unit's status is not known (no reply yet, or the link was lost). The page
    // then shows no number, no lit lamp and no channel text, greyed.
    bool known = true;
    std::array<AxisStatusView, 3> axes;
    // Kind1: GAIN1..GAIN3. Kind2: AILE, ELEV, RUDD, COND.
    std::array<bool, 3> gainLamps{};
    std::array<bool, 4> kind2Lamps{};
    bool nonLamp = false;
    ChannelInfoText channelInfo = ChannelInfoText::Keep;
    bool channelInfoRed = false;
};

// Display rules of the status page, from the values as the poll left them (after
// applyOneAxisMode when the one-axis mode is applied). Values not known give an unknown view.
StatusView computeStatusView(const LiveStatus &status, UnitKind kind, int appliedAxisMode);

// One tick of the live status, the same for the window and the terminal: the ping that
// notices a lost unit, then (application firmware only) the poll, the once-only report of a
// reply that stays garbled, the one-axis adjustment and the view to show.
struct StatusTick {
    bool lost = false;              // the unit no longer answers: nothing else happened
    bool reportGarbled = false;     // say now that the status replies are garbled
    std::optional<StatusView> view; // the page's new view; nothing keeps the page as it is
};
StatusTick runStatusTick(SerialLink &link, LiveStatus &status, GarbledStatusReport &garbled, UnitKind kind,
                         std::string_view firmwareVersion, int appliedAxisMode);

// A percentage as the page shows it: rounded half up, then truncated toward zero.
int shownPercent(double x);

} // namespace vireo
