// The simulated unit fed arbitrary bytes at arbitrary rates and times, as kalm07-sim feeds it
// from its pseudo-terminals: command lines, loader transfers, fault rules and reconnects.
//
// Input: [config] then repeated [op] with its arguments.
//   config bit 0: Kind2; bits 1..3: firmware (loader only or one of seven versions);
//   bit 4: wire timing; bit 5: animated live values; bit 6: no kind-byte check; bit 7: latency
//   op & 3: the rate of the bytes (250000, 230400, 115200, 9600); (op >> 2) % 4:
//     0  bytes: a piece (FuzzSupport.h) received now; then up to 64 arrived bytes are taken
//     1  wait: one byte, times 4 ms; then everything arrived is taken
//     2  fault rule: a piece of text
//     3  (op >> 4) % 4: reconnect, clear the faults, drop all output, memory round trip
#include "FuzzSupport.h"
#include "UnitSimulator.h"

namespace
{

using namespace vireo;
using vireo::fuzz::FuzzInput;

constexpr std::array<std::uint32_t, 4> Rates = {250000, 230400, 115200, 9600};
constexpr std::array<const char *, 8> Firmwares = {nullptr,  " 0.5.0", " 0.2.5", " 0.3.9",
                                                   " 1.0.5", " 2.0.0", " 2.0.5", " 0.2.7"};

void checkEntry(const TranscriptEntry &e)
{
    FUZZ_CHECK(e.replyStartUs >= e.atUs);
    FUZZ_CHECK(e.replyEndUs >= e.replyStartUs);
    FUZZ_CHECK(e.heard || e.reply.empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::uint8_t config = input.byte();
    UnitConfig cfg;
    cfg.kind = config & 1 ? UnitKind::Kind2 : UnitKind::Kind1;
    const char *fw = Firmwares[(config >> 1) & 7];
    cfg.firmware = fw ? std::optional<std::string>(fw) : std::nullopt;
    cfg.wireTiming = config & 0x10;
    cfg.animate = config & 0x20;
    cfg.checkKindByte = !(config & 0x40);
    cfg.latencyMs = config & 0x80 ? 5 : 0;
    UnitSimulator unit(cfg);

    std::int64_t now = 0;
    std::array<std::uint8_t, 64> out{};
    std::size_t checked = 0;
    for (int steps = 0; !input.empty() && steps < 512; ++steps) {
        const std::uint8_t op = input.byte();
        const std::uint32_t baud = Rates[op & 3];
        switch ((op >> 2) % 4) {
        case 0: {
            const auto bytes = input.piece();
            unit.receive(bytes.data(), bytes.size(), baud, now);
            now += 10;
            FUZZ_CHECK(unit.takeArrived(out.data(), out.size(), now) <= out.size());
            break;
        }
        case 1:
            now += std::int64_t{input.byte()} * 4000;
            while (unit.takeArrived(out.data(), out.size(), now) == out.size()) {
            }
            break;
        case 2: {
            const auto text = input.piece();
            unit.addFault(std::string_view(reinterpret_cast<const char *>(text.data()), text.size()));
            break;
        }
        case 3:
            switch ((op >> 4) % 4) {
            case 0:
                unit.reconnect();
                break;
            case 1:
                unit.clearFaults();
                break;
            case 2:
                unit.dropAllOutput();
                break;
            case 3:
                FUZZ_CHECK(unit.loadMemory(unit.memory()));
                break;
            }
            break;
        }
        const auto &transcript = unit.transcript();
        // The last entry may still grow (bytes nobody understood are gathered into one).
        for (; checked < transcript.size(); ++checked)
            checkEntry(transcript[checked]);
        if (checked > 0)
            checked = transcript.size() - 1;
    }
    if (!unit.transcript().empty())
        UnitSimulator::formatEntry(unit.transcript().back());
    return 0;
}
