// The live status poll with arbitrary answers, and the status page computed from whatever
// values it left.
//
// Input: [unit] [ticks] then the replies, as pieces (see FuzzSupport.h).
//   unit bit 0: Kind2; bits 1..2: applied axis mode; bits 3..: firmware version (FuzzVersions)
//   ticks: polls to run (1..8)
#include "FuzzSupport.h"
#include "link/LiveStatus.h"

namespace
{

using namespace vireo;
using vireo::fuzz::FuzzInput;
using vireo::fuzz::FuzzPort;

void checkView(const StatusView &view)
{
    for (const AxisStatusView &a : view.axes)
        FUZZ_CHECK(!a.modeLamp || (*a.modeLamp >= 0 && *a.modeLamp <= 2));
    if (view.nonLamp)
        FUZZ_CHECK(view.channelInfo == ChannelInfoText::Empty);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::uint8_t unit = input.byte();
    const UnitKind kind = unit & 1 ? UnitKind::Kind2 : UnitKind::Kind1;
    const int axisMode = (unit >> 1) & 3;
    const std::string_view firmware = vireo::fuzz::fuzzVersion(static_cast<std::uint8_t>(unit >> 3));
    const int ticks = 1 + input.byte() % 8;

    FuzzPort port(input);
    SerialLink link(port);
    port.guardReads(link.ReplyBuffer().data(), SerialLink::ReplyBufferSize - 1);
    link.openPort();

    LiveStatus status;
    for (int t = 0; t < ticks; ++t) {
        // Without the loss check the link is never lost.
        FUZZ_CHECK(pollLiveStatus(link, status, kind, firmware) != PollResult::Lost);
        FUZZ_CHECK(computeStatusView(status, kind, axisMode).known == status.known);
        checkView(computeStatusView(status, kind, axisMode));
        if (axisMode == 1) {
            LiveStatus oneAxis = status;
            applyOneAxisMode(oneAxis, kind);
            checkView(computeStatusView(oneAxis, kind, axisMode));
        }
    }
    return 0;
}
