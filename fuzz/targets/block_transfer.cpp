// Parameter block reads and writes with arbitrary replies. A read commits only a reply that
// arrived whole and parsed field by field: after a short, silent or garbled reply the
// destination must hold exactly what it held before.
//
// Input: [unit] [count] then repeated [op] with the replies to the writes as pieces (FuzzSupport.h).
//   unit bit 0: Kind2; bits 1..: firmware version (FuzzVersions); then [count] % 33 ops
//   op % 3 == 0 readGroup, 1 readDefaults, 2 writeGroup; (op / 3) % 7 the selector
//   (A E R C Z G J), (op / 21) % 3 the mode set. A readAllDefaults closes the script.
#include "FuzzSupport.h"
#include "params/BlockTransfer.h"
#include "seams/ConversionError.h"

namespace
{

using namespace vireo;
using vireo::fuzz::FuzzInput;
using vireo::fuzz::FuzzPort;

constexpr std::array<Selector, 7> Selectors = {Selector::A, Selector::E, Selector::R, Selector::C,
                                               Selector::Z, Selector::G, Selector::J};

// Recognisable values, so that a stray write into any record shows.
ParameterSet patternedSet()
{
    ParameterSet s;
    std::int16_t v = 101;
    for (auto &axis : s.axes)
        for (auto &rec : axis)
            for (auto &w : rec.words)
                w = v++;
    for (auto &w : s.common.words)
        w = v++;
    for (PresetBlock *b : {&s.z, &s.g, &s.j})
        for (auto &w : b->words)
            w = v++;
    return s;
}

// The common fields a read sets to fixed values whether its exchange succeeds or not.
bool fixedByRead(std::size_t field)
{
    const auto f = static_cast<CommonField>(field);
    return f == CommonField::PirouUse || f == CommonField::PirouDir || f == CommonField::PirouGain ||
           f == CommonField::ERingOff || f == CommonField::RxKind;
}

void checkOnlyRecordChanged(const ParameterSet &before, const ParameterSet &after, Selector group, ModeSet k,
                            bool committed)
{
    for (int a = 0; a < AxisCount; ++a)
        for (int m = 0; m < ModeSetCount; ++m)
            if (!(committed && group == AxisSelectors[static_cast<std::size_t>(a)] && m == k))
                FUZZ_CHECK(before.axes[a][m] == after.axes[a][m]);
    FUZZ_CHECK(before.z == after.z && before.g == after.g && before.j == after.j);
    if (group == Selector::C) {
        for (std::size_t f = 0; f < CommonFieldCount; ++f)
            if (!committed && !fixedByRead(f))
                FUZZ_CHECK(before.common.words[f] == after.common.words[f]);
    } else {
        FUZZ_CHECK(before.common == after.common);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::uint8_t unitByte = input.byte();
    const UnitProfile unit{unitByte & 1 ? UnitKind::Kind2 : UnitKind::Kind1,
                           vireo::fuzz::fuzzVersion(static_cast<std::uint8_t>(unitByte >> 1))};

    FuzzPort port(input);
    SerialLink link(port);
    port.guardReads(link.ReplyBuffer().data(), SerialLink::ReplyBufferSize - 1);
    link.openPort();

    ParameterSet work = patternedSet();
    AxisRecordTable def = patternedSet().axes;

    const int count = input.byte() % 33;
    for (int steps = 0; steps < count; ++steps) {
        const std::uint8_t op = input.byte();
        const Selector group = Selectors[(op / 3) % Selectors.size()];
        const ModeSet k = (op / 21) % ModeSetCount;
        const ParameterSet workBefore = work;
        const AxisRecordTable defBefore = def;
        bool ok = false;
        switch (op % 3) {
        case 0:
            try {
                ok = readGroup(link, unit, group, k, work);
            } catch (const ConversionError &) {
                ok = false;
            }
            // A group the unit does not have succeeds without a reply and changes nothing.
            checkOnlyRecordChanged(workBefore, work, group, k, ok && groupInUnit(group, k, unit));
            FUZZ_CHECK(def == defBefore);
            break;
        case 1:
            try {
                ok = readDefaults(link, group, k, def);
            } catch (const ConversionError &) {
                ok = false;
            }
            FUZZ_CHECK(work == workBefore);
            for (int a = 0; a < AxisCount; ++a)
                for (int m = 0; m < ModeSetCount; ++m)
                    if (!(ok && group == AxisSelectors[static_cast<std::size_t>(a)] && m == k))
                        FUZZ_CHECK(def[a][m] == defBefore[a][m]);
            break;
        case 2:
            writeGroup(link, unit, group, k, work);
            FUZZ_CHECK(work == workBefore);
            break;
        }
    }
    try {
        readAllDefaults(link, unit, work, def);
    } catch (const ConversionError &) {
    }
    return 0;
}
