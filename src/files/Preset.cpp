#include "files/Preset.h"

#include <fstream>
#include <system_error>

namespace vireo
{

namespace
{

constexpr std::string_view PresetModeSet2Firmware = " 0.5.0";
// Common fields a format-2 preset supplies: DeadBand .. RxKind.
constexpr std::size_t PresetCommonCount = 12;
constexpr std::size_t PresetCommonOffset = 67;
// The records of mode sets 0 and 1 end before this word.
constexpr std::size_t PresetRecordsEnd = 67;
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

std::vector<std::uint16_t> encodePresetParameterFile(const ParameterSet &preset)
{
    const ParameterFileImage current = encodeParameterFile(preset);
    std::vector<std::uint16_t> words(current.begin(), current.begin() + PresetRecordsEnd);
    words[0] = PresetCommonFormat;
    for (std::size_t f = 0; f <= static_cast<std::size_t>(CommonField::AxisMode); ++f)
        words.push_back(static_cast<std::uint16_t>(preset.common.words[f]));
    words.push_back(wordSum(std::span(words).subspan(1)));
    return words;
}

bool applyPreset(int p, const PresetBlockImage &blocks, const WordImage &gdt, std::string_view firmware,
                 ParameterSet &work)
{
    // A preset ".gdt" always has a format word, whatever its length, and must hold what it
    // loads before its checksum word: a shorter file would load padding zeros as gains.
    const auto words = std::span(gdt.words);
    const bool common = gdt.count > 0 && words[0] == PresetCommonFormat;
    const std::size_t loadedEnd = common ? PresetCommonOffset + PresetCommonCount : PresetRecordsEnd;
    if (gdt.count <= loadedEnd)
        return false;
    const std::size_t last = gdt.count - 1;
    if (wordSum(words.subspan(1, last - 1)) != words[last])
        return false;

    const std::array<PresetBlock *, 3> order = {&work.z, &work.g, &work.j};
    for (std::size_t b = 0; b < order.size(); ++b)
        for (std::size_t i = 0; i < PresetBlockWordCount; ++i)
            order[b]->words[i] = static_cast<std::int16_t>(blocks[1 + b * PresetBlockWordCount + i]);
    work.origins.z = work.origins.g = work.origins.j = Origin::Preset;

    // Records of mode sets 0 and 1, still coded; decoded below together with mode set 2.
    for (ModeSet k = 0; k < 2; ++k)
        for (int a = 0; a < AxisCount; ++a) {
            AxisRecord &rec = work.axes[static_cast<std::size_t>(a)][static_cast<std::size_t>(k)];
            for (std::size_t f = 0; f < AxisFieldCount; ++f)
                rec.words[f] = static_cast<std::int16_t>(words[fileRecordOffset(a, k) + f]);
            work.origins.axes[static_cast<std::size_t>(a)][static_cast<std::size_t>(k)] = Origin::Preset;
        }

    std::size_t commonSet = 0; // fields set from the start of the block
    if (common) {
        for (std::size_t f = 0; f < PresetCommonCount; ++f)
            work.common.words[f] = static_cast<std::int16_t>(words[PresetCommonOffset + f]);
        work.common.AxisMode() = 0;
        commonSet = static_cast<std::size_t>(CommonField::AxisMode) + 1;
    }

    int decoded = 2;
    if (versionAtLeast(firmware, PresetModeSet2Firmware)) {
        decoded = 3;
        work.common.CondCh() = 0;
        work.common.SwashNeutral() = 0;
        if (commonSet > 0)
            commonSet = CommonFieldCount;
        for (int a = 0; a < AxisCount; ++a) {
            work.axes[static_cast<std::size_t>(a)][2] = work.axes[static_cast<std::size_t>(a)][1];
            work.origins.axes[static_cast<std::size_t>(a)][2] = Origin::Preset;
        }
    }
    for (auto &axis : work.axes)
        for (int k = 0; k < decoded; ++k)
            decodeRecord(axis[static_cast<std::size_t>(k)]);

    if (p == RxKindResetPreset)
        work.common.RxKind() = 0;
    // Anything set counts: CondCh, SwashNeutral and RxKind alone change the block too.
    if (common || decoded == 3 || p == RxKindResetPreset)
        markLoaded(work.origins.common, Origin::Preset, commonSet == CommonFieldCount);
    return true;
}

PresetStatus loadPreset(int p, const std::filesystem::path &programDir, std::string_view firmware,
                        ParameterSet &work)
{
    if (p < 0 || p >= PresetCount)
        return PresetStatus::Unavailable;
    const PresetFileNames &names = PresetFiles[static_cast<std::size_t>(p)];

    std::error_code ec;
    if (!std::filesystem::is_regular_file(programDir / names.tpd, ec))
        return PresetStatus::Unavailable;
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
