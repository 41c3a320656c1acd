// The serial link against a far end that answers anything: a script of operations, each
// chosen by one input byte, runs exchanges with arbitrary reply bytes and lengths and parses
// whatever stayed in the reply buffer.
//
// Input: repeated [op] [arguments]; replies to the writes are pieces (see FuzzSupport.h)
// taken from the same stream when the write happens.
//   op % 8 == 0  exchange: two bytes reply length (little-endian), then the write's reply
//             1  ping                    2  value list: one byte field count (0..255 + 200)
//             3  RESET                   4  PIROU
//             5  one value field: a piece of text
//             6  close the link          7  open the link
#include "FuzzSupport.h"
#include "link/DeviceActions.h"
#include "link/SerialLink.h"
#include "seams/ConversionError.h"

namespace
{

using vireo::SerialLink;
using vireo::fuzz::FuzzInput;
using vireo::fuzz::FuzzPort;

// What every exchange leaves behind, successful or not.
void checkReplyBuffer(const SerialLink &link, std::size_t asked)
{
    const std::size_t cap = std::min(asked, SerialLink::ReplyBufferSize - 1);
    FUZZ_CHECK(link.received() <= cap);
    FUZZ_CHECK(link.ReplyBuffer()[link.received()] == 0);
    FUZZ_CHECK(link.replyText().size() <= link.received());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    FuzzPort port(input);
    SerialLink link(port);
    port.guardReads(link.ReplyBuffer().data(), SerialLink::ReplyBufferSize - 1);
    link.portName = "fuzz";
    link.openPort();

    for (int steps = 0; !input.empty() && steps < 64; ++steps) {
        const std::uint8_t op = input.byte();
        const std::size_t writesBefore = port.writes();
        try {
            switch (op % 8) {
            case 0: {
                std::size_t asked = input.byte();
                asked |= static_cast<std::size_t>(input.byte()) << 8;
                const bool ok = link.exchange("RROM A 0\r\n", asked, 5000);
                FUZZ_CHECK(!ok || link.received() == std::min(asked, SerialLink::ReplyBufferSize - 1));
                checkReplyBuffer(link, asked);
                break;
            }
            case 1:
                if (link.pingUnit())
                    FUZZ_CHECK(link.replyText() == "OK\r\n");
                checkReplyBuffer(link, 4);
                break;
            case 2: {
                // Up to well past the 409 fields the buffer can hold.
                const int count = input.byte() + (op & 0x80 ? 200 : 0);
                std::vector<std::int16_t> values(static_cast<std::size_t>(count), 0x1234);
                link.parseValueList(count, values.data());
                break;
            }
            case 3:
                vireo::resetUnit(link);
                checkReplyBuffer(link, 4);
                break;
            case 4:
                if (vireo::checkPirouette(link))
                    FUZZ_CHECK(link.replyText() == "OK\r\n");
                break;
            case 5: {
                const auto piece = input.piece();
                std::int16_t value = 0x5A5A;
                const std::string_view field(reinterpret_cast<const char *>(piece.data()), piece.size());
                if (!vireo::parseValueField(field, value))
                    FUZZ_CHECK(value == 0x5A5A);
                break;
            }
            case 6:
                link.closePort();
                // A closed link fails at once and writes nothing.
                FUZZ_CHECK(!link.exchange("PING\r\n", 4, 200));
                FUZZ_CHECK(port.writes() == writesBefore);
                break;
            case 7:
                link.openPort();
                break;
            }
        } catch (const vireo::ConversionError &) {
        }
    }
    return 0;
}
