// The firmware transfer to a loader that answers anything: handshake, blocks and end with
// arbitrary single-byte replies, silences and retries.
//
// Input: [setup] [block a] [block b] then the replies to the writes as pieces (FuzzSupport.h).
//   setup bit 0: Kind2; bit 1: link at 230400 instead of 250000; bit 2: the file is made for
//   the other kind. The image flags blocks a * 6 and b * 6 + 3 (mod 1504) and the last one.
#include "FuzzFirmware.h"
#include "FuzzSupport.h"
#include "firmware/FirmwareTransfer.h"

namespace
{

using namespace vireo;
using vireo::fuzz::FuzzInput;
using vireo::fuzz::FuzzPort;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::uint8_t setup = input.byte();
    const UnitKind kind = setup & 1 ? UnitKind::Kind2 : UnitKind::Kind1;
    const UnitKind fileKind =
        setup & 4 ? (kind == UnitKind::Kind1 ? UnitKind::Kind2 : UnitKind::Kind1) : kind;
    const std::uint8_t a = input.byte();
    const std::uint8_t b = input.byte();
    const auto file = vireo::fuzz::transferImage(fileKind, a, b);

    FuzzPort port(input);
    SerialLink link(port);
    port.guardReads(link.ReplyBuffer().data(), SerialLink::ReplyBufferSize - 1);
    link.baudRate = setup & 2 ? 230400 : 250000;
    link.openPort();

    int lastProgress = 0;
    TransferEvents events;
    events.progress = [&](int p) {
        FUZZ_CHECK(p >= 0 && p <= 100);
        lastProgress = p;
    };
    const UpdateOutcome outcome = transferFirmware(link, kind, *file, events);
    if (fileKind != kind) {
        FUZZ_CHECK(outcome == UpdateOutcome::FileUnsuitable);
        FUZZ_CHECK(port.writes() == 0);
    }
    if (outcome == UpdateOutcome::Complete)
        FUZZ_CHECK(lastProgress == 100);
    return 0;
}
