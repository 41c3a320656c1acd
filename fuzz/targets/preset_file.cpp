// A preset file pair of any content: the ".tpd" blocks and the ".gdt" read by the preset
// rules. A pair that fails the checksum leaves the working values as they were; a pair that
// loads holds the ".tpd" blocks exactly.
//
// Input: [choice] [tpd length] [tpd bytes] [gdt bytes to the end]
//   choice % 3: the preset; choice / 3: firmware version (FuzzVersions)
#include "FuzzSupport.h"
#include "files/Preset.h"

namespace
{

using namespace vireo;
using vireo::fuzz::FuzzInput;

ParameterSet patternedSet()
{
    ParameterSet s;
    std::int16_t v = 7;
    for (auto &axis : s.axes)
        for (auto &rec : axis)
            for (auto &w : rec.words)
                w = v += 113;
    for (auto &w : s.common.words)
        w = v += 113;
    for (PresetBlock *b : {&s.z, &s.g, &s.j})
        for (auto &w : b->words)
            w = v += 113;
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::uint8_t choice = input.byte();
    const int preset = choice % PresetCount;
    const std::string_view firmware =
        vireo::fuzz::fuzzVersion(static_cast<std::uint8_t>(choice / PresetCount));
    const auto tpd = input.bytes(input.byte());
    const auto gdt = input.rest();

    const auto blocks = presetBlockImageFromBytes(tpd);
    FUZZ_CHECK(blocks.has_value() == (tpd.size() >= PresetBlockFileBytes));
    const auto gdtImage = wordImageFromBytes(gdt);
    if (!blocks || !gdtImage)
        return 0;

    const ParameterSet before = patternedSet();
    ParameterSet work = before;
    if (!applyPreset(preset, *blocks, *gdtImage, firmware, work)) {
        FUZZ_CHECK(work == before);
        return 0;
    }
    FUZZ_CHECK(encodePresetBlockFile((*blocks)[0], work) == *blocks);
    return 0;
}
