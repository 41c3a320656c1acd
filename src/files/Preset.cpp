#include "files/Preset.h"

#include <fstream>

namespace vireo
{

namespace
{

constexpr std::string_view PresetModeSet2Firmware = " 0.5.0";
// Common fields a format-2 preset supplies: DeadBand .. RxKind.
constexpr std::size_t PresetCommonCount = 12;
constexpr std::size_t PresetCommonOffset = 67;
constexpr std::uint16_t PresetCommonFormat = 2;
constexpr int RxKindResetPreset = 2;

void decodeRecord(AxisRecord &rec)
{
    for (AxisField f : {AxisField::HLD, AxisField::ACG, AxisField::ACR})
        rec[f] = decodeFileField(f, static_cast<std::uint16_t>(rec[f]));
}

} // namespace

PresetBlockImage encodePresetBlockFile(std::uint16_t firstWord, const ParameterSet &blocks)
{
    PresetBlockImage image{};
    image[0] = firstWord;
    const std::array<const PresetBlock *, 3> order = {&blocks.z, &blocks.g, &blocks.j};
    for (std::size_t b = 0; b < order.size(); ++b)
        for (std::size_t i = 0; i < PresetBlockWordCount; ++i)
            image[1 + b * PresetBlockWordCount + i] = static_cast<std::uint16_t>(order[b]->words[i]);
    return image;
}

std::optional<PresetBlockImage> presetBlockImageFromBytes(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < PresetBlockFileBytes)
        return std::nullopt;
    PresetBlockImage image{};
    for (std::size_t i = 0; i < PresetBlockFileWords; ++i)
        image[i] = static_cast<std::uint16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return image;
}

bool applyPreset(int p, const PresetBlockImage &blocks, const WordImage &gdt, std::string_view firmware,
                 ParameterSet &work)
{
    // A preset ".gdt" always has a format word, whatever its length.
    const std::size_t last = gdt.count == 0 ? 0 : gdt.count - 1;
    const auto words = std::span(gdt.words);
    if (gdt.count < 2 || wordSum(words.subspan(1, last - 1)) != words[last])
        return false;

    const std::array<PresetBlock *, 3> order = {&work.z, &work.g, &work.j};
    for (std::size_t b = 0; b < order.size(); ++b)
        for (std::size_t i = 0; i < PresetBlockWordCount; ++i)
            order[b]->words[i] = static_cast<std::int16_t>(blocks[1 + b * PresetBlockWordCount + i]);

    // Records of mode sets 0 and 1, still coded; decoded below together with mode set 2.
    for (ModeSet k = 0; k < 2; ++k)
        for (int a = 0; a < AxisCount; ++a) {
            AxisRecord &rec = work.axes[static_cast<std::size_t>(a)][static_cast<std::size_t>(k)];
            for (std::size_t f = 0; f < AxisFieldCount; ++f)
                rec.words[f] = static_cast<std::int16_t>(words[fileRecordOffset(a, k) + f]);
        }

    if (words[0] == PresetCommonFormat) {
        for (std::size_t f = 0; f < PresetCommonCount; ++f)
            work.common.words[f] = static_cast<std::int16_t>(words[PresetCommonOffset + f]);
        work.common.AxisMode() = 0;
    }

    int decoded = 2;
    if (versionAtLeast(firmware, PresetModeSet2Firmware)) {
        decoded = 3;
        work.common.CondCh() = 0;
        work.common.SwashNeutral() = 0;
        for (auto &axis : work.axes)
            axis[2] = axis[1];
    }
    for (auto &axis : work.axes)
        for (int k = 0; k < decoded; ++k)
            decodeRecord(axis[static_cast<std::size_t>(k)]);

    if (p == RxKindResetPreset)
        work.common.RxKind() = 0;
    return true;
}

PresetStatus loadPreset(int p, const std::filesystem::path &programDir, std::string_view firmware,
                        ParameterSet &work)
{
    if (p < 0 || p >= PresetCount)
        return PresetStatus::Unavailable;
    const PresetFileNames &names = PresetFiles[static_cast<std::size_t>(p)];

    std::ifstream tpd(programDir / names.tpd, std::ios::binary);
    if (!tpd)
        return PresetStatus::Unavailable;
    std::array<std::uint8_t, PresetBlockFileBytes> tpdBytes{};
    tpd.read(reinterpret_cast<char *>(tpdBytes.data()), static_cast<std::streamsize>(tpdBytes.size()));
    const auto blocks =
        presetBlockImageFromBytes(std::span(tpdBytes).first(static_cast<std::size_t>(tpd.gcount())));
    if (tpd.bad() || !blocks)
        return PresetStatus::Unavailable;

    const WordFile gdt = readWordFile(programDir / names.gdt);
    if (gdt.status != FileReadStatus::Ok)
        return PresetStatus::Unavailable;

    ParameterSet staged = work;
    if (!applyPreset(p, *blocks, gdt.image, firmware, staged))
        return PresetStatus::Unavailable;
    work = staged;
    return PresetStatus::Loaded;
}

} // namespace vireo
